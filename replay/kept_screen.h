// What the game has drawn, kept as a Screen (replay/screen.h), and passed
// on to the front end only while the front end shows this game: a game
// played again out of sight (rollback's) draws nothing there, and the front
// end is brought to show what it drew, with only the calls that change
// something, when it is shown again.
#pragma once

#include "replay/forwarding_platform.h"
#include "replay/screen.h"

namespace velmora {

class KeptScreen final : public ForwardingPlatform {
  public:
    // `showing`: what the front end shows before the game draws.
    KeptScreen(Platform& front, const Screen& showing)
        : front_(front), music_(*this), drawn_(showing), onFront_(showing) {}

    // What the game has drawn.
    Screen& drawn() { return drawn_; }
    bool shown() const { return shown_; }
    // Drawing is no longer passed on; what is drawn is still kept.
    void Hide() { shown_ = false; }
    // The front end is brought to show what was drawn; drawing passes on again.
    void Show();

    void SetMessageCaption(const std::string& text) override;
    // A notice belongs to its moment: one given out of sight is never shown.
    void ShowNotice(const std::string& text) override {
        if (shown_) front_.ShowNotice(text);
    }
    void ShowScene(const NamedPicture& scene) override;
    void ClearScene() override;
    void ShowPreparedPortrait(const NamedPicture& prepared) override;
    void HidePortraitLayer() override;
    void PaintPortraitIntoScene(const NamedPicture& portrait) override;
    void ShowSidePicture(const NamedPicture& side) override;
    void ShowClock(const ClockFace& face) override;
    void ShowDesignPictures() override;
    void OpenNameDialog() override;
    void CloseNameDialog() override;
    void WaitPictureClick(const NamedPicture& picture) override;
    void ClosePictureWindow() override;
    Sound& sound() override { return music_; }

  private:
    class Music final : public Sound {
      public:
        explicit Music(KeptScreen& screen) : screen_(screen) {}
        void StopSound() override;
        void PlayLoop(const std::string& waveFile) override;

      private:
        KeptScreen& screen_;
    };

    Platform& front() override { return front_; }
    // Changes what is drawn, and what the front end shows while shown:
    // `pass` then passes the call on.
    template <typename Change, typename Pass>
    void Drawn(Change change, Pass pass);

    Platform& front_;
    Music music_;
    Screen drawn_;
    Screen onFront_;  // what the front end shows
    bool shown_ = true;
};

}  // namespace velmora
