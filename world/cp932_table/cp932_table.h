// CP932 through tables read off glibc when the game is built, for the
// browser, whose converters cannot read or write the game's files as the
// desktop does. Decodes and encodes exactly as world/cp932.cpp does there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::cp932_table {

std::string Decode(std::string_view bytes, bool* clean = nullptr);
std::optional<std::string> Encode(std::string_view utf8);

}  // namespace velmora::cp932_table
