// The rules the page asks the game's C++ for, as the window program asks
// them (player/player_keys.h, player/comfort_words.h, player/plate_fit.h):
// what a key or the wheel does where, which menu button has the focus when
// the menu opens, what the comforts say, how a caption fits its bar. The
// page's script keeps to the page's own work (its elements, events and
// storage) and calls these directly; the words they answer with are
// page_protocol.h's.
#include <emscripten.h>

#include <string>

#include "backends/web/page_protocol.h"
#include "player/comfort_words.h"
#include "player/plate_fit.h"

namespace {

using velmora::keys::Does;
using velmora::keys::Key;
using velmora::keys::Window;

Key KeyNamed(const std::string& name, bool shift) {
    std::string lower = name;
    if (lower.size() == 1 && lower[0] >= 'A' && lower[0] <= 'Z') lower[0] += 'a' - 'A';
    for (const auto& each : velmora::web::kPageKeys) {
        if (lower != each.name) continue;
        return each.key == Key::kTab && shift ? Key::kBackTab : each.key;
    }
    return Key::kOther;
}

Window WindowNamed(const std::string& id) {
    for (const auto& each : velmora::web::kPageWindows) {
        if (id == each.id) return each.window;
    }
    return Window::kMain;
}

std::string answer;  // the last text handed to the page, alive until the next

}  // namespace

extern "C" {

// flags: page_protocol.h's KeyFlag. Answers "does moves stops entry": what
// the key does (a keys::Does), whether it counts as moving the focus,
// whether it stops skipping, and for a list the entry to highlight.
EMSCRIPTEN_KEEPALIVE const char* velmora_key(const char* key, const char* window, int flags,
                                             int highlighted, int count) {
    using namespace velmora::web;
    const velmora::keys::Press press{KeyNamed(key, flags & kKeyShift), bool(flags & kKeyCtrl),
                                     bool(flags & kKeyShift), bool(flags & kKeyAltOrMeta),
                                     bool(flags & kKeyRepeat)};
    const velmora::keys::Answer said = velmora::keys::WhatTheKeyDoes(
        press, {WindowNamed(window), bool(flags & kKeyTyping), bool(flags & kKeyMoved),
                bool(flags & kKeyNextWaits), bool(flags & kKeyMessageWaits),
                bool(flags & kKeyWindowMoves), bool(flags & kKeyHidden)});
    const int entry = said.does == Does::kListMove
                          ? velmora::keys::ListMove(press.key, highlighted, count)
                          : highlighted;
    answer = std::to_string(static_cast<int>(said.does)) + " " + (said.moves ? "1" : "0") + " " +
             (said.stopsSkip ? "1" : "0") + " " + std::to_string(entry);
    return answer.c_str();
}

// flags: page_protocol.h's WheelFlag. Answers a keys::Does.
EMSCRIPTEN_KEEPALIVE int velmora_wheel(int up, int flags) {
    using namespace velmora::web;
    return static_cast<int>(velmora::keys::WhatTheWheelDoes(
        up, flags & kWheelCanGoForward, flags & kWheelDownPressesNext, flags & kWheelNextWaits));
}

// button: 0 left, 1 middle (a two-finger tap too), 2 right; hidden: the
// player has hidden the message window. Answers a keys::Does.
EMSCRIPTEN_KEEPALIVE int velmora_button(int button, int hidden) {
    using velmora::keys::Button;
    const Button pressed = button == 1   ? Button::kMiddle
                           : button == 2 ? Button::kRight
                                         : Button::kLeft;
    return static_cast<int>(velmora::keys::WhatTheButtonDoes(pressed, hidden));
}

EMSCRIPTEN_KEEPALIVE int velmora_menu_focus(int pressedLast, int first) {
    return velmora::keys::MenuFocus(pressedLast, first);
}

// "music" and "autoAdvance": the notice for the setting now on or off;
// "hideWindow": the comfort menu's entry that hides the message window;
// "keyHelp": the settings' key help, one line each.
// pace: auto-advance's, for its notice and "paceName"; the text's speed for
// "textSpeedName".
EMSCRIPTEN_KEEPALIVE const char* velmora_words(const char* which, int on, int pace) {
    const std::string what = which;
    if (what == "music") return velmora::words::MusicNotice(on);
    if (what == "autoAdvance") return velmora::words::AutoAdvanceNotice(on, pace);
    if (what == "paceName") return velmora::words::PaceName(pace);
    if (what == "textSpeedName") return velmora::words::TextSpeedName(pace);
    if (what == "hideWindow") return velmora::words::HideWindowCaption();
    if (what == "hidden") return velmora::words::HiddenNotice();
    if (what == "continue") return velmora::words::ContinueTold();
    if (what == "chooseFirst") return velmora::words::ChooseFirst(on);
    answer = velmora::words::KeyHelp(velmora::words::FrontEnd::kPage);
    return answer.c_str();
}

// What a caption `wanted` wide is narrowed by to fit its bar's `room`.
EMSCRIPTEN_KEEPALIVE double velmora_narrowing(double wanted, double room) {
    return velmora::plates::Narrowing(wanted, room);
}

}  // extern "C"
