// The game's folder in a browser: the shipped files (scenario files) come
// from the site the page was loaded from, and the files the game writes (the
// save slots) live in the page's IndexedDB database, byte for byte as the
// desktop game writes them. The storage side is page/slot_storage.js.
#pragma once

#include "platform/files.h"

namespace velmora::web {

class WebFiles : public Files {
  public:
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
};

}  // namespace velmora::web
