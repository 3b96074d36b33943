#include "platform/qt/looping_sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace velmora::qt {

LoopingSound::LoopingSound() = default;
LoopingSound::~LoopingSound() = default;

// The module lies beside the program.
bool LoopingSound::Load() {
    if (!tried_) {
        tried_ = true;
        QLibrary module(QCoreApplication::applicationDirPath() + "/" + kSoundModule);
        if (auto make = reinterpret_cast<MakeSoundLoop>(module.resolve(kMakeSoundLoop))) {
            loop_.reset(make());
        }
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

bool LoopingSound::playing() const {
    return loop_ && loop_->playing();
}

}  // namespace velmora::qt
