#include "replay/screen.h"

namespace velmora {

void Screen::ShowScene(const NamedPicture& picture) {
    scene = Scene::kFile;
    scenePicture = picture;
    paints.clear();
}

void Screen::ClearScene() {
    scene = Scene::kCleared;
    scenePicture = {};
    paints.clear();
}

// An empty date keeps the date plate as it was.
void Screen::ShowClock(const ClockFace& face) {
    ClockFace shown = face;
    if (shown.datePicture.empty() && clock) {
        shown.datePicture = clock->datePicture;
        shown.dateWords = clock->dateWords;
    }
    clock = shown;
}

void Screen::ShowDesignPictures() {
    scene = Scene::kDesign;
    scenePicture = {};
    paints.clear();
    portrait.reset();
    side.reset();
    clock.reset();
}

void ShowInstead(Platform& platform, const Screen& from, const Screen& to) {
    Screen now = from;
    const bool design = (to.scene == Screen::Scene::kDesign && now.scene != to.scene) ||
                        (!to.side && now.side) || (!to.clock && now.clock);
    if (design) {
        platform.ShowDesignPictures();
        now.ShowDesignPictures();
    }
    if (now.pictureWindowOpen && !to.pictureWindowOpen) platform.ClosePictureWindow();
    if (now.nameDialogOpen != to.nameDialogOpen) {
        if (to.nameDialogOpen) {
            platform.OpenNameDialog();
        } else {
            platform.CloseNameDialog();
        }
    }
    if (now.scene != to.scene || now.scenePicture != to.scenePicture || now.paints != to.paints) {
        if (to.scene == Screen::Scene::kFile) platform.ShowScene(to.scenePicture);
        if (to.scene == Screen::Scene::kCleared) platform.ClearScene();
        for (const NamedPicture& paint : to.paints) platform.PaintPortraitIntoScene(paint);
    }
    if (now.portrait != to.portrait) {
        if (to.portrait) {
            platform.ShowPreparedPortrait(*to.portrait);
        } else {
            platform.HidePortraitLayer();
        }
    }
    if (to.side && now.side != to.side) platform.ShowSidePicture(*to.side);
    if (to.clock && now.clock != to.clock) platform.ShowClock(*to.clock);
    if (now.music != to.music) {
        if (to.music) {
            platform.sound().PlayLoop(*to.music);
        } else {
            platform.sound().StopSound();
        }
    }
    platform.SetMessageCaption(to.caption);
}

}  // namespace velmora
