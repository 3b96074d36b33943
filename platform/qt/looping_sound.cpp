#include "platform/qt/looping_sound.h"

#include <QFileInfo>

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

void LoopingSound::Play(const std::string& path) {
    Stop();
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !Load()) return;
    loop_->Play(file.absoluteFilePath().toUtf8().constData());
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
