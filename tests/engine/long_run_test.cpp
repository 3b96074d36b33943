// A very long game: a million menu turns that let no time pass (music and
// portrait settings switched back and forth), played on a thread with a
// small fixed stack. The turns must run in a loop, not inside one another,
// and leave the memory where it was. A build without optimisation (the
// sanitizers' among them) plays 20,000, enough for turns inside one
// another to overflow the stack.
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <fstream>
#include <streambuf>

#include "backends/tty/trace_platform.h"
#include "shell/form1.h"
#include "tests/fuzz/fuzz_support.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_SANITIZED 1
#endif
#endif

namespace velmora {
namespace {

#if defined(VELMORA_SANITIZED) || !defined(NDEBUG)
constexpr long kTurns = 20000;
#else
constexpr long kTurns = 1000000;
#endif

// Output that is only counted.
class LineCounter : public std::streambuf {
  public:
    long lines = 0;

  protected:
    int overflow(int c) override {
        if (c == '\n') ++lines;
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) lines += s[i] == '\n';
        return n;
    }
};

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

struct LongRun {
    long turns = 0;
    long lines = 0;
    long startKiB = 0, endKiB = 0;
    bool ended = false;
};

void* Play(void* arg) {
    LongRun& run = *static_cast<LongRun*>(arg);
    LineCounter counter;
    std::ostream out(&counter);
    fuzz::MemoryFiles files;  // no scenario files: the notices are shown
    long menus = 0, answers = 0;
    TracePlatform platform(
        out,
        [&](const std::string& prompt) -> std::optional<std::string> {
            if (prompt.rfind("MENU? ", 0) == 0) {
                if (menus == 1000) run.startKiB = ResidentKiB();
                if (menus == kTurns) return std::nullopt;
                return ++menus % 2 ? "BGM" : "画像処理";
            }
            if (prompt == "YESNO?") return ++answers % 3 ? "no" : "yes";
            return "";
        },
        files);
    Form1 form(platform);
    try {
        for (;;) {
            platform.Ask("CLICK?");
            form.lblMsg_Click();
        }
    } catch (const MainWindowClosed&) {
        run.ended = true;
    } catch (const ProgramEnd&) {
    }
    run.endKiB = ResidentKiB();
    run.turns = menus;
    run.lines = counter.lines;
    return nullptr;
}

TEST(LongRun, AMillionTurnsOnASmallStackKeepMemoryFlat) {
    LongRun run;
    pthread_attr_t attr;
    ASSERT_EQ(pthread_attr_init(&attr), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attr, 256 * 1024), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attr, Play, &run), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attr);

    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.turns, kTurns);
    EXPECT_GT(run.lines, 4 * kTurns);
#ifndef VELMORA_SANITIZED
    // The address sanitizer holds freed memory back on purpose (and finds
    // leaks itself), so resident memory only means something without it.
    EXPECT_LT(run.endKiB - run.startKiB, 4 * 1024)
        << "resident memory grew from " << run.startKiB << " KiB to " << run.endKiB << " KiB";
#endif
    std::printf(
        "long run: %ld menu turns, %ld lines, resident %ld KiB after 1,000 turns, %ld KiB "
        "at the end\n",
        run.turns, run.lines, run.startKiB, run.endKiB);
}

}  // namespace
}  // namespace velmora
