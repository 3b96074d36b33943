#include "platform/qt/slot_details_panel.h"

#include <QEvent>

#include "platform/qt/fonts.h"

namespace velmora::qt {

namespace {

constexpr int kGap = 4;  // pixels between the list window and the panel

bool AreSlots(const std::vector<std::string>& entries) {
    return entries == std::vector<std::string>{"file1", "file2", "file3", "file4", "file5"};
}

}  // namespace

SlotDetailsPanel::SlotDetailsPanel(QWidget* list, const std::vector<std::string>& entries,
                                   const SlotDescriber& describe)
    : QLabel(list, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), list_(list) {
    setObjectName("SlotDetails");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(GameFont(kPGothic, 10));
    setMargin(8);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    setAccessibleName("セーブデータの内容");
    if (!describe || !AreSlots(entries)) return;
    QStringList lines;
    for (const std::string& slot : entries) lines << QString::fromStdString(describe(slot));
    setText(lines.join("\n"));
    list->installEventFilter(this);
}

// The list draws its own title bar, so its geometry is all of it. Its frame
// as the window system reports it may still be empty just after mapping.
void SlotDetailsPanel::Place() {
    adjustSize();
    move(list_->geometry().topRight() + QPoint(1 + kGap, 0));
}

bool SlotDetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_) return false;
    // Raised again once the list is up: the window manager stacks the list
    // and the main window after the list's first showing.
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Move || type == QEvent::WindowActivate) {
        Place();
        show();
        raise();  // above the main window the list stands on
    } else if (type == QEvent::Hide) {
        hide();
    }
    return false;
}

}  // namespace velmora::qt
