#include "backends/posix/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <time.h>

#include <cerrno>
#include <cstring>

namespace velmora {

bool FolderLock::Take(const std::string& folder, std::chrono::milliseconds wait, std::string* why,
                      Held* held) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.ok()) {
        *why = std::string("フォルダを開けませんでした（") + std::strerror(errno) + "）。";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(dir.get(), LOCK_EX | LOCK_NB) == 0) break;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) break;  // no locks here: go on without
        if (std::chrono::steady_clock::now() >= deadline) {
            *why = "同じフォルダのファイルを、ほかのゲームかプログラムが使っています。";
            *held = Held::kInUse;
            return false;
        }
        const timespec pause{0, 10 * 1000 * 1000};
        ::nanosleep(&pause, nullptr);
    }
    folder_ = std::move(dir);
    return true;
}

}  // namespace velmora
