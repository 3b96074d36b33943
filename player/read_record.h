// What this player has read and seen, in any game since installing: the
// messages read (by the keys the game gives them, world/message_key.h) and
// the events of the story seen (by their ids, "park P3"). It skips what has
// been read and marks the story map. It is kept in one small file of the
// player's own data folder, written whole and at once (Files' Update, which
// merges what two games add at the same time), never in a save slot.
#pragma once

#include <set>
#include <string>

#include "platform/files.h"

namespace velmora {

class ReadRecord {
  public:
    static constexpr char kFileName[] = "read-record.txt";
    static constexpr size_t kFileLimit = 4 * 1024 * 1024;
    // Told before the reason when the file is there but cannot be read.
    static constexpr char kLeftAlone[] =
        "既読の記録を読めなかったので、記録のファイルはそのままにしておきます。";
    // Told before the reason when the record could not be written.
    static constexpr char kNotWritten[] = "既読の記録を保存できませんでした。";
    // A file that loses more lines than this, or more than a tenth of its
    // lines, is set aside beside the record before it is written again.
    static constexpr size_t kMostLinesLostInPlace = 10;

    // A missing file is an empty record; CR LF line ends and a byte-order
    // mark read as the game's own. A damaged line (one the game never
    // writes: cut off, with a CR inside or another control character, empty,
    // or not a line of a kind and its entry) is read past and counted; the player
    // is then told once how many lines could not be read (*notice), and a
    // file that lost many is first kept beside it under a name of its own
    // ("read-record.txt.damaged"); the next Save writes what was read. One
    // that is there but cannot be read (no permission, too large, no file),
    // or whose damaged copy cannot be kept, is left as it is: *notice says
    // why, and no Save writes over it while it cannot be read.
    void Load(Files& files, std::string* notice);
    // Reads the file again, adds what this game marked to whatever another
    // copy of the game added meanwhile, and writes it whole, all in one step
    // that no other game's comes between; lines of kinds a newer version
    // writes are kept as they are. False, with *why, when the file could not
    // be read or written; the record stays to be written at the next try.
    bool Save(Files& files, std::string* why);
    // Load's words: how many lines could not be read, and where the file
    // that held them was kept ("" when it was not set aside).
    static std::string LinesLost(size_t lines, const std::string& keptAs);

    bool Read(const std::string& key) const { return read_.count(key) != 0; }
    void MarkRead(const std::string& key);
    bool Seen(const std::string& event) const { return seen_.count(event) != 0; }
    void MarkSeen(const std::string& event);
    const std::set<std::string>& seen() const { return seen_; }
    bool PictureSeen(const std::string& key) const { return pictures_.count(key) != 0; }
    void MarkPicture(const std::string& key);
    size_t readCount() const { return read_.size(); }
    // Something is marked that the file does not hold yet.
    bool changed() const { return changed_; }

  private:
    std::set<std::string> read_;
    std::set<std::string> seen_;
    std::set<std::string> pictures_;
    std::set<std::string> newer_;  // well-formed lines of kinds this version does not know
    bool changed_ = false;
    // Why a damaged file could not be kept beside the record: while it is
    // not, the record is never written over it.
    std::string notSetAside_;
};

}  // namespace velmora
