#include "backends/web/page_menu.h"

#include <emscripten.h>

#include <cmath>
#include <sstream>

#include "player/menu_layout.h"

namespace velmora::web {

namespace {

// What the page calls each kind of row (its style for a phone keeps to it).
constexpr struct {
    MenuKind kind;
    const char* name;
} kKinds[] = {{MenuKind::kPlace, "place"},      {MenuKind::kLoad, "load"},
              {MenuKind::kSave, "save"},        {MenuKind::kWindowMove, "move"},
              {MenuKind::kBgm, "bgm"},          {MenuKind::kQuit, "quit"},
              {MenuKind::kLineDisplay, "lines"}};

const char* KindName(MenuKind kind) {
    for (const auto& each : kKinds) {
        if (each.kind == kind) return each.name;
    }
    return "";
}

MenuKind KindNamed(const std::string& name) {
    for (const auto& each : kKinds) {
        if (name == each.name) return each.kind;
    }
    return MenuKind::kPlace;
}

// Twips as the page's styles take them: whole numbers.
std::string Number(double twips) {
    return std::to_string(std::lround(twips));
}

}  // namespace

std::string PageMenu(const std::vector<MenuRow>& rows) {
    const menu::Layout layout = menu::LayOut(rows);
    std::vector<std::string> lines(rows.size());
    for (size_t row = 0; row < rows.size(); ++row) {
        const menu::RowPlace& at = layout.rows[row];
        lines[at.tab] = std::to_string(row) + "\t" + Number(at.left) + "\t" + Number(at.top) +
                        "\t" + Number(menu::kButtonWidth) + "\t" + Number(menu::kButtonHeight) +
                        "\t" + KindName(rows[row].kind) + "\t" + rows[row].caption + "\t" +
                        menu::Description(rows[row].kind);
    }
    std::string text = Number(layout.clientHeight);
    for (const std::string& line : lines) text += "\n" + line;
    return text;
}

}  // namespace velmora::web

extern "C" {

// The menu for rows the page names, a line "kind<TAB>caption" each: how the
// page's own tests open the menu with a table the story does not have.
EMSCRIPTEN_KEEPALIVE const char* velmora_menu(const char* named) {
    std::vector<velmora::MenuRow> rows;
    std::istringstream lines(named);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        rows.push_back({line.substr(tab + 1), velmora::web::KindNamed(line.substr(0, tab))});
    }
    static std::string laidOut;
    laidOut = velmora::web::PageMenu(rows);
    return laidOut.c_str();
}

}  // extern "C"
