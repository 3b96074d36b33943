// What the main window shows at a moment of the game, followed from the
// platform's drawing calls alone: the scene with the characters painted into
// it, the prepared portrait, the side picture, the clock, the message, the
// music and the small windows that stay open. Another platform can then be
// brought to show the same with only the calls that change something.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace velmora {

struct Screen {
    // The scene picture: as designed (the title artwork), nothing, or a file;
    // then the portraits painted into it in line mode.
    enum class Scene { kDesign, kCleared, kFile };
    Scene scene = Scene::kDesign;
    NamedPicture scenePicture;
    std::vector<NamedPicture> paints;
    std::optional<NamedPicture> portrait;  // the prepared portrait in view
    std::optional<NamedPicture> side;      // nothing: as designed
    std::optional<ClockFace> clock;        // nothing: the design plates; always with a date
    std::optional<std::string> music;      // the wave file looping, if any
    std::string caption;
    bool nameDialogOpen = false;
    bool pictureWindowOpen = false;

    // The drawing calls of the platform interface, as they change the window.
    void ShowScene(const NamedPicture& picture);
    void ClearScene();
    void Paint(const NamedPicture& portrait) { paints.push_back(portrait); }
    void ShowClock(const ClockFace& face);
    void ShowDesignPictures();

    bool operator==(const Screen&) const = default;
};

// Brings `platform`, which shows `from`, to show `to`: the design pictures
// first where `to` still shows some of them, then each part that differs.
// The message is always set again. The picture window is only closed (a
// picture window is opened by its own wait).
void ShowInstead(Platform& platform, const Screen& from, const Screen& to);

}  // namespace velmora
