// How the C++ side hands texts and bytes to the page and takes them back.
// The page keeps what it hands over in a small numbered shelf until the
// game has copied it.
#pragma once

#include <string>

namespace velmora::web {

// The text or bytes on the page's shelf at this place.
std::string TakeFromShelf(int place);

}  // namespace velmora::web
