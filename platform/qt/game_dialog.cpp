#include "platform/qt/game_dialog.h"

#include <QKeyEvent>

namespace velmora::qt {

GameDialog::GameDialog(QWidget* owner, const char* name, const char* caption, QSize client,
                       Border border)
    : QDialog(owner) {
    setObjectName(name);
    Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint;
    if (border == Border::Fixed) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    } else {
        flags |= Qt::FramelessWindowHint;
    }
    setWindowFlags(flags);
    setWindowTitle(QString::fromUtf8(caption));
    setFixedSize(client);
    setWindowModality(Qt::ApplicationModal);
}

QPushButton* GameDialog::AddButton(const char* name, const char* caption, QRect geometry,
                                   const QFont& font) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(font);
    return button;
}

void GameDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velmora::qt
