// Skipping what has been read: while it is on, a NEXT whose message the
// player has read before (in any game, player/read_record.h) is passed at
// once, the caption shown; with "skip unread text too" every NEXT is. It
// stops at the first message not read, at every other window of the game
// (a question, the name, a list, the menu, a picture: none of them is ever
// answered for the player), at the player's own click or key, and where
// the front end says (the end of the days). Held (Ctrl) it skips for as
// long as it is held, or until it stops; switched on (Tab, the menu) it
// skips until it stops.
//
// It stands between the game and the front end's platform; the game tells
// it each message's key (Form1::FollowReading) before its NEXT.
#pragma once

#include <functional>

#include "player/read_record.h"
#include "replay/forwarding_platform.h"

namespace velmora {

class Skip final : public ForwardingPlatform, public Skipping {
  public:
    Skip(Platform& front, ReadRecord& record) : front_(front), record_(record) {}

    // The message about to wait for NEXT: read before or not. It is read now.
    void Message(const std::string& key);

    void Toggle() override;
    void Hold(bool held) override;
    void Stop() override;
    void SkipUnreadToo(bool on) override { unreadToo_ = on; }
    bool active() const override { return (held_ || toggled_) && !stopped_; }
    bool Passes() const override { return active() && (read_ || unreadToo_); }
    // Called for every NEXT passed, the caption just set: the front end
    // shows it before the game goes on.
    void OnPass(std::function<void()> shown) { shown_ = std::move(shown); }
    void OnChange(std::function<void()> changed) override { changed_ = std::move(changed); }

    // --- the platform the game sees: every wait but NEXT stops skipping ---
    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    void OpenNameDialog() override;
    NameEntry WaitNameDialog() override;
    std::optional<std::string> ChooseFromList(ListOf list, const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override;
    void WaitPictureClick(const NamedPicture& picture) override;

  private:
    Platform& front() override { return front_; }
    template <typename Change>
    void Changing(Change change);  // tells OnChange when it turns skipping on or off

    Platform& front_;
    ReadRecord& record_;
    bool held_ = false;
    bool toggled_ = false;
    bool stopped_ = false;  // until Ctrl is pressed anew, or skipping is switched on again
    bool unreadToo_ = false;
    bool read_ = false;  // the message waiting for NEXT was read before
    std::function<void()> shown_;
    std::function<void()> changed_;
};

}  // namespace velmora
