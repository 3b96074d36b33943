// The player's record of what was read and seen, as any bytes may lie in
// read-record.txt. A record loads what it can: a damaged line is counted
// and told, and a file that lost many is kept beside it byte for byte;
// another game adds to the file meanwhile; this game's save keeps what the
// file held, what the other added and what it marked itself, and the record
// loaded from the saved file holds exactly that, with nothing to tell.
#include <cstdint>
#include <string>

#include "player/read_record.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using velmora::ReadRecord;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string damaged = std::string(ReadRecord::kFileName) + ".damaged";
    velmora::fuzz::MemoryFiles files;
    files.files[ReadRecord::kFileName] = bytes;
    ReadRecord record, other, again;
    std::string notice, why;
    record.Load(files, &notice);
    const bool setAside = files.files.count(damaged) != 0;
    FUZZ_CHECK(!setAside || files.files[damaged] == bytes);
    FUZZ_CHECK(notice.empty() || notice.starts_with("既読の記録のうち "));
    FUZZ_CHECK(setAside == (notice.find(damaged) != std::string::npos));
    FUZZ_CHECK(record.changed() == !notice.empty());
    const size_t keys = record.readCount() + record.seen().size();
    FUZZ_CHECK(keys <= size / 6);

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
    FUZZ_CHECK(again.readCount() + again.seen().size() >= keys + 1);
    const std::string saved = files.files[ReadRecord::kFileName];
    FUZZ_CHECK(again.Save(files, &why) && files.files[ReadRecord::kFileName] == saved);
    return 0;
}
