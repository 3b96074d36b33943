// The speech module: Qt's text-to-speech with the first Japanese voice the
// speech service offers. Without a service or a Japanese voice it stays
// silent rather than reading Japanese in another language's voice.
//
// The speech lives on a thread of its own: a speech service with many
// synthesizers takes seconds to list its voices, and the windows must not
// stop for it. Messages said meanwhile wait in that thread's queue.
#include <QLocale>
#include <QTextToSpeech>
#include <QThread>
#include <atomic>
#include <utility>
#include <vector>

#include "backends/qt/speech_module.h"

namespace velmora::qt {
namespace {

// Made and used on the speaker's thread only.
class Voices : public QObject {
  public:
    // The first thing done on the thread, before any message.
    bool FindJapanese() {
        speech_ = new QTextToSpeech(this);
        if (speech_->state() == QTextToSpeech::Error) return false;
        for (const QLocale& locale : speech_->availableLocales()) {
            if (locale.language() != QLocale::Japanese) continue;
            speech_->setLocale(locale);
            japanese_ = !speech_->availableVoices().isEmpty();
            if (japanese_) break;
        }
        return japanese_;
    }
    void Say(const QString& text) {
        if (japanese_) speech_->say(text);
    }

  private:
    QTextToSpeech* speech_ = nullptr;
    bool japanese_ = false;
};

class JapaneseSpeaker : public Speaker {
  public:
    JapaneseSpeaker() : voices_(new Voices) {
        voices_->moveToThread(&thread_);
        QObject::connect(&thread_, &QThread::started, voices_, [this] {
            const bool found = voices_->FindJapanese();
            japanese_ = found;
            QMetaObject::invokeMethod(&here_, [this, found] { Known(found); });
        });
        // The speech ends on its own thread, as the thread ends.
        QObject::connect(&thread_, &QThread::finished, voices_, &QObject::deleteLater);
        thread_.start();
    }
    ~JapaneseSpeaker() override {
        thread_.quit();
        thread_.wait();
    }

    void Say(const char* utf8) override {
        QMetaObject::invokeMethod(
            voices_, [voices = voices_, text = QString::fromUtf8(utf8)] { voices->Say(text); });
    }
    bool hasJapaneseVoice() const override { return japanese_; }
    void WhenVoicesKnown(std::function<void(bool)> then) override {
        if (known_)
            then(japanese_);
        else
            waiting_.push_back(std::move(then));
    }

  private:
    void Known(bool found) {
        known_ = true;
        for (const auto& then : std::exchange(waiting_, {})) then(found);
    }

    QThread thread_;
    Voices* voices_;  // on thread_, ended with it
    std::atomic<bool> japanese_ = false;
    // On the program's thread: what waits for the voices. here_ is the
    // program thread's end of the news; ended with the speaker, it takes
    // none that comes late.
    QObject here_;
    bool known_ = false;
    std::vector<std::function<void(bool)>> waiting_;
};

}  // namespace
}  // namespace velmora::qt

extern "C" Q_DECL_EXPORT velmora::qt::Speaker* velmora_make_speaker() {
    return new velmora::qt::JapaneseSpeaker;
}
