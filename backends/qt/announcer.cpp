#include "backends/qt/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace velmora::qt {

namespace {

constexpr char kAnnouncement[] = "velmoraAnnouncement";

QAccessibleInterface* ReadAsNotification(const QString&, QObject* object) {
    if (!object->isWidgetType() || !object->property(kAnnouncement).toBool()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
}

QWidget* MakeAnnouncement() {
    static const bool installed = (QAccessible::installFactory(ReadAsNotification), true);
    (void)installed;
    auto* said = new QWidget;
    said->setAttribute(Qt::WA_DontShowOnScreen);
    said->setAttribute(Qt::WA_QuitOnClose, false);
    said->setProperty(kAnnouncement, true);
    // Read as a notification from now on, not as the plain widget the
    // accessibility saw being made.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(said))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    return said;
}

}  // namespace

Announcer::~Announcer() {
    for (QWidget* said : said_) delete said;
}

void Announcer::Say(const QString& words) {
    if (words.isEmpty()) return;
    words_.append(words);
    if (words_.size() > static_cast<int>(kKept)) words_.removeFirst();
    if (!QAccessible::isActive()) return;
    QWidget*& said = said_[next_];
    next_ = (next_ + 1) % kKept;
    if (!said) said = MakeAnnouncement();
    said->hide();
    said->setAccessibleName(words);
    said->show();
}

}  // namespace velmora::qt
