// The ledger complete by construction. Every line a scene shows that names
// a person, a time of day or a day, a meal, a thing worn or carried, or a
// thing that happened elsewhere (the words of data/story/words.txt) is
// accounted for by its scene's entry in the ledger: the person present
// (comes), the time word named (names), what someone wears, lacks or
// carries, a fact it tells, takes as known or as still unsettled; or by an
// exemption that names the line and says why it reads true all the same.
// What the entry declares the continuity check proves over every route
// (continuity.h); that nobody lacks what their portrait shows, and that
// everyone whose portrait a scene shows is present in its entry, is proved
// here.
#pragma once

#include <string>
#include <vector>

#include "tools/routes/continuity_ledger.h"

namespace velmora::routes {

struct Exploration;

// A word looked for, and what in the ledger may account for it.
struct LookedFor {
    enum class Kind { Person, Time, Meal, Worn, Carried, Elsewhere, None };
    std::string word;
    Kind kind = Kind::None;
    std::vector<std::string> ids;  // the people, time words, things or facts that may
};

// Reads the looked-for words; every line it cannot read goes into
// *problems. None words hold a looked-for word but are none (明日 is no 明):
// the longest word found at a place is the one that counts.
std::vector<LookedFor> ReadLookedFor(const std::string& text, std::vector<std::string>* problems);

// The looked-for words a text holds, in order, the longest at each place
// (none words left out).
std::vector<const LookedFor*> FindLookedFor(const std::string& text,
                                            const std::vector<LookedFor>& words);

// A line a scene shows: a scenario item ("kumi02#35") or a line of the
// program's own (no name: it is named by its words).
struct SceneLine {
    std::string name;
    std::string text;
};

// What one event, or a place's visit outside its events, shows on any route.
struct SceneShows {
    std::string name;  // the event as the ledger names it, or the menu's caption ("start")
    bool visit = false;
    std::vector<SceneLine> lines;
    std::vector<std::string> portraits;  // the names the portraits go by ("明")
};

// What every event and visit shows, the scenario items read from the
// shipped files in dataFolder (an unreadable file goes into *problems).
std::vector<SceneShows> ScenesOf(const Exploration& x, const std::string& dataFolder,
                                 std::vector<std::string>* problems);

struct Accounting {
    std::vector<std::string> unaccounted;  // one line for each line nobody accounted for
    std::vector<std::string> problems;     // the ledger against the words and the portraits
    int looked = 0;                        // lines that hold a looked-for word
    int exempted = 0;                      // of them, those exempted
};

Accounting Account(const std::vector<SceneShows>& scenes, const std::vector<LookedFor>& words,
                   const Ledger& ledger);

// The ledger of the story's folder (data/story/continuity.txt, with the
// words of data/story/words.txt) over an exploration: what cannot be read,
// the continuity check's slips and the completeness check's problems in
// `slips`, the lines nobody accounted for in `accounting`.
// The story's ledger and its looked-for words, from its data folder
// (data/story/continuity.txt, data/story/words.txt).
Ledger ReadStoryLedger(const std::string& dataFolder, std::vector<std::string>* problems);
std::vector<LookedFor> ReadStoryWords(const std::string& dataFolder,
                                      std::vector<std::string>* problems);

struct LedgerCheck {
    std::vector<std::string> slips;
    Accounting accounting;
};
LedgerCheck CheckLedger(const Exploration& x, const std::string& dataFolder);

}  // namespace velmora::routes
