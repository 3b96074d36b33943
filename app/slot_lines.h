// What the details beside the slot list say of one slot: "file2　4月3日
// PM 2:30　公園　中村（ナカ）" and, on a line below, when the file was
// written; or that it is empty, or that it cannot be read and why. Read
// with the load's own strict reader, only looking (world/slot_details.h).
#pragma once

#include <string>

#include "platform/files.h"
#include "world/slot_details.h"

namespace velmora {

std::string DescribeSlot(const std::string& slot, const SlotDetails& details);

inline std::string DescribeSlot(Files& files, const std::string& slot) {
    return DescribeSlot(slot, ReadSlotDetails(files, slot));
}

}  // namespace velmora
