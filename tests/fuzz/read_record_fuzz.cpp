// The player's record of what was read and seen, as any bytes may lie in
// read-record.txt. A record loads, or is called damaged and starts empty;
// another game adds to the file meanwhile; this game's save keeps what the
// file held and what it marked itself, and the record loaded from the saved
// file holds exactly that, with nothing to tell.
#include <cstdint>
#include <string>

#include "player/read_record.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using velmora::ReadRecord;
    velmora::fuzz::MemoryFiles files;
    files.files[ReadRecord::kFileName] = std::string(reinterpret_cast<const char*>(data), size);
    ReadRecord record, other, again;
    std::string notice, why;
    record.Load(files, &notice);
    FUZZ_CHECK(notice.empty() || notice == ReadRecord::kDamaged);
    FUZZ_CHECK(notice.empty() || (record.readCount() == 0 && record.seen().empty()));
    FUZZ_CHECK(record.changed() == !notice.empty());

    std::string ignored;
    other.Load(files, &ignored);
    other.MarkSeen("another game's event");
    FUZZ_CHECK(other.Save(files, &why));
    record.MarkRead("this game's message");
    FUZZ_CHECK(record.Save(files, &why));
    FUZZ_CHECK(!record.changed());

    notice.clear();
    again.Load(files, &notice);
    FUZZ_CHECK(notice.empty());
    FUZZ_CHECK(again.Read("this game's message") && again.Seen("another game's event"));
    FUZZ_CHECK(again.readCount() == record.readCount() && again.seen() == record.seen());
    return 0;
}
