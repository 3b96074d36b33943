// The story map's rows as the window program shows them: every event of the
// story from the shipped words (storymap.txt in the game's folder), marked
// seen from the player's record; what is wrong with the file, if anything.
#pragma once

#include <vector>

#include "backends/qt/story_map_window.h"
#include "platform/files.h"
#include "player/read_record.h"

namespace velmora {

qt::StoryMapView StoryMapRows(Files& gameFiles, const ReadRecord& record);

}  // namespace velmora
