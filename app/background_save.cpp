#include "app/background_save.h"

#include <utility>

#include "world/slot_format.h"

namespace velmora {

std::optional<std::string> SerialFiles::Read(const std::string& name, size_t limit,
                                             ReadFailure* failure) {
    const std::lock_guard hold(mutex_);
    return files_.Read(name, limit, failure);
}

bool SerialFiles::ReadTogether(const std::vector<std::string>& names, size_t limit,
                               std::vector<std::string>* contents, ReadFailure* failure) {
    const std::lock_guard hold(mutex_);
    return files_.ReadTogether(names, limit, contents, failure);
}

bool SerialFiles::ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) {
    const std::lock_guard hold(mutex_);
    return files_.ReplaceTogether(files, failure);
}

bool SerialFiles::Recover(const std::vector<std::string>& names) {
    const std::lock_guard hold(mutex_);
    return files_.Recover(names);
}

bool SerialFiles::Peek(const std::vector<std::string>& names, size_t limit,
                       std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) {
    const std::lock_guard hold(mutex_);
    return files_.Peek(names, limit, contents, written, failure);
}

bool SerialFiles::Update(const std::string& name, size_t limit, const Change& change,
                         std::string* why) {
    const std::lock_guard hold(mutex_);
    return files_.Update(name, limit, change, why);
}

BackgroundSave::BackgroundSave(Files& files) : files_(files), writer_([this] { WriteEach(); }) {}

BackgroundSave::~BackgroundSave() {
    {
        const std::lock_guard hold(mutex_);
        ending_ = true;
    }
    handed_.notify_one();
    writer_.join();
}

void BackgroundSave::Write(std::vector<NamedBytes> save) {
    {
        const std::lock_guard hold(mutex_);
        pending_ = std::move(save);
    }
    handed_.notify_one();
}

void BackgroundSave::Finish() {
    std::unique_lock hold(mutex_);
    done_.wait(hold, [this] { return !pending_ && !writing_; });
}

std::optional<std::string> BackgroundSave::Outcome() {
    const std::lock_guard hold(mutex_);
    return std::exchange(outcome_, std::nullopt);
}

// The newest save handed over, one after another, until the program ends
// with nothing left to write.
void BackgroundSave::WriteEach() {
    std::unique_lock hold(mutex_);
    for (;;) {
        handed_.wait(hold, [this] { return pending_ || ending_; });
        if (!pending_) return;
        const std::vector<NamedBytes> save = std::move(*std::exchange(pending_, std::nullopt));
        writing_ = true;
        hold.unlock();
        CommitFailure failure;
        const bool written = files_.ReplaceTogether(save, &failure);
        hold.lock();
        writing_ = false;
        outcome_ = written ? "" : WhySlot(failure);
        done_.notify_all();
    }
}

}  // namespace velmora
