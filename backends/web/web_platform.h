// The game's windows, pictures and sound in a web page. The page (page/*.js)
// draws what it is told; every wait of the game is a promise of the page that
// the player's click or key resolves, awaited through Asyncify, so the game
// still reads as plain calls and the page never freezes while it waits.
#pragma once

#include <functional>
#include <string>

#include "player/plate_news.h"
#include "platform/platform.h"
#include "replay/rollback.h"
#include "player/scene_light.h"
#include "replay/skip.h"

namespace velmora::web {

// The two files of a slot that the player brings in, and what to do with
// them: refuse them (why), ask the player first (the question), or let them
// replace the slot. confirmed: the player has answered the question YES.
struct Upload {
    std::string slot;
    std::string flagFile;
    std::string textFile;
    bool confirmed = false;
};
struct UploadVerdict {
    bool readable = false;
    std::string why;       // unreadable: what is wrong with them
    std::string question;  // not empty: ask the player this first
};
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
    // and in the page's slot window (which lists the slots it is told here).
    void DescribeSlotsWith(std::vector<std::string> slots, SlotDescriber describe);

    // The replay comforts the page reaches through its keys and menu: going
    // back and forward (rollback, which stands on this platform), skipping
    // (skip, between it and this platform), and the story map, which
    // `storyMap` writes as the page reads it. Each may be left out.
    void Follow(const Rollback* rollback, Skip* skip, std::function<std::string()> storyMap);
    // Called as each wait begins (the player's record is written then).
    void OnWait(std::function<void()> handler) { onWait_ = std::move(handler); }
    // A NEXT passed by skipping: the page shows its caption, and tells what
    // the player pressed meanwhile.
    void Pace();

    // A notice of the page below the game, said once.
    void Notice(const std::string& text);

    // Waits for a click on the message label (the title, window-move mode).
    void WaitMessageClick();
    // The game has ended: its windows close and the page says so.
    void ShowEnd();

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override;
    // The game's notices (a quick save done, an automatic save not written) as the page's.
    void ShowNotice(const std::string& text) override { Notice(text); }

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
    int Steps() const;  // what the page may offer now (rollback, skipping)
    void TakeUpload(bool confirmed);
    std::string SlotLines(const std::vector<std::string>& entries);

    Files& files_;
    Music music_;
    SceneLighting lighting_;
    plates::PlateNews plateNews_;
    std::function<void()> onResize_;
    std::function<void()> onWait_;
    UploadCheck checkUpload_;
    std::vector<std::string> slots_;
    SlotDescriber describeSlots_;
    const Rollback* rollback_ = nullptr;
    Skip* skip_ = nullptr;
    std::function<std::string()> storyMap_;
};

}  // namespace velmora::web
