#include "replay/skip.h"

namespace velmora {

void Skip::Message(const std::string& key) {
    read_ = record_.Read(key);
    record_.MarkRead(key);
}

template <typename Change>
void Skip::Changing(Change change) {
    const bool was = active();
    change();
    if (was != active() && changed_) changed_();
}

void Skip::Toggle() {
    if (active()) return Stop();
    Changing([this] {
        stopped_ = false;
        toggled_ = true;
    });
}

// Pressed anew, Ctrl skips again after a stop (a question, a click); kept
// held through the stop, it does not.
void Skip::Hold(bool held) {
    Changing([this, held] {
        if (held && !held_) stopped_ = false;
        held_ = held;
    });
}

void Skip::Stop() {
    Changing([this] {
        toggled_ = false;
        stopped_ = true;
    });
}

// A NEXT with no message of its own (the picture window's) counts as unread.
void Skip::WaitNext(Twips at) {
    if (Passes()) {
        if (shown_) shown_();
    } else {
        if (active()) Stop();
        front_.WaitNext(at);
    }
    read_ = false;
}

YesNo Skip::AskYesNo(Twips at) {
    Stop();
    return front_.AskYesNo(at);
}

void Skip::OpenNameDialog() {
    Stop();
    front_.OpenNameDialog();
}

NameEntry Skip::WaitNameDialog() {
    Stop();
    return front_.WaitNameDialog();
}

std::optional<std::string> Skip::ChooseFromList(ListOf list,
                                                const std::vector<std::string>& entries, Twips at) {
    Stop();
    return front_.ChooseFromList(list, entries, at);
}

std::optional<std::string> Skip::ChooseCommand(const std::vector<MenuRow>& rows) {
    Stop();
    return front_.ChooseCommand(rows);
}

void Skip::WaitPictureClick(const NamedPicture& picture) {
    Stop();
    front_.WaitPictureClick(picture);
}

}  // namespace velmora
