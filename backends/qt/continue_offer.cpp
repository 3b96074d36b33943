#include "backends/qt/continue_offer.h"

#include <QTimer>
#include <utility>

#include "backends/qt/fonts.h"
#include "backends/qt/message_label.h"
#include "backends/qt/twips.h"
#include "player/comfort_words.h"

namespace velmora::qt {

namespace {

// Over the foot of the scene picture (450, 240, 4500 × 3900), inside its edge.
constexpr double kLeft = 450 + 90, kWidth = 4500 - 180, kHeight = 1170;
constexpr double kTop = 240 + 3900 - 90 - kHeight;

}  // namespace

ContinueOffer::ContinueOffer(MainWindow& window, GameSession& session, const QString& details)
    : QPushButton("続きから（C）\n" + details, window.client()),
      window_(window),
      told_(QString::fromUtf8(words::ContinueTold()) + "\n" + details) {
    setObjectName("continueOffer");
    setGeometry(PxRect(kLeft, kTop, kWidth, kHeight));
    setFont(GameFont(kPGothic, 10));  // as large as the slot details
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName("続きから");
    setAccessibleDescription(details + "\nオートセーブデータから始めます（C）");
    setStyleSheet(
        "QPushButton { color: white; background: rgba(59, 45, 58, 215); border: 1px solid "
        "rgba(255, 255, 255, 150); border-radius: 6px; padding: 2px 8px; text-align: left; }"
        "QPushButton:hover { background: rgba(29, 58, 74, 235); }");
    connect(this, &QPushButton::clicked, &session, &GameSession::Continue);
    // It never takes the focus (Enter begins a new game): the title's message
    // tells a screen reader that C begins from the save, and what it holds.
    MessageLabel* message = window.message();
    message->AlsoTell(told_);
    connect(&session, &GameSession::begun, this, [this, message] {
        message->AlsoTell({});
        hide();
    });
    raise();
}

void ContinueOffer::showEvent(QShowEvent* event) {
    QPushButton::showEvent(event);
    if (std::exchange(said_, true)) return;
    QTimer::singleShot(0, this, [this] { window_.announcer().Say(told_); });
}

}  // namespace velmora::qt
