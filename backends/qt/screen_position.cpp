#include "backends/qt/screen_position.h"

#include <QGuiApplication>
#include <cstdlib>

// The X server's own headers come last: their macros would break Qt's.
#include <xcb/xcb.h>

namespace velmora::qt {

QRect ScreenGeometry(const QWidget* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !window->windowHandle()) return window->geometry();
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, xcb_window_t(window->winId()), root, 0, 0), nullptr);
    if (!reply) return window->geometry();
    const double ratio = window->devicePixelRatioF();
    const QPoint at(int(reply->dst_x / ratio), int(reply->dst_y / ratio));
    std::free(reply);
    return QRect(at, window->size());
}

}  // namespace velmora::qt
