// velmora (installed as /usr/games/velmora, and as velmora-tty beside it):
// starts the game in the player's own game folder.
//
// The programs look everything up in their working directory: scenario files,
// pictures, music and the save slots. An installed game keeps its data read-only
// under share/games/velmora and its programs under lib/games/velmora, so the
// command a player types (or the menu entry) is this launcher: it makes the
// player's folder ($XDG_DATA_HOME/velmora, or ~/.local/share/velmora), links
// every shipped file into it, and starts the window program (or, started as
// velmora-tty or with --tty, the terminal's) there by exec.
//
// The links are refreshed at each start: a newer version's data reaches the
// folder, links to files it no longer ships go away, and the player's save
// slots ("file1" .. "file5", "file1_text" ..., the ".file1.new" kind of helper
// files) are never touched. Two launchers may refresh one folder at once (the
// menu entry clicked twice): each makes its links under a name of its own and
// renames them into place, never writing through an entry that is there, and
// the shipped data is only ever opened for reading.
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "backends/posix/posix_files.h"

namespace fs = std::filesystem;

namespace {

// The names the launcher is installed under: the window, the terminal.
constexpr const char* kWindowCommand = "velmora";
constexpr const char* kTerminalCommand = "velmora-tty";
// Where the shipped data and the programs lie, seen from the launcher's folder.
constexpr const char* kShippedFromLauncher = "../share/games/velmora";
constexpr const char* kProgramsFromLauncher = "../lib/games/velmora";
// Made beside a link before it replaces the old entry in one rename; each
// launcher's own, named after its process ("….pending.1234").
constexpr const char* kPendingLink = ".velmora-launcher.pending";
// The largest shipped file (the music) is 3.4 MB.
constexpr size_t kShippedFileLimit = 64 * 1024 * 1024;

// The command the player typed, as the launcher's complaints name it.
std::string gCommand = kWindowCommand;

void Complain(const std::string& what) {
    std::cerr << gCommand << ": " << what << '\n';
}

// Save slots and their helper files belong to the player alone.
bool IsPlayersFile(const std::string& name) {
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.starts_with("file") || lower.starts_with(".file");
}

// The folder of the launcher: /proc/self/exe, or argv[0] where /proc is not
// mounted (a bare chroot); either way past the link velmora-tty is.
fs::path LauncherFolder(const char* argv0) {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.parent_path();
    std::string name = argv0 ? argv0 : "";
    if (name.find('/') == std::string::npos) {
        const char* path = std::getenv("PATH");
        std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin:/usr/games";
        size_t start = 0;
        while (start <= dirs.size()) {
            size_t end = dirs.find(':', start);
            if (end == std::string::npos) end = dirs.size();
            fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
            if (::access(candidate.c_str(), X_OK) == 0) {
                name = candidate.string();
                break;
            }
            start = end + 1;
        }
    }
    fs::path resolved = fs::canonical(name, ec);
    return ec ? fs::path() : resolved.parent_path();
}

// $XDG_DATA_HOME/velmora; the XDG base directory rules send an unset, empty
// or relative XDG_DATA_HOME to ~/.local/share.
fs::path GameFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return fs::path(xdg) / "velmora";
    const char* home = std::getenv("HOME");
    std::string homeDir = home && home[0] ? home : "";
    if (homeDir.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid())) homeDir = pw->pw_dir;
    }
    if (homeDir.empty()) return {};
    return fs::path(homeDir) / ".local" / "share" / "velmora";
}

// Creates the missing folders of path, private to the player as the XDG base
// directory rules ask.
bool MakeFolders(const fs::path& path) {
    fs::path built;
    for (const fs::path& part : path) {
        built /= part;
        if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) {
            Complain("cannot create " + built.string() + ": " + std::strerror(errno));
            return false;
        }
    }
    if (!fs::is_directory(path)) {
        Complain(path.string() + " is not a folder");
        return false;
    }
    return true;
}

// A link made by some launcher: it points at a file of a shipped data folder.
bool IsShippedLink(const fs::path& entry) {
    std::error_code ec;
    fs::path target = fs::read_symlink(entry, ec);
    if (ec) return false;
    fs::path parent = target.parent_path();
    return parent.filename() == "velmora" && parent.parent_path().filename() == "games" &&
           parent.parent_path().parent_path().filename() == "share";
}

// The pending link of a launcher that is no longer running.
bool IsLeftOverPending(const std::string& name) {
    const std::string prefix = std::string(kPendingLink) + ".";
    if (name == kPendingLink) return true;  // as older launchers named it
    if (!name.starts_with(prefix)) return false;
    const std::string pid = name.substr(prefix.size());
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos)
        return true;
    return ::kill(std::stoi(pid), 0) != 0 && errno == ESRCH;
}

// What failed for one shipped file: the step ("link", "copy", "place") and
// the system's reason. Empty when nothing did.
struct Failure {
    std::string step;
    std::string why;
};

// Where the file system has no links (a memory stick's): a copy, read from
// the shipped file and written into the folder as the game writes a slot.
std::optional<Failure> CopyShippedFile(const fs::path& folder, const std::string& name,
                                       const fs::path& target) {
    velmora::ReadFailure failure;
    const velmora::Descriptor file =
        velmora::OpenRegular(target.string(), target.string(), kShippedFileLimit, &failure);
    std::optional<std::string> bytes;
    if (file.ok()) bytes = velmora::ReadAtMost(file, target.string(), kShippedFileLimit, &failure);
    velmora::CommitFailure committed;
    velmora::PosixFiles files(folder.string());
    if (bytes && files.ReplaceTogether({{name, *bytes}}, &committed)) return std::nullopt;
    return Failure{"copy", bytes ? committed.why : failure.why};
}

// Puts `target` in the game folder under `name`: a link where the file system
// has them, a copy elsewhere. The new entry replaces the old one in one rename.
std::optional<Failure> PlaceShippedFile(const fs::path& folder, const std::string& name,
                                        const fs::path& target) {
    const fs::path entry = folder / name;
    const fs::path pending =
        folder / (std::string(kPendingLink) + "." + std::to_string(::getpid()));
    std::error_code ec;
    if (fs::read_symlink(entry, ec) == target && !ec) return std::nullopt;
    if (fs::is_directory(fs::symlink_status(entry, ec)))
        return Failure{"link", "a folder stands in its place"};
    ::unlink(pending.c_str());  // a leftover of a process of the same number: never followed
    if (::symlink(target.c_str(), pending.c_str()) != 0) {
        if (errno == EPERM || errno == EOPNOTSUPP || errno == ENOSYS)
            return CopyShippedFile(folder, name, target);
        return Failure{"link", std::strerror(errno)};
    }
    if (::rename(pending.c_str(), entry.c_str()) != 0) {
        const int error = errno;
        ::unlink(pending.c_str());
        return Failure{"place", std::strerror(error)};
    }
    return std::nullopt;
}

// Links every shipped file into the game folder and drops the links to files a
// newer version no longer ships, and what launchers cut off left behind. A
// failure on some files is reported once for each cause (a full or read-only
// disk fails every file alike) and the game starts all the same: the game
// itself says which file it misses.
void RefreshShippedFiles(const fs::path& shipped, const fs::path& folder) {
    std::set<std::string> names;
    // The files each step failed for, by the step and the reason.
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> failed;
    std::error_code ec;
    for (const fs::directory_entry& file : fs::directory_iterator(shipped, ec)) {
        const std::string name = file.path().filename().string();
        if (!file.is_regular_file() || IsPlayersFile(name) || name.starts_with(kPendingLink))
            continue;
        names.insert(name);
        if (const std::optional<Failure> failure = PlaceShippedFile(folder, name, file.path()))
            failed[{failure->step, failure->why}].push_back(name);
    }
    if (ec) Complain("cannot read " + shipped.string() + ": " + ec.message());
    for (const auto& [cause, files] : failed) {
        const std::string which =
            files.size() == 1 ? files[0] : std::to_string(files.size()) + " of the game's files";
        Complain("cannot " + cause.first + " " + which + " into " + folder.string() + ": " +
                 cause.second);
    }

    std::vector<fs::path> stale;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsPlayersFile(name) || names.count(name)) continue;
        if (name.starts_with(kPendingLink) ? IsLeftOverPending(name)
                                           : entry.is_symlink() && IsShippedLink(entry.path()))
            stale.push_back(entry.path());
    }
    for (const fs::path& link : stale) ::unlink(link.c_str());
}

void Usage(std::ostream& out) {
    out << "Usage: " << gCommand << " [--tty] [GAME OPTIONS...]\n"
        << "Starts Velmora in the player's game folder ($XDG_DATA_HOME/velmora or\n"
        << "~/.local/share/velmora), where the save slots are kept.\n"
        << "  --tty   the game on the terminal's line protocol (as velmora-tty)\n"
        << "It ends by 終了 in the menu of places, or by closing the window at the\n"
        << "title; the game saved at every return to the menu is offered as 続きから\n"
        << "(C) at the next start.\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    // Started as velmora-tty (the link beside it), the terminal's game.
    if (argc > 0 && fs::path(argv[0]).filename() == kTerminalCommand) gCommand = kTerminalCommand;
    std::string game = gCommand;
    std::vector<std::string> passed;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--tty") {
            game = kTerminalCommand;
        } else if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        } else {
            passed.push_back(arg);
        }
    }

    const fs::path launcher = LauncherFolder(argc > 0 ? argv[0] : nullptr);
    if (launcher.empty()) {
        Complain("cannot find the folder this program was started from");
        return 1;
    }
    std::error_code ec;
    const fs::path shipped = fs::canonical(launcher / kShippedFromLauncher, ec);
    if (ec || !fs::is_directory(shipped)) {
        Complain("the game's data is missing: " + (launcher / kShippedFromLauncher).string());
        return 1;
    }
    const fs::path folder = GameFolder();
    if (folder.empty()) {
        Complain("neither XDG_DATA_HOME nor HOME tells where the game folder goes");
        return 1;
    }
    if (!MakeFolders(folder)) return 1;
    RefreshShippedFiles(shipped, folder);

    if (::chdir(folder.c_str()) != 0) {
        Complain("cannot enter " + folder.string() + ": " + std::strerror(errno));
        return 1;
    }
    const std::string path = (launcher / kProgramsFromLauncher / game).lexically_normal().string();
    std::vector<char*> args;
    args.push_back(const_cast<char*>(path.c_str()));
    for (std::string& arg : passed) args.push_back(arg.data());
    args.push_back(nullptr);
    ::execv(path.c_str(), args.data());
    Complain("cannot start " + path + ": " + std::strerror(errno));
    return 127;
}
