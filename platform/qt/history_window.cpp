#include "platform/qt/history_window.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/qt/fonts.h"

namespace velmora::qt {

HistoryWindow::HistoryWindow(QWidget* over, const QStringList& messages)
    : QDialog(over), text_(new QPlainTextEdit(this)) {
    setObjectName("History");
    setWindowTitle("履歴");
    setWindowModality(Qt::ApplicationModal);
    setAccessibleName("履歴");
    setAccessibleDescription("これまでのメッセージ。Escape で閉じます。");
    QPlainTextEdit* text = text_;
    text->setObjectName("historyText");
    text->setReadOnly(true);
    text->setFont(GameFont(kPGothic, 12));
    text->setPlainText(messages.join("\n\n"));
    text->setAccessibleName("履歴の本文");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    resize(over ? over->width() : 560, over ? over->height() * 3 / 4 : 400);
}

void HistoryWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

}  // namespace velmora::qt
