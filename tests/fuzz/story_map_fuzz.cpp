// The story map's words, as any bytes may lie in storymap.txt. The map holds
// every event of the story once, by day (1 to 5, in order); the day, hours
// and place of each hint come from the event's own window, never from the
// file; the count of scenes seen is the rows marked seen; and a file that
// was read tells the player nothing.
#include <cstdint>
#include <string>

#include "shell/story_map.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    fuzz::MemoryFiles files;
    files.files[kStoryMapFile] = std::string(reinterpret_cast<const char*>(data), size);
    const Story& story = TheStory();
    const StoryMap map =
        ReadStoryMap(files, story, [](const std::string& id) { return id.size() % 2 == 0; });
    FUZZ_CHECK(map.trouble.empty());
    FUZZ_CHECK(map.entries.size() == ListEvents(story).size());
    int day = 1, seen = 0;
    for (const MapEntry& e : map.entries) {
        FUZZ_CHECK(e.day >= day && e.day <= 5);
        day = e.day;
        FUZZ_CHECK(e.seen == (e.id.size() % 2 == 0));
        seen += e.seen ? 1 : 0;
        if (!e.place.empty() && e.day <= 4) FUZZ_CHECK(e.hint.starts_with("4月"));
    }
    FUZZ_CHECK(map.seen == seen);
    return 0;
}
