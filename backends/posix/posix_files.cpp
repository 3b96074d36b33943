#include "backends/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "backends/posix/folder_lock.h"

namespace velmora {
namespace {

// The helper files of a commit lie beside the slot and start with a dot:
// ".file1.new" (the new bytes), ".file1.old" (the old bytes, kept until the
// commit is through), ".file1.commit" (present while the renames run; it
// lists the names, each marked "+" when it had an old file) and
// ".file1.undo" (the marker renamed while a failed commit is rolled back).
std::string NewOf(const std::string& name) {
    return "." + name + ".new";
}
std::string OldOf(const std::string& name) {
    return "." + name + ".old";
}
std::string MarkerOf(const std::string& first) {
    return "." + first + ".commit";
}
std::string UndoOf(const std::string& first) {
    return "." + first + ".undo";
}

// What a commit or undo marker holds: the names, each marked "+" (had an
// old file) or "-".
std::string CommitList(const std::vector<std::string>& bases, const std::vector<bool>& hadOld) {
    std::string list;
    for (size_t i = 0; i < bases.size(); ++i) list += bases[i] + (hadOld[i] ? "\t+\n" : "\t-\n");
    return list;
}

bool Exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Only a regular file under a helper's name is the game's own: a link, a
// pipe or anything else there was put by someone else, and is never renamed
// into a slot.
bool IsPlainFile(const std::string& path, ino_t* inode = nullptr) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (inode) *inode = st.st_ino;
    return true;
}

// A file name of the folder itself: no path, not the folder or its parent.
bool IsBareName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

std::string NotInFolder(const std::string& name) {
    return "「" + name + "」はこのフォルダのファイル名ではありません。";
}

// The most an undo marker can hold: a few names of a slot.
constexpr size_t kMarkerLimit = 4096;

// The most of an old file copied aside where no second name can be made for
// it: the largest file the game reads (the music).
constexpr size_t kCopyLimit = 64 * 1024 * 1024;

// The files' own words for what keeps them; a slot's are the game's.
constexpr char kLeftUnfinished[] = "前に途中で止まった書き込みの後始末ができませんでした。";
constexpr char kCutOff[] = "書き込みが途中で止まったままです。次に読むときに片付けます。";

std::string Explain(const char* step) {
    return std::string(step) + "に失敗しました（" + std::strerror(errno) + "）。";
}

}  // namespace

FileOps FileOps::System() {
    FileOps ops;
    ops.open = [](const char* p, int f, mode_t m) { return ::open(p, f, m); };
    ops.write = [](int fd, const void* b, size_t n) { return ::write(fd, b, n); };
    ops.fsync = [](int fd) { return ::fsync(fd); };
    ops.close = [](int fd) { return ::close(fd); };
    ops.rename = [](const char* a, const char* b) { return ::rename(a, b); };
    ops.unlink = [](const char* p) { return ::unlink(p); };
    ops.link = [](const char* a, const char* b) {
        return ::linkat(AT_FDCWD, a, AT_FDCWD, b, AT_SYMLINK_FOLLOW);
    };
    return ops;
}

PosixFiles::PosixFiles(std::string folder, FileOps ops)
    : folder_(std::move(folder)), ops_(std::move(ops)) {}

std::string PosixFiles::Resolve(const std::string& name) const {
    if (!IsBareName(name)) return "";
    if (Exists(PathOf(name))) return PathOf(name);
    std::string found = PathOf(name);
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
                found = PathOf(entry->d_name);
                break;
            }
        }
        ::closedir(dir);
    }
    return found;
}

std::vector<std::string> PosixFiles::Bases(const std::vector<std::string>& names) const {
    std::vector<std::string> bases;
    for (const std::string& n : names) {
        const std::string path = Resolve(n);
        if (path.empty()) return {};
        bases.push_back(path.substr(path.rfind('/') + 1));
    }
    return bases;
}

Descriptor PosixFiles::Open(const std::string& name, size_t limit, ReadFailure* failure) const {
    const std::string path = Resolve(name);
    if (path.empty()) {
        if (failure) *failure = {false, NotInFolder(name)};
        return Descriptor();
    }
    return OpenRegular(path, name, limit, failure);
}

std::optional<std::string> PosixFiles::Read(const std::string& name, size_t limit,
                                            ReadFailure* failure) {
    const Descriptor file = Open(name, limit, failure);
    if (!file.ok()) return std::nullopt;
    return ReadAtMost(file, name, limit, failure);
}

bool PosixFiles::ReadTogether(const std::vector<std::string>& names, size_t limit,
                              std::vector<std::string>* contents, ReadFailure* failure) {
    ReadFailure ignored;
    if (!failure) failure = &ignored;
    contents->clear();
    FolderLock lock;
    if (!lock.Take(folder_, lockWait_, &failure->why, &failure->held)) return false;
    const std::vector<std::string> bases = Bases(names);
    if (bases.size() != names.size()) {
        *failure = {false, NotInFolder(names[0])};
        return false;
    }
    if (!RecoverUnlocked(bases)) {
        *failure = {false, kLeftUnfinished, Held::kUnfinished};
        return false;
    }
    return ReadEach(names, limit, contents, failure);
}

// The lock is tried once: a game that holds it is saving or loading, and a
// look never waits for it. A commit cut off once its renames had begun
// leaves its marker: what the slot holds is then what Recover makes of it.
// One cut off before leaves the slot as it was, with helpers Recover removes.
bool PosixFiles::Peek(const std::vector<std::string>& names, size_t limit,
                      std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) {
    ReadFailure ignored;
    if (!failure) failure = &ignored;
    contents->clear();
    if (written) *written = 0;
    FolderLock lock;
    if (!lock.Take(folder_, std::chrono::milliseconds(0), &failure->why, &failure->held)) {
        return false;
    }
    const std::vector<std::string> bases = Bases(names);
    if (bases.size() != names.size()) {
        *failure = {false, NotInFolder(names.empty() ? "" : names[0])};
        return false;
    }
    for (const std::string& helper : {MarkerOf(bases[0]), UndoOf(bases[0])}) {
        if (Exists(PathOf(helper))) {
            *failure = {false, kCutOff, Held::kCutOff};
            return false;
        }
    }
    for (size_t i = 0; i < names.size(); ++i) {
        const Descriptor file = Open(names[i], limit, failure);
        std::optional<std::string> bytes;
        if (file.ok()) bytes = ReadAtMost(file, names[i], limit, failure);
        if (!bytes) return false;
        struct stat st;
        if (i == 0 && written && ::fstat(file.get(), &st) == 0) *written = st.st_mtime;
        contents->push_back(std::move(*bytes));
    }
    return true;
}

// An empty folder under a helper's name goes too; anything else is unlinked,
// never followed.
bool PosixFiles::RemoveQuietly(const std::string& path) {
    if (!Exists(path) || ops_.unlink(path.c_str()) == 0) return true;
    return errno == EISDIR && ::rmdir(path.c_str()) == 0;
}

// A helper file is created afresh, never opened where it lies: a name
// already taken (left by a crash, or a link to a file elsewhere that someone
// put there) is removed, not followed, and the file created again.
bool PosixFiles::WriteWhole(const std::string& path, const std::string& bytes, std::string* why,
                            ino_t* written) {
    int fd = -1;
    for (int tries = 0; fd < 0; ++tries) {
        fd = ops_.open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST || tries == 4) break;
        if (!RemoveQuietly(path)) break;
    }
    if (fd < 0) {
        *why = Explain("ファイルの作成");
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ops_.write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            if (n == 0) errno = ENOSPC;
            *why = Explain("書き込み");
            ops_.close(fd);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    struct stat st;
    if (written && ::fstat(fd, &st) == 0) *written = st.st_ino;
    if (ops_.fsync(fd) != 0) {
        *why = Explain("ディスクへの書き出し");
        ops_.close(fd);
        return false;
    }
    if (ops_.close(fd) != 0) {
        *why = Explain("ファイルを閉じる処理");
        return false;
    }
    return true;
}

// The old file under a second name: a hard link where the file system makes
// one. Where it cannot (the slot is a link to a file on another disk, or the
// disk has no hard links) the old bytes are copied instead; the slot's name
// then gets the new file, as it does over a link on the same disk, and the
// file the link pointed at is never written.
bool PosixFiles::KeepOld(const std::string& target, const std::string& old, std::string* why) {
    if (ops_.link(target.c_str(), old.c_str()) == 0) return true;
    if (errno == EEXIST && RemoveQuietly(old) && ops_.link(target.c_str(), old.c_str()) == 0)
        return true;
    if (errno != EXDEV && errno != EPERM && errno != EMLINK && errno != EOPNOTSUPP) {
        *why = Explain("元のファイルの保護");
        return false;
    }
    const std::string name = target.substr(target.rfind('/') + 1);
    ReadFailure failure;
    const Descriptor file = OpenRegular(target, name, kCopyLimit, &failure);
    const std::optional<std::string> bytes =
        file.ok() ? ReadAtMost(file, name, kCopyLimit, &failure) : std::nullopt;
    if (!bytes) {
        *why = failure.why;
        return false;
    }
    return WriteWhole(old, *bytes, why);
}

bool PosixFiles::SyncFolder(std::string* why) {
    int fd = ops_.open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    bool ok = fd >= 0 && ops_.fsync(fd) == 0;
    if (!ok) *why = Explain("フォルダの書き出し");
    if (fd >= 0 && ops_.close(fd) != 0 && ok) {
        *why = Explain("フォルダを閉じる処理");
        ok = false;
    }
    return ok;
}

// Puts the old files back after the renames have begun. The marker first
// becomes an undo marker, so that a crash from here on is rolled back by
// Recover, not finished: finishing would leave the files put back so far old
// and the rest new. When no undo marker can be made either, nothing is put
// back and the commit is finished instead: a whole new slot rather than a
// mix. True when it finished; what it could not finish keeps its marker, and
// Recover finishes it before the slot is next read.
bool PosixFiles::RollBack(const std::vector<std::string>& bases, const std::vector<bool>& hadOld) {
    const std::string marker = PathOf(MarkerOf(bases[0]));
    const std::string undo = PathOf(UndoOf(bases[0]));
    std::string ignored;
    if (ops_.rename(marker.c_str(), undo.c_str()) != 0) {
        if (!WriteWhole(undo, CommitList(bases, hadOld), &ignored) || !SyncFolder(&ignored)) {
            RemoveQuietly(undo);
            return FinishCommit(bases);
        }
        RemoveQuietly(marker);  // should it stay, Recover looks for the undo marker first
    }
    std::vector<std::string> fresh;
    for (size_t i = 0; i < bases.size(); ++i) {
        if (!hadOld[i]) fresh.push_back(bases[i]);
    }
    Undo(bases, fresh, undo);
    return false;
}

// Puts every new file of a commit whose marker was written in place; true
// when all are there and on disk.
bool PosixFiles::FinishCommit(const std::vector<std::string>& bases) {
    bool done = true;
    for (const std::string& b : bases) {
        const std::string fresh = PathOf(NewOf(b));
        if (!IsPlainFile(fresh)) {
            RemoveQuietly(fresh);
        } else if (ops_.rename(fresh.c_str(), PathOf(b).c_str()) != 0) {
            done = false;
        }
    }
    std::string ignored;
    return SyncFolder(&ignored) && done;
}

// Each file that had an old one gets it back from ".NAME.old" (for a file
// not yet renamed that is a link to itself, and renaming it changes
// nothing); a file that had none is removed. The undo marker says which had
// one; it is removed last, and only when every file is back, so an undo cut
// off or failing half-way is simply done again. True when it is done.
bool PosixFiles::Undo(const std::vector<std::string>& bases, const std::vector<std::string>& fresh,
                      const std::string& undo) {
    bool done = true;
    for (const std::string& b : bases) {
        const std::string target = PathOf(b), old = PathOf(OldOf(b));
        const bool wasFresh = std::find(fresh.begin(), fresh.end(), b) != fresh.end();
        if (!IsPlainFile(old)) RemoveQuietly(old);
        const bool back = IsPlainFile(old) ? ops_.rename(old.c_str(), target.c_str()) == 0
                                           : !wasFresh || RemoveQuietly(target);
        if (!back) {
            done = false;  // the old file stays under its second name for the next try
            continue;
        }
        RemoveQuietly(PathOf(NewOf(b)));
        RemoveQuietly(old);
    }
    std::string ignored;
    if (!SyncFolder(&ignored) || !done) return false;
    RemoveQuietly(undo);
    SyncFolder(&ignored);
    return true;
}

// The file's own cut-off commit is finished or rolled back before it is
// read, so that what it added is merged, not lost.
bool PosixFiles::Update(const std::string& name, size_t limit, const Change& change,
                        std::string* why) {
    FolderLock lock;
    Held held = Held::kNo;
    if (!lock.Take(folder_, lockWait_, why, &held)) return false;
    const std::vector<std::string> bases = Bases({name});
    if (bases.empty() || !RecoverUnlocked(bases)) {
        *why = bases.empty() ? NotInFolder(name) : kLeftUnfinished;
        return false;
    }
    return ReadThenReplace(
        name, limit, change,
        [this](const std::vector<NamedBytes>& files, CommitFailure* failure) {
            return Commit(files, failure);
        },
        why);
}

bool PosixFiles::ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) {
    FolderLock lock;
    if (!lock.Take(folder_, lockWait_, &failure->why, &failure->held)) {
        failure->left = LeftBehind::kUntouched;
        return false;
    }
    return Commit(files, failure);
}

bool PosixFiles::Commit(const std::vector<NamedBytes>& files, CommitFailure* failure) {
    if (files.empty()) return true;
    std::vector<std::string> targets, bases;
    for (const NamedBytes& f : files) {
        targets.push_back(Resolve(f.name));
        if (targets.back().empty()) {
            *failure = {NotInFolder(f.name), LeftBehind::kUntouched};
            return false;
        }
        bases.push_back(targets.back().substr(targets.back().rfind('/') + 1));
    }
    // A commit of this slot cut off earlier and not yet finished or undone
    // must not be mixed with this one.
    if (!RecoverUnlocked(bases)) {
        *failure = {kLeftUnfinished, LeftBehind::kUntouched, Held::kUnfinished};
        return false;
    }
    // An old file is a regular file, or a link to one; a folder, a pipe or
    // a device in a slot's place is nobody's save, and is left alone.
    std::vector<bool> hadOld;
    for (size_t i = 0; i < files.size(); ++i) {
        struct stat st;
        hadOld.push_back(::stat(targets[i].c_str(), &st) == 0);
        if (hadOld.back() && !S_ISREG(st.st_mode)) {
            *failure = {bases[i] + " は" + KindOf(st.st_mode) + "なので、上書きしません。",
                        LeftBehind::kUntouched};
            return false;
        }
    }
    const bool anyOld = std::find(hadOld.begin(), hadOld.end(), true) != hadOld.end();
    failure->left = anyOld ? LeftBehind::kOldFiles : LeftBehind::kNoFiles;
    std::string* why = &failure->why;

    const std::string marker = PathOf(MarkerOf(bases[0]));
    // Before the renames a commit is undone by removing its helpers, the
    // marker first: with the marker gone Recover never finishes it.
    auto cleanUp = [&] {
        RemoveQuietly(marker);
        for (const std::string& b : bases) {
            RemoveQuietly(PathOf(NewOf(b)));
            RemoveQuietly(PathOf(OldOf(b)));
        }
    };

    // 1. The new bytes, complete and on disk, beside the old files.
    std::vector<ino_t> written(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        if (!WriteWhole(PathOf(NewOf(bases[i])), files[i].bytes, why, &written[i]))
            return cleanUp(), false;
    }
    // 2. The old files kept under a second name, so that a failed rename can
    //    be undone; then the marker that says the renames have begun.
    for (size_t i = 0; i < files.size(); ++i) {
        if (hadOld[i] && !KeepOld(targets[i], PathOf(OldOf(bases[i])), why))
            return cleanUp(), false;
    }
    if (!WriteWhole(marker, CommitList(bases, hadOld), why) || !SyncFolder(why))
        return cleanUp(), false;

    // 3. The renames, each of the very file written in step 1: should
    //    someone have put a link or anything else in its place since, it is
    //    not renamed into the slot. Once they are all through the slot is new.
    bool renamed = true;
    for (size_t i = 0; i < files.size() && renamed; ++i) {
        const std::string fresh = PathOf(NewOf(bases[i]));
        ino_t inode = 0;
        if (!IsPlainFile(fresh, &inode) || inode != written[i]) {
            *why = "セーブのために書いたファイルが、別のものに置き換えられていました。";
            renamed = false;
        } else if (ops_.rename(fresh.c_str(), targets[i].c_str()) != 0) {
            *why = Explain("ファイルの置き換え");
            renamed = false;
        }
    }
    if (renamed) renamed = SyncFolder(why);
    if (!renamed && !RollBack(bases, hadOld)) return false;
    cleanUp();
    std::string ignored;
    SyncFolder(&ignored);
    return true;
}

bool PosixFiles::Recover(const std::vector<std::string>& names) {
    FolderLock lock;
    std::string why;
    Held held = Held::kNo;
    if (!lock.Take(folder_, lockWait_, &why, &held)) return false;
    const std::vector<std::string> bases = Bases(names);
    return bases.size() == names.size() && RecoverUnlocked(bases);
}

// A commit cut off after its marker was written is finished: its new files
// were complete before the marker. One cut off before is undone, and so is
// one cut off while it was being rolled back. The folder is synced only when
// something was left to tidy, so that reading a slot costs no disk flush.
// False when the file system would not let it finish: the files may then be
// half old and half new, and the next try goes on where this one stopped.
bool PosixFiles::RecoverUnlocked(const std::vector<std::string>& bases) {
    if (bases.empty()) return true;
    const std::string marker = PathOf(MarkerOf(bases[0]));
    const std::string undo = PathOf(UndoOf(bases[0]));
    if (Exists(undo)) {
        std::vector<std::string> fresh;  // the names that had no old file
        const Descriptor file = OpenRegular(undo, UndoOf(bases[0]), kMarkerLimit, nullptr);
        const std::string list =
            file.ok() ? ReadAtMost(file, undo, kMarkerLimit, nullptr).value_or("") : "";
        for (size_t at = 0; at < list.size();) {
            size_t end = std::min(list.find('\n', at), list.size());
            const std::string line = list.substr(at, end - at);
            if (line.ends_with("\t-")) fresh.push_back(line.substr(0, line.size() - 2));
            at = end + 1;
        }
        RemoveQuietly(marker);
        return Undo(bases, fresh, undo);
    }
    const bool finish = Exists(marker);
    // A commit that cannot be finished now keeps its marker and new files,
    // to be finished at the next try, rather than losing half of them.
    if (finish && !FinishCommit(bases)) return false;
    bool tidied = finish;
    std::string ignored;
    for (const std::string& b : bases) {
        for (const std::string& helper : {PathOf(NewOf(b)), PathOf(OldOf(b))}) {
            if (Exists(helper)) tidied = true;
            RemoveQuietly(helper);
        }
    }
    RemoveQuietly(marker);
    if (tidied) SyncFolder(&ignored);
    return true;
}

}  // namespace velmora
