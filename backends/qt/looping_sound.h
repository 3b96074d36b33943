// The background music: one wave file looping until stopped. The sound
// module is loaded with the first music, so the title screen opens without
// it; a missing file, module or audio device is silence.
#pragma once

#include <memory>
#include <string>

#include "backends/posix/posix_files.h"
#include "backends/posix/readable_file.h"
#include "backends/qt/sound_module.h"
#include "platform/sound.h"

namespace velmora::qt {

// The shipped music is 3.4 MB; the sound module holds all of it in memory.
constexpr size_t kMusicFileLimit = 64 * 1024 * 1024;

class LoopingSound final : public Sound {
  public:
    // The game's music is read from `files`.
    explicit LoopingSound(PosixFiles& files);
    ~LoopingSound() override;

    // The game's music: the wave file of that name in the game's folder.
    void PlayLoop(const std::string& waveFile) override;
    void StopSound() override { Stop(); }

    // wave: the music, opened by the game (nothing: silence), `name` in
    // messages. Restarted from its start; the file stays open while it
    // plays. A wave file the module cannot loop safely is refused with a
    // message on standard error.
    void Play(Descriptor wave, const std::string& name);
    void Stop();
    // perceived: 0..1 on a logarithmic scale, also for music played later.
    void SetVolume(float perceived);
    float volume() const { return volume_; }

    bool playing() const;

  private:
    bool Load();

    PosixFiles& files_;
    std::unique_ptr<SoundLoop> loop_;
    Descriptor wave_;
    int plays_ = 0;
    bool tried_ = false;
    float volume_ = 1.0f;
};

}  // namespace velmora::qt
