// Plays the player's part in the modal windows of a game running inside one
// click: a repeating timer looks at the active modal window and, once the
// window is shown and active, answers it with the next step of a script. A
// window the script does not expect, or no progress for a minute, fails the
// script and ends the game instead of hanging the test.
#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace velmora::qt::test {

struct ModalStep {
    QString window;                     // objectName of the modal window
    std::function<void(QWidget*)> act;  // answers (or closes) it
    bool repeat = false;                // every such window in a row, until another one
};

// A modal window as the script met it.
struct MetWindow {
    QString name;
    QPoint pos;  // outer frame, in pixels
    QString caption;
    QString message;  // the main window's message label at that moment
};

class ModalScript : public QObject {
    Q_OBJECT
  public:
    // abort: makes the game end at its next wait; called on failure.
    ModalScript(std::vector<ModalStep> steps, std::function<void()> abort);

    const std::vector<MetWindow>& met() const { return met_; }
    std::vector<MetWindow> met(const QString& name) const;
    const QString& failure() const { return failure_; }
    bool finished() const;

  private:
    void Tick();
    bool Apply(QWidget* window);
    void Fail(const QString& why, QWidget* window);

    std::vector<ModalStep> steps_;
    std::function<void()> abort_;
    size_t next_ = 0;
    std::vector<MetWindow> met_;
    QString failure_;
    QTimer timer_;
    QElapsedTimer sinceLastStep_;
};

// The window the game waits on now: the modal one, or NEXT, which waits
// without blocking the main window.
QWidget* WaitingWindow();

// Steps for the usual answers.
std::function<void(QWidget*)> Press(const char* button);
ModalStep Next();  // NEXT for every message until another window opens
ModalStep Answer(bool yes);
ModalStep Menu(const char* caption);
ModalStep Close(const char* window);  // through the window system

}  // namespace velmora::qt::test
