// A small file system of a test's own: a tmpfs mounted in a child process's
// private mount namespace, which nobody else sees and which goes with the
// child. For a full disk, and for a file on another file system than the
// game folder. It needs root (the tests run as root on CI) or user
// namespaces; where neither is there the test is skipped, saying why.
#pragma once

#include <sched.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

#include "tests/child_process.h"

namespace velmora::test {

// Runs `act` in a child process with a tmpfs of `size` ("64k") mounted at a
// fresh folder (given to `act`), and returns what `act` returned; nothing,
// with *why, when no such mount can be made here.
inline std::optional<std::string> InPrivateTmpfs(
    const std::string& size, const std::function<std::string(const std::string&)>& act,
    std::string* why) {
    char folder[] = "/tmp/velmora-tmpfs-XXXXXX";
    if (!::mkdtemp(folder)) {
        *why = std::string("mkdtemp: ") + std::strerror(errno);
        return std::nullopt;
    }
    const std::optional<std::string> said = InChild([&]() -> std::string {
        if (::unshare(CLONE_NEWNS) != 0) return std::string("!unshare -m: ") + std::strerror(errno);
        if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder, "tmpfs", 0, ("size=" + size).c_str()) != 0)
            return std::string("!mount tmpfs: ") + std::strerror(errno);
        return act(folder);
    });
    ::rmdir(folder);
    if (!said || said->starts_with("!")) {
        *why = said ? said->substr(1) : "the child process did not end well";
        return std::nullopt;
    }
    return said;
}

}  // namespace velmora::test
