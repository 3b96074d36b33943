// The background music: one wave file looping until stopped. The sound
// module is loaded with the first music, so the title screen opens without
// it; a missing file, module or audio device is silence.
#pragma once

#include <memory>
#include <string>

#include "platform/qt/sound_module.h"

namespace velmora::qt {

class LoopingSound {
  public:
    LoopingSound();
    ~LoopingSound();

    void Play(const std::string& path);  // restarted from its start
    void Stop();
    // perceived: 0..1 on a logarithmic scale, also for music played later.
    void SetVolume(float perceived);
    float volume() const { return volume_; }

    bool playing() const;

  private:
    bool Load();

    std::unique_ptr<SoundLoop> loop_;
    bool tried_ = false;
    float volume_ = 1.0f;
};

}  // namespace velmora::qt
