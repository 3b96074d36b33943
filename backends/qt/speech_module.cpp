// The speech module: speech-dispatcher, the desktop's speech service (the
// one a screen reader speaks through), with the first Japanese voice it
// offers. Without a service or a Japanese voice it stays silent rather than
// reading Japanese in another language's voice.
//
// The service is asked on a thread of its own, once, while messages said
// meanwhile wait: with espeak-ng it lists thousands of voices, which takes
// it seconds. Quitting never waits for the service: the thread ends by
// itself once the service has answered.
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "backends/qt/speech_module.h"
#include "backends/qt/speech_service.h"

namespace velmora::qt {
namespace {

// What the program's thread hands the speaker's: the messages to say, and
// that the speaker has ended.
struct Queue {
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::string> said;
    bool ended = false;
};

// The speaker's thread: finds the voice, tells the program, then says each
// message until the speaker ends.
void Speak(const std::shared_ptr<Queue>& queue, const ServiceAddress& address,
           const std::function<void(bool)>& known) {
    SpeechService service;
    const bool japanese = service.Open(address) && service.ChooseJapaneseVoice();
    {
        const std::lock_guard lock(queue->mutex);
        if (queue->ended) return;
        known(japanese);
    }
    for (;;) {
        std::unique_lock lock(queue->mutex);
        queue->wake.wait(lock, [&] { return queue->ended || !queue->said.empty(); });
        if (queue->ended) return;
        const std::string text = std::move(queue->said.front());
        queue->said.pop_front();
        lock.unlock();
        if (japanese) service.Say(text);
    }
}

class JapaneseSpeaker : public Speaker {
  public:
    JapaneseSpeaker() {
        // The news reaches the program's thread through here_, under the
        // queue's lock: once the speaker has ended, none comes.
        // Where the service is, as the program's environment says now.
        std::thread(Speak, queue_, SpeechServiceAddress(), [this](bool found) {
            japanese_ = found;
            QMetaObject::invokeMethod(&here_, [this, found] { Known(found); });
        }).detach();
    }
    ~JapaneseSpeaker() override {
        const std::lock_guard lock(queue_->mutex);
        queue_->ended = true;
        queue_->said.clear();
        queue_->wake.notify_one();
    }

    void Say(const char* utf8) override {
        const std::lock_guard lock(queue_->mutex);
        queue_->said.emplace_back(utf8);
        queue_->wake.notify_one();
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

    std::shared_ptr<Queue> queue_ = std::make_shared<Queue>();
    std::atomic<bool> japanese_ = false;
    // On the program's thread: what waits for the voices.
    QObject here_;
    bool known_ = false;
    std::vector<std::function<void(bool)>> waiting_;
};

}  // namespace
}  // namespace velmora::qt

extern "C" Q_DECL_EXPORT velmora::qt::Speaker* velmora_make_speaker() {
    return new velmora::qt::JapaneseSpeaker;
}
