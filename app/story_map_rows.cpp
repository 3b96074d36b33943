#include "app/story_map_rows.h"

#include "shell/story_map.h"

namespace velmora {

qt::StoryMapView StoryMapRows(Files& gameFiles, const ReadRecord& record) {
    const StoryMap map =
        ReadStoryMap(gameFiles, TheStory(), [&](const std::string& id) { return record.Seen(id); });
    qt::StoryMapView view{{}, map.trouble};
    for (const MapEntry& e : map.entries)
        view.rows.push_back({e.place, e.day, e.title, e.hint, e.seen});
    return view;
}

}  // namespace velmora
