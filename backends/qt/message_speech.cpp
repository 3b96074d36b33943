#include "backends/qt/message_speech.h"

#include <QPointer>

#include "backends/qt/plugin_module.h"

namespace velmora::qt {

MessageSpeech::MessageSpeech() = default;
MessageSpeech::~MessageSpeech() = default;

bool MessageSpeech::Load() {
    if (tried_) return speaker_ != nullptr;
    tried_ = true;
    if (auto make = reinterpret_cast<MakeSpeaker>(ResolveInModule(kSpeechModule, kMakeSpeaker)))
        speaker_.reset(make());
    return speaker_ != nullptr;
}

void MessageSpeech::Say(const QString& text) {
    if (Load()) speaker_->Say(text.toUtf8().constData());
}

bool MessageSpeech::HasJapaneseVoice() {
    return Load() && speaker_->hasJapaneseVoice();
}

void MessageSpeech::WhenVoicesKnown(QObject* context, std::function<void(bool)> then) {
    if (!Load()) return;
    speaker_->WhenVoicesKnown([context = QPointer<QObject>(context), then](bool japanese) {
        if (context) then(japanese);
    });
}

}  // namespace velmora::qt
