// The scene picture, the character over it and the small side picture.
// Portraits come in two modes: the prepared picture shown at once over the
// scene (the default), or the character painted line by line into the
// scene picture itself, where it stays until the scene is redrawn.
#include <utility>

#include "presentation/pictures.h"

namespace velmora {
namespace {

// Each portrait file and the prepared picture shown in its place.
const std::pair<const char*, const char*> kPreparedPortraits[] = {
    {"kumi1.gif", "kumi1_0.gif"},     {"kaori1.gif", "kaori1_0.gif"},
    {"satuki1.gif", "satuki1_0.gif"}, {"hitomi1.gif", "hitomi1_0.gif"},
    {"ryouko1.gif", "ryouko1_0.gif"}, {"akira1.gif", "akira1_0.gif"},
};

}  // namespace

void Pictures::ShowScenePicture(const std::string& file) {
    HidePortraitImage();
    platform_.ShowScene(file);
}

void Pictures::ClearScenePicture() {
    HidePortraitImage();
    platform_.ClearScene();
}

void Pictures::ShowPortrait(const std::string& file) {
    if (s_.flag(Flag::PortraitMode) == 1) {
        platform_.PaintPortraitIntoScene(file);
        return;
    }
    for (const auto& [portrait, prepared] : kPreparedPortraits) {
        if (file == portrait) platform_.ShowPreparedPortrait(prepared);
    }
}

// A painted character belongs to the scene picture, so there is nothing to hide.
void Pictures::HidePortraitImage() {
    if (s_.flag(Flag::PortraitMode) != 1) platform_.HidePortraitLayer();
}

void Pictures::DismissPortrait() {
    HidePortraitImage();
    UpdateClockDisplay();
}

void Pictures::ShowPlacePicture(const std::string& file) {
    platform_.ShowSidePicture(file);
}

void Pictures::ShowTitlePicture() {
    ShowPlacePicture("title.jpg");
}

}  // namespace velmora
