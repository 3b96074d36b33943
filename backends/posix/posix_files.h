// The files of the working directory on a POSIX file system. Writes go
// through a small table of system calls so that tests can make any one of
// them fail.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

#include "backends/posix/readable_file.h"
#include "platform/files.h"

namespace velmora {

// The system calls a commit makes; tests replace them to inject faults.
struct FileOps {
    std::function<int(const char*, int, mode_t)> open;
    std::function<ssize_t(int, const void*, size_t)> write;
    std::function<int(int)> fsync;
    std::function<int(int)> close;
    std::function<int(const char*, const char*)> rename;
    std::function<int(const char*)> unlink;
    // A second name for an existing file; a link is followed to its file.
    std::function<int(const char*, const char*)> link;
    static FileOps System();
};

class PosixFiles : public Files {
  public:
    // folder: the working directory ("." for the current one).
    explicit PosixFiles(std::string folder = ".", FileOps ops = FileOps::System());

    std::optional<std::string> Read(const std::string& name, size_t limit,
                                    ReadFailure* failure) override;
    bool ReadTogether(const std::vector<std::string>& names, size_t limit,
                      std::vector<std::string>* contents, ReadFailure* failure) override;
    bool ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) override;
    bool Recover(const std::vector<std::string>& names) override;
    bool Peek(const std::vector<std::string>& names, size_t limit,
              std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) override;
    bool Update(const std::string& name, size_t limit, const Change& change,
                std::string* why) override;

    // A regular file of the folder opened for reading (see OpenRegular), for
    // readers that take a descriptor (the music).
    Descriptor Open(const std::string& name, size_t limit, ReadFailure* failure) const;

    // The path of an existing file whose name matches without regard to
    // letter case, or the plain path when none does; "" when `name` is not a
    // bare file name (a path, "." or "..").
    std::string Resolve(const std::string& name) const;
    const std::string& folder() const { return folder_; }

    // How long a save or load waits for another game to finish its own.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

  private:
    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }
    std::vector<std::string> Bases(const std::vector<std::string>& names) const;
    bool Commit(const std::vector<NamedBytes>& files, CommitFailure* failure);
    bool RecoverUnlocked(const std::vector<std::string>& bases);
    bool WriteWhole(const std::string& path, const std::string& bytes, std::string* why,
                    ino_t* written = nullptr);
    bool KeepOld(const std::string& target, const std::string& old, std::string* why);
    bool SyncFolder(std::string* why);
    bool RollBack(const std::vector<std::string>& bases, const std::vector<bool>& hadOld);
    bool FinishCommit(const std::vector<std::string>& bases);
    bool Undo(const std::vector<std::string>& bases, const std::vector<std::string>& fresh,
              const std::string& undo);
    bool RemoveQuietly(const std::string& path);  // true when it is gone

    std::string folder_;
    FileOps ops_;
    std::chrono::milliseconds lockWait_{3000};
};

}  // namespace velmora
