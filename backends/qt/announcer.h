// What a screen reader speaks wherever the focus is: a message passed at
// NEXT, a notice, the skipping mark. Orca speaks a notification as it
// shows (Qt has no announcement of its own): each is one, named by its
// words, a window of its own that the window system never maps, so that no
// window's name is read in front of it. Each keeps its words while the next
// ones are said: a screen reader that reads it late still finds them.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

namespace velmora::qt {

class Announcer {
  public:
    Announcer() = default;
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // Nothing is shown while no screen reader listens.
    void Say(const QString& words);
    // The words said, the last ones kept.
    const QStringList& said() const { return words_; }

  private:
    static constexpr size_t kKept = 16;
    std::array<QWidget*, kKept> said_{};
    size_t next_ = 0;
    QStringList words_;
};

}  // namespace velmora::qt
