// The story map as the window program shows it: every event of the story
// with the shipped words (storymap.txt in the game's folder), marked seen
// from the player's record, and what the game says when it cannot read them.
#pragma once

#include <vector>

#include "platform/files.h"
#include "platform/qt/story_map_window.h"
#include "platform/read_record.h"

namespace velmora {

qt::StoryMapContents WindowStoryMap(Files& gameFiles, const ReadRecord& record);

}  // namespace velmora
