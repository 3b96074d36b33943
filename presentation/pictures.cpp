// The scene picture, the character over it and the small side picture.
// Portraits come in two modes: the prepared picture shown at once over the
// scene (the default), or the character painted line by line into the
// scene picture itself, where it stays until the scene is redrawn. Each
// picture goes with what a screen reader reads of it.
#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "presentation/clock_display.h"
#include "presentation/pictures.h"

namespace velmora {
namespace {

// Each character's portrait file, the prepared picture shown in its place,
// and the character's name as the story writes it.
struct Character {
    const char* portrait;
    const char* prepared;
    const char* name;
};
constexpr Character kCharacters[] = {
    {"kumi1.gif", "kumi1_0.gif", "久美"},       {"kaori1.gif", "kaori1_0.gif", "香織"},
    {"satuki1.gif", "satuki1_0.gif", "さつき"}, {"hitomi1.gif", "hitomi1_0.gif", "ひとみ"},
    {"ryouko1.gif", "ryouko1_0.gif", "涼子"},   {"akira1.gif", "akira1_0.gif", "明"},
};

// The pictures that show no place: the digest's stills and the title by
// what is in them (each place names its own scene, places/event.h).
constexpr std::pair<const char*, const char*> kStills[] = {
    {"hitomi3.jpg", "部屋にいるひとみ"},
    {"ryouko2.jpg", "部屋で笑う涼子"},
    {"kaori3.jpg", "夜の部屋で涙ぐむ香織"},
    {"hitomi_e1.jpg", "夕暮れの海辺で笑うひとみ"},  // the ending's pictures
    {"kaori_e1.jpg", "テニスコートで笑う香織"},
    {"title.jpg", kDesignSceneWords},  // the title's artwork
};

// What a picture the tables do not know reads as.
constexpr const char* kUnknownPicture = "絵";

// The game finds its files whatever their letter case ("title.JPG").
bool SameFile(const std::string& a, const char* b) {
    const std::string_view other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::string PictureWords(const std::vector<NamedPicture>& scenes, const std::string& file) {
    for (const Character& c : kCharacters) {
        if (SameFile(file, c.portrait) || SameFile(file, c.prepared)) return c.name;
    }
    for (const NamedPicture& scene : scenes) {
        if (SameFile(file, scene.file.c_str())) return scene.words;
    }
    for (const auto& [still, words] : kStills) {
        if (SameFile(file, still)) return words;
    }
    return kUnknownPicture;
}

NamedPicture Pictures::Named(const std::string& file) const {
    return {file, Words(file)};
}

void Pictures::ShowScenePicture(const std::string& file) {
    HidePortraitImage();
    platform_.ShowScene(Named(file));
    scene_ = file;
    if (shown_) shown_(file, TimeText(s_));
}

void Pictures::ClearScenePicture() {
    HidePortraitImage();
    platform_.ClearScene();
    scene_.clear();
}

void Pictures::ShowInWindow(const std::string& file) {
    if (shown_) shown_(file, TimeText(s_));
}

void Pictures::ShowPortrait(const std::string& file) {
    if (s_.flag(Flag::PortraitMode) == 1) {
        platform_.PaintPortraitIntoScene(Named(file));
        return;
    }
    for (const Character& c : kCharacters) {
        if (file == c.portrait) platform_.ShowPreparedPortrait({c.prepared, c.name});
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
    platform_.ShowSidePicture(Named(file));
}

void Pictures::ShowTitlePicture() {
    ShowPlacePicture("title.jpg");
}

}  // namespace velmora
