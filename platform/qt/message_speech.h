// Speaks each message when the player has asked for it. The speech module
// is loaded the first time it is needed, never at start-up.
#pragma once

#include <QString>
#include <memory>

#include "platform/qt/speech_module.h"

namespace velmora::qt {

class MessageSpeech {
  public:
    MessageSpeech();
    ~MessageSpeech();

    void Say(const QString& text);
    // False without a speech service or a Japanese voice.
    bool HasJapaneseVoice();  // loads the module if needed
    bool loaded() const { return tried_; }
    bool japaneseVoiceFound() const { return speaker_ && speaker_->hasJapaneseVoice(); }

  private:
    bool Load();

    std::unique_ptr<Speaker> speaker_;
    bool tried_ = false;
};

}  // namespace velmora::qt
