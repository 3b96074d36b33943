#include "player/menu_layout.h"

#include <algorithm>

namespace velmora::menu {

namespace {

constexpr double kLeft = 83;
constexpr double kStep = 411;
constexpr double kQuitLower = 6;   // "終了" stands this much lower than the step
constexpr double kBelowRows = 75;  // the window's room below the rows' steps
constexpr double kClientWidth = 2160;
constexpr double kBeyondLeft = 6000;  // where the keyboard's own row stands

// The rows in the Tab order: top to bottom, "終了" before the window-move
// button, the keyboard's own rows last.
std::vector<int> TabOrder(const std::vector<MenuRow>& rows) {
    std::vector<int> order;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        if (rows[row].kind != MenuKind::kLineDisplay) order.push_back(row);
    }
    const auto kindAt = [&](MenuKind kind) {
        return std::find_if(order.begin(), order.end(),
                            [&](int row) { return rows[row].kind == kind; });
    };
    const auto quit = kindAt(MenuKind::kQuit);
    const auto move = kindAt(MenuKind::kWindowMove);
    if (quit != order.end() && move < quit) std::rotate(move, quit, quit + 1);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        if (rows[row].kind == MenuKind::kLineDisplay) order.push_back(row);
    }
    return order;
}

}  // namespace

const char* Description(MenuKind kind) {
    switch (kind) {
        case MenuKind::kPlace:
            return "この場所へ行きます（30分）";
        case MenuKind::kLoad:
            return "セーブデータをロードします";
        case MenuKind::kSave:
            return "ここまでをセーブします";
        case MenuKind::kWindowMove:
            return "メイン画面を動かします。矢印キーで動かし、Enter で終わります";
        case MenuKind::kBgm:
            return "音楽を鳴らすかどうかを選びます";
        case MenuKind::kQuit:
            return "ゲームを終わります";
        case MenuKind::kLineDisplay:
            return "人物の絵の出し方を切り替えます（画面の外のボタン）";
    }
    return "";
}

Layout LayOut(const std::vector<MenuRow>& rows) {
    Layout layout;
    layout.clientWidth = kClientWidth;
    layout.rows.resize(rows.size());
    int shown = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].kind == MenuKind::kLineDisplay) continue;
        const double lower = rows[row].kind == MenuKind::kQuit ? kQuitLower : 0;
        layout.rows[row].left = kLeft;
        layout.rows[row].top = kStep * shown++ + lower;
    }
    layout.clientHeight = kStep * shown + kBelowRows;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].kind != MenuKind::kLineDisplay) continue;
        layout.rows[row].left = kBeyondLeft;
        layout.rows[row].top = layout.clientHeight;
    }
    const std::vector<int> order = TabOrder(rows);
    for (int tab = 0; tab < static_cast<int>(order.size()); ++tab)
        layout.rows[order[tab]].tab = tab;
    if (!order.empty()) layout.firstOfTab = order.front();
    return layout;
}

std::string ButtonName(int tab) {
    const int number = tab == 0 ? 2 : tab == 1 ? 1 : tab + 1;
    return "Command" + std::to_string(number);
}

}  // namespace velmora::menu
