#include "tools/routes/continuity_ledger.h"

#include <cstdlib>
#include <sstream>

namespace velmora::routes {
namespace {

template <typename T>
int IndexOf(const std::vector<T>& list, const std::string& name) {
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
    void EventLine(const std::string& keyword, std::istringstream& in);
    void Problem(const std::string& what) {
        problems_->push_back("continuity.txt:" + std::to_string(lineNo_) + ": " + what);
    }

    std::vector<std::string>* problems_;
    Ledger ledger_;
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
        std::string id;
        in >> id;
        if (id.empty() || IndexOf(ledger_.facts, id) >= 0) return Problem("fact without a new id");
        ledger_.facts.push_back(id);
    } else if (keyword == "event") {
        std::string name;
        std::getline(in >> std::ws, name);
        for (const LedgerEvent& e : ledger_.events) {
            if (e.name == name) return Problem("a second entry for " + name);
        }
        ledger_.events.push_back({name, {}, {}, {}});
    } else {
        Problem("not a word, fact or event: " + line);
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
    if (ledger_.events.empty()) return Problem("an indented line before the first event");
    LedgerEvent& event = ledger_.events.back();
    std::vector<int>* into = keyword == "tells"     ? &event.tells
                             : keyword == "assumes" ? &event.assumes
                             : keyword == "names"   ? &event.names
                                                    : nullptr;
    if (!into) return Problem("an event's line is tells, assumes or names: " + keyword);
    for (std::string id; in >> id;) {
        const int index =
            into == &event.names ? WordIndex(ledger_.words, id) : IndexOf(ledger_.facts, id);
        if (index < 0) {
            Problem("no " + std::string(into == &event.names ? "word " : "fact ") + id);
        } else {
            into->push_back(index);
        }
    }
}

}  // namespace

Ledger ReadLedger(const std::string& text, std::vector<std::string>* problems) {
    return Reader(problems).Read(text);
}

}  // namespace velmora::routes
