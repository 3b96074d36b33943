#include "app/story_map_rows.h"

#include "shell/story_map.h"

namespace velmora {

std::vector<qt::StoryMapRow> StoryMapRows(Files& gameFiles, const ReadRecord& record) {
    const StoryMap map =
        ReadStoryMap(gameFiles, TheStory(), [&](const std::string& id) { return record.Seen(id); });
    std::vector<qt::StoryMapRow> rows;
    for (const MapEntry& e : map.entries) rows.push_back({e.place, e.day, e.title, e.hint, e.seen});
    return rows;
}

}  // namespace velmora
