// The scene picture, the character over it, the small side picture and the
// date, time and place plates, drawn by the platform for the game's state.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "world/state.h"

namespace velmora {

// What a screen reader reads of a picture of the game (NamedPicture): a
// scene's place, a portrait's character, a plain description of a still;
// 「絵」 for a file the game does not know.
std::string PictureWords(const std::string& file);

class Pictures {
  public:
    // plates: the names the clock's place plate has pictures for (shell/story.h Plates).
    Pictures(Platform& platform, const GameState& s, std::vector<std::string> plates)
        : platform_(platform), s_(s), plates_(std::move(plates)) {}

    void ShowScenePicture(const std::string& file);
    void ClearScenePicture();
    void ShowPortrait(const std::string& file);
    void DismissPortrait();
    void ShowPlacePicture(const std::string& file);
    void ShowTitlePicture();
    void UpdateClockDisplay();  // presentation/clock_display.cpp

  private:
    void HidePortraitImage();

    Platform& platform_;
    const GameState& s_;
    const std::vector<std::string> plates_;
};

}  // namespace velmora
