// Replays one event's route through velmora-tty, in a fresh folder of
// marker scenario files, and checks that the event's lines play.
// Usage: routes_replay VELMORA_TTY ROUTES_FOLDER EVENT
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tests/engine/harness.h"
#include "tools/routes/replay_script.h"

namespace {

using Lines = std::vector<std::string>;

Lines Split(const std::string& text, char by) {
    Lines out;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, by);) out.push_back(part);
    return out;
}

// The lines the event must show, from its row of routes.tsv.
Lines ExpectedOf(const std::string& folder, const std::string& event) {
    std::ifstream index(folder + "/routes.tsv");
    for (std::string row; std::getline(index, row);) {
        Lines fields = Split(row, '\t');
        if (!fields.empty() && fields[0] == event) return Lines(fields.begin() + 1, fields.end());
    }
    return {};
}

// velmora-tty run in the game folder with the script as its standard input.
std::string RunTty(const std::string& tty, const std::string& folder, const std::string& script) {
    int out[2];
    if (::pipe(out) != 0) return "";
    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open(script.c_str(), O_RDONLY);
        if (in < 0 || ::chdir(folder.c_str()) != 0) ::_exit(127);
        ::dup2(in, 0);
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execl(tty.c_str(), tty.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string trace;
    char buffer[65536];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) trace.append(buffer, n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return trace;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: routes_replay VELMORA_TTY ROUTES_FOLDER EVENT\n";
        return 2;
    }
    const std::string folder = argv[2];
    const std::string event = argv[3];
    const Lines expected = ExpectedOf(folder, event);
    if (expected.empty()) {
        std::cerr << "no lines listed for " << event << " in routes.tsv\n";
        return 1;
    }
    velmora::test::GameFolder game;
    const Lines trace = Split(RunTty(argv[1], game.path(), folder + "/" + event + ".in"), '\n');
    if (velmora::routes::PlaysInOrder(trace, expected) && !trace.empty() && trace.back() == "END") {
        return 0;
    }
    std::cerr << "the route to " << event << " did not play these lines in order:\n";
    for (const std::string& line : expected) std::cerr << "  " << line << "\n";
    std::cerr << "trace:\n";
    for (const std::string& line : trace) std::cerr << "  " << line << "\n";
    return 1;
}
