// What the details beside the slot list say of one slot, in the window
// program and the web page alike: "file2　4月3日 PM 2:30　公園　中村（ナカ）"
// and, on a line below, when the file was written; that a slot cut short
// loads only in part, the running game keeping what it lacks; or that it is
// empty, or that it cannot be read and why. Read with the load's own strict
// reader, only looking (world/slot_details.h).
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"
#include "shell/story.h"
#include "world/slot_details.h"

namespace velmora {

// The place as the story's menu names it.
std::string DescribeSlot(const Story& story, const std::string& slot, const SlotDetails& details);

inline std::string DescribeSlot(const Story& story, Files& files, const std::string& slot) {
    return DescribeSlot(story, slot, ReadSlotDetails(files, slot));
}

// What 続きから resumes, as the details say a slot, a line for each part:
// "4月2日 PM 3:00　公園", "佐々木（リュウ君）", "保存 2024/04/01 21:30".
std::string DescribeContinue(const Story& story, const SlotDetails& details);

// The details beside the slot list: one description for each slot.
std::vector<std::string> DescribeSlots(const Story& story, Files& files,
                                       const std::vector<std::string>& entries);

}  // namespace velmora
