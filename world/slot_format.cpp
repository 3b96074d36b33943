#include "world/slot_format.h"

#include <algorithm>
#include <cstdlib>

#include "world/cp932.h"

namespace velmora {
namespace {

// At most `most` lines: a file with more is refused whatever they hold.
std::vector<std::string> SplitLines(const std::string& text, size_t most) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < most) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

// A number is an optional "-" and digits; zeros in front count for nothing,
// so "007" is 7 however many there are.
bool ParseNumber(const std::string& line, int16_t* value) {
    const size_t sign = line.size() > 0 && line[0] == '-' ? 1 : 0;
    if (line.size() == sign) return false;
    for (size_t i = sign; i < line.size(); ++i) {
        if (line[i] < '0' || line[i] > '9') return false;
    }
    const size_t first = std::min(line.find_first_not_of('0', sign), line.size());
    if (line.size() - first > 6) return false;
    long v = std::strtol(line.c_str() + first, nullptr, 10);
    if (sign) v = -v;
    if (v < -32768 || v > 32767) return false;
    *value = static_cast<int16_t>(v);
    return true;
}

// The length of a UTF-8 sequence that starts with `lead`, 0 for a byte no
// character starts with.
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// Whether the bytes of one sequence are one character of UTF-8: every byte
// after the lead in 80..BF, and neither a longer form of a shorter sequence
// nor a surrogate nor past U+10FFFF.
bool IsOneCharacter(const std::string& one) {
    const auto lead = static_cast<unsigned char>(one[0]);
    for (size_t i = 1; i < one.size(); ++i) {
        const auto c = static_cast<unsigned char>(one[i]);
        if (c < 0x80 || c > 0xBF) return false;
    }
    const auto second = one.size() > 1 ? static_cast<unsigned char>(one[1]) : 0x80;
    return !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second > 0x9F) &&
           !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second > 0x8F);
}

// The first character of a text that CP932 cannot hold as itself, or ""
// when that is no character at all (bytes that are not UTF-8, which the
// refusal must not echo onto the screen or the trace).
std::string FirstUnsavable(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = SequenceLength(static_cast<unsigned char>(text[at]));
        if (length == 0 || at + length > text.size()) return "";
        const std::string one = text.substr(at, length);
        if (!IsOneCharacter(one)) return "";
        const std::optional<std::string> bytes = EncodeCp932(one);
        if (!bytes || DecodeCp932(*bytes) != one) return one;
        at += length;
    }
    return "";
}

}  // namespace

std::string FormatFlagFile(const std::array<int16_t, kFlagCount>& flags) {
    std::string out;
    for (int i = 0; i < kSavedFlagCount; ++i) out += std::to_string(flags[i]) + "\r\n";
    return out;
}

std::string WhyNotSavable(const std::string& text) {
    if (text.find('"') != std::string::npos) return "「\"」は使えません。";
    if (text.find_first_of("\r\n") != std::string::npos) return "改行は使えません。";
    const std::optional<std::string> bytes = EncodeCp932(text);
    if (!bytes || DecodeCp932(*bytes) != text) {
        const std::string bad = FirstUnsavable(text);
        return bad.empty() ? "使えない文字が含まれています。" : "「" + bad + "」は使えません。";
    }
    if (bytes->size() > kSavedTextLimit) return "長すぎます。";
    return "";
}

std::optional<std::string> FormatTextFile(const SlotText& text) {
    std::string line;
    for (const std::string* s : {&text.place, &text.name, &text.nickname}) {
        if (!WhyNotSavable(*s).empty()) return std::nullopt;
        if (!line.empty()) line += ",";
        line += "\"" + *s + "\"";
    }
    return EncodeCp932(line + "\r\n");
}

bool ParseFlagFile(const std::string& bytes, std::vector<int16_t>* values, std::string* why) {
    values->clear();
    std::vector<std::string> lines = SplitLines(bytes, kFlagCount + 1);
    if (lines.empty()) {
        *why = "フラグファイルが空です。";
        return false;
    }
    if (lines.size() > static_cast<size_t>(kFlagCount)) {
        *why = "フラグファイルの行が多すぎます。";
        return false;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        int16_t v = 0;
        if (!ParseNumber(lines[i], &v)) {
            *why = "フラグファイルの" + std::to_string(i + 1) + "行目が正しい数値ではありません。";
            return false;
        }
        values->push_back(v);
    }
    return true;
}

bool ParseTextFile(const std::string& bytes, SlotText* text, std::string* why) {
    bool clean = true;
    const std::string line = DecodeCp932(bytes, &clean);
    std::string values[3];
    size_t pos = 0;
    bool ok = clean;
    for (int k = 0; ok && k < 3; ++k) {
        size_t close = line[pos] == '"' ? line.find('"', pos + 1) : std::string::npos;
        ok = pos < line.size() && close != std::string::npos;
        if (!ok) break;
        values[k] = line.substr(pos + 1, close - pos - 1);
        ok = values[k].find_first_of("\r\n") == std::string::npos;
        pos = close + 1;
        if (k < 2) ok = ok && pos < line.size() && line[pos++] == ',';
    }
    const std::string rest = ok ? line.substr(pos) : "";
    if (!ok || !(rest.empty() || rest == "\r\n" || rest == "\n" || rest == "\r")) {
        *why = "テキストファイルの形式が正しくありません。";
        return false;
    }
    *text = SlotText{values[0], values[1], values[2]};
    return true;
}

std::string SlotTextFile(const std::string& slot) {
    return slot + "_text";
}

const std::vector<std::string>& SlotNames() {
    static const std::vector<std::string> slots = {"file1", "file2", "file3", "file4", "file5"};
    return slots;
}

std::string SlotCalled(const std::string& slot) {
    if (slot == kAutoSlot) return "オートセーブデータ";
    if (slot == kQuickSlot) return "クイックセーブデータ";
    return slot + " ";
}

std::optional<std::vector<NamedBytes>> SaveOf(const GameState& s, const std::string& slot,
                                              std::string* why) {
    const SlotText names{s.CurrentPlace, s.PlayerName, s.Nickname};
    const std::optional<std::string> text = FormatTextFile(names);
    if (!text) {
        for (const std::string* field : {&names.place, &names.name, &names.nickname}) {
            if (why->empty()) *why = WhyNotSavable(*field);
        }
        return std::nullopt;
    }
    std::array<int16_t, kFlagCount> flags = s.Flags;
    PutSavedClock(s, flags);
    return std::vector<NamedBytes>{{slot, FormatFlagFile(flags)}, {SlotTextFile(slot), *text}};
}

namespace {

std::string WhyHeld(Held held, const std::string& why) {
    switch (held) {
        case Held::kInUse:
            return kSlotsInUse;
        case Held::kUnfinished:
            return kSaveLeftUnfinished;
        case Held::kCutOff:
            return kSaveCutOff;
        case Held::kNo:
            break;
    }
    return why;
}

}  // namespace

std::string WhySlot(const ReadFailure& failure) {
    return WhyHeld(failure.held, failure.why);
}

std::string WhySlot(const CommitFailure& failure) {
    return WhyHeld(failure.held, failure.why);
}

bool NeverSaved(const ReadFailure& failure, const std::vector<std::string>& read) {
    return failure.missing && read.empty();
}

bool TakeSlot(const std::vector<std::string>& bytes, GameState* s, size_t* count,
              std::string* why) {
    std::vector<int16_t> values;
    SlotText text;
    if (!ParseFlagFile(bytes[0], &values, why) || !ParseTextFile(bytes[1], &text, why)) {
        return false;
    }
    std::copy(values.begin(), values.end(), s->Flags.begin());
    s->CurrentPlace = text.place;
    s->PlayerName = text.name;
    s->Nickname = text.nickname;
    *count = values.size();
    return true;
}

void PutSavedClock(const GameState& s, std::array<int16_t, kFlagCount>& flags) {
    flags[static_cast<size_t>(Flag::SavedMinute)] = s.Minute;
    flags[static_cast<size_t>(Flag::SavedDay)] = s.Day;
    flags[static_cast<size_t>(Flag::SavedHour)] = s.Hour;
    flags[static_cast<size_t>(Flag::SavedHalf)] = s.Half;
}

void TakeSavedClock(GameState& s) {
    s.Minute = s.flag(Flag::SavedMinute);
    s.Day = s.flag(Flag::SavedDay);
    s.Hour = s.flag(Flag::SavedHour);
    s.Half = s.flag(Flag::SavedHalf);
}

}  // namespace velmora
