// The game's windows, pictures and sound on Qt Widgets. Every wait of the
// game is an application-modal window with its own event loop, so the game
// runs as plain nested calls inside the message label's click.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "backends/qt/command_menu.h"
#include "backends/qt/looping_sound.h"
#include "backends/qt/main_window.h"
#include "backends/qt/name_dialog.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/picture_window.h"
#include "backends/qt/slot_details_panel.h"
#include "platform/platform.h"
#include "player/scene_light.h"

namespace velmora::qt {

class QtPlatform : public Platform {
  public:
    // The game's files, and its music (which plays files of its own folder).
    QtPlatform(MainWindow& window, Files& files, LoopingSound& sound);
    ~QtPlatform() override;

    void SetMessageCaption(const std::string& text) override;
    Twips MainWindowPosition() override;
    void ShowNotice(const std::string& text) override {
        if (notices_) notices_(text);
    }

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

    LoopingSound& sound() override { return sound_; }
    Files& files() override { return files_; }

    // Hides every window of the game, the main window last.
    void CloseAll();

    // Called as each wait of the game's windows ends, before its answer is
    // given to the game: a step back or forward asked meanwhile is taken
    // there (it throws).
    void AfterEachWait(std::function<void()> check) { afterWait_ = std::move(check); }
    // Who shows the game's notices (the window program: the comforts' notice).
    void NoticesWith(std::function<void(const std::string&)> say) { notices_ = std::move(say); }
    // The words of the details beside the slot list; without them, none.
    void DescribeSlotsWith(SlotDescriber describe) { describeSlots_ = std::move(describe); }

    const LoopingSound& sound() const { return sound_; }

  private:
    QImage Picture(const std::string& file) const;
    void WaitEnded() const;

    MainWindow& window_;
    Files& files_;
    SceneLighting lighting_;
    LoopingSound& sound_;
    std::function<void()> afterWait_;
    std::function<void(const std::string&)> notices_;
    mutable std::set<std::string> refusedSaid_;  // pictures refused, each said once
    SlotDescriber describeSlots_;
    // The owned windows die with the main window; the pointers notice.
    QPointer<NextDialog> next_;
    QPointer<NameDialog> name_;
    QPointer<CommandMenu> menu_;
    QPointer<PictureWindow> picture_;
};

}  // namespace velmora::qt
