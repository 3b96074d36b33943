#include "shell/name_rule.h"

#include "world/slot_format.h"

namespace velmora {
namespace {

// C0 controls (tab, CR, LF, ESC ...), DEL, and the C1 controls U+0080 to
// U+009F, which UTF-8 writes C2 80 to C2 9F.
bool HasControlCharacter(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return true;
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == 0xC2 && next >= 0x80 && next <= 0x9F) return true;
    }
    return false;
}

}  // namespace

std::string WhyNotAName(const std::string& text) {
    if (HasControlCharacter(text)) return "改行や制御文字は使えません。";
    return WhyNotSavable(text);
}

}  // namespace velmora
