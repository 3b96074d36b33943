// The browser build's CP932: the tables in place of iconv, which there has
// no CP932 (its Shift_JIS stops before the NEC rows that Windows text uses).
#include "world/cp932.h"
#include "world/cp932_table/cp932_table.h"

namespace velmora {

std::string DecodeCp932(std::string_view bytes, bool* clean) {
    return cp932_table::Decode(bytes, clean);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
    return cp932_table::Encode(utf8);
}

}  // namespace velmora
