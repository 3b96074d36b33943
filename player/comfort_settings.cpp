#include "player/comfort_settings.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace velmora {
namespace {

// The settings' switches by section and key, in the order Qt's settings
// wrote them (sections and keys alphabetical); the volume sits among them.
struct Switch {
    const char* section;
    const char* key;
    bool ComfortSettings::*on;
};
constexpr Switch kSwitches[] = {
    {"display", "largerText", &ComfortSettings::largerText},
    {"input", "autoAdvance", &ComfortSettings::autoAdvance},
    {"input", "skipUnread", &ComfortSettings::skipUnread},
    {"input", "wheelDownPressesNext", &ComfortSettings::wheelDownPressesNext},
    {"music", "muted", &ComfortSettings::muted},
    {"speech", "speakMessages", &ComfortSettings::speakMessages}};
constexpr char kVolumeSection[] = "music";
constexpr char kVolumeKey[] = "volume";
constexpr char kPaceSection[] = "input";
constexpr char kPaceKey[] = "autoAdvancePace";
constexpr char kTextSpeedKey[] = "textSpeed";
constexpr const char* kSections[] = {"display", "input", "music", "speech"};
// An editor's byte-order mark before the first section (read as a space
// wherever a line begins with one).
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Each Take* keeps the setting as it is where the value is of no form it
// reads, and says so (false).
// A switch as Qt writes it, or as a player writes it by hand.
bool TakeSwitch(const std::string& value, bool* to) {
    const std::string v = Lower(value);
    const bool on = v == "true" || v == "1" || v == "yes" || v == "on";
    const bool off = v == "false" || v == "0" || v == "no" || v == "off";
    if (on || off) *to = on;
    return on || off;
}

bool TakeVolume(const std::string& value, int* to) {
    if (value.empty() || value.size() > 3 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    *to = std::min(std::stoi(value), 100);
    return true;
}

// One digit, a pace (a speed) of its table.
bool TakeIndex(const std::string& value, int count, int* to) {
    if (value.size() != 1 || value[0] < '0' || value[0] - '0' >= count) return false;
    *to = value[0] - '0';
    return true;
}

bool Known(const std::string& section, const std::string& key) {
    return (section == kVolumeSection && key == kVolumeKey) ||
           (section == kPaceSection && (key == kPaceKey || key == kTextSpeedKey)) ||
           std::any_of(std::begin(kSwitches), std::end(kSwitches),
                       [&](const Switch& s) { return section == s.section && key == s.key; });
}

// One "key=value" line of a section: its key, its value without a comment
// after it (";" as in Qt's settings files), and the line as written.
struct Line {
    std::string key;
    std::string value;
    std::string written;
};
using Sections = std::vector<std::pair<std::string, std::vector<Line>>>;

// The file's keys by section, in the file's order; comments and lines of
// no key left out. Keys before any section belong to the section "".
Sections Read(const std::string& text) {
    Sections sections{{"", {}}};
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string line = Trimmed(text.substr(at, end - at));
        while (line.starts_with(kByteOrderMark)) line = Trimmed(line.substr(3));
        at = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.emplace_back(line.substr(1, line.size() - 2), std::vector<Line>{});
            continue;
        }
        const size_t equals = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '#' || equals == std::string::npos)
            continue;
        const std::string value = line.substr(equals + 1);
        sections.back().second.push_back(
            {Trimmed(line.substr(0, equals)), Trimmed(value.substr(0, value.find(';'))), line});
    }
    return sections;
}

// The lines of one section among `others`, made empty when it has none yet.
std::string& LinesOf(std::vector<std::pair<std::string, std::string>>& others,
                     const std::string& section) {
    for (auto& [name, lines] : others) {
        if (name == section) return lines;
    }
    return others.emplace_back(section, "").second;
}

std::string Format(const ComfortSettings& s, const Sections& kept) {
    // What this version does not know, section by section, as it was written.
    std::vector<std::pair<std::string, std::string>> others;
    for (const auto& [section, lines] : kept) {
        for (const Line& line : lines) {
            if (!Known(section, line.key)) LinesOf(others, section) += line.written + "\n";
        }
    }
    std::string out = LinesOf(others, "");
    for (const char* section : kSections) {
        out += std::string(out.empty() ? "" : "\n") + "[" + section + "]\n";
        for (const Switch& each : kSwitches) {
            if (std::string(each.section) != section) continue;
            out += std::string(each.key) + "=" + (s.*each.on ? "true" : "false") + "\n";
            if (each.key == std::string("muted"))
                out += std::string(kVolumeKey) + "=" + std::to_string(s.volume) + "\n";
            if (each.on == &ComfortSettings::autoAdvance)
                out += std::string(kPaceKey) + "=" + std::to_string(s.autoAdvancePace) + "\n";
            if (each.on == &ComfortSettings::skipUnread)
                out += std::string(kTextSpeedKey) + "=" + std::to_string(s.textSpeed) + "\n";
        }
        out += std::exchange(LinesOf(others, section), "");
    }
    for (const auto& [section, lines] : others) {
        if (!section.empty() && !lines.empty()) out += "\n[" + section + "]\n" + lines;
    }
    return out;
}

}  // namespace

ComfortSettings ParseComforts(const std::string& text, int* unread) {
    ComfortSettings settings;
    int lost = 0;
    for (const auto& [section, lines] : Read(text)) {
        for (const Line& line : lines) {
            bool taken = true;
            if (section == kVolumeSection && line.key == kVolumeKey)
                taken = TakeVolume(line.value, &settings.volume);
            if (section == kPaceSection && line.key == kPaceKey)
                taken =
                    TakeIndex(line.value, timing::kAutoAdvancePaceCount, &settings.autoAdvancePace);
            if (section == kPaceSection && line.key == kTextSpeedKey)
                taken = TakeIndex(line.value, timing::kTextSpeedCount, &settings.textSpeed);
            for (const Switch& each : kSwitches) {
                if (section == each.section && line.key == each.key)
                    taken = TakeSwitch(line.value, &(settings.*each.on));
            }
            lost += !taken;
        }
    }
    if (unread) *unread = lost;
    return settings;
}

std::string FormatComforts(const ComfortSettings& settings) {
    return Format(settings, {});
}

ComfortSettings LoadComforts(Files& folder, std::string* why, int* unread) {
    ReadFailure failure;
    const std::optional<std::string> text =
        folder.Read(kComfortsFile, kComfortsFileLimit, &failure);
    if (!text && !failure.missing) *why = failure.why;
    if (unread) *unread = 0;
    return text ? ParseComforts(*text, unread) : ComfortSettings{};
}

// The keys and sections of a newer version (or the player's own) are kept,
// each section's after this version's keys.
bool SaveComforts(Files& folder, const ComfortSettings& settings, std::string* why) {
    return folder.Update(
        kComfortsFile, kComfortsFileLimit,
        [&](const std::optional<std::string>& now) {
            return Format(settings, now ? Read(*now) : Sections{});
        },
        why);
}

}  // namespace velmora
