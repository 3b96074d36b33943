#include "app/story_map_rows.h"

#include "shell/story_map.h"

namespace velmora {

qt::StoryMapView StoryMapRows(Files& gameFiles, const ReadRecord& record) {
    const StoryMap map =
        ReadStoryMap(gameFiles, TheStory(), [&](const std::string& id) { return record.Seen(id); });
    qt::StoryMapView view{{}, map.trouble, SeenCount(map)};
    for (const MapEntry& e : map.entries)
        view.rows.push_back({e.place, e.day, DayCaption(e.day), RowTitle(e), e.hint, e.seen});
    return view;
}

}  // namespace velmora
