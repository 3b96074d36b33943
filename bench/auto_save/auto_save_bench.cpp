// The time the command menu takes to appear, with and without the automatic
// save written before it, and with it written by a thread of its own as the
// window program writes it (app/background_save.h): the game played as
// velmora-tty plays it, in a copy of the game's folder on the disk, the
// menu's BGM question answered again and again; each round is from the
// answer to the next MENU? prompt. The goal is one 60 Hz frame (16.7 ms) at
// the median.
//
//   velmora_auto_save_bench [ROUNDS]   (run in the source tree's root)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/background_save.h"
#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "shell/form1.h"
#include "world/slot_format.h"

namespace {

using Clock = std::chrono::steady_clock;

enum class Saving { kNone, kAtTheMenu, kOnAThread };

// The milliseconds of each round.
std::vector<double> Rounds(int rounds, Saving saving) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("velmora-auto-save-bench-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::copy(fs::path(VELMORA_SOURCE) / "data", folder, fs::copy_options::recursive);
    std::vector<double> took;
    {
        velmora::PosixFiles disk(folder.string());
        velmora::SerialFiles files(disk);
        velmora::BackgroundSave background(files);
        std::ostringstream trace;
        int noes = 3;  // not loaded, not named, the invitation declined
        Clock::time_point answered;
        bool timing = false;
        velmora::TracePlatform platform(
            trace,
            [&](const std::string& prompt) -> std::optional<std::string> {
                trace.str("");
                if (prompt == "YESNO?") {
                    if (noes-- > 0) return "no";
                    timing = true;
                    answered = Clock::now();
                    return "no";  // the music stays off
                }
                if (prompt.rfind("MENU? ", 0) != 0) return "";
                if (timing) {
                    took.push_back(
                        std::chrono::duration<double, std::milli>(Clock::now() - answered).count());
                }
                if (static_cast<int>(took.size()) >= rounds) return std::nullopt;
                return "BGM";
            },
            files);
        velmora::AutoSave autoSave;
        if (saving == Saving::kOnAThread) autoSave.WriteWith(&background);
        velmora::Form1 game(platform);
        if (saving != Saving::kNone) game.SaveAtTheMenu(&autoSave);
        platform.PlayGame(game);
    }
    fs::remove_all(folder);
    return took;
}

double Quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 501;
    std::printf("%-22s %10s %10s %10s  (ms, %d rounds)\n", "the menu appears", "median", "p90",
                "max", rounds);
    const std::pair<Saving, const char*> kinds[] = {{Saving::kNone, "without"},
                                                    {Saving::kAtTheMenu, "saved at the menu"},
                                                    {Saving::kOnAThread, "saved on a thread"}};
    for (const auto& [saving, name] : kinds) {
        const std::vector<double> took = Rounds(rounds, saving);
        std::printf("%-22s %10.3f %10.3f %10.3f\n", name, Quantile(took, 0.5), Quantile(took, 0.9),
                    Quantile(took, 1.0));
    }
    return 0;
}
