// The browser reads and writes the game's files through tables made from
// glibc when the game is built; here they meet glibc itself on every one-
// and two-byte input and every character of the Basic Multilingual Plane.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "world/cp932.h"
#include "world/cp932_table/cp932_table.h"

namespace velmora {
namespace {

std::string Utf8(uint32_t code) {
    std::string s;
    if (code < 0x80) return std::string(1, static_cast<char>(code));
    if (code < 0x800) {
        s += static_cast<char>(0xC0 | code >> 6);
    } else {
        s += static_cast<char>(0xE0 | code >> 12);
        s += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    }
    s += static_cast<char>(0x80 | (code & 0x3F));
    return s;
}

void ExpectSameDecoding(const std::string& bytes, int* differences) {
    bool glibcClean = false;
    bool tableClean = false;
    const std::string glibc = DecodeCp932(bytes, &glibcClean);
    const std::string table = cp932_table::Decode(bytes, &tableClean);
    if (glibc == table && glibcClean == tableClean) return;
    if (++*differences <= 5) {
        ADD_FAILURE() << "bytes " << std::hex << int(static_cast<unsigned char>(bytes[0])) << " "
                      << (bytes.size() > 1 ? int(static_cast<unsigned char>(bytes[1])) : -1);
    }
}

TEST(Cp932Table, DecodesEveryOneAndTwoByteInputAsGlibcDoes) {
    int differences = 0;
    for (int first = 0; first < 256; ++first) {
        ExpectSameDecoding(std::string(1, static_cast<char>(first)), &differences);
        for (int second = 0; second < 256; ++second) {
            ExpectSameDecoding({static_cast<char>(first), static_cast<char>(second)}, &differences);
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(Cp932Table, EncodesEveryCharacterOfTheBasicPlaneAsGlibcDoes) {
    int differences = 0;
    int encodable = 0;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        const std::string text = Utf8(code);
        const auto glibc = EncodeCp932(text);
        encodable += glibc.has_value();
        if (glibc != cp932_table::Encode(text) && ++differences <= 5) {
            ADD_FAILURE() << "U+" << std::hex << code;
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(encodable, 7000);  // the JIS rows, the NEC and IBM rows, the user area
}

TEST(Cp932Table, RefusesWhatGlibcRefuses) {
    for (const std::string bad :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF0\x9F\x98\x80", "\xE3\x81", "A\x80"}) {
        EXPECT_EQ(cp932_table::Encode(bad), EncodeCp932(bad)) << bad;
        EXPECT_FALSE(cp932_table::Encode(bad).has_value());
    }
    EXPECT_EQ(*cp932_table::Encode("名前は～"),
              *EncodeCp932("名前は〜"));  // one pair for both tildes
}

}  // namespace
}  // namespace velmora
