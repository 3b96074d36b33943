// The files of the working directory on a POSIX file system. Writes go
// through a small table of system calls so that tests can make any one of
// them fail.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

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
    std::function<int(const char*, const char*)> link;
    static FileOps System();
};

class PosixFiles : public Files {
  public:
    // folder: the working directory ("." for the current one).
    explicit PosixFiles(std::string folder = ".", FileOps ops = FileOps::System());

    std::optional<std::string> Read(const std::string& name) override;
    bool ReplaceTogether(const std::vector<NamedBytes>& files, std::string* why) override;
    bool Recover(const std::vector<std::string>& names) override;

    // The path of an existing file whose name matches without regard to
    // letter case, or the plain path when none does.
    std::string Resolve(const std::string& name) const;
    const std::string& folder() const { return folder_; }

  private:
    std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }
    bool WriteWhole(const std::string& path, const std::string& bytes, std::string* why);
    bool SyncFolder(std::string* why);
    std::optional<std::string> ReadPath(const std::string& path);
    bool RollBack(const std::vector<std::string>& bases, const std::vector<bool>& hadOld);
    bool FinishCommit(const std::vector<std::string>& bases);
    bool Undo(const std::vector<std::string>& bases, const std::vector<std::string>& fresh,
              const std::string& undo);
    bool RemoveQuietly(const std::string& path);  // true when it is gone

    std::string folder_;
    FileOps ops_;
};

}  // namespace velmora
