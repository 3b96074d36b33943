// What a key or the wheel does, in which window, for the window program and
// the web page alike: each front end tells where the key came and what it
// is, and carries out what this table answers with its own windows.
//
// Enter and Space press NEXT, and where the message waits for its click
// (the title, window-move mode) they click it, as they click the picture
// of the picture window. In window-move mode the arrows move the main
// window, a step at a time, and ← does not go back. In a question, a list
// or the command menu they act only once the player has moved the focus
// there (Tab, an arrow, Home or End): a player going through a scene with
// them never answers the question that follows by accident. There the
// arrows move the focus (in a list, the highlight, starting from the entry
// highlighted), Home and End to the first and the last of the Tab order (of
// a list, its first and last entry); elsewhere ← goes back a step. Page Up
// and Page Down (and the wheel) go back and forward everywhere in the
// game's windows.
//
// F5 and F9 are the quick save and quick load where the game saves and
// loads, at the command menu (elsewhere they are the window's own, a page's
// reload); C at the title is 続きから.
//
// G opens the album (アルバム), as S opens the story map.
//
// V (and the middle button, a two-finger tap on a phone) hides the message
// window and the window that waits, so that the scene shows whole; while
// they are hidden any key or click only brings them back, and answers
// nothing.
#pragma once

namespace velmora::keys {

// The window the key came to.
enum class Window {
    kMain,      // the main window: the title, window-move mode, or while NEXT waits
    kNext,      // NEXT, the picture's too
    kQuestion,  // Yes/No
    kName,      // the name window
    kList,      // the list window
    kMenu,      // the command menu
    kPicture,   // the picture window
    kComfort,   // a window of the comforts (history, settings, story map, slots)
};

enum class Key {
    kOther,
    kEnter,
    kSpace,
    kTab,
    kBackTab,
    kUp,
    kDown,
    kLeft,
    kRight,
    kHome,
    kEnd,
    kPageUp,
    kPageDown,
    kEscape,
    kF2,
    kF5,
    kF9,
    kF11,
    kComma,
    kControl,
    kMenuKey,
    kY,
    kN,
    kH,
    kM,
    kA,
    kS,
    kC,
    kV,
    kG,
};

// A gamepad's buttons, as SDL's game controller and the browser's standard
// mapping both have them (the stick counts as the D-pad).
enum class PadButton {
    kA,
    kB,
    kX,
    kY,
    kBack,
    kStart,
    kLeftShoulder,
    kRightShoulder,
    kUp,
    kDown,
    kLeft,
    kRight,
};
inline constexpr int kPadButtonCount = static_cast<int>(PadButton::kRight) + 1;

// The key a pad's button stands for, in both front ends: A is Enter (NEXT,
// choosing), B Escape (closing), the D-pad and the stick the arrows, L a
// step back, R skipping while held, Start the comforts' menu, Y the
// history, X hiding the window, Back the settings. A button pressed and
// let go is that key pressed and let go, and every rule of the keys holds.
Key PadKey(PadButton button);

struct Press {
    Key key = Key::kOther;
    bool ctrl = false;    // Ctrl held with it
    bool shift = false;   // Shift held with it (Shift and Tab are kBackTab)
    bool other = false;   // Alt or Meta held with it
    bool repeat = false;  // the key held down, repeating
};

struct Where {
    Window window = Window::kMain;
    bool typing = false;        // the focus is in a text box
    bool moved = false;         // the player has moved the focus since the window opened
    bool nextWaits = false;     // NEXT waits, and nothing stands above it
    bool messageWaits = false;  // the message waits for its click: the title, window-move mode
    bool windowMoves = false;   // window-move mode: the game has begun and waits for that click
    bool hidden = false;        // the player has hidden the message window (V)
};

enum class Does {
    kAsUsual,  // the window takes the key as it would
    kNothing,  // the key is taken and does nothing
    kPressNext,
    kClickMessage,   // as a click on the message: the game starts, window-move mode ends
    kFocusNext,      // the next button in the Tab order
    kFocusPrevious,  // the button before in the Tab order
    kListMove,       // the list's highlight moves (ListMove says where)
    kYes,
    kNo,
    kBack,      // one step back
    kForward,   // one step forward through the steps gone back to
    kSkip,      // skipping on or off
    kHoldSkip,  // skipping while Ctrl is held
    kHistory,
    kMute,
    kAutoAdvance,
    kStoryMap,
    kFullScreen,
    kSettings,
    kComfortMenu,
    kCloseComfort,
    kMoveWindow,    // the main window moves a step (WindowStep says where)
    kClickPicture,  // as a click on the picture of the picture window
    kPressOk,       // as a click on the window's OK (Enter in a list, the focus moved there)
    kFocusFirst,    // the first button in the Tab order (Home)
    kFocusLast,     // the last button in the Tab order (End)
    kQuickSave,     // the menu answered with the quick save (platform.h kQuickSaveCommand)
    kQuickLoad,     // the menu answered with the quick load, which asks first
    kContinue,      // 続きから, where the title offers it
    kHideWindow,    // the message window and the window that waits hidden
    kShowWindow,    // ... and shown again, the key or click doing nothing else
    kAlbum,         // アルバム: the pictures seen (player/album.h)
    // Enter or Space before the focus moved where it waits for that: taken,
    // and the player told how to choose (words::ChooseFirst), that a key
    // seeming to do nothing is never a mystery to one who cannot see it.
    kTellHowToChoose,
};

struct Answer {
    Does does = Does::kAsUsual;
    bool moves = false;      // counts as moving the focus in its window
    bool stopsSkip = false;  // any key but Ctrl stops skipping
};

Answer WhatTheKeyDoes(const Press& press, const Where& where);

// A question, a list, the menu: the windows whose Enter and Space wait for
// the player to move the focus first (and which draw no focus till then).
bool WaitsForFocus(Window window);

// How far an arrow moves the main window in window-move mode, in pixels.
struct Step {
    int dx = 0;
    int dy = 0;
};
Step WindowStep(Key key);

// Where a list's highlight goes: Home to the first entry, End to the last,
// the arrows one entry from the one highlighted (none highlighted: ↓ to the
// first, ↑ to the last). highlighted: -1 for none.
int ListMove(Key key, int highlighted, int count);

// The wheel: up goes back a step; down goes forward through the steps gone
// back to, and at the newest step presses NEXT when the player's setting
// says so. Over the main window it acts as over the window that waits.
Does WhatTheWheelDoes(bool up, bool canGoForward, bool downPressesNext, bool nextWaits);

// A press of a mouse button (or a tap) over the game's windows: the middle
// button hides the message window; while it is hidden any press shows it.
enum class Button { kLeft, kMiddle, kRight };
Does WhatTheButtonDoes(Button button, bool hidden);

// Where the focus stands when the command menu opens: on the button pressed
// last, before any on the first of the Tab order ("アパート"), never on its
// close box. pressedLast: -1 before any.
int MenuFocus(int pressedLast, int firstOfTheTabOrder);

}  // namespace velmora::keys
