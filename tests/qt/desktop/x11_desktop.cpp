#include "x11_desktop.h"

// Qt's headers before the X server's, whose macros would break them.
#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <QByteArray>
#include <QElapsedTimer>

namespace velmora::qt::test {

namespace {

std::vector<unsigned long> WindowList(Display* display, Window of, const char* property,
                                      Atom type) {
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, of, XInternAtom(display, property, False), 0, 1024, False, type,
                           &actual, &format, &count, &left, &data) == Success &&
        data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data) XFree(data);
    return values;
}

}  // namespace

X11Desktop::X11Desktop() : display_(XOpenDisplay(nullptr)) {}

X11Desktop::~X11Desktop() {
    if (display_) XCloseDisplay(display_);
}

void X11Desktop::Flush() {
    XSync(display_, False);
}

bool X11Desktop::WaitForWindowManager() {
    QElapsedTimer waited;
    waited.start();
    while (display_ && waited.elapsed() < 30000) {
        const auto check = WindowList(display_, DefaultRootWindow(display_),
                                      "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
        if (!check.empty()) return true;
        usleep(20000);
    }
    return false;
}

bool X11Desktop::SyncWithWindowManager(const QWidget* window) {
    QGuiApplication::sync();  // the program's requests reach the X server before the marker
    static int round = 0;
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    const Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
    const auto read = [&](const char* property) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, window->winId(), XInternAtom(display_, property, False), 0,
                           256, False, utf8, &actual, &format, &count, &left, &data);
        const QByteArray value(reinterpret_cast<const char*>(data), data ? int(count) : 0);
        if (data) XFree(data);
        return value;
    };
    const auto write = [&](const QByteArray& value) {
        XChangeProperty(display_, window->winId(), name, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(value.constData()), value.size());
        Flush();
    };
    const QByteArray title = read("_NET_WM_NAME");
    const QByteArray marker = "velmora-desktop-sync-" + QByteArray::number(++round);
    write(marker);
    QElapsedTimer waited;
    waited.start();
    bool synced = false;
    while (!synced && waited.elapsed() < 30000) {
        synced = read("_NET_WM_VISIBLE_NAME") == marker;
        if (!synced) usleep(5000);
    }
    write(title);
    return synced;
}

std::vector<unsigned long> X11Desktop::Stacking() {
    return WindowList(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST_STACKING",
                      XA_WINDOW);
}

bool X11Desktop::StandsAbove(const QWidget* upper, const QWidget* lower) {
    const std::vector<unsigned long> order = Stacking();
    int upperAt = -1, lowerAt = -1;
    for (int i = 0; i < int(order.size()); ++i) {
        if (order[i] == upper->winId()) upperAt = i;
        if (order[i] == lower->winId()) lowerAt = i;
    }
    return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
}

unsigned long X11Desktop::WindowNamed(const QString& title) {
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    for (unsigned long window :
         WindowList(display_, DefaultRootWindow(display_), "_NET_CLIENT_LIST", XA_WINDOW)) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        const bool read =
            XGetWindowProperty(display_, window, XInternAtom(display_, "_NET_WM_NAME", False), 0,
                               256, False, utf8, &actual, &format, &count, &left, &data) == Success;
        const QString name =
            read && data ? QString::fromUtf8(reinterpret_cast<const char*>(data), int(count)) : "";
        if (data) XFree(data);
        if (name == title) return window;
    }
    return 0;
}

QPoint X11Desktop::Position(const QWidget* window) {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window->winId(), DefaultRootWindow(display_), 0, 0, &x, &y,
                          &child);
    return {x, y};
}

QRect X11Desktop::Geometry(const QWidget* window) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display_, window->winId(), &root, &x, &y, &width, &height, &border, &depth);
    return {Position(window), QSize(int(width), int(height))};
}

QMargins X11Desktop::FrameExtents(const QWidget* window) {
    const auto extents = WindowList(display_, window->winId(), "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (extents.size() != 4) return {};
    return QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
}

void X11Desktop::Click(QPoint global, int button) {
    XTestFakeMotionEvent(display_, -1, global.x(), global.y(), CurrentTime);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    Flush();
}

void X11Desktop::Press(QPoint global) {
    XTestFakeMotionEvent(display_, -1, global.x(), global.y(), CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    Flush();
}

void X11Desktop::MoveTo(QPoint global) {
    XTestFakeMotionEvent(display_, -1, global.x(), global.y(), CurrentTime);
    Flush();
}

void X11Desktop::Release() {
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    Flush();
}

bool X11Desktop::WindowManagerMoving() {
    const int grab = XGrabKeyboard(display_, DefaultRootWindow(display_), False, GrabModeAsync,
                                   GrabModeAsync, CurrentTime);
    if (grab == GrabSuccess) XUngrabKeyboard(display_, CurrentTime);
    Flush();
    return grab == AlreadyGrabbed;
}

void X11Desktop::Wheel(QPoint global, bool up) {
    Click(global, up ? 4 : 5);
}

void X11Desktop::Key(const char* keysym, bool alt) {
    const KeyCode altKey = XKeysymToKeycode(display_, XK_Alt_L);
    const KeyCode key = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    if (alt) XTestFakeKeyEvent(display_, altKey, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, False, CurrentTime);
    if (alt) XTestFakeKeyEvent(display_, altKey, False, CurrentTime);
    Flush();
}

void X11Desktop::Hold(const char* keysym, bool down) {
    XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XStringToKeysym(keysym)), down,
                      CurrentTime);
    Flush();
}

void X11Desktop::PublishWorkArea(QRect area) {
    const long values[] = {area.x(), area.y(), area.width(), area.height()};
    XChangeProperty(display_, DefaultRootWindow(display_),
                    XInternAtom(display_, "_NET_WORKAREA", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values), 4);
    Flush();
}

void X11Desktop::RequestClose(const QWidget* window) {
    RequestClose(window->winId());
}

void X11Desktop::RequestClose(unsigned long window) {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &close);
    Flush();
}

}  // namespace velmora::qt::test
