// The light of the hour over the town: the places' pictures are painted by
// day, and from the clock the front ends show they lay dawn, the low sun of
// late afternoon, sunset, dusk and night over them, painted into the
// picture's own pixels (a new sky with its clouds and stars, the sea taking
// its colours, windows and lamps lit after dark). Which light falls on
// which picture at which hour is decided here, for the window program and
// the web page alike; only the scene picture of a place takes it, never the
// title, the digest's pictures, the side picture or a portrait.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "player/line_portrait.h"

namespace velmora {

enum class Light { Day, Dawn, LowSun, Sunset, Dusk, Night };

// The light over this scene picture when the clock shows this time
// ("PM 6:00"): Day for a picture no light falls on, and for a time it
// cannot read.
Light LightOf(std::string_view sceneFile, std::string_view timeText);

// The place pictures a light falls on, by number: -1 for any other.
int LitPicture(std::string_view sceneFile);

// Paints the light over the pixels of lit picture number `picture` (its own
// 300 x 260 from the top left; 0xAARRGGBB), in place. Day leaves them as
// they are, as does a picture number out of range.
void PaintLight(PixelView scene, int picture, Light light);

// What the scene box shows and the clock's time, followed as a front end
// is told them: the light the box is to be painted in.
class SceneLighting {
  public:
    void ShowScene(const std::string& file);  // "" when the box is cleared
    // True when the light of the picture shown changes with the time.
    bool ShowClock(const ClockFace& face);

    const std::string& scene() const { return scene_; }
    Light light() const { return light_; }

  private:
    bool Update();

    std::string scene_;
    std::string time_;
    Light light_ = Light::Day;
};

}  // namespace velmora
