#include "backends/qt/message_label.h"

#include <QPainter>
#include <QStyleOption>

#include "backends/qt/fonts.h"
#include "platform/platform.h"

namespace velmora::qt {

MessageLabel::MessageLabel(QWidget* parent) : ClickableLabel(parent) {
    setObjectName("lblMsg");
    setFont(GameFont(kPGothic, 12));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);
    // Scenario lines hold "<" and ">" of their own: never rich text.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Wait(true);
    SetCaption(QString::fromUtf8(kDesignCaption));
}

void MessageLabel::Wait(bool waits) {
    setFocusPolicy(waits ? Qt::StrongFocus : Qt::NoFocus);
    setAccessibleDescription(waits ? "物語のメッセージ。クリック、Enter または Space で進みます。"
                                   : "物語のメッセージ");
    if (waits) {
        setFocus();
    } else {
        clearFocus();
    }
}

// Where Enter and Space click the message (the title, window-move mode) it
// wears the focus ring, as a focused button does.
void MessageLabel::paintEvent(QPaintEvent* event) {
    ClickableLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStyleOptionFocusRect ring;
    ring.initFrom(this);
    ring.rect = rect();  // at its very edge: the text begins there
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &ring, &painter, this);
}

void MessageLabel::KeepName(bool kept) {
    nameKept_ = kept;
    if (!kept && accessibleName() != said()) setAccessibleName(said());
}

void MessageLabel::SetMessage(const QString& text) {
    SetCaption(" \r\n" + text);
}

void MessageLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    QString text = caption;
    text.replace("\r\n", "\n");
    setText(text);
    // Its name is the message itself: a screen reader hears each new one as
    // the name changes.
    if (!nameKept_) setAccessibleName(said());
    // Drawn at once: the player sees the answer to the click before the
    // dialog that usually follows has been built and mapped.
    if (isVisible()) repaint();
    emit shown(text);
}

}  // namespace velmora::qt
