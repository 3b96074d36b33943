#include "tools/routes/completeness.h"

#include <algorithm>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "tools/routes/continuity.h"
#include "tools/routes/explorer.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace velmora::routes {
namespace {

using Kind = LookedFor::Kind;

struct KindName {
    const char* word;
    Kind kind;
    const char* says;  // how an unaccounted line names it
};
constexpr KindName kKinds[] = {
    {"person", Kind::Person, "a person"},
    {"time", Kind::Time, "a time"},
    {"meal", Kind::Meal, "a meal"},
    {"worn", Kind::Worn, "a thing worn"},
    {"carried", Kind::Carried, "a thing carried"},
    {"elsewhere", Kind::Elsewhere, "elsewhere"},
    {"not", Kind::None, ""},
};

const KindName& NameOf(Kind kind) {
    for (const KindName& k : kKinds) {
        if (k.kind == kind) return k;
    }
    return kKinds[0];
}

int IndexIn(const std::vector<std::string>& list, const std::string& id) {
    const auto at = std::find(list.begin(), list.end(), id);
    return at == list.end() ? -1 : static_cast<int>(at - list.begin());
}

}  // namespace

std::vector<const LookedFor*> FindLookedFor(const std::string& text,
                                            const std::vector<LookedFor>& words) {
    std::vector<const LookedFor*> found;
    for (size_t at = 0; at < text.size();) {
        const LookedFor* match = nullptr;
        for (const LookedFor& w : words) {
            if (text.compare(at, w.word.size(), w.word) == 0) {
                match = &w;
                break;
            }
        }
        if (match) {
            if (match->kind != Kind::None) found.push_back(match);
            at += match->word.size();
        } else {
            ++at;
            while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
        }
    }
    return found;
}

namespace {

class Accountant {
  public:
    Accountant(const std::vector<LookedFor>& words, const Ledger& ledger)
        : words_(words), l_(ledger) {}
    Accounting Run(const std::vector<SceneShows>& scenes);

  private:
    void CheckWords();
    void Scene(const SceneShows& scene, const LedgerEvent& entry);
    void Portraits(const SceneShows& scene, const LedgerEvent& entry);
    bool Accounted(const LookedFor& word, const LedgerEvent& entry) const;
    std::string Missing(const std::vector<const LookedFor*>& found, const LedgerEvent& entry) const;
    bool Has(const LedgerEvent& entry, std::initializer_list<Statement::Kind> kinds,
             const std::string& id) const;
    std::string IdOf(const Statement& line) const;

    const std::vector<LookedFor>& words_;
    const Ledger& l_;
    Accounting out_;
};

Accounting Accountant::Run(const std::vector<SceneShows>& scenes) {
    CheckWords();
    const LedgerEvent none;
    for (const SceneShows& scene : scenes) {
        const std::vector<LedgerEvent>& entries = scene.visit ? l_.visits : l_.events;
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&](const LedgerEvent& e) { return e.name == scene.name; });
        Scene(scene, entry == entries.end() ? none : *entry);
    }
    return std::move(out_);
}

// Every id a looked-for word gives is one the ledger knows.
void Accountant::CheckWords() {
    for (const LookedFor& w : words_) {
        for (const std::string& id : w.ids) {
            const bool known = IndexIn(l_.people, id) >= 0 || IndexIn(l_.things, id) >= 0 ||
                               IndexIn(l_.facts, id) >= 0 ||
                               std::any_of(l_.words.begin(), l_.words.end(),
                                           [&](const TimeWord& t) { return t.name == id; });
            if (!known)
                out_.problems.push_back("words.txt: " + w.word + ": the ledger has no " + id);
        }
    }
}

std::string Accountant::IdOf(const Statement& line) const {
    switch (line.kind) {
        case Statement::Kind::Names:
            return l_.words[static_cast<size_t>(line.id)].name;
        case Statement::Kind::Comes:
        case Statement::Kind::Leaves:
            return l_.people[static_cast<size_t>(line.id)];
        case Statement::Kind::Wears:
        case Statement::Kind::Lacks:
        case Statement::Kind::Carries:
            return l_.things[static_cast<size_t>(line.thing)];
        default:
            return l_.facts[static_cast<size_t>(line.id)];
    }
}

bool Accountant::Has(const LedgerEvent& entry, std::initializer_list<Statement::Kind> kinds,
                     const std::string& id) const {
    for (const Statement& line : entry.lines) {
        if (std::find(kinds.begin(), kinds.end(), line.kind) != kinds.end() && IdOf(line) == id)
            return true;
    }
    return false;
}

// A word is accounted for by a line of the entry about one of its ids:
// the person present, the time word named, the thing worn, lacked or
// carried, the fact told, taken as known or as still unsettled.
bool Accountant::Accounted(const LookedFor& word, const LedgerEvent& entry) const {
    using S = Statement::Kind;
    for (const std::string& id : word.ids) {
        if (Has(entry,
                {S::Comes, S::Leaves, S::Names, S::Wears, S::Lacks, S::Carries, S::Tells,
                 S::Assumes, S::Open},
                id))
            return true;
    }
    return false;
}

// The words of a line that its entry does not account for, each once.
std::string Accountant::Missing(const std::vector<const LookedFor*>& found,
                                const LedgerEvent& entry) const {
    std::string missing;
    for (const LookedFor* w : found) {
        const std::string said = w->word + " (" + NameOf(w->kind).says + ")";
        if (Accounted(*w, entry) || missing.find(said) != std::string::npos) continue;
        missing += (missing.empty() ? "" : ", ") + said;
    }
    return missing;
}

std::string Named(const SceneLine& line) {
    if (!line.name.empty()) return line.name;
    // A line of the program's own by its first words.
    std::string head;
    int chars = 0;
    for (size_t at = 0; at < line.text.size() && chars < 24; ++chars) {
        size_t next = at + 1;
        while (next < line.text.size() &&
               (static_cast<unsigned char>(line.text[next]) & 0xC0) == 0x80)
            ++next;
        head += line.text.substr(at, next - at);
        at = next;
    }
    return "\"" + head + (head.size() < line.text.size() ? "…\"" : "\"");
}

bool Exempts(const Exemption& e, const SceneLine& line) {
    if (e.line.front() != '"') return e.line == line.name;
    return line.name.empty() &&
           line.text.find(e.line.substr(1, e.line.size() - 2)) != std::string::npos;
}

void Accountant::Scene(const SceneShows& scene, const LedgerEvent& entry) {
    if (!scene.visit) Portraits(scene, entry);
    std::vector<bool> used(entry.exempt.size(), false);
    for (const SceneLine& line : scene.lines) {
        const std::vector<const LookedFor*> found = FindLookedFor(line.text, words_);
        if (found.empty()) continue;
        ++out_.looked;
        const std::string missing = Missing(found, entry);
        int exemption = -1;
        for (size_t e = 0; e < entry.exempt.size(); ++e) {
            if (Exempts(entry.exempt[e], line)) exemption = static_cast<int>(e);
        }
        if (exemption >= 0) {
            used[static_cast<size_t>(exemption)] = true;
            if (missing.empty()) {
                out_.problems.push_back(scene.name + ": " + Named(line) +
                                        " needs no exemption: its entry accounts for its words");
            } else {
                ++out_.exempted;
            }
        } else if (!missing.empty()) {
            out_.unaccounted.push_back(Named(line) + " (" + scene.name + "): " + missing);
        }
    }
    for (size_t e = 0; e < entry.exempt.size(); ++e) {
        if (!used[e]) {
            out_.problems.push_back(scene.name + " exempts " + entry.exempt[e].line +
                                    ", which it never shows");
        }
    }
}

// Everyone whose portrait the scene shows is present, and wears what it shows.
void Accountant::Portraits(const SceneShows& scene, const LedgerEvent& entry) {
    for (const std::string& name : scene.portraits) {
        const auto who = std::find_if(l_.persons.begin(), l_.persons.end(),
                                      [&](const Person& p) { return p.name == name; });
        if (who == l_.persons.end()) {
            out_.problems.push_back(scene.name + " shows the portrait of " + name +
                                    ", whom the ledger does not know");
            continue;
        }
        const int person = static_cast<int>(who - l_.persons.begin());
        if (!Has(entry, {Statement::Kind::Comes}, who->id)) {
            out_.problems.push_back(scene.name + " shows " + name +
                                    "'s portrait, but its entry has no comes " + who->id);
        }
        // A portrait never changes: words may put more on someone (a jacket
        // lent), but never take off what it shows.
        for (const Statement& line : entry.lines) {
            if (line.id != person || line.kind != Statement::Kind::Lacks) continue;
            if (std::find(who->outfit.begin(), who->outfit.end(), line.thing) == who->outfit.end())
                continue;
            out_.problems.push_back(scene.name + " says " + who->id + " has no " +
                                    l_.things[static_cast<size_t>(line.thing)] + ", which " + name +
                                    "'s portrait wears");
        }
    }
}

}  // namespace

std::vector<LookedFor> ReadLookedFor(const std::string& text, std::vector<std::string>* problems) {
    std::vector<LookedFor> words;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream in(line);
        std::string kind;
        if (!(in >> kind) || kind[0] == '#') continue;
        const auto k = std::find_if(std::begin(kKinds), std::end(kKinds),
                                    [&](const KindName& n) { return kind == n.word; });
        std::vector<std::string> rest;
        for (std::string w; in >> w;) rest.push_back(w);
        const size_t least = k != std::end(kKinds) && k->kind == Kind::None ? 1 : 2;
        if (k == std::end(kKinds) || rest.size() < least) {
            problems->push_back("words.txt:" + std::to_string(number) +
                                ": a line is person, time, meal, worn, carried or elsewhere, a "
                                "word and what accounts for it; or not and words");
            continue;
        }
        if (k->kind == Kind::None) {
            for (const std::string& w : rest) words.push_back({w, Kind::None, {}});
        } else {
            words.push_back({rest[0], k->kind, {rest.begin() + 1, rest.end()}});
        }
    }
    std::stable_sort(words.begin(), words.end(), [](const LookedFor& a, const LookedFor& b) {
        return a.word.size() > b.word.size();
    });
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i].word == words[i - 1].word)
            problems->push_back("words.txt: " + words[i].word + " twice");
    }
    return words;
}

std::vector<SceneShows> ScenesOf(const Exploration& x, const std::string& dataFolder,
                                 std::vector<std::string>* problems) {
    PosixFiles data(dataFolder);
    std::vector<std::vector<Item>> items(kScenarioFileCount);
    for (int f = 0; f < kScenarioFileCount; ++f) {
        ReadFailure failure;
        const std::optional<std::string> bytes =
            data.Read(ScenarioFileName(f), kScenarioFileLimit, &failure);
        if (!bytes) problems->push_back(ScenarioFileName(f) + ": " + failure.why);
        if (bytes) items[static_cast<size_t>(f)] = ReadItems(DecodeCp932(*bytes));
    }
    const auto own = [&](const std::set<int>& ids, SceneShows* scene) {
        for (int id : ids) scene->lines.push_back({"", x.ownLines[static_cast<size_t>(id)]});
    };
    std::vector<SceneShows> scenes;
    for (int e = 0; e < x.story.count(); ++e) {
        const EventShows& shows = x.shows[static_cast<size_t>(e)];
        SceneShows scene{x.story.list()[static_cast<size_t>(e)].name, false, {}, {}};
        for (ItemId item = 0; item < kItemCount; ++item) {
            if (!shows.items.test(static_cast<size_t>(item))) continue;
            const std::vector<Item>& file = items[static_cast<size_t>(FileOfItem(item))];
            const auto index = static_cast<size_t>(IndexOfItem(item));
            scene.lines.push_back({MarkerText(item), index < file.size() ? file[index].text : ""});
        }
        own(shows.own, &scene);
        for (int p : shows.portraits)
            scene.portraits.push_back(x.portraits[static_cast<size_t>(p)]);
        scenes.push_back(std::move(scene));
    }
    for (const auto& [caption, lines] : x.placeLines) {
        scenes.push_back({caption, true, {}, {}});
        own(lines, &scenes.back());
    }
    return scenes;
}

Accounting Account(const std::vector<SceneShows>& scenes, const std::vector<LookedFor>& words,
                   const Ledger& ledger) {
    return Accountant(words, ledger).Run(scenes);
}

namespace {

std::string StoryFile(const std::string& dataFolder, const char* name,
                      std::vector<std::string>* problems) {
    ReadFailure failure;
    std::optional<std::string> text =
        PosixFiles(dataFolder + "/story").Read(name, kScenarioFileLimit, &failure);
    if (!text) problems->push_back(std::string(name) + ": " + failure.why);
    return text.value_or("");
}

}  // namespace

Ledger ReadStoryLedger(const std::string& dataFolder, std::vector<std::string>* problems) {
    return ReadLedger(StoryFile(dataFolder, "continuity.txt", problems), problems);
}

std::vector<LookedFor> ReadStoryWords(const std::string& dataFolder,
                                      std::vector<std::string>* problems) {
    return ReadLookedFor(StoryFile(dataFolder, "words.txt", problems), problems);
}

LedgerCheck CheckLedger(const Exploration& x, const std::string& dataFolder) {
    LedgerCheck out;
    const Ledger ledger = ReadStoryLedger(dataFolder, &out.slips);
    const std::vector<LookedFor> words = ReadStoryWords(dataFolder, &out.slips);
    const std::vector<std::string> slips = CheckContinuity(GraphOf(x), ledger);
    out.slips.insert(out.slips.end(), slips.begin(), slips.end());
    out.accounting = Account(ScenesOf(x, dataFolder, &out.slips), words, ledger);
    const std::vector<std::string>& problems = out.accounting.problems;
    out.slips.insert(out.slips.end(), problems.begin(), problems.end());
    return out;
}

}  // namespace velmora::routes
