#include "backends/qt/message_label.h"

#include <QPainter>
#include <QStyleOption>
#include <QTextLayout>
#include <QtMath>

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
    frames_.setInterval(16);  // a frame
    connect(&frames_, &QTimer::timeout, this, &MessageLabel::Tick);
    Wait(true);
    SetCaption(QString::fromUtf8(kDesignCaption));
}

void MessageLabel::Wait(bool waits) {
    waits_ = waits;
    setFocusPolicy(waits ? Qt::StrongFocus : Qt::NoFocus);
    Describe();
    if (waits) {
        setFocus();
    } else {
        clearFocus();
    }
}

void MessageLabel::AlsoTell(const QString& words) {
    also_ = words;
    Describe();
}

void MessageLabel::Describe() {
    const QString told =
        waits_ ? "物語のメッセージ。クリック、Enter または Space で進みます。" : "物語のメッセージ";
    setAccessibleDescription(waits_ && !also_.isEmpty() ? told + "\n" + also_ : told);
}

// Where Enter and Space click the message (the title, window-move mode) it
// wears the focus ring, as a focused button does.
void MessageLabel::paintEvent(QPaintEvent* event) {
    if (appearing()) {
        QPainter painter(this);
        PaintAppearing(painter);
    } else {
        ClickableLabel::paintEvent(event);
    }
    if (!hasFocus()) return;
    QStyleOptionFocusRect ring;
    ring.initFrom(this);
    ring.rect = rect();  // at its very edge: the text begins there
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &ring, &painter, this);
}

// The whole message laid out as the label lays it out, the letters not yet
// shown drawn in no colour: a word never jumps to the next line as it
// appears.
void MessageLabel::PaintAppearing(QPainter& painter) {
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    QString text = this->text();
    text.replace('\n', QChar::LineSeparator);
    QTextLayout layout(text, font(), this);
    layout.setTextOption(QTextOption(alignment()));
    QTextLayout::FormatRange unshown;
    unshown.start = letters_;
    unshown.length = int(text.size()) - letters_;
    unshown.format.setForeground(Qt::transparent);
    layout.setFormats({unshown});
    const qreal leading = QFontMetricsF(font(), this).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        height = qCeil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(area);
    layout.draw(&painter, area.topLeft());
}

void MessageLabel::SetTextSpeed(int speed) {
    speed_ = speed;
    if (timing::MsPerLetter(speed_) == 0) ShowWhole();
}

bool MessageLabel::ShowWhole() {
    if (!appearing()) return false;
    letters_ = -1;
    frames_.stop();
    update();
    emit whole();
    return true;
}

void MessageLabel::HoldClock(bool held) {
    held_ = held;
    if (!held_ && appearing()) Tick();
}

QString MessageLabel::drawn() const {
    return appearing() ? text().left(letters_) : text();
}

// The letters due by now; the message whole once they all show.
void MessageLabel::Tick() {
    if (held_) return;
    const QString& text = this->text();
    const int first = int(text.indexOf('\n')) + 1;  // the line break before it is no letter
    const int letters = int(text.size()) - first;
    int due = first + timing::LettersShown(int(clock_.elapsed()), speed_, letters);
    if (due < text.size() && text[due].isLowSurrogate()) ++due;  // never half a letter
    if (due >= text.size()) {
        ShowWhole();
    } else if (due > letters_) {  // never fewer, were the speed changed meanwhile
        letters_ = due;
        update();
    }
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
    // A new message appears from its first letter, but whole at once while
    // skipping passes it or a step back or forward draws it again.
    const bool wasAppearing = appearing();
    letters_ = -1;
    frames_.stop();
    if (timing::MsPerLetter(speed_) > 0 && !nameKept_ && !restoring_) {
        letters_ = int(text.indexOf('\n')) + 1;
        clock_.start();
        frames_.start();
    } else if (wasAppearing) {
        emit whole();
    }
    // Its name is the message itself: a screen reader hears each new one as
    // the name changes.
    if (!nameKept_) setAccessibleName(said());
    // Drawn at once: the player sees the answer to the click before the
    // dialog that usually follows has been built and mapped.
    if (isVisible()) repaint();
    emit shown(text);
}

}  // namespace velmora::qt
