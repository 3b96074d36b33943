#include "world/slot_format.h"

#include <algorithm>
#include <cstdlib>

#include "world/cp932.h"

namespace velmora {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
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

}  // namespace

std::string FormatFlagFile(const std::array<int16_t, kFlagCount>& flags) {
    std::string out;
    for (int i = 0; i < kSavedFlagCount; ++i) out += std::to_string(flags[i]) + "\r\n";
    return out;
}

std::string WhyNotSavable(const std::string& text) {
    if (text.find('"') != std::string::npos) return "「\"」は使えません。";
    if (!EncodeCp932(text)) return "使えない文字が含まれています。";
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
    std::vector<std::string> lines = SplitLines(bytes);
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

}  // namespace velmora
