// The words the page and the player's rules answer each other with, written
// once here: page_rules.cpp reads them, and the page has them from
// page_table.js, which the build writes from this file (page_table.cpp).
#pragma once

#include <cstddef>
#include <iterator>

#include "player/player_keys.h"

namespace velmora::web {

// What the page tells velmora_key of a key and of where it came.
enum KeyFlag : int {
    kKeyCtrl = 1,
    kKeyShift = 2,
    kKeyAltOrMeta = 4,
    kKeyRepeat = 8,
    kKeyTyping = 16,         // the focus is in a text box
    kKeyMoved = 32,          // the player has moved the focus in the window
    kKeyNextWaits = 64,      // NEXT waits, no comfort window above it
    kKeyMessageWaits = 128,  // the message waits for its click (the title, window-move mode)
    kKeyWindowMoves = 256,   // window-move mode
    kKeyHidden = 512,        // the player has hidden the message window
};

// What the page tells velmora_wheel.
enum WheelFlag : int {
    kWheelCanGoForward = 1,     // a step gone back to lies ahead
    kWheelDownPressesNext = 2,  // the player's setting
    kWheelNextWaits = 4,
};

// The page's windows by their elements' ids; "comfort" for a window of the
// comforts, anything else the main window.
struct PageWindow {
    const char* id;
    keys::Window window;
};
inline constexpr PageWindow kPageWindows[] = {
    {"Form3", keys::Window::kNext},     {"Form2", keys::Window::kQuestion},
    {"Form4", keys::Window::kName},     {"Form5", keys::Window::kList},
    {"Form8", keys::Window::kMenu},     {"Form7", keys::Window::kPicture},
    {"comfort", keys::Window::kComfort}};

// The keys by the names the page's key events give them (KeyboardEvent.key;
// a letter in either case, Tab with Shift as Shift-Tab).
struct PageKey {
    const char* name;
    keys::Key key;
};
inline constexpr PageKey kPageKeys[] = {{"Enter", keys::Key::kEnter},
                                        {" ", keys::Key::kSpace},
                                        {"Tab", keys::Key::kTab},
                                        {"ArrowUp", keys::Key::kUp},
                                        {"ArrowDown", keys::Key::kDown},
                                        {"ArrowLeft", keys::Key::kLeft},
                                        {"ArrowRight", keys::Key::kRight},
                                        {"Home", keys::Key::kHome},
                                        {"End", keys::Key::kEnd},
                                        {"PageUp", keys::Key::kPageUp},
                                        {"PageDown", keys::Key::kPageDown},
                                        {"Escape", keys::Key::kEscape},
                                        {"F2", keys::Key::kF2},
                                        {"F5", keys::Key::kF5},
                                        {"F9", keys::Key::kF9},
                                        {"F11", keys::Key::kF11},
                                        {",", keys::Key::kComma},
                                        {"Control", keys::Key::kControl},
                                        {"ContextMenu", keys::Key::kMenuKey},
                                        {"y", keys::Key::kY},
                                        {"n", keys::Key::kN},
                                        {"h", keys::Key::kH},
                                        {"m", keys::Key::kM},
                                        {"a", keys::Key::kA},
                                        {"s", keys::Key::kS},
                                        {"c", keys::Key::kC},
                                        {"v", keys::Key::kV},
                                        {"g", keys::Key::kG}};

// What velmora_key and velmora_wheel answer, by its number (keys::Does):
// the page has each as kDoesNAME.
inline constexpr const char* kDoesNames[] = {"AsUsual",      "Nothing",      "PressNext",
                                             "ClickMessage", "FocusNext",    "FocusPrevious",
                                             "ListMove",     "Yes",          "No",
                                             "Back",         "Forward",      "Skip",
                                             "HoldSkip",     "History",      "Mute",
                                             "AutoAdvance",  "StoryMap",     "FullScreen",
                                             "Settings",     "ComfortMenu",  "CloseComfort",
                                             "MoveWindow",   "ClickPicture", "PressOk",
                                             "FocusFirst",   "FocusLast",    "QuickSave",
                                             "QuickLoad",    "Continue",     "HideWindow",
                                             "ShowWindow",   "Album",        "TellHowToChoose"};
static_assert(std::size(kDoesNames) == static_cast<size_t>(keys::Does::kTellHowToChoose) + 1,
              "every answer has its name");

}  // namespace velmora::web
