// What a hostile or unlucky player leaves in the game folder instead of a
// file, for the engine's and the window program's tests alike.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace velmora::test {

// The kinds, as the tests name them.
inline const char* const kNotFiles[] = {"pipe", "device", "folder", "socket", "dangling link"};

// Puts one under `path` (the device: a link to /dev/zero). "" when it is
// there, or why it could not be made.
inline std::string PlantNotAFile(const std::string& path, const std::string& what) {
    int made = -1;
    if (what == "pipe") made = ::mkfifo(path.c_str(), 0644);
    if (what == "device") made = ::symlink("/dev/zero", path.c_str());
    if (what == "folder") made = ::mkdir(path.c_str(), 0755);
    if (what == "dangling link") made = ::symlink("nothing-here", path.c_str());
    if (what == "socket") {
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        made = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::close(s);
    }
    return made == 0 ? "" : what + " at " + path + ": " + std::strerror(errno);
}

// Ends the test process (SIGALRM) when the game waits on a file: a pipe
// once made it wait for ever.
struct HangGuard {
    HangGuard() { ::alarm(60); }
    ~HangGuard() { ::alarm(0); }
};

}  // namespace velmora::test
