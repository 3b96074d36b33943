#include "world/cp932_table/cp932_table.h"

#include <algorithm>
#include <cstdint>

namespace velmora::cp932_table {
namespace {

struct Cp932Form {
    uint16_t code;
    uint16_t bytes;  // one byte, or a lead byte in the high half
};

#include "cp932_table.inc"

constexpr int32_t kLeadByte = -2;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Where each lead byte's row of second bytes lies.
struct LeadRows {
    int8_t row[256];
    constexpr LeadRows() : row() {
        int next = 0;
        for (int b = 0; b < 256; ++b) row[b] = kSingleByte[b] == kLeadByte ? next++ : -1;
    }
};
constexpr LeadRows kRows;

void AppendUtf8(uint32_t code, std::string* out) {
    if (code < 0x80) {
        *out += static_cast<char>(code);
    } else if (code < 0x800) {
        *out += static_cast<char>(0xC0 | code >> 6);
        *out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out += static_cast<char>(0xE0 | code >> 12);
        *out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        *out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The next code point of strict UTF-8 (no overlong forms, no surrogates),
// or nothing; *i moves past it.
std::optional<uint32_t> NextCodePoint(std::string_view s, size_t* i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(*i);
    const int length = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : 0;
    if (length == 0 || *i + length > s.size()) return std::nullopt;
    uint32_t code = length == 1 ? c : c & (length == 2 ? 0x1F : 0x0F);
    for (int k = 1; k < length; ++k) {
        if ((byte(*i + k) & 0xC0) != 0x80) return std::nullopt;
        code = code << 6 | (byte(*i + k) & 0x3F);
    }
    if (length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return std::nullopt;
    *i += length;
    return code;
}

}  // namespace

std::string Decode(std::string_view bytes, bool* clean) {
    if (clean) *clean = true;
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char b = bytes[i];
        int32_t code = kSingleByte[b];
        size_t used = 1;
        if (code == kLeadByte) {
            const int second = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : -1;
            code = second < 0 ? 0 : kDoubleByte[kRows.row[b]][second];
            code = code == 0 ? -1 : code;
            used = code < 0 ? 1 : 2;
        }
        if (code < 0) {
            out.append(kReplacement);  // one bad byte at a time, then go on
            if (clean) *clean = false;
        } else {
            AppendUtf8(code, &out);
        }
        i += used;
    }
    return out;
}

std::optional<std::string> Encode(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const std::optional<uint32_t> code = NextCodePoint(utf8, &i);
        if (!code || *code > 0xFFFF) return std::nullopt;
        const auto* form =
            std::lower_bound(std::begin(kEncode), std::end(kEncode), *code,
                             [](const Cp932Form& f, uint32_t c) { return f.code < c; });
        if (form == std::end(kEncode) || form->code != *code) return std::nullopt;
        if (form->bytes > 0xFF) out += static_cast<char>(form->bytes >> 8);
        out += static_cast<char>(form->bytes & 0xFF);
    }
    return out;
}

}  // namespace velmora::cp932_table
