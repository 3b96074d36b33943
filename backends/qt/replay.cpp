#include "backends/qt/replay.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QWheelEvent>

#include "backends/qt/comforts.h"
#include "backends/qt/fonts.h"
#include "backends/qt/key_place.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {

// The game's own window waiting now: NEXT, or one that waits modally (a
// question, the name, a list, the menu, a picture).
GameDialog* WaitingGameWindow() {
    if (NextDialog* next = NextDialog::Waiting()) return next;
    return qobject_cast<GameDialog*>(QApplication::activeModalWidget());
}

// NEXT waits, and nothing the player opened stands above it.
bool NextWaits() {
    const NextDialog* next = NextDialog::Waiting();
    return next && next->Answerable();
}

QLabel* SkipMark(QWidget* message) {
    auto* mark = new QLabel("既読スキップ", message);
    mark->setObjectName("skipMark");
    mark->setGeometry(PxRect(6750 - 1500, 45, 1440, 300));
    mark->setAlignment(Qt::AlignCenter);
    mark->setFont(GameFont(kPGothic, 9));
    mark->setStyleSheet("background: rgba(10, 36, 106, 220); color: white;");
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
    return mark;
}

}  // namespace

Replay::Replay(MainWindow& window, GameSession& session, Rollback& rollback, Skip& skip,
               std::function<StoryMapView()> storyMap)
    : QObject(&window),
      window_(window),
      session_(session),
      rollback_(rollback),
      skip_(skip),
      storyMap_(std::move(storyMap)),
      mark_(SkipMark(window.message())) {
    skip_.OnChange([this] {
        // The mark is said as it shows: skipping passes messages unheard.
        if (skip_.active() && !mark_->isVisible()) window_.announcer().Say(mark_->text());
        mark_->setVisible(skip_.active());
        window_.message()->KeepName(skip_.active());
    });
    skip_.OnPass([this] { Pace(); });
    qApp->installEventFilter(this);
}

bool Replay::Back() {
    return rollback_.CanGoBack() && Ask(Step::kBack);
}

bool Replay::Forward() {
    return rollback_.CanGoForward() && Ask(Step::kForward);
}

// At the title (the game waits for a click on the message) the step is taken
// at once; inside the game it is taken where the game waits, its window
// closed for it.
bool Replay::Ask(Step step) {
    StopSkipping();
    if (!session_.running()) {
        window_.message()->Restoring(true);
        session_.Play([this, step] {
            if (step == Step::kBack) {
                rollback_.Back();
            } else {
                rollback_.Click(true);
            }
        });
        return true;
    }
    asked_ = step;
    if (QDialog* waiting = WaitingGameWindow()) waiting->done(QDialog::Rejected);
    return true;
}

void Replay::TakeAskedStep() {
    const Step step = std::exchange(asked_, Step::kNone);
    const bool taken = step == Step::kBack || (step == Step::kForward && rollback_.CanGoForward());
    if (!taken) return;
    window_.message()->Restoring(true);
    if (step == Step::kBack) throw StepBack{};
    throw StepForward{};
}

void Replay::Pace() {
    passing_ = true;
    window_.message()->repaint();
    QCoreApplication::processEvents();
    passing_ = false;
    // Going forward is for steps gone back to, never for a NEXT skipped past.
    if (asked_ == Step::kBack) TakeAskedStep();
    asked_ = Step::kNone;
}

void Replay::ToggleSkip() {
    skip_.Toggle();
    AtNext();
}

void Replay::HoldSkip(bool held) {
    skip_.Hold(held);
    if (held) AtNext();
}

void Replay::StopSkipping() {
    if (skip_.active()) skip_.Stop();
}

void Replay::AtNext() {
    if (!NextWaits()) return;
    if (skip_.Passes()) {
        window_.message()->ShowWhole();  // skipping shows each message whole
        NextDialog::Waiting()->Press();
    } else {
        StopSkipping();  // the message waiting is one not read
    }
}

void Replay::OpenStoryMap() {
    StopSkipping();
    StoryMapWindow map(&window_, storyMap_());
    map.exec();
}

void Replay::OpenAlbum() {
    StopSkipping();
    AlbumWindow album(&window_, album_ ? album_() : AlbumView{});
    album.exec();
}

// What the keys' table gives the replay: going back and forward, skipping
// the story map and the album; any key but Ctrl stops skipping, and does its own work.
bool Replay::OnKey(QWidget* window, const QKeyEvent* key) {
    const keys::Where where{
        WindowOf(window),      Typing(), false, NextWaits() || passing_, session_.messageWaits(),
        session_.windowMoves()};
    const keys::Answer answer = keys::WhatTheKeyDoes(PressOf(key), where);
    if (answer.does == keys::Does::kHoldSkip) HoldSkip(true);
    if (answer.stopsSkip) StopSkipping();
    switch (answer.does) {
        case keys::Does::kSkip:
            ToggleSkip();
            return true;
        case keys::Does::kBack:
            return Back() || true;
        case keys::Does::kForward:
            return Forward() || true;
        case keys::Does::kStoryMap:
            OpenStoryMap();
            return true;
        case keys::Does::kAlbum:
            OpenAlbum();
            return true;
        default:
            return false;
    }
}

bool Replay::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    if (window != &window_ && !qobject_cast<GameDialog*>(window))
        return false;  // the comforts' own
    switch (event->type()) {
        case QEvent::KeyPress:
            return OnKey(window, static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Control && !key->isAutoRepeat()) HoldSkip(false);
            return false;
        }
        case QEvent::Wheel: {
            if (InScrollArea(widget)) return false;
            const int turn = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (turn == 0) return false;
            // At the newest step the wheel's NEXT (an option) is the comforts'.
            switch (keys::WhatTheWheelDoes(turn > 0, rollback_.CanGoForward(), false, false)) {
                case keys::Does::kBack:
                    return Back() || true;
                case keys::Does::kForward:
                    return Forward();
                default:
                    return false;
            }
        }
        case QEvent::MouseButtonPress:
            StopSkipping();
            return false;
        case QEvent::Close:
            // While a NEXT is passed no window of the game blocks the main
            // one: its closing waits, as it would behind the NEXT. (NEXT
            // put away is the game's own closing.)
            if (!passing_ || NextDialog::PuttingAway()) return false;
            event->ignore();
            StopSkipping();
            return true;
        default:
            return false;
    }
}

}  // namespace velmora::qt
