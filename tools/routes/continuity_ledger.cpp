#include "tools/routes/continuity_ledger.h"

#include <cstdlib>
#include <sstream>

namespace velmora::routes {
namespace {

int IndexOf(const std::vector<std::string>& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i] == name) return static_cast<int>(i);
    }
    return -1;
}

int WordIndex(const std::vector<TimeWord>& words, const std::string& name) {
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i].name == name) return static_cast<int>(i);
    }
    return -1;
}

struct Keyword {
    const char* word;
    Statement::Kind kind;
};
constexpr Keyword kKeywords[] = {
    {"tells", Statement::Kind::Tells},     {"assumes", Statement::Kind::Assumes},
    {"open", Statement::Kind::Open},       {"names", Statement::Kind::Names},
    {"comes", Statement::Kind::Comes},     {"leaves", Statement::Kind::Leaves},
    {"wears", Statement::Kind::Wears},     {"lacks", Statement::Kind::Lacks},
    {"carries", Statement::Kind::Carries},
};

// What a statement of this kind names.
const char* KindOfId(Statement::Kind kind) {
    switch (kind) {
        case Statement::Kind::Names:
            return "word";
        case Statement::Kind::Comes:
        case Statement::Kind::Leaves:
            return "person";
        case Statement::Kind::Wears:
        case Statement::Kind::Lacks:
        case Statement::Kind::Carries:
            return "thing";
        default:
            return "fact";
    }
}

// "AM 9:30" -> the half hour of the day (19); -1 if it is not a clock reading.
int HalfHourOf(const std::string& half, const std::string& time) {
    int hour = -1, minute = -1;
    char colon = 0;
    std::istringstream in(time);
    in >> hour >> colon >> minute;
    if (!in || colon != ':' || hour < 0 || hour > 11 || (minute != 0 && minute != 30)) return -1;
    if (half != "AM" && half != "PM") return -1;
    return ((half == "PM" ? 12 : 0) + hour) * 2 + minute / 30;
}

class Reader {
  public:
    explicit Reader(std::vector<std::string>* problems) : problems_(problems) {}
    Ledger Read(const std::string& text);

  private:
    void Line(const std::string& line);
    void Word(std::istringstream& in);
    void Entry(std::vector<LedgerEvent>* list, std::istringstream& in);
    void EventLine(const std::string& keyword, std::istringstream& in);
    void AgainLine(LedgerEvent* event, std::istringstream& in);
    void ExceptLine(LedgerEvent* event, std::istringstream& in);
    void ThingLines(const Keyword& kind, std::istringstream& in);
    void Outfit(std::istringstream& in);
    bool Declare(std::vector<std::string>* list, const char* what, std::istringstream& in);
    int IdOf(Statement::Kind kind, const std::string& id) const;
    void Problem(const std::string& what) {
        problems_->push_back("continuity.txt:" + std::to_string(lineNo_) + ": " + what);
    }

    std::vector<std::string>* problems_;
    Ledger ledger_;
    std::vector<LedgerEvent>* entries_ = nullptr;  // the list the last entry went into
    int lineNo_ = 0;
};

Ledger Reader::Read(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        ++lineNo_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(' ') == std::string::npos || line[0] == '#') continue;
        Line(line);
    }
    return std::move(ledger_);
}

void Reader::Line(const std::string& line) {
    std::istringstream in(line);
    std::string keyword;
    in >> keyword;
    if (line[0] == ' ') {
        EventLine(keyword, in);
    } else if (keyword == "word") {
        Word(in);
    } else if (keyword == "fact") {
        Declare(&ledger_.facts, "fact", in);
    } else if (keyword == "thing") {
        Declare(&ledger_.things, "thing", in);
    } else if (keyword == "person") {
        if (!Declare(&ledger_.people, "person", in)) return;
        std::string name;
        in >> name;
        ledger_.persons.push_back({ledger_.people.back(), name, {}});
    } else if (keyword == "outfit") {
        Outfit(in);
    } else if (keyword == "event") {
        Entry(&ledger_.events, in);
    } else if (keyword == "visit") {
        Entry(&ledger_.visits, in);
    } else {
        Problem("not a word, fact, thing, person, outfit, event or visit: " + line);
    }
}

void Reader::Entry(std::vector<LedgerEvent>* list, std::istringstream& in) {
    std::string name;
    std::getline(in >> std::ws, name);
    entries_ = list;
    for (const LedgerEvent& e : *list) {
        if (e.name == name) {
            entries_ = nullptr;
            return Problem("a second entry for " + name);
        }
    }
    list->push_back({name, {}, Again::Never, {}});
}

bool Reader::Declare(std::vector<std::string>* list, const char* what, std::istringstream& in) {
    std::string id;
    in >> id;
    if (id.empty() || IndexOf(*list, id) >= 0) {
        Problem(what + std::string(" without a new id"));
        return false;
    }
    list->push_back(id);
    return true;
}

void Reader::Outfit(std::istringstream& in) {
    std::string who;
    in >> who;
    const int person = IndexOf(ledger_.people, who);
    if (person < 0) return Problem("an outfit of no person: " + who);
    for (std::string thing; in >> thing;) {
        const int id = IndexOf(ledger_.things, thing);
        if (id < 0) Problem("no thing " + thing);
        if (id >= 0) ledger_.persons[static_cast<size_t>(person)].outfit.push_back(id);
    }
}

void Reader::Word(std::istringstream& in) {
    TimeWord word;
    std::string day, fromHalf, fromTime, toHalf, toTime;
    in >> word.name >> day >> fromHalf >> fromTime >> toHalf >> toTime;
    word.day = day == "any" ? 0 : std::atoi(day.c_str());
    word.from = HalfHourOf(fromHalf, fromTime);
    word.to = HalfHourOf(toHalf, toTime);
    if (!in || word.day < 0 || word.day > 4 || word.from < 0 || word.to < word.from) {
        return Problem("a word is: word NAME DAY|any AM|PM h:mm AM|PM h:mm");
    }
    ledger_.words.push_back(word);
}

void Reader::EventLine(const std::string& keyword, std::istringstream& in) {
    if (!entries_ || entries_->empty()) {
        return Problem("an indented line before the first event");
    }
    LedgerEvent& event = entries_->back();
    if (keyword == "except") return ExceptLine(&event, in);
    if (entries_ == &ledger_.visits) return Problem("a visit's lines are except alone");
    if (keyword == "again") return AgainLine(&event, in);
    const Keyword* known = nullptr;
    for (const Keyword& k : kKeywords) {
        if (keyword == k.word) known = &k;
    }
    if (!known) {
        return Problem(
            "an event's line is tells, assumes, open, names, comes, leaves, wears, lacks, "
            "carries, again or except: " +
            keyword);
    }
    if (std::string(KindOfId(known->kind)) == "thing") return ThingLines(*known, in);
    for (std::string id; in >> id;) {
        const int index = IdOf(known->kind, id);
        if (index < 0) {
            Problem("no " + std::string(KindOfId(known->kind)) + " " + id);
        } else {
            event.lines.push_back({known->kind, index});
        }
    }
}

int Reader::IdOf(Statement::Kind kind, const std::string& id) const {
    switch (kind) {
        case Statement::Kind::Names:
            return WordIndex(ledger_.words, id);
        case Statement::Kind::Comes:
        case Statement::Kind::Leaves:
            return IndexOf(ledger_.people, id);
        default:
            return IndexOf(ledger_.facts, id);
    }
}

// wears WHO THING...: WHO is a person or the hero.
void Reader::ThingLines(const Keyword& kind, std::istringstream& in) {
    std::string who;
    in >> who;
    const int person = who == "hero" ? -1 : IndexOf(ledger_.people, who);
    if (who.empty() || (who != "hero" && person < 0)) return Problem("no person " + who);
    LedgerEvent& event = entries_->back();
    bool any = false;
    for (std::string thing; in >> thing; any = true) {
        const int id = IndexOf(ledger_.things, thing);
        if (id < 0) Problem("no thing " + thing);
        if (id >= 0) event.lines.push_back({kind.kind, person, id});
    }
    if (!any) Problem(std::string(kind.word) + " " + who + " without a thing");
}

// except kumi02#51 WHY, or except "a piece of the program's line" WHY.
void Reader::ExceptLine(LedgerEvent* event, std::istringstream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    std::string line, why;
    if (!rest.empty() && rest[0] == '"') {
        const size_t close = rest.find('"', 1);
        if (close != std::string::npos) {
            line = rest.substr(0, close + 1);
            why = rest.substr(close + 1);
        }
    } else {
        const size_t space = rest.find(' ');
        line = rest.substr(0, space);
        if (space != std::string::npos) why = rest.substr(space);
    }
    const size_t start = why.find_first_not_of(' ');
    why = start == std::string::npos ? "" : why.substr(start);
    if (line.size() < 3 || why.empty()) {
        return Problem("except is followed by FILE#ITEM or \"a piece of the line\", then why");
    }
    event->exempt.push_back({line, why});
}

void Reader::AgainLine(LedgerEvent* event, std::istringstream& in) {
    std::string when, more;
    in >> when >> more;
    if (when == "day" && more.empty()) {
        event->again = Again::LaterDay;
    } else if (when == "visit" && more.empty()) {
        event->again = Again::AnyVisit;
    } else {
        Problem("again is followed by day or visit");
    }
}

}  // namespace

Ledger ReadLedger(const std::string& text, std::vector<std::string>* problems) {
    return Reader(problems).Read(text);
}

}  // namespace velmora::routes
