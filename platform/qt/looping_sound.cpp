#include "platform/qt/looping_sound.h"

#include <QFileInfo>
#include <QUrl>

namespace velmora::qt {

LoopingSound::LoopingSound() = default;
LoopingSound::~LoopingSound() = default;

void LoopingSound::Play(const std::string& path) {
    Stop();
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return;
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    // A sound effect loops without a gap at the seam, unlike a media player.
    effect_->setLoopCount(QSoundEffect::Infinite);
    effect_->play();
}

void LoopingSound::Stop() {
    if (effect_) effect_->stop();
}

bool LoopingSound::playing() const {
    return effect_ && effect_->isPlaying();
}

}  // namespace velmora::qt
