// The speech module: Qt's text-to-speech with the first Japanese voice the
// speech service offers. Without a service or a Japanese voice it stays
// silent rather than reading Japanese in another language's voice.
#include <QLocale>
#include <QTextToSpeech>

#include "platform/qt/speech_module.h"

namespace velmora::qt {
namespace {

class JapaneseSpeaker : public Speaker {
  public:
    JapaneseSpeaker() {
        if (speech_.state() == QTextToSpeech::Error) return;
        for (const QLocale& locale : speech_.availableLocales()) {
            if (locale.language() != QLocale::Japanese) continue;
            speech_.setLocale(locale);
            japanese_ = !speech_.availableVoices().isEmpty();
            if (japanese_) break;
        }
    }
    void Say(const char* utf8) override {
        if (japanese_) speech_.say(QString::fromUtf8(utf8));
    }
    bool hasJapaneseVoice() const override { return japanese_; }

  private:
    QTextToSpeech speech_;
    bool japanese_ = false;
};

}  // namespace
}  // namespace velmora::qt

extern "C" Q_DECL_EXPORT velmora::qt::Speaker* velmora_make_speaker() {
    return new velmora::qt::JapaneseSpeaker;
}
