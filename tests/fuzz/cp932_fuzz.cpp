// CP932 bytes of any kind decode to valid UTF-8; text decoded from clean
// bytes encodes again and decodes to the same text; any UTF-8 that encodes
// decodes back to text that encodes to the same bytes.
#include <cstdint>
#include <string>

#include "tests/fuzz/fuzz_check.h"
#include "world/cp932.h"

namespace {

bool ValidUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = s[i];
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    bool clean = false;
    const std::string text = velmora::DecodeCp932(bytes, &clean);
    FUZZ_CHECK(ValidUtf8(text));
    FUZZ_CHECK(text.size() <= 3 * bytes.size());
    if (clean) {
        const std::optional<std::string> again = velmora::EncodeCp932(text);
        FUZZ_CHECK(again.has_value());
        bool cleanAgain = false;
        FUZZ_CHECK(velmora::DecodeCp932(*again, &cleanAgain) == text);
        FUZZ_CHECK(cleanAgain);
    } else {
        FUZZ_CHECK(text.find("\xEF\xBF\xBD") != std::string::npos);
    }

    // The same bytes taken as UTF-8, as a name typed by the player.
    if (const std::optional<std::string> encoded = velmora::EncodeCp932(bytes)) {
        FUZZ_CHECK(ValidUtf8(bytes));
        bool cleanBack = false;
        const std::string back = velmora::DecodeCp932(*encoded, &cleanBack);
        FUZZ_CHECK(cleanBack);
        FUZZ_CHECK(velmora::EncodeCp932(back) == encoded);
    }
    return 0;
}
