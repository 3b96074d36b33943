#include "backends/qt/history_window.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "backends/qt/fonts.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {

HistoryWindow::HistoryWindow(QWidget* over, const QStringList& messages)
    : ComfortWindow(over, "History", "履歴", {30, 20},
                    {MainWindow::DesignSize().width(), MainWindow::DesignSize().height() * 3 / 4}),
      text_(new QPlainTextEdit(this)) {
    setAccessibleName("履歴");
    setAccessibleDescription("これまでのメッセージ。Escape で閉じます。");
    QPlainTextEdit* text = text_;
    text->setObjectName("historyText");
    text->setReadOnly(true);
    // A caret the keys move, line by line: what a screen reader reads back.
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setFont(GameFont(kPGothic, 12));
    text->setPlainText(messages.join("\n\n"));
    // The caret at the newest message's first words (past the caption's
    // leading blank line): a screen reader reads from there.
    if (!messages.isEmpty()) {
        const QString& newest = messages.last();
        const auto blank =
            std::find_if(newest.begin(), newest.end(), [](QChar c) { return !c.isSpace(); }) -
            newest.begin();
        QTextCursor caret = text->textCursor();
        caret.setPosition(text->document()->characterCount() - 1 - int(newest.size() - blank));
        text->setTextCursor(caret);
    }
    text->setAccessibleName("履歴の本文");
    auto* close = new QPushButton("閉じる（Esc）", this);
    close->setAccessibleDescription("履歴を閉じます");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 6);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void HistoryWindow::showEvent(QShowEvent* event) {
    ComfortWindow::showEvent(event);
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

}  // namespace velmora::qt
