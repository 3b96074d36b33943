// Speaks each message when the player has asked for it. The speech module
// is loaded the first time it is needed, never at start-up.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "backends/qt/speech_module.h"

namespace velmora::qt {

class MessageSpeech {
  public:
    MessageSpeech();
    ~MessageSpeech();

    void Say(const QString& text);
    // False without a speech service or a Japanese voice, and until the
    // service has listed its voices.
    bool HasJapaneseVoice();  // loads the module if needed
    // then(found) once the voices are known, unless the context has ended;
    // never without a speech module.
    void WhenVoicesKnown(QObject* context, std::function<void(bool japanese)> then);
    bool loaded() const { return tried_; }
    bool japaneseVoiceFound() const { return speaker_ && speaker_->hasJapaneseVoice(); }

  private:
    bool Load();

    std::unique_ptr<Speaker> speaker_;
    bool tried_ = false;
};

}  // namespace velmora::qt
