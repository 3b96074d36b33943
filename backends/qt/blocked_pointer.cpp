#include "backends/qt/blocked_pointer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QWheelEvent>
#include <cstdlib>
#include <cstring>

#include "backends/qt/game_dialog.h"

// The X server's own headers come last: their macros would break Qt's.
#include <xcb/xcb.h>

namespace velmora::qt {

namespace {

constexpr int kRightButton = 3;
constexpr int kWheelUp = 4;
constexpr int kWheelDown = 5;
constexpr uint16_t kXiButtonPress = 4;  // XI_ButtonPress of the X input extension, version 2

// A button press of the X input extension (version 2) as xcb hands it over:
// the 32 bytes of the wire's event with xcb's full sequence after them.
struct XiButtonPress {
    uint8_t responseType;  // a generic event
    uint8_t extension;
    uint16_t sequence;
    uint32_t length;
    uint16_t eventType;
    uint16_t device;
    uint32_t time;
    uint32_t detail;  // the button
    uint32_t root;
    uint32_t event;  // the window
};

int XInputOpcode() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return 0;
    const char kName[] = "XInputExtension";
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
        x11->connection(), xcb_query_extension(x11->connection(), sizeof kName - 1, kName),
        nullptr);
    const int opcode = reply && reply->present ? reply->major_opcode : 0;
    std::free(reply);
    return opcode;
}

}  // namespace

BlockedPointer::BlockedPointer(MainWindow& window) : QObject(&window), window_(window) {
    qApp->installNativeEventFilter(this);
}

BlockedPointer::~BlockedPointer() {
    qApp->removeNativeEventFilter(this);
}

bool BlockedPointer::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t kind = event->response_type & 0x7f;
    if (kind != XCB_BUTTON_PRESS && kind != XCB_GE_GENERIC) return false;
    auto* waiting = qobject_cast<GameDialog*>(QApplication::activeModalWidget());
    if (!waiting || !window_.isVisible()) return false;
    uint32_t button = 0, window = 0;
    if (kind == XCB_BUTTON_PRESS) {
        const auto* press = static_cast<const xcb_button_press_event_t*>(message);
        button = press->detail;
        window = press->event;
    } else if (kind == XCB_GE_GENERIC) {
        XiButtonPress press;
        std::memcpy(&press, message, sizeof press);
        if (xinput_ < 0) xinput_ = XInputOpcode();
        if (press.extension != xinput_ || press.eventType != kXiButtonPress) return false;
        button = press.detail;
        window = press.event;
    }
    if (button == 0 || window != window_.winId()) return false;
    Pressed(waiting, int(button));
    return false;
}

// Handed to the window that waits, as if the mouse were over it.
void BlockedPointer::Pressed(GameDialog* waiting, int button) {
    const QPoint global = QCursor::pos();
    const QPointF local = waiting->mapFromGlobal(global);
    if (button == kWheelUp || button == kWheelDown) {
        QWheelEvent wheel(local, global, {}, {0, button == kWheelUp ? 120 : -120}, Qt::NoButton,
                          QGuiApplication::keyboardModifiers(), Qt::NoScrollPhase, false);
        QApplication::sendEvent(waiting, &wheel);
    } else if (button == kRightButton) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, local.toPoint(), global);
        QApplication::sendEvent(waiting, &menu);
    }
}

}  // namespace velmora::qt
