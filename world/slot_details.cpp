#include "world/slot_details.h"

#include "platform/files.h"
#include "world/slot_format.h"

namespace velmora {

SlotDetails ReadSlotDetails(Files& files, const std::string& slot) {
    SlotDetails details;
    std::vector<std::string> bytes;
    ReadFailure failure;
    if (!files.Peek({slot, SlotTextFile(slot)}, kSlotFileLimit, &bytes, &details.written,
                    &failure)) {
        const bool empty = NeverSaved(failure, bytes);
        details.kind = empty ? SlotDetails::Kind::kEmpty : SlotDetails::Kind::kUnreadable;
        if (!empty) details.why = WhySlot(failure);
        return details;
    }
    const int64_t written = details.written;
    details = ReadSlotDetails(bytes);
    details.written = written;
    return details;
}

SlotDetails ReadSlotDetails(const std::vector<std::string>& bytes) {
    SlotDetails details;
    GameState& s = details.saved;
    size_t count = 0;
    if (!TakeSlot(bytes, &s, &count, &details.why)) {
        details.kind = SlotDetails::Kind::kUnreadable;
        return details;
    }
    details.kind = SlotDetails::Kind::kSaved;
    details.clockKnown = count > static_cast<size_t>(Flag::SavedHalf);
    details.partial = count < static_cast<size_t>(kSavedFlagCount);
    TakeSavedClock(s);
    return details;
}

}  // namespace velmora
