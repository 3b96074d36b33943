// The boundary between the program and its gamepad module (SDL's game
// controllers), loaded only when a pad is plugged in or asked for, so that
// start-up never pays for SDL.
#pragma once

#include "player/player_keys.h"

namespace velmora::qt {

struct PadChange {
    keys::PadButton button;
    bool down;
};

class PadReader {
  public:
    virtual ~PadReader() = default;
    // The buttons pressed or let go since the last call, at most `room`;
    // how many were written.
    virtual int Poll(PadChange* changes, int room) = 0;
    // A pad made in the program (SDL's virtual joystick), for the tests
    // that play with one; false where it cannot be made.
    virtual bool AttachVirtual() = 0;
    virtual void PressVirtual(keys::PadButton button, bool down) = 0;
};

using MakePadReader = PadReader* (*)();
inline constexpr const char* kMakePadReader = "velmora_make_pad_reader";
inline constexpr const char* kPadModule = "velmora-pad";

}  // namespace velmora::qt
