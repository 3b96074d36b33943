// The gamepad module: SDL's game controllers, every pad SDL knows by the
// same names (A at the bottom of the four, B at the right, the stick as the
// D-pad). SDL is asked from the program's thread, at each poll.
#include <SDL.h>

#include <array>

#include "backends/qt/pad_module.h"

namespace velmora::qt {
namespace {

using keys::PadButton;

constexpr std::array<std::pair<SDL_GameControllerButton, PadButton>, 12> kButtons{{
    {SDL_CONTROLLER_BUTTON_A, PadButton::kA},
    {SDL_CONTROLLER_BUTTON_B, PadButton::kB},
    {SDL_CONTROLLER_BUTTON_X, PadButton::kX},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::kY},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::kBack},
    {SDL_CONTROLLER_BUTTON_START, PadButton::kStart},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::kLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::kRightShoulder},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::kUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::kDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::kLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::kRight},
}};

// The stick leans this far before it counts as the D-pad pressed.
constexpr int kLean = 16000;

class SdlPads : public PadReader {
  public:
    SdlPads() {
        // The program keeps its own signals (Ctrl+C ends it as Qt does).
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
    ~SdlPads() override {
        if (virtual_) SDL_JoystickClose(virtual_);
        if (ready_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    int Poll(PadChange* changes, int room) override {
        if (!ready_) return 0;
        int count = 0;
        SDL_Event event;
        while (count < room && SDL_PollEvent(&event)) {
            switch (event.type) {
                case SDL_CONTROLLERDEVICEADDED:
                    SDL_GameControllerOpen(event.cdevice.which);
                    break;
                case SDL_CONTROLLERBUTTONDOWN:
                case SDL_CONTROLLERBUTTONUP:
                    for (const auto& [sdl, button] : kButtons) {
                        if (sdl == event.cbutton.button)
                            changes[count++] = {button, event.type == SDL_CONTROLLERBUTTONDOWN};
                    }
                    break;
                case SDL_CONTROLLERAXISMOTION:
                    count += Lean(event.caxis, changes + count, room - count);
                    break;
                default:
                    break;
            }
        }
        return count;
    }

    bool AttachVirtual() override {
        if (!ready_ || virtual_) return virtual_ != nullptr;
        const int index =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
        if (index >= 0) virtual_ = SDL_JoystickOpen(index);
        return virtual_ != nullptr;
    }

    void PressVirtual(PadButton button, bool down) override {
        for (const auto& [sdl, each] : kButtons) {
            if (virtual_ && each == button) SDL_JoystickSetVirtualButton(virtual_, sdl, down);
        }
    }

  private:
    // The left stick leaning past kLean presses the D-pad's button that way,
    // and coming back lets it go.
    int Lean(const SDL_ControllerAxisEvent& axis, PadChange* changes, int room) {
        if (axis.axis != SDL_CONTROLLER_AXIS_LEFTX && axis.axis != SDL_CONTROLLER_AXIS_LEFTY)
            return 0;
        const bool across = axis.axis == SDL_CONTROLLER_AXIS_LEFTX;
        int& leaning = across ? leanX_ : leanY_;
        const int now = axis.value > kLean ? 1 : axis.value < -kLean ? -1 : 0;
        if (now == leaning) return 0;
        const PadButton less = across ? PadButton::kLeft : PadButton::kUp;
        const PadButton more = across ? PadButton::kRight : PadButton::kDown;
        int count = 0;
        if (leaning != 0 && count < room) changes[count++] = {leaning < 0 ? less : more, false};
        if (now != 0 && count < room) changes[count++] = {now < 0 ? less : more, true};
        leaning = now;
        return count;
    }

    bool ready_ = false;
    SDL_Joystick* virtual_ = nullptr;
    int leanX_ = 0;
    int leanY_ = 0;
};

}  // namespace
}  // namespace velmora::qt

extern "C" __attribute__((visibility("default"))) velmora::qt::PadReader*
velmora_make_pad_reader() {
    return new velmora::qt::SdlPads;
}
