#include "backends/posix/readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace velmora {
namespace {

std::string Reason(int error) {
    return std::string("（") + std::strerror(error) + "）";
}

// Why `path` could not be opened: what lies there, as the player would
// look for it.
ReadFailure OpenFailure(const std::string& path, const std::string& name, int error) {
    struct stat link;
    if (error == ENOENT && ::lstat(path.c_str(), &link) != 0) {
        return {true, name + " がありません。"};
    }
    if (error == ENOENT) return {false, name + " はリンクですが、リンク先のファイルがありません。"};
    if (error == ENXIO || error == EOPNOTSUPP) {  // a socket cannot be opened at all
        struct stat target;
        if (::stat(path.c_str(), &target) == 0 && !KindOf(target.st_mode).empty()) {
            return {false,
                    name + " は" + KindOf(target.st_mode) + "で、ファイルとして読めません。"};
        }
    }
    if (error == EACCES || error == EPERM) {
        return {false, name + " を読む権限がありません" + Reason(error) + "。"};
    }
    return {false, name + " を開けませんでした" + Reason(error) + "。"};
}

ReadFailure TooLarge(const std::string& name, size_t limit) {
    return {false, name + " は大きすぎます（" + std::to_string(limit) + " バイトまで）。"};
}

}  // namespace

Descriptor::~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int Descriptor::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

std::string KindOf(mode_t mode) {
    if (S_ISREG(mode)) return "";
    if (S_ISFIFO(mode)) return "名前付きパイプ";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "デバイス";
    if (S_ISDIR(mode)) return "フォルダ";
    if (S_ISSOCK(mode)) return "ソケット";
    return "特殊なファイル";
}

Descriptor OpenRegular(const std::string& path, const std::string& name, size_t limit,
                       ReadFailure* failure) {
    ReadFailure ignored;
    if (!failure) failure = &ignored;
    // O_NONBLOCK: opening a named pipe with no writer, or a device, must not
    // wait; for a regular file it changes nothing.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.ok()) {
        *failure = OpenFailure(path, name, errno);
        return file;
    }
    struct stat st;
    if (::fstat(file.get(), &st) != 0) {
        *failure = {false, name + " を調べられませんでした" + Reason(errno) + "。"};
        return Descriptor();
    }
    if (!S_ISREG(st.st_mode)) {
        *failure = {false, name + " は" + KindOf(st.st_mode) + "で、ファイルとして読めません。"};
        return Descriptor();
    }
    if (static_cast<unsigned long long>(st.st_size) > limit) {
        *failure = TooLarge(name, limit);
        return Descriptor();
    }
    return file;
}

std::optional<std::string> ReadAtMost(const Descriptor& file, const std::string& name, size_t limit,
                                      ReadFailure* failure) {
    ReadFailure ignored;
    if (!failure) failure = &ignored;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() <= limit) {
        const size_t want = std::min(sizeof buffer, limit + 1 - bytes.size());
        const ssize_t n = ::read(file.get(), buffer, want);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *failure = {false, name + " の読み込みに失敗しました" + Reason(errno) + "。"};
            return std::nullopt;
        }
        if (n == 0) return bytes;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    *failure = TooLarge(name, limit);
    return std::nullopt;
}

}  // namespace velmora
