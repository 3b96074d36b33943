// The scene picture, the character over it, the small side picture and the
// date, time and place plates, drawn by the platform for the game's state.
#pragma once

#include <string>

#include "platform/platform.h"
#include "world/state.h"

namespace velmora {

class Pictures {
  public:
    Pictures(Platform& platform, const GameState& s) : platform_(platform), s_(s) {}

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
};

}  // namespace velmora
