#include "backends/web/page_bridge.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, velmora_shelf_size, (int place), {
    return Module.page.shelf.size(place);
});
EM_JS(void, velmora_shelf_copy, (int place, char* to), {
    HEAPU8.set(Module.page.shelf.take(place), to);
});
// clang-format on

namespace velmora::web {

std::string TakeFromShelf(int place) {
    std::string bytes(static_cast<size_t>(velmora_shelf_size(place)), '\0');
    if (!bytes.empty()) velmora_shelf_copy(place, bytes.data());
    return bytes;
}

}  // namespace velmora::web
