// The page's check of slot files the player brings in, as any files may be
// chosen. The first byte says whether the player has said YES already (1),
// whether the slot holds a save (2), and whether the "_text" file is one
// byte past the reader's limit (4); then the flag file, a NUL byte and the
// "_text" file. The files are refused with a reason, or taken only as the
// game's own load reads them, after a question wherever they would replace
// a save or load only in part.
#include <cstdint>
#include <string>

#include "app/page_slots.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/slot_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    if (size == 0) return 0;
    const bool confirmed = data[0] & 1, occupied = data[0] & 2, oversized = data[0] & 4;
    const std::string files(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t nul = files.find('\0');
    web::Upload upload{"file3", files.substr(0, nul),
                       nul == std::string::npos ? "" : files.substr(nul + 1), confirmed};
    if (oversized) upload.textFile.resize(kSlotFileLimit + 1, ' ');
    fuzz::MemoryFiles folder;
    if (occupied) {
        folder.files["file3"] = "0\r\n";
        folder.files["file3_text"] = "\"a\",\"b\",\"c\"\r\n";
    }

    const web::UploadVerdict verdict = CheckUpload(folder, upload);
    FUZZ_CHECK(verdict.readable == verdict.why.empty());
    FUZZ_CHECK(verdict.readable || verdict.question.empty());
    FUZZ_CHECK(!oversized || verdict.why == "file3_text は大きすぎます（262144 バイトまで）。");
    GameState loaded;
    size_t count = 0;
    std::string why;
    const bool loads = TakeSlot({upload.flagFile, upload.textFile}, &loaded, &count, &why);
    FUZZ_CHECK(verdict.readable == (loads && !oversized));
    if (!verdict.readable) return 0;
    const bool partial = count < static_cast<size_t>(kSavedFlagCount);
    FUZZ_CHECK(verdict.question.empty() == (confirmed || (!occupied && !partial)));
    FUZZ_CHECK(verdict.question.empty() || confirmed || !partial ||
               verdict.question.find("一部だけ") != std::string::npos);
    return 0;
}
