#include "player/read_record.h"

#include <vector>

namespace velmora {
namespace {

// The file: a first line that names it, then one line for each message
// read ("read " and its key) and each event seen ("seen " and its id).
constexpr char kHeader[] = "velmora read-record 1";
constexpr char kRead[] = "read ";
constexpr char kSeen[] = "seen ";

bool Printable(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return !text.empty();
}

// Both sets as the file holds them; false when it is not such a file.
bool Parse(const std::string& bytes, std::set<std::string>* read, std::set<std::string>* seen) {
    size_t at = 0;
    bool first = true;
    while (at < bytes.size()) {
        const size_t end = bytes.find('\n', at);
        if (end == std::string::npos) return false;  // cut off: not the game's own file
        const std::string line = bytes.substr(at, end - at);
        at = end + 1;
        if (first) {
            if (line != kHeader) return false;
            first = false;
            continue;
        }
        const std::string entry = line.substr(std::min<size_t>(5, line.size()));
        if (!Printable(entry)) return false;
        if (line.starts_with(kRead)) {
            read->insert(entry);
        } else if (line.starts_with(kSeen)) {
            seen->insert(entry);
        } else {
            return false;
        }
    }
    return !first;
}

std::string Format(const std::set<std::string>& read, const std::set<std::string>& seen) {
    std::string out = std::string(kHeader) + "\n";
    for (const std::string& key : read) out += kRead + key + "\n";
    for (const std::string& event : seen) out += kSeen + event + "\n";
    return out;
}

}  // namespace

void ReadRecord::Load(Files& files, std::string* notice) {
    read_.clear();
    seen_.clear();
    changed_ = false;
    ReadFailure failure;
    const std::optional<std::string> bytes = files.Read(kFileName, kFileLimit, &failure);
    if (!bytes) {
        if (!failure.missing && notice) *notice = kLeftAlone + failure.why;
        return;
    }
    if (!Parse(*bytes, &read_, &seen_)) {
        read_.clear();
        seen_.clear();
        changed_ = true;  // the damaged file is replaced at the next save
        if (notice) *notice = kDamaged;
    }
}

bool ReadRecord::Save(Files& files, std::string* why) {
    std::string ignored;
    const bool saved = files.Update(
        kFileName, kFileLimit,
        [this](const std::optional<std::string>& now) -> std::optional<std::string> {
            std::set<std::string> read, seen;
            if (now && Parse(*now, &read, &seen)) {
                read_.insert(read.begin(), read.end());
                seen_.insert(seen.begin(), seen.end());
            }
            return Format(read_, seen_);
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

}  // namespace velmora
