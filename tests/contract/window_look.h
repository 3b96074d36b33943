// What the explorer of the game's windows (windows_explorer.py) asks the
// window program: every window on the screen with each control a player
// presses in it, where each stands on the screen, and whether a click at its
// centre and at its four corners (2 px inside) reaches it. The point is
// hit-tested as the player's click is: the X server finds the top-level
// window under it (the window manager's stacking and frames included), then
// that window the control under it.
#pragma once

#include <QJsonObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "qt/desktop/x11_desktop.h"

typedef struct _XDisplay Display;

namespace velmora::contract {

class WindowLook {
  public:
    // name: the contract's name of a top-level window ("main", "NEXT",
    // "設定"...), or "" for one the player is not shown.
    using Namer = std::function<QString(QWidget*)>;

    WindowLook(qt::test::X11Desktop& desktop, Display* display, Namer name);

    QJsonObject Look();

  private:
    QJsonObject WindowSeen(QWidget* window, const QString& name);
    // inside: the control's part in its own pixels; shown: where a list
    // shows it, when a part is scrolled out of view.
    QJsonObject ControlSeen(QWidget* control, const QString& name, const QString& kind,
                            QRectF inside, std::optional<QRectF> shown = std::nullopt);
    // Each of the five points: whether a click there reaches `control`;
    // what it reaches instead, at the first that does not.
    QJsonObject HitTest(QWidget* control, QRectF onScreen);
    QWidget* WidgetAt(QPointF screenPoint);
    unsigned long TopLevelAt(QPointF screenPoint);
    unsigned long TopLevelOf(unsigned long window);
    QRectF OnScreen(const QWidget* widget, QRectF inside);
    double TextPixels(QWidget* window);

    qt::test::X11Desktop& desktop_;
    Display* display_;
    Namer name_;
};

}  // namespace velmora::contract
