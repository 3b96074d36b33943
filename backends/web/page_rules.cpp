// The rules the page asks the game's C++ for, as the window program asks
// them (player/player_keys.h, player/comfort_words.h): what a key or the
// wheel does where, which menu button has the focus when the menu opens,
// and what the comforts say. The page's script keeps to the page's own
// work (its elements, events and storage) and calls these through ccall.
#include <emscripten.h>

#include <iterator>
#include <string>

#include "player/comfort_words.h"
#include "player/player_keys.h"

namespace {

using velmora::keys::Does;
using velmora::keys::Key;
using velmora::keys::Window;

// What the page's key events call each key (KeyboardEvent.key).
Key KeyNamed(const std::string& name, bool shift) {
    static const struct {
        const char* name;
        Key key;
    } kKeys[] = {{"Enter", Key::kEnter},
                 {" ", Key::kSpace},
                 {"ArrowUp", Key::kUp},
                 {"ArrowDown", Key::kDown},
                 {"ArrowLeft", Key::kLeft},
                 {"ArrowRight", Key::kRight},
                 {"Home", Key::kHome},
                 {"End", Key::kEnd},
                 {"PageUp", Key::kPageUp},
                 {"PageDown", Key::kPageDown},
                 {"Escape", Key::kEscape},
                 {"F2", Key::kF2},
                 {"F11", Key::kF11},
                 {",", Key::kComma},
                 {"Control", Key::kControl},
                 {"ContextMenu", Key::kMenuKey},
                 {"y", Key::kY},
                 {"n", Key::kN},
                 {"h", Key::kH},
                 {"m", Key::kM},
                 {"a", Key::kA},
                 {"s", Key::kS}};
    if (name == "Tab") return shift ? Key::kBackTab : Key::kTab;
    std::string lower = name;
    if (lower.size() == 1 && lower[0] >= 'A' && lower[0] <= 'Z') lower[0] += 'a' - 'A';
    for (const auto& each : kKeys) {
        if (lower == each.name) return each.key;
    }
    return Key::kOther;
}

// The page's windows by their ids; "comfort" for a window of the comforts.
Window WindowNamed(const std::string& name) {
    static const struct {
        const char* name;
        Window window;
    } kWindows[] = {{"Form3", Window::kNext},     {"Form2", Window::kQuestion},
                    {"Form4", Window::kName},     {"Form5", Window::kList},
                    {"Form8", Window::kMenu},     {"Form7", Window::kPicture},
                    {"comfort", Window::kComfort}};
    for (const auto& each : kWindows) {
        if (name == each.name) return each.window;
    }
    return Window::kMain;
}

const char* Named(Does does) {
    static const char* const kNames[] = {
        "asUsual",   "nothing",     "pressNext",    "clickMessage", "focusNext",    "focusPrevious",
        "listMove",  "yes",         "no",           "back",         "forward",      "skip",
        "holdSkip",  "history",     "mute",         "autoAdvance",  "storyMap",     "fullScreen",
        "settings",  "comfortMenu", "closeComfort", "moveWindow",   "clickPicture", "quickSave",
        "quickLoad", "continue"};
    static_assert(std::size(kNames) == static_cast<size_t>(Does::kContinue) + 1);
    return kNames[static_cast<int>(does)];
}

std::string answer;  // the last text handed to the page, alive until the next

}  // namespace

extern "C" {

// flags: 1 Ctrl, 2 Shift, 4 Alt or Meta, 8 repeating, 16 typing in a box,
// 32 the focus moved in the window, 64 NEXT waits, 128 the message waits for
// its click (the title, window-move mode), 256 window-move mode. Answers "does moves stops
// entry": what the key does, whether it counts as moving the focus, whether
// it stops skipping, and for a list the entry to highlight.
EMSCRIPTEN_KEEPALIVE const char* velmora_key(const char* key, const char* window, int flags,
                                             int highlighted, int count) {
    const velmora::keys::Press press{KeyNamed(key, flags & 2), bool(flags & 1), bool(flags & 2),
                                     bool(flags & 4), bool(flags & 8)};
    const velmora::keys::Answer said = velmora::keys::WhatTheKeyDoes(
        press, {WindowNamed(window), bool(flags & 16), bool(flags & 32), bool(flags & 64),
                bool(flags & 128), bool(flags & 256)});
    const int entry = said.does == Does::kListMove
                          ? velmora::keys::ListMove(press.key, highlighted, count)
                          : highlighted;
    answer = std::string(Named(said.does)) + " " + (said.moves ? "1" : "0") + " " +
             (said.stopsSkip ? "1" : "0") + " " + std::to_string(entry);
    return answer.c_str();
}

// flags: 1 a step gone back to lies ahead, 2 the wheel down presses NEXT, 4 NEXT waits.
EMSCRIPTEN_KEEPALIVE const char* velmora_wheel(int up, int flags) {
    return Named(velmora::keys::WhatTheWheelDoes(up, flags & 1, flags & 2, flags & 4));
}

EMSCRIPTEN_KEEPALIVE int velmora_menu_focus(int pressedLast, int first) {
    return velmora::keys::MenuFocus(pressedLast, first);
}

// "music" and "autoAdvance": the notice for the setting now on or off;
// "keyHelp": the settings' key help, one line each.
EMSCRIPTEN_KEEPALIVE const char* velmora_words(const char* which, int on) {
    const std::string what = which;
    if (what == "music") return velmora::words::MusicNotice(on);
    if (what == "autoAdvance") return velmora::words::AutoAdvanceNotice(on);
    answer = velmora::words::KeyHelp(velmora::words::FrontEnd::kPage);
    return answer.c_str();
}

}  // extern "C"
