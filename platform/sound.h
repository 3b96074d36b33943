// The game's sound: one looping wave file at a time, as the game was made
// for. The world's music and options reach the speakers only through this.
#pragma once

#include <string>

namespace velmora {

class Sound {
  public:
    virtual ~Sound() = default;

    virtual void StopSound() = 0;  // stops any sound at once
    virtual void PlayLoop(const std::string& waveFile) = 0;
};

// No sound at all (the route explorer's platform).
class Silence final : public Sound {
  public:
    void StopSound() override {}
    void PlayLoop(const std::string&) override {}
};

}  // namespace velmora
