#include "tests/engine/harness.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "world/cp932.h"
#include "world/slot_format.h"

namespace velmora::test {
namespace fs = std::filesystem;

namespace {

const char* const kScenarioFiles[] = {
    "akira01", "akira02", "akira03", "hitomi01", "hitomi02", "hitomi03", "kaori01",
    "kaori02", "kumi01",  "kumi02",  "ryouko01", "SATUKI01", "satuki02",
};

}  // namespace

GameFolder::GameFolder() {
    std::string pattern = (fs::temp_directory_path() / "velmora-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    for (const char* stem : kScenarioFiles) {
        std::string text;
        for (int i = 0; i <= 100; ++i) text += std::string(stem) + "#" + std::to_string(i) + "\r\n";
        Write(std::string(stem) + ".dat", text);
    }
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void GameFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ + "/" + name, std::ios::binary) << bytes;
}

void GameFolder::WriteText(const std::string& name, const std::string& utf8) const {
    Write(name, EncodeCp932(utf8).value());
}

void GameFolder::Remove(const std::string& name) const {
    fs::remove(path_ + "/" + name);
}

bool GameFolder::Has(const std::string& name) const {
    return fs::exists(path_ + "/" + name);
}

std::string GameFolder::Read(const std::string& name) const {
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void GameFolder::WriteSlot(const std::string& slot, const std::array<int16_t, kFlagCount>& flags,
                           const std::string& place, const std::string& name,
                           const std::string& nickname) const {
    Write(slot, FormatFlagFile(flags));
    Write(slot + "_text", *FormatTextFile({place, name, nickname}));
}

std::array<int16_t, kFlagCount> FlagsAt(int day, int half, int hour, int minute,
                                        std::vector<SetFlag> story) {
    GameState s;
    s.flag(Flag::Music) = 1;
    s.flag(Flag::PortraitMode) = 2;
    s.flag(Flag::SavedMinute) = static_cast<int16_t>(minute);
    s.flag(Flag::SavedDay) = static_cast<int16_t>(day);
    s.flag(Flag::SavedHour) = static_cast<int16_t>(hour);
    s.flag(Flag::SavedHalf) = static_cast<int16_t>(half);
    for (const SetFlag& f : story) s.flag(f.flag) = f.value;
    return s.Flags;
}

std::vector<std::string> Trace::Messages() const {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l.rfind("MSG ", 0) == 0) out.push_back(l.substr(4));
    }
    return out;
}

bool Trace::Has(const std::string& line) const {
    return Find(line) >= 0;
}

int Trace::Find(const std::string& line, int from) const {
    for (int i = from; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i] == line) return i;
    }
    return -1;
}

std::vector<int> Trace::ItemsOf(const std::string& stem) const {
    std::vector<int> items;
    for (const std::vector<int>& turn : ItemsByTurn(stem)) {
        items.insert(items.end(), turn.begin(), turn.end());
    }
    return items;
}

std::vector<std::vector<int>> Trace::ItemsByTurn(const std::string& stem) const {
    std::vector<std::vector<int>> turns(1);
    const std::string prefix = "MSG " + stem + "#";
    for (const std::string& l : lines) {
        if (l.rfind("MENU?", 0) == 0) turns.emplace_back();
        if (l.rfind(prefix, 0) == 0) turns.back().push_back(std::atoi(l.c_str() + prefix.size()));
    }
    return turns;
}

std::ostream& operator<<(std::ostream& out, const Moment& m) {
    return out << "Day " << m.day << (m.half ? " PM " : " AM ") << m.hour << ":"
               << (m.minute < 10 ? "0" : "") << m.minute;
}

Moment Trace::clock() const {
    return {finalState.Day, finalState.Half, finalState.Hour, finalState.Minute};
}

std::vector<std::string> Trace::Steps() const {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l != "NEXT?") out.push_back(l);
    }
    return out;
}

std::vector<std::string> Trace::LinesStarting(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
}

std::string Trace::LastSaid() const {
    const std::vector<std::string> m = Messages();
    return m.size() < 2 ? "" : m[m.size() - 2];
}

bool Trace::HasRun(const std::vector<std::string>& run) const {
    const std::vector<std::string> steps = Steps();
    return std::search(steps.begin(), steps.end(), run.begin(), run.end()) != steps.end();
}

std::string Trace::Text() const {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

Trace Play(const GameFolder& folder, const Decisions& decisions, bool ownSlots) {
    std::deque<std::string> left(decisions.begin(), decisions.end());
    Answerer answer = [&](const std::string& prompt) -> std::optional<std::string> {
        if (!left.empty() && left.front() == "@end") return std::nullopt;
        if (!left.empty() && left.front().rfind("@any:", 0) == 0) {
            std::string a = left.front().substr(5);
            left.pop_front();
            return a;
        }
        if (prompt == "NEXT?" || prompt == "CLICK?" || prompt.rfind("PICTURE?", 0) == 0) {
            return "";
        }
        if (left.empty()) return std::nullopt;
        std::string a = left.front();
        left.pop_front();
        return a;
    };
    std::ostringstream out;
    PosixFiles files(folder.path());
    TracePlatform platform(out, answer, files);
    Form1 form(platform);
    AutoSave autoSave;
    if (ownSlots) {
        platform.OfferOwnSlots(kAutoSlot);
        form.SaveAtTheMenu(&autoSave);
    }
    platform.PlayGame(form);

    Trace trace;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) trace.lines.push_back(line);
    trace.ended = !trace.lines.empty() && trace.lines.back() == "END";
    trace.finalState = form.state();
    trace.finalFlags = form.state().Flags;
    return trace;
}

Trace PlayFrom(Moment saved, std::vector<SetFlag> story, const Decisions& decisions,
               const std::string& place) {
    GameFolder folder;
    folder.WriteSlot(
        "file1", FlagsAt(saved.day, saved.half, saved.hour, saved.minute, std::move(story)), place);
    return Play(folder, LoadSlot1() + decisions);
}

std::vector<int> Items(std::initializer_list<std::pair<int, int>> runs) {
    std::vector<int> out;
    for (const auto& [from, to] : runs) {
        for (int i = from; i <= to; ++i) out.push_back(i);
    }
    return out;
}

namespace {

// Appended in order: GCC 12 at -O2 misreads the insertion at the front of a
// temporary that `" " + std::to_string(i)` makes as an overlapping copy.
std::string Listed(const std::vector<int>& items) {
    std::string out = "{";
    for (int i : items) {
        if (out.size() > 1) out += ' ';
        out += std::to_string(i);
    }
    return out + "}";
}

}  // namespace

std::string Misses(const Decisions& visit, const std::vector<When>& whens, const std::string& stem,
                   const std::vector<int>& lines, SetFlag done) {
    std::ostringstream out;
    for (const When& w : whens) {
        Trace t = PlayFrom(w.saved, w.story, w.plays ? visit + visit : visit);
        const std::vector<int> expected = w.plays ? lines : std::vector<int>{};
        std::ostringstream at;
        at << w.saved << " with";
        for (const SetFlag& f : w.story)
            at << " flag " << static_cast<int>(f.flag) << " = " << f.value;
        if (t.ItemsOf(stem) != expected) {
            out << at.str() << ": " << stem << " " << Listed(t.ItemsOf(stem)) << ", not "
                << Listed(expected) << "\n";
        }
        if (w.plays && t.flag(done.flag) != done.value) {
            out << at.str() << ": flag " << static_cast<int>(done.flag) << " = "
                << t.flag(done.flag) << ", not " << done.value << "\n";
        }
    }
    return out.str();
}

Decisions CloseAfterClicks(int n) {
    Decisions d(n, "@any:");
    d.push_back("@end");
    return d;
}

Decisions LoadSlot1() {
    return {"yes", "file1", "yes"};
}

Decisions operator+(Decisions a, const Decisions& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> Clicks(size_t n) {
    return std::vector<std::string>(n, "");
}

}  // namespace velmora::test
