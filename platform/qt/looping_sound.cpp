#include "platform/qt/looping_sound.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QtDebug>
#include <cstring>

#include "platform/qt/plugin_module.h"

namespace velmora::qt {
namespace {

uint32_t Little32(const unsigned char* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

// The sound module sets aside as much memory as the wave file's header says
// its sound takes, before it reads a byte of it: a header that claims 4 GB
// in a file of a few bytes would end the program. A wave file whose sound
// runs past its own end is no music the game plays.
bool SoundFitsFile(const Descriptor& wave) {
    struct stat st;
    unsigned char head[12];
    if (::fstat(wave.get(), &st) != 0 || ::pread(wave.get(), head, 12, 0) != 12 ||
        std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return false;
    for (off_t at = 12; at + 8 <= st.st_size;) {
        unsigned char chunk[8];
        if (::pread(wave.get(), chunk, 8, at) != 8) return false;
        const uint32_t length = Little32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) return length <= st.st_size - at - 8;
        at += 8 + static_cast<off_t>(length) + (length & 1);
    }
    return false;
}

}  // namespace

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
    if (!wave_.ok()) return;
    if (!SoundFitsFile(wave_)) {
        qWarning("%s",
                 "音楽ファイルが壊れています（WAVE ではないか、音の長さがファイルの"
                 "大きさを超えています）。");
        return;
    }
    if (!Load()) return;
    const std::string url =
        "file:///proc/self/fd/" + std::to_string(wave_.get()) + "#" + std::to_string(++plays_);
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
