// What a test runs in a child process of its own: as another user than
// root, or in a mount namespace of its own. The child says what it found as
// one string; gtest's checks stay in the parent.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace velmora::test {

// What `act` returned in a child process; nothing when the child did not
// end well.
inline std::optional<std::string> InChild(const std::function<std::string()>& act) {
    int out[2];
    if (::pipe(out) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const std::string said = act();
        const ssize_t written = ::write(out[1], said.data(), said.size());
        ::_exit(written == static_cast<ssize_t>(said.size()) ? 0 : 3);
    }
    ::close(out[1]);
    std::string said;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return said;
}

// The same as "nobody": nothing can be made unreadable to root by its
// mode, and the tests run as root on CI. Nothing when no other user can
// be had.
inline std::optional<std::string> AsNobody(const std::function<std::string()>& act) {
    return InChild([&]() -> std::string {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        return act();
    });
}

}  // namespace velmora::test
