// Plays a whole game in the windows as velmora-tty's player does from a list
// of decisions: NEXT and the picture window are clicked, every question, list
// and the command menu take the next decision. A decision the menu or a
// question cannot take is skipped, as the terminal asks again; a list takes
// any decision, and one that is none of its entries is OK without a choice.
// A window it cannot answer, or decisions running out, end the game.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace velmora::qt::test {

class DecisionPlayer : public QObject {
    Q_OBJECT
  public:
    // abort: makes the game end at its next wait.
    DecisionPlayer(const std::vector<std::string>& decisions, std::function<void()> abort);

    const QString& failure() const { return failure_; }

  private:
    void Tick();
    bool Answer(QWidget* window);
    bool AnswerYesNo(QWidget* form2);
    bool AnswerMenu(QWidget* form8);
    void AnswerList(QWidget* form5);
    void Fail(const QString& why, QWidget* window);

    std::deque<std::string> decisions_;
    std::function<void()> abort_;
    QString failure_;
    QTimer timer_;
    int answered_ = 0;
};

}  // namespace velmora::qt::test
