// Text files of the game are Shift-JIS as Windows writes it (code page 932);
// the game itself works in UTF-8. Conversion goes through glibc's iconv.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Decodes CP932 bytes. A byte sequence that is not valid CP932 becomes
// U+FFFD and decoding goes on; *clean (if given) then says false.
std::string DecodeCp932(std::string_view bytes, bool* clean = nullptr);

// Encodes UTF-8 text as CP932, or nothing when a character has no CP932
// form (or the text is not valid UTF-8): a save must never turn a name into
// question marks.
std::optional<std::string> EncodeCp932(std::string_view utf8);

}  // namespace velmora
