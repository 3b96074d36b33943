// The story's continuity ledger (data/story/continuity.txt): the facts of
// the story, the time words and the people, and for every event what its
// lines do, in the order it plays them: the facts it tells as news, those
// it takes as known and those it takes as still unsettled, the time words
// it names, who comes to the hero and who leaves, what its words dress
// someone in or put in their hands; whether its words are written to be
// heard again on one route; and the lines it exempts from the completeness
// check, each with the reason (completeness.h).
#pragma once

#include <string>
#include <vector>

namespace velmora::routes {

// A time word and when it holds: on `day` (0: any day), from the half hour
// `from` to the half hour `to` of that day, both included (0 is AM 0:00,
// 47 is PM 11:30).
struct TimeWord {
    std::string name;
    int day = 0;
    int from = 0;
    int to = 47;
};

// One line of an event's entry, about a fact, a time word or a person.
struct Statement {
    enum class Kind {
        Tells,    // news: no route may tell the fact twice
        Assumes,  // known: every route to here has told it
        Open,     // still unsettled: no route to here has told it
        Names,    // a time word its lines name: it always plays then
        Comes,    // the person comes to the hero in this scene
        Leaves,   // the scene ends with the person gone for the rest of the visit
        Wears,    // its words dress the person (-1: the hero) in the thing
        Lacks,    // its words say the person (-1: the hero) has none of the thing
        Carries,  // its words put the thing in the person's (-1: the hero's) hands
    };
    Kind kind;
    int id;          // into Ledger::facts, words or people, by the kind
    int thing = -1;  // into Ledger::things, for Wears, Lacks and Carries
};

// A line a scene shows whose looked-for words no ledger line accounts for,
// named ("kumi02#51", or a piece of a line of the program's own in double
// quotes), and why it reads true all the same.
struct Exemption {
    std::string line;
    std::string why;
};

// When an event's words may be heard again on one route.
enum class Again {
    Never,     // once: a second time reads as a slip
    LaterDay,  // on a later day, never twice in one day (a regular's greeting)
    AnyVisit,  // at any later visit (the empty breakwater)
};

struct LedgerEvent {
    std::string name;              // as the route explorer names it: "park P3"
    std::vector<Statement> lines;  // in the order the scene plays them
    Again again = Again::Never;
    std::vector<Exemption> exempt;
};

struct Person {
    std::string id, name;     // "akira", "明": the name its portrait goes by
    std::vector<int> outfit;  // the things its portrait shows them wearing
};

struct Ledger {
    std::vector<std::string> facts;
    std::vector<TimeWord> words;
    std::vector<std::string> people;  // their ids
    std::vector<Person> persons;      // the same, with their names and outfits
    std::vector<std::string> things;
    std::vector<LedgerEvent> events;
    // A place's visit outside its events (by the menu's caption; "" is the
    // start): only exemptions.
    std::vector<LedgerEvent> visits;
};

// Reads a ledger. Every line it cannot read goes into *problems with its
// line number; the rest of the ledger is still read.
Ledger ReadLedger(const std::string& text, std::vector<std::string>* problems);

}  // namespace velmora::routes
