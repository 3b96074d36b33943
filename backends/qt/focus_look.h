// How the keyboard's focus is drawn in the game's windows: it shows where
// Enter and Space will act, and only there. In a question, a list or the
// command menu those keys wait until the player has moved the focus
// (ConfirmKeys), so until then nothing there looks focused, the
// default-button look included; once they act, the focused control wears
// the game's focus ring (a dotted rectangle inside it, as the page draws
// it), whether it got the focus by a key, a click or the game.
#pragma once

#include <QProxyStyle>

namespace velmora::qt {

class FocusLook : public QProxyStyle {
    Q_OBJECT
  public:
    // Draws the application's windows from now on (once, however often asked).
    static void Install();

    // Enter and Space act on the focus in the window that holds this widget.
    static bool KeysAct(const QWidget* widget);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace velmora::qt
