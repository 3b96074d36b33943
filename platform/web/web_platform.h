// The game's windows, pictures and sound in a web page. The page (page/*.js)
// draws what it is told; every wait of the game is a promise of the page that
// the player's click or key resolves, awaited through Asyncify, so the game
// still reads as plain calls and the page never freezes while it waits.
#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"

namespace velmora::web {

// Checks the two files of a slot that the player brings in before they
// replace the slot; *why says what is wrong with them.
using SlotCheck =
    std::function<bool(const std::string& flagFile, const std::string& textFile, std::string* why)>;

class WebPlatform : public Platform {
  public:
    explicit WebPlatform(Files& files) : files_(files) {}

    // What the page reports while the game waits: the main window shown or
    // hidden (the tab put away or brought back), and slot files brought in.
    void OnResize(std::function<void()> handler) { onResize_ = std::move(handler); }
    void OnSlotUpload(SlotCheck check) { checkUpload_ = std::move(check); }

    // Waits for a click on the message label (the title, window-move mode).
    void WaitMessageClick();
    // The game has ended: its windows close and the page says so.
    void ShowEnd();

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override;

    void ShowScene(const std::string& file) override;
    void ClearScene() override;
    void ShowPreparedPortrait(const std::string& preparedFile) override;
    void HidePortraitLayer() override;
    void PaintPortraitIntoScene(const std::string& portraitFile) override;
    void ShowSidePicture(const std::string& file) override;
    void ShowClock(const ClockFace& face) override;

    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    void OpenNameDialog() override;
    NameEntry WaitNameDialog() override;
    void CloseNameDialog() override;
    std::optional<std::string> ChooseFromList(const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<std::string>& captions) override;
    void WaitPictureClick(const std::string& file) override;
    void ClosePictureWindow() override;

    void StopSound() override;
    void PlayLoop(const std::string& waveFile) override;

    Files& files() override { return files_; }

  private:
    // Opens (or keeps open) the named window and waits for its answer,
    // handling the page's reports that come first.
    int Wait(const char* window, const std::string& argument, Twips at = {});
    void TakeUpload();

    Files& files_;
    std::function<void()> onResize_;
    SlotCheck checkUpload_;
};

}  // namespace velmora::web
