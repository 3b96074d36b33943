// The scene picture, the character over it, the small side picture and the
// date, time and place plates, drawn by the platform for the game's state.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "presentation/clock_display.h"
#include "world/state.h"

namespace velmora {

// What a screen reader reads of a picture of the game (NamedPicture): a
// scene's place (as `scenes` name them), a portrait's character, a plain
// description of a still; 「絵」 for a file the game does not know.
std::string PictureWords(const std::vector<NamedPicture>& scenes, const std::string& file);

class Pictures {
  public:
    // plates: the names the clock's place plate has pictures for and their
    // words; scenes: the places' scene pictures and their words
    // (shell/story.h NamedPlates, Scenes).
    Pictures(Platform& platform, const GameState& s, std::vector<NamedPlate> plates,
             std::vector<NamedPicture> scenes)
        : platform_(platform), s_(s), plates_(std::move(plates)), scenes_(std::move(scenes)) {}

    // Who follows the pictures the player sees: told each picture of the
    // scene box or the picture window as it comes into view, and the
    // scene's again with the time whenever the clock moves over it.
    using Shown = std::function<void(const std::string& file, const std::string& time)>;
    void Follow(Shown shown) { shown_ = std::move(shown); }
    // The picture window shows this picture.
    void ShowInWindow(const std::string& file);

    // What a screen reader reads of this picture file.
    std::string Words(const std::string& file) const { return PictureWords(scenes_, file); }

    void ShowScenePicture(const std::string& file);
    void ClearScenePicture();
    void ShowPortrait(const std::string& file);
    void DismissPortrait();
    void ShowPlacePicture(const std::string& file);
    void ShowTitlePicture();
    void UpdateClockDisplay();  // presentation/clock_display.cpp

  private:
    void HidePortraitImage();
    NamedPicture Named(const std::string& file) const;

    Platform& platform_;
    const GameState& s_;
    const std::vector<NamedPlate> plates_;
    const std::vector<NamedPicture> scenes_;
    std::string scene_;  // the scene box's picture, "" when it is cleared
    Shown shown_;
};

}  // namespace velmora
