// The boundary between the program and its sound module. Qt Multimedia
// pulls some twenty libraries (PulseAudio, codecs, Kerberos through the
// network module) into any program linked with it; the title screen needs
// none of them, so they live in a module loaded with the first music.
#pragma once

namespace velmora::qt {

class SoundLoop {
  public:
    virtual ~SoundLoop() = default;
    // url: a wave file (a file: URL), played from its start and looped.
    virtual void Play(const char* url) = 0;
    virtual void Stop() = 0;
    virtual bool playing() const = 0;
    // linear: the gain, 0..1 (player/comfort_settings.h LinearVolume); kept
    // for the next Play too.
    virtual void SetVolume(float linear) = 0;
};

// The one symbol the module exports.
using MakeSoundLoop = SoundLoop* (*)();
inline constexpr const char* kMakeSoundLoop = "velmora_make_sound_loop";
inline constexpr const char* kSoundModule = "velmora-sound";

}  // namespace velmora::qt
