// The player's settings, as any bytes may lie in comforts.conf. What is read
// is a setting the window can hold (a volume of 0 to 100); the file written
// from it reads back the same; the file's reader and writer through the
// folder agree with the text's, and a file saved over one of keys this
// version does not know reads back the same and saves again unchanged.
#include <cstdint>
#include <string>

#include "player/comfort_settings.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ComfortSettings read = ParseComforts(text);
    FUZZ_CHECK(read.volume >= 0 && read.volume <= 100);
    FUZZ_CHECK(ParseComforts(FormatComforts(read)) == read);

    fuzz::MemoryFiles folder;
    folder.files[kComfortsFile] = text;
    std::string why;
    FUZZ_CHECK(LoadComforts(folder, &why) == read && why.empty());
    FUZZ_CHECK(SaveComforts(folder, read, &why));
    const std::string saved = folder.files[kComfortsFile];
    FUZZ_CHECK(ParseComforts(saved) == read);
    FUZZ_CHECK(text.find('=') != std::string::npos || saved == FormatComforts(read));
    FUZZ_CHECK(SaveComforts(folder, read, &why) && folder.files[kComfortsFile] == saved);
    return 0;
}
