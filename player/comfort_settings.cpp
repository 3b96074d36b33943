#include "player/comfort_settings.h"

#include <algorithm>
#include <cctype>

namespace velmora {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void TakeSwitch(const std::string& value, bool* to) {
    const std::string v = Lower(value);
    if (v == "true" || v == "1") *to = true;
    if (v == "false" || v == "0") *to = false;
}

void TakeVolume(const std::string& value, int* to) {
    if (value.empty() || value.size() > 3 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return;
    *to = std::min(std::stoi(value), 100);
}

std::string Switch(bool on) {
    return on ? "true" : "false";
}

}  // namespace

ComfortSettings ParseComforts(const std::string& text) {
    ComfortSettings settings;
    std::string section;
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = Trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = section + "/" + Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if (key == "music/volume") TakeVolume(value, &settings.volume);
        if (key == "music/muted") TakeSwitch(value, &settings.muted);
        if (key == "input/wheelDownPressesNext") TakeSwitch(value, &settings.wheelDownPressesNext);
        if (key == "input/autoAdvance") TakeSwitch(value, &settings.autoAdvance);
        if (key == "input/skipUnread") TakeSwitch(value, &settings.skipUnread);
        if (key == "display/largerText") TakeSwitch(value, &settings.largerText);
        if (key == "speech/speakMessages") TakeSwitch(value, &settings.speakMessages);
    }
    return settings;
}

// The sections and keys in alphabetical order, as Qt's settings wrote them.
std::string FormatComforts(const ComfortSettings& s) {
    return "[display]\nlargerText=" + Switch(s.largerText) +
           "\n\n[input]\nautoAdvance=" + Switch(s.autoAdvance) +
           "\nskipUnread=" + Switch(s.skipUnread) +
           "\nwheelDownPressesNext=" + Switch(s.wheelDownPressesNext) +
           "\n\n[music]\nmuted=" + Switch(s.muted) + "\nvolume=" + std::to_string(s.volume) +
           "\n\n[speech]\nspeakMessages=" + Switch(s.speakMessages) + "\n";
}

ComfortSettings LoadComforts(Files& folder, std::string* why) {
    ReadFailure failure;
    const std::optional<std::string> text =
        folder.Read(kComfortsFile, kComfortsFileLimit, &failure);
    if (!text && !failure.missing) *why = failure.why;
    return text ? ParseComforts(*text) : ComfortSettings{};
}

bool SaveComforts(Files& folder, const ComfortSettings& settings, std::string* why) {
    return folder.Update(
        kComfortsFile, kComfortsFileLimit,
        [&](const std::optional<std::string>&) { return FormatComforts(settings); }, why);
}

}  // namespace velmora
