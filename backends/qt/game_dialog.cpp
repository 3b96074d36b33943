#include "backends/qt/game_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "backends/qt/window_scaler.h"

namespace velmora::qt {

GameDialog::GameDialog(QWidget* owner, const char* name, const char* caption, QSize client,
                       Border border)
    : QDialog(owner), client_(new QWidget(this)) {
    setObjectName(name);
    // Undecorated in the window system's eyes (the bar below is the frame),
    // yet a window it still moves, as a frameless one it would not.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint);
    setWindowTitle(QString::fromUtf8(caption));
    setWindowModality(Qt::ApplicationModal);
    const int top = border == Border::Fixed ? TitleBar::kDesignHeight : 0;
    designSize_ = client + QSize(0, top);
    setFixedSize(designSize_);
    client_->setObjectName("client");
    client_->setGeometry(QRect(QPoint(0, top), client));
    if (border == Border::Fixed) bar_ = new TitleBar(this, TitleBar::Buttons::Close);
}

void GameDialog::PlaceAt(QPoint designPosition) {
    designPosition_ = designPosition;
    move(designPosition);
}

void GameDialog::SetScale(double scale) {
    scale_ = scale;
    setFixedSize(Scaled(designSize_, scale));
    if (bar_) bar_->setGeometry(0, 0, width(), Scaled(TitleBar::kDesignHeight, scale));
    ScaleWindowContents(this, scale);
}

QPushButton* GameDialog::AddButton(const char* name, const char* caption, QRect geometry,
                                   const QFont& font, const char* description) {
    auto* button = new QPushButton(QString::fromUtf8(caption), client_);
    button->setObjectName(name);
    // Its caption is its name to a screen reader, the menu's as it changes.
    button->setAccessibleDescription(QString::fromUtf8(description));
    button->setGeometry(geometry);
    button->setFont(font);
    return button;
}

QString GameDialog::spokenCaption() const {
    return spokenCaption_.isEmpty() ? windowTitle().trimmed() : spokenCaption_;
}

void GameDialog::TellScreenReader(const spoken::Told& told) {
    setAccessibleName(QString::fromStdString(told.name).trimmed());
    setAccessibleDescription(QString::fromStdString(told.said));
}

void GameDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A window whose own NEXT waits (the picture window) stays until that is
// answered, as it would behind a modal dialog.
void GameDialog::closeEvent(QCloseEvent* event) {
    if (OwnsOpenDialog()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool GameDialog::OwnsOpenDialog() const {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == this || !top->isVisible() || !qobject_cast<GameDialog*>(top)) continue;
        for (QWidget* owner = top->parentWidget(); owner; owner = owner->parentWidget()) {
            if (owner == this) return true;
        }
    }
    return false;
}

bool GameDialogOpen() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && qobject_cast<GameDialog*>(top)) return true;
    }
    return false;
}

}  // namespace velmora::qt
