// Where a window stands, as the window system has it. Qt's own record of a
// window just mapped under a window manager may still hold it at 0,0 (the
// corner of the frame the manager put around it) and keep that until the
// next move: what stands beside the window asks the X server instead.
#pragma once

#include <QRect>
#include <QWidget>

namespace velmora::qt {

// The window's geometry with its top-left as the X server has it; Qt's
// where there is no X server.
QRect ScreenGeometry(const QWidget* window);

}  // namespace velmora::qt
