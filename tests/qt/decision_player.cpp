#include "decision_player.h"

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "modal_script.h"

namespace velmora::qt::test {

namespace {

// A whole game answers some nine hundred windows; a window that will not
// take its answer is clicked for ever without this.
constexpr int kMostWindows = 20000;

void Click(QWidget* target) {
    QTest::mouseClick(target, Qt::LeftButton);
}

// Where the player clicks a picture window: inside any picture it shows,
// and inside the window when it shows none.
void ClickNearTheCorner(QWidget* window) {
    const QPoint at(10, 10);
    QWidget* target = window->childAt(at);
    QTest::mouseClick(target ? target : window, Qt::LeftButton, {},
                      target ? target->mapFrom(window, at) : at);
}

QPushButton* Button(QWidget* window, const QString& name) {
    return window->findChild<QPushButton*>(name);
}

}  // namespace

DecisionPlayer::DecisionPlayer(const std::vector<std::string>& decisions,
                               std::function<void()> abort)
    : decisions_(decisions.begin(), decisions.end()), abort_(std::move(abort)) {
    connect(&timer_, &QTimer::timeout, this, &DecisionPlayer::Tick);
    timer_.start(0);  // each window answered as soon as its modal loop runs
}

void DecisionPlayer::Tick() {
    QWidget* window = WaitingWindow();
    if (!window || !window->isVisible()) return;
    if (!failure_.isEmpty()) {
        Fail(failure_, window);
        return;
    }
    if (answered_ >= kMostWindows) {
        Fail("the game does not end", window);
    } else if (Answer(window)) {
        ++answered_;
    } else if (failure_.isEmpty()) {
        Fail("no decision for " + window->objectName(), window);
    }
}

bool DecisionPlayer::Answer(QWidget* window) {
    const QString name = window->objectName();
    if (name == "Form3") {
        Click(Button(window, "Command1"));
    } else if (name == "Form7") {
        ClickNearTheCorner(window);
    } else if (name == "Form2") {
        return AnswerYesNo(window);
    } else if (name == "Form8") {
        return AnswerMenu(window);
    } else if (name == "Form5") {
        if (decisions_.empty()) return false;
        AnswerList(window);
    } else {
        return false;
    }
    return true;
}

bool DecisionPlayer::AnswerYesNo(QWidget* form2) {
    for (; !decisions_.empty(); decisions_.pop_front()) {
        const std::string& d = decisions_.front();
        if (d == "close") {
            form2->close();
        } else if (d == "yes" || d == "no") {
            Click(Button(form2, d == "yes" ? "cmdYes" : "cmdNo"));
        } else {
            continue;
        }
        decisions_.pop_front();
        return true;
    }
    return false;
}

bool DecisionPlayer::AnswerMenu(QWidget* form8) {
    for (; !decisions_.empty(); decisions_.pop_front()) {
        const QString wanted = QString::fromStdString(decisions_.front());
        for (auto* button : form8->findChildren<QPushButton*>()) {
            if (button->text() != wanted) continue;
            decisions_.pop_front();
            Click(button);
            return true;
        }
    }
    return false;
}

void DecisionPlayer::AnswerList(QWidget* form5) {
    const QString wanted = QString::fromStdString(decisions_.front());
    decisions_.pop_front();
    auto* list = form5->findChild<QListWidget*>("List1");
    const auto found = list->findItems(wanted, Qt::MatchExactly);
    if (!found.isEmpty()) list->setCurrentItem(found.first());
    Click(Button(form5, "Command1"));
}

void DecisionPlayer::Fail(const QString& why, QWidget* window) {
    if (failure_.isEmpty()) {
        failure_ = why + " after " + QString::number(answered_) + " windows";
        abort_();
    }
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else {
        window->close();
    }
}

}  // namespace velmora::qt::test
