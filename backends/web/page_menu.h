// The menu window as the page builds it (page/windows.js, fillMenu), laid
// out by the window program's rules (player/menu_layout.h): the client's
// height in twips, then a line for each button in the Tab order, its row
// (the page's answer), left, top, width, height, what it is ("place",
// "quit", "lines" …) and its caption, apart by tabs.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora::web {

std::string PageMenu(const std::vector<MenuRow>& rows);

}  // namespace velmora::web
