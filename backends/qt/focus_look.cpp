#include "backends/qt/focus_look.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <optional>

#include "backends/qt/confirm_keys.h"
#include "backends/qt/game_dialog.h"

namespace velmora::qt {

namespace {

// The option as the focus truly stands, for one drawing: in a window whose
// keys wait nothing is drawn focused, nor as the default button (Enter does
// not press it yet); where they act, the focused control is drawn focused
// however it got the focus (the style would otherwise draw the ring only
// after a Tab). Put back on leaving.
class TruthfulFocus {
  public:
    TruthfulFocus(const QStyleOption* option, const QWidget* widget)
        : option_(const_cast<QStyleOption*>(option)) {
        if (!option_ || !widget) return;
        state_ = option_->state;
        button_ = qstyleoption_cast<QStyleOptionButton*>(option_);
        if (button_) features_ = button_->features;
        if (FocusLook::KeysAct(widget)) {
            if (option_->state & QStyle::State_HasFocus)
                option_->state |= QStyle::State_KeyboardFocusChange;
            return;
        }
        option_->state &= ~QStyle::State_HasFocus;
        if (button_) {
            button_->features &=
                ~(QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton);
        }
    }
    ~TruthfulFocus() {
        if (!state_) return;
        option_->state = *state_;
        if (button_) button_->features = features_;
    }
    TruthfulFocus(const TruthfulFocus&) = delete;
    TruthfulFocus& operator=(const TruthfulFocus&) = delete;

  private:
    QStyleOption* option_;
    std::optional<QStyle::State> state_;
    QStyleOptionButton* button_ = nullptr;
    QStyleOptionButton::ButtonFeatures features_;
};

// A dotted black rectangle, four pixels inside a button, at the window's
// scale.
void DrawRing(const QRect& around, QPainter* painter, const QWidget* widget) {
    const auto* dialog = widget ? qobject_cast<const GameDialog*>(widget->window()) : nullptr;
    const double scale = dialog ? dialog->scale() : 1.0;
    const int width = std::max(1, static_cast<int>(std::lround(scale)));
    const int inset = static_cast<int>(std::lround(4 * scale));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(Qt::black, width, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    const bool button = qobject_cast<const QPushButton*>(widget) != nullptr;
    painter->drawRect(button ? around.adjusted(inset, inset, -inset - width, -inset - width)
                             : around.adjusted(0, 0, -width, -width));
    painter->restore();
}

}  // namespace

void FocusLook::Install() {
    if (!qobject_cast<FocusLook*>(QApplication::style())) QApplication::setStyle(new FocusLook);
}

bool FocusLook::KeysAct(const QWidget* widget) {
    return widget && !ConfirmKeys::Waiting(widget->window());
}

void FocusLook::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        // A button's ring is drawn with the button, whatever the style does.
        if (KeysAct(widget) && !qobject_cast<const QPushButton*>(widget))
            DrawRing(option->rect, painter, widget);
        return;
    }
    const TruthfulFocus truthful(option, widget);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusLook::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const TruthfulFocus truthful(option, widget);
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus) && KeysAct(widget))
        DrawRing(option->rect, painter, widget);
}

void FocusLook::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    const TruthfulFocus truthful(option, widget);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // The style marks a focused slider by its handle alone, too faint to see.
    if (control == CC_Slider && (option->state & State_HasFocus) && KeysAct(widget))
        DrawRing(option->rect, painter, widget);
}

}  // namespace velmora::qt
