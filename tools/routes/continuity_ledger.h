// The story's continuity ledger (data/story/continuity.txt): the facts of
// the story, the time words, and for every event the facts it tells as
// news, the facts it takes as known and the time words its lines name.
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

struct LedgerEvent {
    std::string name;                 // as the route explorer names it: "park P3"
    std::vector<int> tells, assumes;  // indices into Ledger::facts
    std::vector<int> names;           // indices into Ledger::words
};

struct Ledger {
    std::vector<std::string> facts;
    std::vector<TimeWord> words;
    std::vector<LedgerEvent> events;
};

// Reads a ledger. Every line it cannot read goes into *problems with its
// line number; the rest of the ledger is still read.
Ledger ReadLedger(const std::string& text, std::vector<std::string>* problems);

}  // namespace velmora::routes
