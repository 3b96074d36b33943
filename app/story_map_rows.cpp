#include "app/story_map_rows.h"

#include "shell/story_map.h"

namespace velmora {

qt::StoryMapContents WindowStoryMap(Files& gameFiles, const ReadRecord& record) {
    const StoryMap map =
        ReadStoryMap(gameFiles, TheStory(), [&](const std::string& id) { return record.Seen(id); });
    qt::StoryMapContents contents{map.said, {}};
    for (const MapEntry& e : map.entries)
        contents.rows.push_back({e.place, e.day, e.title, e.hint, e.seen});
    return contents;
}

}  // namespace velmora
