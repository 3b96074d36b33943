#include "platform/qt/looping_sound.h"

#include "platform/qt/plugin_module.h"

namespace velmora::qt {

LoopingSound::LoopingSound() = default;
LoopingSound::~LoopingSound() = default;

bool LoopingSound::Load() {
    if (tried_) return loop_ != nullptr;
    tried_ = true;
    if (auto make =
            reinterpret_cast<MakeSoundLoop>(ResolveInModule(kSoundModule, kMakeSoundLoop))) {
        loop_.reset(make());
        loop_->SetVolume(volume_);
    }
    return loop_ != nullptr;
}

// The sound module reads the very file the game opened and checked, through
// the name the system gives its descriptor, never the name in the folder:
// a pipe put there since would stall the module's loader, and with it the
// window. Each play has a URL of its own (the fragment counts the plays), so
// that a descriptor number used again is never taken for music loaded before.
void LoopingSound::Play(Descriptor wave) {
    Stop();
    wave_ = std::move(wave);
    if (!wave_.ok() || !Load()) return;
    const std::string url = "file:///proc/self/fd/" + std::to_string(wave_.get()) + "#" +
                            std::to_string(++plays_);
    loop_->Play(url.c_str());
}

void LoopingSound::Stop() {
    if (loop_) loop_->Stop();
}

void LoopingSound::SetVolume(float perceived) {
    volume_ = perceived;
    if (loop_) loop_->SetVolume(perceived);
}

bool LoopingSound::playing() const {
    return loop_ && loop_->playing();
}

}  // namespace velmora::qt
