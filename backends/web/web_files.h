// The game's folder in a browser: the shipped files (scenario files) come
// from the site the page was loaded from, and the files the game writes (the
// save slots) live in the page's IndexedDB database, byte for byte as the
// desktop game writes them. The storage side is page/slot_storage.js.
//
// Another tab of the same site may write the same files at any time: a
// replacement writes nothing over a file that changed since this page last
// read it. A slot's files are then replaced only once the player has said
// so (WhenChanged); the player's record is read and merged again.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace velmora::web {

class WebFiles : public Files {
  public:
    // Asked before the named files, changed by another tab since they were
    // last read, are replaced; true: replace them. It reads them (to say
    // what they hold now): what it read is what the next try expects.
    using WhenChanged = std::function<bool(const std::vector<std::string>& names)>;
    // Said of a replacement the player declined, or that could not be asked.
    static constexpr char kChangedElsewhere[] =
        "ほかのタブ（またはウィンドウ）で先にセーブされた内容を残しました。";

    void AskWhenChanged(WhenChanged ask) { whenChanged_ = std::move(ask); }

    // A file the page cannot give (none of that name, a download that
    // failed) is missing, as on the desktop.
    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override;
    // Both files go into the database in one read-write transaction, which
    // keeps all or none of them; returns once it has completed. One that
    // fails has written nothing.
    bool ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) override;
    // A transaction is never left half done, so there is nothing to finish.
    bool Recover(const std::vector<std::string>&) override { return true; }
    // *written: when the page wrote the first file, as the database keeps it.
    bool Peek(const std::vector<std::string>& names, size_t limit,
              std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) override;
    // Read, changed and written again for as long as another tab writes
    // the file in between.
    bool Update(const std::string& name, size_t limit, const Change& change,
                std::string* why) override;

    // Both files go into the database as ReplaceTogether puts them, but
    // the game goes on at once: the page's reads and writes wait for it.
    void WriteBehind(const std::vector<NamedBytes>& files);
    // For the last write begun behind that ended since last asked: "" when
    // it wrote the files, why it could not when it failed; nothing when
    // none ended.
    std::optional<std::string> BehindOutcome();

  private:
    enum class Committed { kFailed, kWritten, kChanged };
    Committed Commit(const std::vector<NamedBytes>& files, CommitFailure* failure);
    void Stage(const std::vector<NamedBytes>& files);

    WhenChanged whenChanged_;
};

}  // namespace velmora::web
