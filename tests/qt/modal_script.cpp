#include "modal_script.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include "backends/qt/next_dialog.h"

namespace velmora::qt::test {

namespace {

constexpr int kTickMs = 5;
// Only a hang guard: a loaded machine may take seconds for one window, and
// ctest's own limit for a test is two minutes.
constexpr int kStuckMs = 60000;

// A window is answered as the player answers it: once it is on the screen
// and has become the active window, so that its keyboard focus is where
// the game put it. A busy machine may run the script's timer before the
// window system has activated a window just shown, and without a window
// manager nothing activates the window left on top when another closes:
// the script asks for it as a window manager would, and waits.
bool Ready(QWidget* window) {
    if (!window || !window->isVisible()) return false;
    if (window->isActiveWindow()) return true;
    window->activateWindow();
    return false;
}

QString MessageNow() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "Form1") {
            if (auto* label = top->findChild<QWidget*>("lblMsg")) {
                return label->property("text").toString();
            }
        }
    }
    return {};
}

}  // namespace

QWidget* WaitingWindow() {
    NextDialog* next = NextDialog::Waiting();
    if (next && next->Answerable()) return next;
    return QApplication::activeModalWidget();
}

ModalScript::ModalScript(std::vector<ModalStep> steps, std::function<void()> abort)
    : steps_(std::move(steps)), abort_(std::move(abort)) {
    connect(&timer_, &QTimer::timeout, this, &ModalScript::Tick);
    timer_.start(kTickMs);
    sinceLastStep_.start();
}

std::vector<MetWindow> ModalScript::met(const QString& name) const {
    std::vector<MetWindow> found;
    for (const MetWindow& each : met_) {
        if (each.name == name) found.push_back(each);
    }
    return found;
}

bool ModalScript::finished() const {
    for (size_t i = next_; i < steps_.size(); ++i) {
        if (!steps_[i].repeat) return false;
    }
    return failure_.isEmpty();
}

void ModalScript::Tick() {
    QWidget* window = WaitingWindow();
    if (!failure_.isEmpty()) {
        if (window) Fail(failure_, window);
        return;
    }
    if (!Ready(window)) {
        if (sinceLastStep_.elapsed() > kStuckMs && !finished()) Fail("no window came", nullptr);
        return;
    }
    if (!Apply(window)) Fail("unexpected window " + window->objectName(), window);
}

bool ModalScript::Apply(QWidget* window) {
    for (; next_ < steps_.size(); ++next_) {
        ModalStep& step = steps_[next_];
        if (window->objectName() == step.window) {
            met_.push_back(
                {window->objectName(), window->pos(), window->windowTitle(), MessageNow()});
            sinceLastStep_.restart();
            const auto act = step.act;
            if (!step.repeat) ++next_;
            act(window);
            return true;
        }
        if (!step.repeat) return false;
    }
    return false;
}

void ModalScript::Fail(const QString& why, QWidget* window) {
    if (failure_.isEmpty()) {
        failure_ = why + " after " + QString::number(met_.size()) + " windows";
        abort_();
    }
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else if (window) {
        window->close();
    }
}

std::function<void(QWidget*)> Press(const char* button) {
    const QString name = button;
    return [name](QWidget* window) {
        auto* target = window->findChild<QPushButton*>(name);
        QTest::mouseClick(target, Qt::LeftButton);
    };
}

ModalStep Next() {
    return {"Form3", Press("Command1"), true};
}

ModalStep Answer(bool yes) {
    return {"Form2", Press(yes ? "cmdYes" : "cmdNo")};
}

ModalStep Menu(const char* caption) {
    const QString wanted = QString::fromUtf8(caption);
    return {"Form8", [wanted](QWidget* window) {
                for (auto* button : window->findChildren<QPushButton*>()) {
                    if (button->text() == wanted) QTest::mouseClick(button, Qt::LeftButton);
                }
            }};
}

ModalStep Close(const char* window) {
    return {window, [](QWidget* w) { w->close(); }};
}

}  // namespace velmora::qt::test
