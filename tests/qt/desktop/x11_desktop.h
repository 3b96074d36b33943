// The desktop the window tests run on, seen from outside the program, as
// the window manager and the player see it: which window stands above
// which, what frame the window manager drew, and the mouse and keyboard
// of a player (XTest), going through the X server and the window manager.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

typedef struct _XDisplay Display;

namespace velmora::qt::test {

class X11Desktop {
  public:
    X11Desktop();  // its own connection to $DISPLAY
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // Waits (at most half a minute) until a window manager runs.
    bool WaitForWindowManager();
    // Returns once the window manager has handled everything sent to it
    // so far, by the program and by this desktop: it renames its title's
    // visible copy after a change of the window's name, in order. The
    // program's own requests go first: they travel on the program's own
    // connection, which the X server may read after this desktop's.
    bool SyncWithWindowManager(const QWidget* window);

    // The managed windows, bottom to top; true when upper is above lower.
    std::vector<unsigned long> Stacking();
    bool StandsAbove(const QWidget* upper, const QWidget* lower);
    // A window the window manager manages, by its title; 0 when none.
    unsigned long WindowNamed(const QString& title);
    // Where the window stands on the screen now, as the X server has it.
    QPoint Position(const QWidget* window);
    // Where the window stands and how large it is, as the X server has it.
    QRect Geometry(const QWidget* window);
    // The frame the window manager drew around the window.
    QMargins FrameExtents(const QWidget* window);

    void Click(QPoint global, int button = 1);
    void Wheel(QPoint global, bool up);
    // The left button held down, the mouse moved, the button let go.
    void Press(QPoint global);
    void MoveTo(QPoint global);
    void Release();
    // The window manager moves a window with the mouse: it holds the
    // keyboard meanwhile (for Escape), which no button press does.
    bool WindowManagerMoving();
    // A key as the player presses it, with Alt held if asked.
    void Key(const char* keysym, bool alt = false);
    // A key pressed (down) and held, or let go.
    void Hold(const char* keysym, bool down);
    // The work area the window manager tells the programs of.
    void PublishWorkArea(QRect area);
    // The window manager's close request (the title bar's close button).
    void RequestClose(const QWidget* window);
    void RequestClose(unsigned long window);

  private:
    void Flush();

    Display* display_;
};

}  // namespace velmora::qt::test
