#include "replay/kept_screen.h"

namespace velmora {

template <typename Change, typename Pass>
void KeptScreen::Drawn(Change change, Pass pass) {
    change(drawn_);
    if (!shown_) return;
    change(onFront_);
    pass();
}

void KeptScreen::Show() {
    ShowInstead(front_, onFront_, drawn_);
    onFront_ = drawn_;
    shown_ = true;
}

void KeptScreen::SetMessageCaption(const std::string& text) {
    Drawn([&](Screen& s) { s.caption = text; }, [&] { front_.SetMessageCaption(text); });
}

void KeptScreen::ShowScene(const NamedPicture& scene) {
    Drawn([&](Screen& s) { s.ShowScene(scene); }, [&] { front_.ShowScene(scene); });
}

void KeptScreen::ClearScene() {
    Drawn([](Screen& s) { s.ClearScene(); }, [&] { front_.ClearScene(); });
}

void KeptScreen::ShowPreparedPortrait(const NamedPicture& prepared) {
    Drawn([&](Screen& s) { s.portrait = prepared; },
          [&] { front_.ShowPreparedPortrait(prepared); });
}

void KeptScreen::HidePortraitLayer() {
    Drawn([](Screen& s) { s.portrait.reset(); }, [&] { front_.HidePortraitLayer(); });
}

void KeptScreen::PaintPortraitIntoScene(const NamedPicture& portrait) {
    Drawn([&](Screen& s) { s.Paint(portrait); }, [&] { front_.PaintPortraitIntoScene(portrait); });
}

void KeptScreen::ShowSidePicture(const NamedPicture& side) {
    Drawn([&](Screen& s) { s.side = side; }, [&] { front_.ShowSidePicture(side); });
}

void KeptScreen::ShowClock(const ClockFace& face) {
    Drawn([&](Screen& s) { s.ShowClock(face); }, [&] { front_.ShowClock(face); });
}

void KeptScreen::ShowDesignPictures() {
    Drawn([](Screen& s) { s.ShowDesignPictures(); }, [&] { front_.ShowDesignPictures(); });
}

void KeptScreen::OpenNameDialog() {
    Drawn([](Screen& s) { s.nameDialogOpen = true; }, [&] { front_.OpenNameDialog(); });
}

void KeptScreen::CloseNameDialog() {
    Drawn([](Screen& s) { s.nameDialogOpen = false; }, [&] { front_.CloseNameDialog(); });
}

// The picture window opens with its wait, and stays open after it.
void KeptScreen::WaitPictureClick(const NamedPicture& picture) {
    Drawn([](Screen& s) { s.pictureWindowOpen = true; }, [&] { front_.WaitPictureClick(picture); });
}

void KeptScreen::ClosePictureWindow() {
    Drawn([](Screen& s) { s.pictureWindowOpen = false; }, [&] { front_.ClosePictureWindow(); });
}

void KeptScreen::Music::StopSound() {
    screen_.Drawn([](Screen& s) { s.music.reset(); }, [&] { screen_.front_.sound().StopSound(); });
}

void KeptScreen::Music::PlayLoop(const std::string& waveFile) {
    screen_.Drawn([&](Screen& s) { s.music = waveFile; },
                  [&] { screen_.front_.sound().PlayLoop(waveFile); });
}

}  // namespace velmora
