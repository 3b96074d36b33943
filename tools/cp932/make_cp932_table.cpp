// Writes the CP932 tables of the browser build as C++ source, read off
// glibc's iconv on the machine that builds the game: the browser's own
// converters have no CP932 that reads and writes slot files byte for byte
// as the desktop game does. Runs on the building machine, never in the game.
//
// Usage: make_cp932_table OUTPUT.inc
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kInvalid = -1;
constexpr int kLead = -2;

// One UTF-32 code point per converted input, or kInvalid / kLead.
int DecodeOne(iconv_t cd, const std::string& bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* to = out;
    size_t toLeft = sizeof out;
    const size_t r = iconv(cd, &in, &inLeft, &to, &toLeft);
    if (r == static_cast<size_t>(-1)) return errno == EINVAL ? kLead : kInvalid;
    if (to - out != 4) return kInvalid;  // nothing, or more than one character
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i) code = code << 8 | static_cast<unsigned char>(out[i]);
    return code > 0xFFFF ? kInvalid : static_cast<int>(code);
}

std::string Utf8(uint32_t code) {
    std::string s;
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | code >> 6);
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | code >> 12);
        s += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
    return s;
}

// The CP932 bytes of one code point as one number (a lead byte in the high
// half), or nothing when CP932 cannot hold it.
bool EncodeOne(iconv_t cd, uint32_t code, unsigned* bytes) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string utf8 = Utf8(code);
    char out[8];
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* to = out;
    size_t toLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) return false;
    const size_t n = to - out;
    if (n == 1) *bytes = static_cast<unsigned char>(out[0]);
    if (n == 2)
        *bytes = static_cast<unsigned char>(out[0]) << 8 | static_cast<unsigned char>(out[1]);
    return n == 1 || n == 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cp932_table OUTPUT.inc\n");
        return 2;
    }
    iconv_t decoder = iconv_open("UTF-32BE", "CP932");
    iconv_t encoder = iconv_open("CP932", "UTF-8");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "make_cp932_table: this C library has no CP932 converter\n");
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Made by make_cp932_table from glibc's CP932 converter. Do not edit.\n");

    std::vector<int> single(256);
    std::vector<int> leads;
    for (int b = 0; b < 256; ++b) {
        single[b] = DecodeOne(decoder, std::string(1, static_cast<char>(b)));
        if (single[b] == kLead) leads.push_back(b);
    }
    std::fprintf(out, "constexpr int32_t kSingleByte[256] = {");
    for (int b = 0; b < 256; ++b) std::fprintf(out, "%s%d,", b % 16 ? "" : "\n", single[b]);
    std::fprintf(out, "};\n");

    // Two bytes: the code point of each lead byte and second byte, 0 where
    // the pair is not a character.
    std::fprintf(out, "constexpr int kLeadCount = %zu;\n", leads.size());
    std::fprintf(out, "constexpr uint16_t kDoubleByte[kLeadCount][256] = {");
    for (int lead : leads) {
        std::fprintf(out, "\n{");
        for (int t = 0; t < 256; ++t) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(t)};
            const int code = DecodeOne(decoder, pair);
            std::fprintf(out, "%d,", code < 0 ? 0 : code);
        }
        std::fprintf(out, "},");
    }
    std::fprintf(out, "};\n");

    // Every code point of the Basic Multilingual Plane that CP932 can hold,
    // in order, with its bytes; several code points share one pair.
    std::fprintf(out, "constexpr Cp932Form kEncode[] = {");
    int n = 0;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        unsigned bytes = 0;
        if (code >= 0xD800 && code <= 0xDFFF) continue;
        if (!EncodeOne(encoder, code, &bytes)) continue;
        std::fprintf(out, "%s{%u,%u},", n++ % 8 ? "" : "\n", code, bytes);
    }
    std::fprintf(out, "};\n");
    iconv_close(decoder);
    iconv_close(encoder);
    return std::fclose(out) == 0 ? 0 : 1;
}
