#include "platform/qt/looping_sound.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace velmora::qt {

LoopingSound::LoopingSound() = default;
LoopingSound::~LoopingSound() = default;

// The module lies beside the program in a build folder, and in the game's
// own library folder once installed (games/ and lib/velmora/ are siblings).
bool LoopingSound::Load() {
    if (tried_) return loop_ != nullptr;
    tried_ = true;
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& dir : {programDir, programDir + "/../lib/velmora"}) {
        QLibrary module(dir + "/" + kSoundModule);
        if (auto make = reinterpret_cast<MakeSoundLoop>(module.resolve(kMakeSoundLoop))) {
            loop_.reset(make());
            break;
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
