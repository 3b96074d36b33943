// The two files of a slot that the player brings into the page, and what
// the game makes of them (app/page_slots.h).
#pragma once

#include <string>

namespace velmora::web {

// confirmed: the player has answered the game's question YES.
struct Upload {
    std::string slot;
    std::string flagFile;
    std::string textFile;
    bool confirmed = false;
};

// Refuse them (why), ask the player first (the question), or let them
// replace the slot.
struct UploadVerdict {
    bool readable = false;
    std::string why;       // unreadable: what is wrong with them
    std::string question;  // not empty: ask the player this first
};

}  // namespace velmora::web
