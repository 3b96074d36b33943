// The game's windows, pictures and sound in a web page. The page (page/*.js)
// draws what it is told; every wait of the game is a promise of the page that
// the player's click or key resolves, awaited through Asyncify, so the game
// still reads as plain calls and the page never freezes while it waits.
#pragma once

#include <functional>
#include <string>

#include "backends/web/slot_upload.h"
#include "platform/platform.h"
#include "player/plate_news.h"
#include "player/scene_light.h"
#include "player/spoken_waits.h"

namespace velmora::web {

using UploadCheck = std::function<UploadVerdict(const Upload&)>;
// The details of each of the slots given.
using SlotDescriber = std::function<std::vector<std::string>(const std::vector<std::string>&)>;

class WebPlatform : public Platform {
  public:
    explicit WebPlatform(Files& files) : files_(files) {}

    // What the page reports while the game waits: the main window shown or
    // hidden (the tab put away or brought back), and slot files brought in.
    void OnResize(std::function<void()> handler) { onResize_ = std::move(handler); }
    void OnSlotUpload(UploadCheck check) { checkUpload_ = std::move(check); }
    // The game's slots and the words of their details, beside the slot list
    // and in the page's slot window (which lists the slots it is told here,
    // and the most bytes a slot's file may hold: the game's reader's limit).
    void DescribeSlotsWith(std::vector<std::string> slots, size_t fileLimit,
                           SlotDescriber describe);
    // Asks the player a question of the page's own in the game's message
    // window and YES/NO window (where the game's last question stood),
    // between the game's steps: going back and forward are not taken
    // meanwhile. False where it cannot be answered now: slot files being
    // brought in, from the page's menu.
    bool Confirm(const std::string& question);

    // The replay comforts the page reaches through its keys and menu: going
    // back and forward (rollback, which stands on this platform), skipping
    // (between it and this platform), and the story map, which `storyMap`
    // writes as the page reads it. Each may be left out.
    void Follow(const Steps* steps, Skipping* skip, std::function<std::string()> storyMap);
    // The album as the page draws it, written when the player opens it.
    void AlbumWith(std::function<std::string()> album) { album_ = std::move(album); }
    // Called as each wait begins (the player's record is written then).
    void OnWait(std::function<void()> handler) { onWait_ = std::move(handler); }
    // A NEXT passed by skipping: the page shows its caption, and tells what
    // the player pressed meanwhile.
    void Pace();

    // A notice of the page below the game, said once.
    void Notice(const std::string& text);

    // Waits for a click on the message label (the title, window-move mode);
    // true when 続きから on the title answered it.
    bool WaitMessageClick();
    // 続きから on the page's title, with what the automatic save holds.
    void OfferContinue(const std::string& details);
    // The game has ended: its windows close and the page says so.
    void ShowEnd();

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override;
    // The game's notices (a quick save done, an automatic save not written)
    // over the scene for a moment, as the comforts' are: each time, not once.
    void ShowNotice(const std::string& text) override;

    void ShowScene(const NamedPicture& scene) override;
    void ClearScene() override;
    void ShowPreparedPortrait(const NamedPicture& prepared) override;
    void HidePortraitLayer() override;
    void PaintPortraitIntoScene(const NamedPicture& portrait) override;
    void ShowSidePicture(const NamedPicture& side) override;
    void ShowClock(const ClockFace& face) override;
    void ShowDesignPictures() override;

    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    void OpenNameDialog() override;
    NameEntry WaitNameDialog() override;
    void CloseNameDialog() override;
    std::optional<std::string> ChooseFromList(ListOf list, const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override;
    void WaitPictureClick(const NamedPicture& picture) override;
    void ClosePictureWindow() override;

    Sound& sound() override { return music_; }
    Files& files() override { return files_; }

  private:
    // The page's music (page/music.js).
    class Music final : public Sound {
      public:
        void StopSound() override;
        void PlayLoop(const std::string& waveFile) override;
    };

    // Opens (or keeps open) the named window and waits for its answer,
    // handling the page's reports that come first.
    int Wait(const char* window, const std::string& argument, Twips at = {});
    // A report of the page while `window` waits: true when it answers the
    // wait (a NEXT that skipping now passes). Steps back and forward throw.
    bool Handle(int report, const std::string& window);
    int Offered() const;  // the steps the page may offer now (going back, skipping)
    // What a screen reader is told as the page's next window waits.
    void Tell(spoken::Wait wait, const std::string& plateNews = "");
    void TakeUpload(bool confirmed);
    std::string SlotLines(const std::vector<std::string>& entries);

    Files& files_;
    Music music_;
    SceneLighting lighting_;
    plates::PlateNews plateNews_;
    spoken::Teller teller_;
    std::string message_;  // as a screen reader is told it
    std::function<void()> onResize_;
    std::function<void()> onWait_;
    UploadCheck checkUpload_;
    bool uploading_ = false;
    Twips questionAt_;
    std::vector<std::string> slots_;
    std::vector<std::string> listed_;  // the slots the list shows now, with their details
    SlotDescriber describeSlots_;
    const Steps* steps_ = nullptr;
    Skipping* skip_ = nullptr;
    std::function<std::string()> storyMap_;
    std::function<std::string()> album_;
};

}  // namespace velmora::web
