#include "backends/qt/looping_sound.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QtDebug>
#include <cstring>

#include "backends/qt/plugin_module.h"
#include "player/comfort_settings.h"

namespace velmora::qt {
namespace {

uint32_t Little32(const unsigned char* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

uint16_t Little16(const unsigned char* b) {
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

// The shipped music has two parts (its format and its sound); a file of
// millions of empty parts once held the window for twenty seconds.
constexpr int kMostChunks = 64;

// Whether the format part describes sound the module can loop: PCM
// samples, one to eight channels, and sizes that agree. (Its decoder
// refuses floating point samples and the extensible form, which the music
// would then lack without a word of the game's.)
bool PlayableFormat(const unsigned char* f, uint32_t length, uint32_t* bytesPerSecond) {
    if (length < 16) return false;
    const uint16_t format = Little16(f), channels = Little16(f + 2), align = Little16(f + 12),
                   bits = Little16(f + 14);
    const uint32_t rate = Little32(f + 4), byteRate = Little32(f + 8);
    *bytesPerSecond = byteRate;
    return format == 1 && channels >= 1 && channels <= 8 &&
           (bits == 8 || bits == 16 || bits == 24 || bits == 32) && rate >= 1000 &&
           rate <= 384000 && align == channels * bits / 8 && byteRate == rate * align;
}

// Why the sound module must not be given this wave file; "" when it may.
// The module sets aside as much memory as the header says the sound takes
// before it reads a byte of it (a header that claims 4 GB in a file of a
// few bytes would end the program), and it loops an empty sound at full
// speed for ever, the window frozen: the file must say what its sound is
// before the sound, and hold at least a tenth of a second of it, whole.
std::string WhyNotMusic(const Descriptor& wave) {
    struct stat st;
    unsigned char head[12];
    if (::fstat(wave.get(), &st) != 0 || ::pread(wave.get(), head, 12, 0) != 12 ||
        std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return "WAVE ではありません";
    uint32_t bytesPerSecond = 0;
    off_t at = 12;
    for (int chunks = 0; chunks < kMostChunks && at + 8 <= st.st_size; ++chunks) {
        unsigned char chunk[8 + 16] = {};
        const ssize_t got = ::pread(wave.get(), chunk, sizeof chunk, at);
        if (got < 8) return "読み込めません";
        const uint32_t length = Little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 &&
            (got < 24 || !PlayableFormat(chunk + 8, length, &bytesPerSecond)))
            return "音の形式が読めません";
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (bytesPerSecond == 0) return "音の形式が読めません";
            if (length > st.st_size - at - 8) return "音の長さがファイルの大きさを超えています";
            if (length < bytesPerSecond / 10) return "音がありません";
            return "";
        }
        at += 8 + static_cast<off_t>(length) + (length & 1);
    }
    return "音がありません";
}

}  // namespace

LoopingSound::LoopingSound(PosixFiles& files) : files_(files) {}
LoopingSound::~LoopingSound() = default;

void LoopingSound::PlayLoop(const std::string& waveFile) {
    ReadFailure failure;
    Descriptor wave = files_.Open(waveFile, kMusicFileLimit, &failure);
    if (!wave.ok() && !failure.missing) qWarning("%s", failure.why.c_str());
    Play(std::move(wave), waveFile);
}

bool LoopingSound::Load() {
    if (tried_) return loop_ != nullptr;
    tried_ = true;
    if (auto make =
            reinterpret_cast<MakeSoundLoop>(ResolveInModule(kSoundModule, kMakeSoundLoop))) {
        loop_.reset(make());
        loop_->SetVolume(LinearVolume(volume_));
    }
    return loop_ != nullptr;
}

// The sound module reads the very file the game opened and checked, through
// the name the system gives its descriptor, never the name in the folder:
// a pipe put there since would stall the module's loader, and with it the
// window. Each play has a URL of its own (the fragment counts the plays), so
// that a descriptor number used again is never taken for music loaded before.
void LoopingSound::Play(Descriptor wave, const std::string& name) {
    Stop();
    wave_ = std::move(wave);
    if (!wave_.ok()) return;
    if (const std::string why = WhyNotMusic(wave_); !why.empty()) {
        qWarning("%s", (name + " は音楽として使えません（" + why + "）。").c_str());
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
    if (loop_) loop_->SetVolume(LinearVolume(perceived));
}

bool LoopingSound::playing() const {
    return loop_ && loop_->playing();
}

}  // namespace velmora::qt
