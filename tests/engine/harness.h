// Plays the game in-process over the terminal protocol, in a temporary game
// folder filled with marker scenario files: item i of "F.dat" reads "F#i",
// so a trace line "MSG kumi01#5" shows which line of which file played.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "shell/form1.h"

namespace velmora::test {

// What the player does: answers to YESNO?, NAME?, LIST? and MENU? in order.
// CLICK?, NEXT? and PICTURE? are clicked without using a decision. A
// decision written "@any:TEXT" answers the very next prompt of any kind, and
// "@end" ends the input there (the main window closes, even in mid-scene).
using Decisions = std::vector<std::string>;

// A story flag set to a value.
struct SetFlag {
    Flag flag;
    int16_t value;
};

// A reading of the clock: day, AM (0) or PM (1), hour within the half, minute.
struct Moment {
    int day;
    int half;
    int hour;
    int minute;
    bool operator==(const Moment&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Moment& m);

class GameFolder {
  public:
    GameFolder();  // a fresh folder with the thirteen marker files
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::string& path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const;
    // UTF-8 text written as the game's files are: CP932.
    void WriteText(const std::string& name, const std::string& utf8) const;
    void Remove(const std::string& name) const;
    std::string Read(const std::string& name) const;  // "" when missing
    bool Has(const std::string& name) const;

    // A saved game in a slot, as the game writes it.
    void WriteSlot(const std::string& slot, const std::array<int16_t, kFlagCount>& flags,
                   const std::string& place, const std::string& name = "佐々木",
                   const std::string& nickname = "リュウ君") const;

  private:
    std::string path_;
};

// The flags of a game at a given moment: music on, portraits at once, the
// clock copy as a save would hold it, plus the given story flags.
std::array<int16_t, kFlagCount> FlagsAt(int day, int half, int hour, int minute,
                                        std::vector<SetFlag> story = {});

struct Trace {
    std::vector<std::string> lines;
    bool ended = false;  // the last line is END

    // The text of every MSG line, in order.
    std::vector<std::string> Messages() const;
    bool Has(const std::string& line) const;
    // Index of the first line equal to `line` at or after `from`, or -1.
    int Find(const std::string& line, int from = 0) const;
    // The MSG lines of one scenario file ("kumi01"), as their item numbers.
    std::vector<int> ItemsOf(const std::string& stem) const;
    // The same, turn by turn: one list for each MENU? answered and one
    // before the first.
    std::vector<std::vector<int>> ItemsByTurn(const std::string& stem) const;
    std::string Text() const;  // for failure messages
    int16_t flag(Flag f) const { return finalState.flag(f); }
    Moment clock() const;  // where the clock stood at the end
    // The lines without the NEXT? clicks between messages.
    std::vector<std::string> Steps() const;
    // The lines that begin with `prefix` ("PORTRAIT ", "CLOCK "), in order.
    std::vector<std::string> LinesStarting(const std::string& prefix) const;
    // The last line said before the menu came back (the input ends there).
    std::string LastSaid() const;
    // Whether `run` appears in Steps() as consecutive lines.
    bool HasRun(const std::vector<std::string>& run) const;

    GameState finalState;
    std::array<int16_t, kFlagCount> finalFlags{};
};

// Plays from the title click with these decisions. When they run out the
// input ends at the next prompt that needs one (the main window closes).
// ownSlots: as velmora-tty --auto-save plays (the automatic save written at
// the menu; "@any:CONTINUE" first is 続きから).
Trace Play(const GameFolder& folder, const Decisions& decisions, bool ownSlots = false);

// The decisions that load slot "file1" at the start: the game then resumes
// at the saved place (use "部屋" to start at the menu without a visit).
Decisions LoadSlot1();

// Plays a game saved at `saved` with these story flags, loaded at the start:
// saved in the hero's room it resumes at the menu, where `decisions` take over.
Trace PlayFrom(Moment saved, std::vector<SetFlag> story, const Decisions& decisions,
               const std::string& place = "部屋");

// Item numbers of runs of lines: Items({{1, 12}, {19, 19}}) is 1..12 and 19.
std::vector<int> Items(std::initializer_list<std::pair<int, int>> runs);

// A moment and flags at which a scene should or should not play.
struct When {
    Moment saved;  // the clock before the move
    std::vector<SetFlag> story;
    bool plays;
};

// Makes the `visit` from each `when` (twice where the scene plays, which it
// must do once only) and reports every case in which the lines of `stem` were
// not `lines` (or none where it does not play), or it played and left
// done.flag other than done.value. "" when every case holds.
std::string Misses(const Decisions& visit, const std::vector<When>& whens, const std::string& stem,
                   const std::vector<int>& lines, SetFlag done);

// Clicks NEXT (or answers any prompt with nothing) n times, then closes the
// main window at the prompt after: a scene can be cut off after any line.
Decisions CloseAfterClicks(int n);

// Decisions a + b.
Decisions operator+(Decisions a, const Decisions& b);

// n clicks on NEXT.
std::vector<std::string> Clicks(size_t n);
// What the game says as the command menu waits.
inline constexpr char kMenuPrompt[] = "MSG さて、どこに行こうかな・・・。";

}  // namespace velmora::test
