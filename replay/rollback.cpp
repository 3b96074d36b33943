#include "replay/rollback.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

using Kind = Rollback::Answer::Kind;

bool IsFileStep(Kind kind) {
    return kind == Kind::kRead || kind == Kind::kWrite || kind == Kind::kRecover;
}

bool IsWait(Kind kind) {
    return kind != Kind::kPosition && !IsFileStep(kind);
}

Screen TitleScreen() {
    Screen title;
    title.caption = kDesignCaption;
    return title;
}

}  // namespace

// The slot files as the game reads and writes them: the front end's while
// it answers, the record's while a game is played again (nothing is read
// again, nothing written) and while the player goes forward again through
// steps taken back. Scenario files are the shipped data, always read.
class Rollback::RecordedFiles final : public Files {
  public:
    explicit RecordedFiles(Rollback& rollback) : r_(rollback) {}

    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override {
        return r_.kept_.files().Read(name, limit, failure);
    }

    bool ReadTogether(const std::vector<std::string>& names, size_t limit,
                      std::vector<std::string>* contents, ReadFailure* failure) override {
        bool live = false;
        const Answer& read = Fetch(Kind::kRead, [&](Answer& a) {
            a.done = r_.kept_.files().ReadTogether(names, limit, &a.contents, &a.readFailure);
            live = true;
        });
        *contents = read.contents;
        if (failure) *failure = read.readFailure;
        if (!read.done) return false;
        if (live) r_.Loaded(names.front());
        return true;
    }

    bool ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) override {
        const Answer& written = Fetch(Kind::kWrite, [&](Answer& a) {
            a.done = r_.kept_.files().ReplaceTogether(files, &a.commitFailure);
        });
        if (failure) *failure = written.commitFailure;
        return written.done;
    }

    bool Recover(const std::vector<std::string>& names) override {
        return Fetch(Kind::kRecover, [&](Answer& a) { a.done = r_.kept_.files().Recover(names); })
            .done;
    }

  private:
    template <typename Do>
    const Answer& Fetch(Kind kind, Do doIt) {
        if (const Answer* recorded = r_.Recorded(kind)) return *recorded;
        if (r_.forwarded_ && r_.at_ < r_.record_.size() && r_.record_[r_.at_].kind == kind) {
            return r_.record_[r_.at_++];
        }
        Answer answer(kind);
        doIt(answer);
        return r_.Take(std::move(answer));
    }

    Rollback& r_;
};

Rollback::Rollback(Platform& front, NewGame newGame)
    : kept_(front, TitleScreen()),
      newGame_(std::move(newGame)),
      files_(std::make_unique<RecordedFiles>(*this)),
      game_(newGame_(*this)) {}

Rollback::~Rollback() = default;

Files& Rollback::files() {
    return *files_;
}

void Rollback::Click(bool forward) {
    Run([this, forward] {
        if (forward && CanGoForward() && record_[at_].kind == Kind::kClick) {
            ++at_;
            forwarded_ = true;
        } else {
            Answer click(Kind::kClick);
            click.step = at_ > 0;  // the title's click begins the game: nothing before it
            Take(std::move(click));
            forwarded_ = false;
        }
        game_->lblMsg_Click();
    });
}

void Rollback::Continue(const std::string& slot) {
    Run([this, slot] {
        listScreen_ = kept_.drawn();
        Answer resume(Kind::kContinue);
        resume.choice = slot;
        Take(std::move(resume));
        forwarded_ = false;
        game_->ContinueClick(slot);
    });
}

void Rollback::Back() {
    if (const std::optional<size_t> target = StepBefore(at_)) {
        Run([this, step = *target] { Replay(step); });
    }
}

bool Rollback::CanGoBack() const {
    return live() && StepBefore(at_).has_value();
}

size_t Rollback::AnswersTakenBack() const {
    const std::optional<size_t> step = StepBefore(at_);
    if (!CanGoBack() || !step) return 0;
    return static_cast<size_t>(
        std::count_if(record_.begin() + static_cast<std::ptrdiff_t>(*step),
                      record_.begin() + static_cast<std::ptrdiff_t>(at_),
                      [](const Answer& answer) { return IsWait(answer.kind); }));
}

bool Rollback::CanGoForward() const {
    return live() && at_ < record_.size() && IsWait(record_[at_].kind);
}

// The steps since the last load: a slot read whole begins a game of its own.
std::optional<size_t> Rollback::StepBefore(size_t at) const {
    for (size_t i = at; i-- > 0;) {
        if (record_[i].kind == Kind::kRead && record_[i].done) break;
        if (record_[i].step) return i;
    }
    return std::nullopt;
}

// A step back unwinds the game playing to here; the game played again in
// its place plays on inside this loop, and may be taken back again.
void Rollback::Run(std::function<void()> play) {
    for (;;) {
        try {
            play();
            return;
        } catch (const StepBack&) {
            // Without a step before, the game is played again to the same one.
            const size_t step = StepBefore(at_).value_or(at_);
            play = [this, step] { Replay(step); };
        }
    }
}

void Rollback::Replay(size_t target) {
    game_.reset();
    game_ = newGame_(*this);
    kept_.Hide();
    kept_.drawn() = TitleScreen();
    at_ = 0;
    handOverAt_ = target;
    forwarded_ = false;
    // Between the recorded clicks on the message label the game waits for
    // none of its windows (window-move mode).
    while (!live()) {
        const bool clicked = at_ < record_.size() && (record_[at_].kind == Kind::kClick ||
                                                      record_[at_].kind == Kind::kContinue);
        if (at_ == handOverAt_ || !clicked) {
            if (!clicked && at_ < record_.size()) DropAfterHere(true);
            HandOver();
            return;
        }
        const Answer click = record_[at_++];  // the game may change the record
        if (click.kind == Kind::kClick) {
            game_->lblMsg_Click();
        } else {
            kept_.drawn() = loadScreen_;
            game_->ContinueClick(click.choice.value_or(""));
        }
    }
}

const Rollback::Answer* Rollback::Recorded(Kind kind) {
    if (live()) return nullptr;
    const bool matches = at_ < record_.size() && record_[at_].kind == kind;
    if (matches && at_ < handOverAt_) {
        // The list of the last load, reached by the first load's way: the
        // screen as it was when the player chose from it.
        if (at_ == loadWay_) kept_.drawn() = loadScreen_;
        return &record_[at_++];
    }
    // Played again, the game asks what it did not ask then (a scenario file
    // gone since): what was recorded after this no longer holds.
    if (!matches) DropAfterHere(true);
    HandOver();
    return nullptr;
}

void Rollback::DropAfterHere(bool diverged) {
    if (at_ >= record_.size()) return;
    record_.erase(record_.begin() + static_cast<std::ptrdiff_t>(at_), record_.end());
    if (loadWay_ >= at_) loadWay_.reset();  // the load it led to is gone
    if (diverged && tell_) tell_(kStepsDropped);
}

// The answers between the first load's way and this load's list of slots
// can never be gone back to: they go, and the list follows the way. A load
// that no list chose begins the record anew, as 続きから from its slot, on
// the screen it was made over.
void Rollback::Loaded(const std::string& slot) {
    const bool listed = at_ >= 3 && record_[at_ - 3].kind == Kind::kList;
    if (!listed) {
        Answer resume(Kind::kContinue);
        resume.choice = slot;
        record_.erase(record_.begin(), record_.begin() + static_cast<std::ptrdiff_t>(at_ - 1));
        record_.insert(record_.begin(), std::move(resume));
        at_ = 2;
        loadWay_.reset();
        loadScreen_ = listScreen_;
        return;
    }
    const size_t list = at_ - 3;
    if (loadWay_ && *loadWay_ < list) {
        const auto from = record_.begin() + static_cast<std::ptrdiff_t>(*loadWay_);
        record_.erase(from, from + static_cast<std::ptrdiff_t>(list - *loadWay_));
        at_ -= list - *loadWay_;
    } else {
        loadWay_ = list;
    }
    loadScreen_ = listScreen_;
}

void Rollback::HandOver() {
    kept_.Show();
}

// Another answer of the player's leaves the steps recorded after it; the
// game asking something else there, or a slot read or written otherwise,
// means that it no longer plays as recorded.
const Rollback::Answer& Rollback::Take(Answer answer) {
    if (at_ < record_.size()) {
        if (record_[at_] == answer) return record_[at_++];
        DropAfterHere(record_[at_].kind != answer.kind || IsFileStep(answer.kind));
    }
    record_.push_back(std::move(answer));
    return record_[at_++];
}

template <typename Wait>
const Rollback::Answer& Rollback::Ask(Kind kind, bool step, Wait wait) {
    if (const Answer* recorded = Recorded(kind)) return *recorded;
    for (;;) {
        Answer answer(kind);
        answer.step = step;
        try {
            wait(answer);
        } catch (const StepForward&) {
            if (CanGoForward() && record_[at_].kind == kind) {
                forwarded_ = true;
                return record_[at_++];
            }
            // The game waits here for what was not recorded (a scenario
            // file changed since the player went back): it waits again.
            DropAfterHere(true);
            continue;
        }
        forwarded_ = false;
        return Take(std::move(answer));
    }
}

Twips Rollback::MainWindowPosition() {
    if (const Answer* recorded = Recorded(Kind::kPosition)) return recorded->position;
    if (forwarded_ && at_ < record_.size() && record_[at_].kind == Kind::kPosition) {
        return record_[at_++].position;
    }
    Answer answer(Kind::kPosition);
    answer.position = kept_.MainWindowPosition();
    return Take(std::move(answer)).position;
}

// The NEXT of the picture window belongs to the picture: going back from
// it goes back to the picture.
void Rollback::WaitNext(Twips at) {
    Ask(Kind::kNext, !kept_.drawn().pictureWindowOpen, [&](Answer&) { kept_.WaitNext(at); });
}

YesNo Rollback::AskYesNo(Twips at) {
    return Ask(Kind::kYesNo, true, [&](Answer& a) { a.yesNo = kept_.AskYesNo(at); }).yesNo;
}

NameEntry Rollback::WaitNameDialog() {
    return Ask(Kind::kName, true, [&](Answer& a) { a.name = kept_.WaitNameDialog(); }).name;
}

std::optional<std::string> Rollback::ChooseFromList(ListOf list,
                                                    const std::vector<std::string>& entries,
                                                    Twips at) {
    return Ask(Kind::kList, true,
               [&](Answer& a) {
                   listScreen_ = kept_.drawn();
                   a.choice = kept_.ChooseFromList(list, entries, at);
               })
        .choice;
}

// The screen a quick load is made over, should the menu's answer be one.
std::optional<std::string> Rollback::ChooseCommand(const std::vector<MenuRow>& rows) {
    return Ask(Kind::kMenu, true,
               [&](Answer& a) {
                   listScreen_ = kept_.drawn();
                   a.choice = kept_.ChooseCommand(rows);
               })
        .choice;
}

void Rollback::WaitPictureClick(const NamedPicture& picture) {
    Ask(Kind::kPicture, true, [&](Answer&) { kept_.WaitPictureClick(picture); });
    kept_.drawn().pictureWindowOpen = true;  // answered from the record, out of sight
}

}  // namespace velmora
