// The background music: one wave file looping until stopped. Nothing of the
// sound system is touched before the first music plays, so the title screen
// opens without waiting for it; a missing file or no audio device is silence.
#pragma once

#include <QSoundEffect>
#include <memory>
#include <string>

namespace velmora::qt {

class LoopingSound {
  public:
    LoopingSound();
    ~LoopingSound();

    void Play(const std::string& path);  // an existing wave file, restarted from its start
    void Stop();

    bool playing() const;

  private:
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace velmora::qt
