#include "player/player_keys.h"

#include <algorithm>

namespace velmora::keys {

namespace {

constexpr int kWindowStep = 16;

bool Arrow(Key key) {
    return key == Key::kUp || key == Key::kDown || key == Key::kLeft || key == Key::kRight;
}

bool Confirms(Key key) {
    return key == Key::kEnter || key == Key::kSpace;
}

// Enter and Space where they wait for the focus to move: nothing till then;
// then Enter in a list presses its OK, as the list's own window would.
Does Confirmed(const Press& press, const Where& where) {
    const Key key = press.key;
    if (!where.moved) return press.repeat ? Does::kNothing : Does::kTellHowToChoose;
    return where.window == Window::kList && key == Key::kEnter ? Does::kPressOk : Does::kAsUsual;
}

// Keys that move the focus within the windows that choose.
Answer Moving(Key key, Window window) {
    switch (key) {
        case Key::kTab:
        case Key::kBackTab:
            return {Does::kAsUsual, true, true};
        case Key::kUp:
        case Key::kDown:
        case Key::kHome:
        case Key::kEnd:
            if (window == Window::kList) return {Does::kListMove, true, true};
            if (key == Key::kHome) return {Does::kFocusFirst, true, true};
            if (key == Key::kEnd) return {Does::kFocusLast, true, true};
            return {key == Key::kUp ? Does::kFocusPrevious : Does::kFocusNext, true, true};
        case Key::kLeft:
        case Key::kRight:
            if (window == Window::kList) return {Does::kNothing, false, true};
            return {key == Key::kLeft ? Does::kFocusPrevious : Does::kFocusNext, true, true};
        default:
            return {Does::kAsUsual, false, true};
    }
}

// The main window waits for the click that begins the game.
bool AtTheTitle(const Where& where) {
    return where.window == Window::kMain && where.messageWaits && !where.windowMoves;
}

// The quick save and load keys act only where the game saves and loads.
Answer Quick(const Press& press, const Where& where) {
    if (where.window != Window::kMenu || press.repeat) return {Does::kAsUsual, false, true};
    return {press.key == Key::kF5 ? Does::kQuickSave : Does::kQuickLoad, false, true};
}

// The comforts' letters, wherever nothing is typed.
Does Letter(Key key, const Where& where) {
    switch (key) {
        case Key::kH:
            return Does::kHistory;
        case Key::kM:
            return Does::kMute;
        case Key::kA:
            return Does::kAutoAdvance;
        case Key::kS:
            return where.window == Window::kName ? Does::kAsUsual : Does::kStoryMap;
        case Key::kG:
            return where.window == Window::kName ? Does::kAsUsual : Does::kAlbum;
        case Key::kC:
            return AtTheTitle(where) ? Does::kContinue : Does::kAsUsual;
        case Key::kV:
            return Does::kHideWindow;
        case Key::kY:
        case Key::kN:
            if (where.window != Window::kQuestion) return Does::kAsUsual;
            return key == Key::kY ? Does::kYes : Does::kNo;
        default:
            return Does::kAsUsual;
    }
}

}  // namespace

Answer WhatTheKeyDoes(const Press& press, const Where& where) {
    const Key key = press.key;
    if (where.hidden) return {Does::kShowWindow, false, true};
    if (key == Key::kControl) {
        const bool holds = !press.repeat && where.nextWaits && where.window != Window::kComfort;
        return {holds ? Does::kHoldSkip : Does::kAsUsual, false, false};
    }
    if (key == Key::kF11) return {press.repeat ? Does::kNothing : Does::kFullScreen, false, true};
    if (where.window == Window::kComfort) {
        return {key == Key::kEscape ? Does::kCloseComfort : Does::kAsUsual, false, true};
    }
    if (key == Key::kF2 || (key == Key::kComma && press.ctrl && !press.other))
        return {Does::kSettings, false, true};
    if (key == Key::kMenuKey) return {Does::kComfortMenu, false, true};
    const bool plain = !press.ctrl && !press.other && (!press.shift || key == Key::kBackTab);
    if (!plain) return {Does::kAsUsual, false, true};
    if (key == Key::kPageUp) return {Does::kBack, false, true};
    if (key == Key::kPageDown) return {Does::kForward, false, true};
    if (key == Key::kF5 || key == Key::kF9) return Quick(press, where);
    if (Arrow(key) && where.window == Window::kMain && where.windowMoves)
        return {Does::kMoveWindow, false, true};
    if (WaitsForFocus(where.window)) {
        if (Confirms(key)) return {Confirmed(press, where), false, true};
        const Answer moving = Moving(key, where.window);
        if (moving.does != Does::kAsUsual || moving.moves) return moving;
    } else if (Confirms(key)) {
        if (where.window == Window::kMain && where.messageWaits)
            return {Does::kClickMessage, false, true};
        if (where.nextWaits && where.window != Window::kName)
            return {Does::kPressNext, false, true};
        return {where.window == Window::kPicture ? Does::kClickPicture : Does::kAsUsual, false,
                true};
    } else if (key == Key::kTab && where.nextWaits &&
               (where.window == Window::kNext || where.window == Window::kMain)) {
        return {Does::kSkip, false, true};
    } else if (key == Key::kLeft && where.window != Window::kName) {
        return {Does::kBack, false, true};
    } else if (key == Key::kTab || key == Key::kBackTab) {
        return {Does::kAsUsual, true, true};
    }
    if (where.typing || press.repeat) return {Does::kAsUsual, false, true};
    return {Letter(key, where), false, true};
}

Key PadKey(PadButton button) {
    switch (button) {
        case PadButton::kA:
            return Key::kEnter;
        case PadButton::kB:
            return Key::kEscape;
        case PadButton::kX:
            return Key::kV;
        case PadButton::kY:
            return Key::kH;
        case PadButton::kBack:
            return Key::kF2;
        case PadButton::kStart:
            return Key::kMenuKey;
        case PadButton::kLeftShoulder:
            return Key::kPageUp;
        case PadButton::kRightShoulder:
            return Key::kControl;
        case PadButton::kUp:
            return Key::kUp;
        case PadButton::kDown:
            return Key::kDown;
        case PadButton::kLeft:
            return Key::kLeft;
        case PadButton::kRight:
            return Key::kRight;
    }
    return Key::kOther;
}

bool WaitsForFocus(Window window) {
    return window == Window::kQuestion || window == Window::kList || window == Window::kMenu;
}

Step WindowStep(Key key) {
    switch (key) {
        case Key::kLeft:
            return {-kWindowStep, 0};
        case Key::kRight:
            return {kWindowStep, 0};
        case Key::kUp:
            return {0, -kWindowStep};
        case Key::kDown:
            return {0, kWindowStep};
        default:
            return {};
    }
}

int ListMove(Key key, int highlighted, int count) {
    if (count <= 0) return -1;
    switch (key) {
        case Key::kHome:
            return 0;
        case Key::kEnd:
            return count - 1;
        case Key::kDown:
            return highlighted < 0 ? 0 : std::min(highlighted + 1, count - 1);
        case Key::kUp:
            return highlighted < 0 ? count - 1 : std::max(highlighted - 1, 0);
        default:
            return highlighted;
    }
}

Does WhatTheWheelDoes(bool up, bool canGoForward, bool downPressesNext, bool nextWaits) {
    if (up) return Does::kBack;
    if (canGoForward) return Does::kForward;
    return downPressesNext && nextWaits ? Does::kPressNext : Does::kNothing;
}

Does WhatTheButtonDoes(Button button, bool hidden) {
    if (hidden) return Does::kShowWindow;
    return button == Button::kMiddle ? Does::kHideWindow : Does::kAsUsual;
}

int MenuFocus(int pressedLast, int firstOfTheTabOrder) {
    return pressedLast >= 0 ? pressedLast : firstOfTheTabOrder;
}

}  // namespace velmora::keys
