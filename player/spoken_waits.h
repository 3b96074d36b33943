// What a screen reader is told as the game waits for the player, in the
// window program and the page alike: each message once and whole, then what
// the waiting window asks of the player; never the window's own caption or
// a key hint in front of the message.
//
// NEXT tells the plates' words that changed, then the message. A question,
// a list, the menu and the name window are named by the message's first
// line and described by its other lines and how to answer; where NEXT has
// just told that message (a question of the story), they are named by
// their caption and tell only how to answer, as the name window always
// does (its question was answered by opening it).
#pragma once

#include <string>

namespace velmora::spoken {

enum class Wait { kNext, kQuestion, kList, kMenu, kName };

struct Told {
    std::string name;  // the waiting window's; "" for NEXT, which tells all in `said`
    std::string said;  // what is told after the name
};

class Teller {
  public:
    // caption: the window's own, as drawn ("選択"); plateNews: the plates'
    // words changed since last told (plates::PlateNews), told first.
    Told Tell(Wait wait, const std::string& message, const std::string& caption,
              const std::string& plateNews = "");
    // Nothing counts as told: the game went back a step.
    void Forget() { told_.clear(); }

  private:
    std::string told_;  // the message NEXT told last
};

// How to answer, where Enter and Space wait until the focus was moved.
const char* HowToAnswer(Wait wait);

}  // namespace velmora::spoken
