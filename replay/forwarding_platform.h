// A platform that stands between the game and another one (its front) and
// passes on every call it does not change itself: the comforts that stand
// so (rollback, skipping, keeping the screen drawn) say only what they
// change.
#pragma once

#include "platform/platform.h"

namespace velmora {

class ForwardingPlatform : public Platform {
  public:
    void SetMessageCaption(const std::string& text) override { front().SetMessageCaption(text); }
    Twips MainWindowPosition() override { return front().MainWindowPosition(); }
    void ShowNotice(const std::string& text) override { front().ShowNotice(text); }
    void ShowScene(const NamedPicture& scene) override { front().ShowScene(scene); }
    void ClearScene() override { front().ClearScene(); }
    void ShowPreparedPortrait(const NamedPicture& prepared) override {
        front().ShowPreparedPortrait(prepared);
    }
    void HidePortraitLayer() override { front().HidePortraitLayer(); }
    void PaintPortraitIntoScene(const NamedPicture& portrait) override {
        front().PaintPortraitIntoScene(portrait);
    }
    void ShowSidePicture(const NamedPicture& side) override { front().ShowSidePicture(side); }
    void ShowClock(const ClockFace& face) override { front().ShowClock(face); }
    void ShowDesignPictures() override { front().ShowDesignPictures(); }
    void WaitNext(Twips at) override { front().WaitNext(at); }
    YesNo AskYesNo(Twips at) override { return front().AskYesNo(at); }
    void OpenNameDialog() override { front().OpenNameDialog(); }
    NameEntry WaitNameDialog() override { return front().WaitNameDialog(); }
    void CloseNameDialog() override { front().CloseNameDialog(); }
    std::optional<std::string> ChooseFromList(ListOf list, const std::vector<std::string>& entries,
                                              Twips at) override {
        return front().ChooseFromList(list, entries, at);
    }
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override {
        return front().ChooseCommand(rows);
    }
    void WaitPictureClick(const NamedPicture& picture) override {
        front().WaitPictureClick(picture);
    }
    void ClosePictureWindow() override { front().ClosePictureWindow(); }
    Sound& sound() override { return front().sound(); }
    Files& files() override { return front().files(); }

  protected:
    // Where the calls go on to.
    virtual Platform& front() = 0;
};

}  // namespace velmora
