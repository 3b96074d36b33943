// Opening a file of the game folder for reading when anything may lie under
// its name: the player's own file, a link the launcher made to the shipped
// data, or a named pipe, a device, a folder or a dangling link that someone
// put there. Only a regular file (or a link to one) is read, opening never
// waits, and no more is read than the reader keeps.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/files.h"

namespace velmora {

// A file descriptor that closes itself.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept : fd_(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    int release();

  private:
    int fd_;
};

// How the game names what lies at a path when it is not a regular file
// ("名前付きパイプ", "フォルダ", ...); "" for a regular file.
std::string KindOf(mode_t mode);

// Opens `path` for reading; `name` is the file's name in messages. Anything
// but a regular file of at most `limit` bytes is refused: the descriptor is
// then not ok() and *failure says why.
Descriptor OpenRegular(const std::string& path, const std::string& name, size_t limit,
                       ReadFailure* failure);

// The whole of a file opened by OpenRegular, read up to one byte past
// `limit`: a file that has grown past it since is refused, not read.
std::optional<std::string> ReadAtMost(const Descriptor& file, const std::string& name, size_t limit,
                                      ReadFailure* failure);

}  // namespace velmora
