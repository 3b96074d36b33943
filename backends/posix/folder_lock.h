// Two copies of the game in one folder (the launcher started twice, the
// window and the terminal game side by side) must not mix their saves: every
// save, load and tidying-up of a cut-off save holds this lock on the folder
// for its whole length.
//
// The lock is an advisory flock on the folder itself, opened read-only as a
// directory: it leaves no file among the player's files (a lock file would
// be one more name a save adds, that someone could replace by a pipe or a
// link, and that a read-only folder could not hold), it works in a folder the
// game may only read, and the system drops it when a game dies.
#pragma once

#include <chrono>
#include <string>

#include "backends/posix/readable_file.h"
#include "platform/files.h"

namespace velmora {

class FolderLock {
  public:
    // Takes the lock of `folder`, waiting at most `wait` for another game to
    // let it go. False, with *why (and *held: kInUse when another holds it),
    // when it could not be had in that time. Where the file system has no
    // such locks (some network file systems) the game goes on without one,
    // as it did before there were two.
    bool Take(const std::string& folder, std::chrono::milliseconds wait, std::string* why,
              Held* held);

  private:
    Descriptor folder_;  // the lock lives as long as this descriptor
};

}  // namespace velmora
