#include "world/message_key.h"

#include <cctype>
#include <cstdint>

namespace velmora {
namespace {

// FNV-1a, 64 bits, as sixteen hexadecimal digits.
std::string Fingerprint(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    static const char kHex[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<size_t>(i)] = kHex[hash & 15];
    return out;
}

}  // namespace

// The game finds its files without regard to letter case, and so does the record.
std::string LineKey(const std::string& file, int item, const std::string& text) {
    std::string lower;
    for (const char c : file)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return "line " + lower + " " + std::to_string(item) + " " + Fingerprint(text);
}

std::string TextKey(const std::string& text) {
    return "text " + Fingerprint(text);
}

}  // namespace velmora
