#include "player/read_record.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

// The file: a first line that names it, then one line for each message
// read ("read " and its key), each event seen ("seen " and its id) and each
// picture seen ("picture " and its album key, which a version without the
// album keeps as a newer kind); a newer version may add lines of other
// kinds, each a word of small letters, a space and its entry.
constexpr char kHeader[] = "velmora read-record 1";
constexpr std::string_view kAnyVersion = "velmora read-record ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRead = "read";
constexpr std::string_view kSeen = "seen";
constexpr std::string_view kPicture = "picture";
// Names tried in turn for a damaged file set aside: ".damaged", ".damaged-2" ...
constexpr int kMostSetAside = 99;

bool Printable(std::string_view text) {
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
}

bool IsKind(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// What a file holds, line by line, and how many of its lines could not be read.
struct Lines {
    std::set<std::string> read, seen, pictures, newer;
    size_t count = 0;
    size_t lost = 0;

    // False when the line is none the game or a newer version writes.
    bool Take(std::string_view line) {
        if (line.starts_with(kAnyVersion) && Printable(line)) return true;  // a file's first line
        const size_t space = line.find(' ');
        if (space == std::string_view::npos || !IsKind(line.substr(0, space)) ||
            !Printable(line.substr(space + 1)))
            return false;
        const std::string_view kind = line.substr(0, space);
        const std::string entry(line.substr(space + 1));
        if (kind == kRead) {
            read.insert(entry);
        } else if (kind == kSeen) {
            seen.insert(entry);
        } else if (kind == kPicture) {
            pictures.insert(entry);
        } else {
            newer.emplace(line);
        }
        return true;
    }
};

// Every line of the file is read: one cut off at its end counts as lost.
Lines Parse(const std::string& bytes) {
    Lines lines;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = std::min(bytes.find('\n', at), bytes.size());
        const bool whole = end < bytes.size();
        std::string_view line = std::string_view(bytes).substr(at, end - at);
        // An editor's or a sync tool's line ends (CR LF) and byte-order mark
        // leave the player's record as it was.
        if (whole && line.ends_with('\r')) line.remove_suffix(1);
        if (at == 0 && line.starts_with(kByteOrderMark)) line.remove_prefix(3);
        ++lines.count;
        if (!whole || !lines.Take(line)) ++lines.lost;
        at = end + 1;
    }
    return lines;
}

void AppendLines(std::string& out, std::string_view kind, const std::set<std::string>& entries) {
    for (const std::string& entry : entries) out.append(kind).append(" ").append(entry) += "\n";
}

std::string Format(const std::set<std::string>& read, const std::set<std::string>& seen,
                   const std::set<std::string>& pictures, const std::set<std::string>& newer) {
    std::string out = std::string(kHeader) + "\n";
    AppendLines(out, kRead, read);
    AppendLines(out, kSeen, seen);
    AppendLines(out, kPicture, pictures);
    for (const std::string& line : newer) out += line + "\n";
    return out;
}

// Keeps the damaged file beside the record under the first free name;
// that name, or "" and *why.
std::string SetAside(Files& files, const std::string& bytes, std::string* why) {
    for (int n = 1; n <= kMostSetAside; ++n) {
        const std::string name = std::string(ReadRecord::kFileName) + ".damaged" +
                                 (n == 1 ? "" : "-" + std::to_string(n));
        ReadFailure failure;
        if (files.Read(name, 0, &failure) || !failure.missing) continue;  // taken
        CommitFailure committed;
        if (files.ReplaceTogether({{name, bytes}}, &committed)) return name;
        *why = committed.why;
        return "";
    }
    *why = std::string(ReadRecord::kFileName) + ".damaged-" + std::to_string(kMostSetAside) +
           " まで、置いておく名前がすべて使われています。";
    return "";
}

}  // namespace

std::string ReadRecord::LinesLost(size_t lines, const std::string& keptAs) {
    std::string words = "既読の記録のうち " + std::to_string(lines) +
                        " 行を読めませんでした。読めた記録はそのまま使います。";
    if (!keptAs.empty()) words += "もとのファイルは " + keptAs + " として残してあります。";
    return words;
}

void ReadRecord::Load(Files& files, std::string* notice) {
    read_.clear();
    seen_.clear();
    pictures_.clear();
    newer_.clear();
    changed_ = false;
    notSetAside_.clear();
    ReadFailure failure;
    const std::optional<std::string> bytes = files.Read(kFileName, kFileLimit, &failure);
    if (!bytes) {
        if (!failure.missing && notice) *notice = kLeftAlone + failure.why;
        return;
    }
    Lines lines = Parse(*bytes);
    read_ = std::move(lines.read);
    seen_ = std::move(lines.seen);
    pictures_ = std::move(lines.pictures);
    newer_ = std::move(lines.newer);
    if (lines.lost == 0) return;
    changed_ = true;  // written again without the damaged lines at the next save
    std::string keptAs;
    if (lines.lost > kMostLinesLostInPlace || lines.lost * 10 > lines.count) {
        keptAs = SetAside(files, *bytes, &notSetAside_);
        if (keptAs.empty()) {
            if (notice) *notice = kLeftAlone + notSetAside_;
            return;
        }
    }
    if (notice) *notice = LinesLost(lines.lost, keptAs);
}

bool ReadRecord::Save(Files& files, std::string* why) {
    if (!notSetAside_.empty()) {
        if (why) *why = notSetAside_;
        return false;
    }
    std::string ignored;
    const bool saved = files.Update(
        kFileName, kFileLimit,
        [this](const std::optional<std::string>& now) -> std::optional<std::string> {
            if (now) {
                Lines lines = Parse(*now);
                read_.merge(lines.read);
                seen_.merge(lines.seen);
                pictures_.merge(lines.pictures);
                newer_.merge(lines.newer);
            }
            return Format(read_, seen_, pictures_, newer_);
        },
        why ? why : &ignored);
    if (saved) changed_ = false;
    return saved;
}

void ReadRecord::MarkRead(const std::string& key) {
    changed_ = read_.insert(key).second || changed_;
}

void ReadRecord::MarkSeen(const std::string& event) {
    changed_ = seen_.insert(event).second || changed_;
}

void ReadRecord::MarkPicture(const std::string& key) {
    changed_ = pictures_.insert(key).second || changed_;
}

}  // namespace velmora
