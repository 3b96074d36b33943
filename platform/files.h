// Files of the game's working directory: scenario files and save slots.
// Names are bare file names, found without regard to letter case
// ("SATUKI01.dat" beside "satuki02.dat"); a name holding a path is never
// looked up. Anyone can drop anything into the folder, so only regular files
// (or links to them) are read, never more than the reader keeps, and a
// named pipe or a device never makes the game wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct NamedBytes {
    std::string name;
    std::string bytes;
};

// What keeps files that change together (the two of a slot) from being
// read or replaced now, whatever the files themselves are like. The game
// has words of its own for each (world/slot_format.h); `why` says it as
// the files' own reader and writer would.
enum class Held {
    kNo,
    kInUse,       // another game or program holds the folder's files
    kUnfinished,  // a replacement cut off earlier could not be finished or undone
    kCutOff,      // a replacement cut off earlier waits for the next read to tidy it
};

// Why a file could not be read.
struct ReadFailure {
    // Nothing of that name is there at all: the cases the game has its own
    // words for ("not saved yet", "scenario file not found").
    bool missing = false;
    // Otherwise what is wrong, as a sentence that names the file.
    std::string why;
    Held held = Held::kNo;

    bool operator==(const ReadFailure&) const = default;
};

// What a failed ReplaceTogether left of the files it was to replace.
enum class LeftBehind {
    kOldFiles,   // every old file as it was (or put back at the next access)
    kNoFiles,    // there were none, and there are none
    kUntouched,  // nothing was tried: what is there is whatever it was
};

struct CommitFailure {
    std::string why;  // what failed, as a sentence
    LeftBehind left = LeftBehind::kUntouched;
    Held held = Held::kNo;

    bool operator==(const CommitFailure&) const = default;
};

class Files {
  public:
    virtual ~Files() = default;

    // The whole file when it is a regular file of at most `limit` bytes;
    // nothing otherwise, and *failure (if given) says why.
    virtual std::optional<std::string> Read(const std::string& name, size_t limit,
                                            ReadFailure* failure) = 0;

    // Reads files that change together (the two files of a slot) as one:
    // no other game's commit runs between or during the reads, and one of
    // theirs that was cut off is finished or rolled back first. False, with
    // the first failure, when any of them cannot be read.
    virtual bool ReadTogether(const std::vector<std::string>& names, size_t limit,
                              std::vector<std::string>* contents, ReadFailure* failure);

    // Replaces the named files as one: afterwards, even after a crash or a
    // power cut at any moment, every one of them holds either its old or its
    // new bytes, all old or all new. Returns false when anything fails;
    // *failure then says what failed and what is left.
    virtual bool ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) = 0;

    // Finishes or rolls back a ReplaceTogether of these names that was cut
    // off, so that they may be read. False when that could not be done now:
    // the files must not be read as a whole.
    virtual bool Recover(const std::vector<std::string>& names) = 0;

    // Reads files that change together for a look only (the details of the
    // slot list): as ReadTogether, but a cut-off ReplaceTogether is left for
    // the next ReadTogether to finish or roll back (the look fails, saying
    // so) and another game holding the files is never waited for. Nothing
    // is written. *written, when known: the time the first file was last
    // written, in seconds since 1970 (UTC); 0 when unknown.
    virtual bool Peek(const std::vector<std::string>& names, size_t limit,
                      std::vector<std::string>* contents, int64_t* written, ReadFailure* failure);

    // What an Update makes of a file: given its bytes (nothing when there is
    // no such file), the bytes that replace it, or nothing to leave it be.
    using Change = std::function<std::optional<std::string>(const std::optional<std::string>&)>;

    // Reads a file and replaces it as one step, which no other game's read or
    // write of the folder comes between: two games adding to the player's
    // record at once both keep what they added. A file that is there but
    // cannot be read is never replaced. False, with *why, when it could not
    // be read or the new bytes could not be written (the file then as it was).
    virtual bool Update(const std::string& name, size_t limit, const Change& change,
                        std::string* why);

  protected:
    using Replace = std::function<bool(const std::vector<NamedBytes>&, CommitFailure*)>;
    // An update once whatever keeps other games out is held: `replace`
    // writes the new bytes.
    bool ReadThenReplace(const std::string& name, size_t limit, const Change& change,
                         const Replace& replace, std::string* why);

    // Reads the files one after the other; false at the first that fails.
    bool ReadEach(const std::vector<std::string>& names, size_t limit,
                  std::vector<std::string>* contents, ReadFailure* failure);
};

// Without other games to keep out, reading together is recovering, then
// reading one file after the other.
inline bool Files::ReadTogether(const std::vector<std::string>& names, size_t limit,
                                std::vector<std::string>* contents, ReadFailure* failure) {
    if (!Recover(names)) {
        contents->clear();
        if (failure) *failure = {false, "", Held::kUnfinished};
        return false;
    }
    return ReadEach(names, limit, contents, failure);
}

// Without other games or cut-off saves, a look is a plain read.
inline bool Files::Peek(const std::vector<std::string>& names, size_t limit,
                        std::vector<std::string>* contents, int64_t* written,
                        ReadFailure* failure) {
    if (written) *written = 0;
    return ReadEach(names, limit, contents, failure);
}

// Without other games, an update is a read, then a replace.
inline bool Files::Update(const std::string& name, size_t limit, const Change& change,
                          std::string* why) {
    return ReadThenReplace(
        name, limit, change,
        [this](const std::vector<NamedBytes>& files, CommitFailure* failure) {
            return ReplaceTogether(files, failure);
        },
        why);
}

inline bool Files::ReadThenReplace(const std::string& name, size_t limit, const Change& change,
                                   const Replace& replace, std::string* why) {
    ReadFailure failure;
    const std::optional<std::string> now = Read(name, limit, &failure);
    if (!now && !failure.missing) {
        *why = failure.why;
        return false;
    }
    const std::optional<std::string> next = change(now);
    CommitFailure committed;
    if (!next || replace({{name, *next}}, &committed)) return true;
    *why = committed.why;
    return false;
}

inline bool Files::ReadEach(const std::vector<std::string>& names, size_t limit,
                            std::vector<std::string>* contents, ReadFailure* failure) {
    contents->clear();
    for (const std::string& name : names) {
        std::optional<std::string> bytes = Read(name, limit, failure);
        if (!bytes) return false;
        contents->push_back(std::move(*bytes));
    }
    return true;
}

}  // namespace velmora
