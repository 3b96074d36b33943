// Rollback over whole routes: every step taken back to and forward again
// shows the screen and holds the state it did the first time, a save made
// there is byte for byte the save made then, and the terminal protocol
// answers BACK at every kind of prompt.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "replay/rollback.h"
#include "tests/engine/harness.h"

namespace velmora::test {
namespace {

// What the trace says the window shows.
struct TraceScreen {
    std::string scene = "design", portrait, side = "design", date = "design", time, place;
    std::vector<std::string> paints;
    std::string music, message;

    void Apply(const std::string& line) {
        const size_t space = line.find(' ');
        const std::string kind = line.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
        if (kind == "DESIGN") {
            TraceScreen design;
            design.music = music;
            design.message = message;
            *this = design;
        } else if (kind == "SCENE") {
            scene = rest;
            paints.clear();
        } else if (kind == "PAINT") {
            paints.push_back(rest);
        } else if (kind == "PORTRAIT") {
            portrait = rest;
        } else if (kind == "HIDE") {
            portrait.clear();
        } else if (kind == "SIDE") {
            side = rest;
        } else if (kind == "CLOCK") {
            const size_t bar = rest.find('|'), second = rest.rfind('|');
            if (rest.substr(0, bar) != "-") date = rest.substr(0, bar);
            time = rest.substr(bar + 1, second - bar - 1);
            place = rest.substr(second + 1);
        } else if (kind == "SOUND") {
            music = rest == "stop" ? "" : rest.substr(5);
        } else if (kind == "MSG") {
            message = rest;
        }
    }
    bool operator==(const TraceScreen&) const = default;
};

// One prompt of a game: what it asked, the game's whole state and the screen.
struct Seen {
    std::string prompt;
    GameState state;
    TraceScreen screen;
};

// A game in its folder over velmora-tty's protocol with rollback, answered
// by `answer` at each prompt, which sees everything the prompt found.
class RollbackGame {
  public:
    using Answer = std::function<std::optional<std::string>(const Seen&)>;

    explicit RollbackGame(const GameFolder& folder) : files_(folder.path()) {}

    std::vector<std::string> Play(const Answer& answer) {
        TracePlatform platform(
            out_, [&](const std::string& prompt) { return Prompted(prompt, answer); }, files_);
        Rollback rollback(platform, [this](Platform& on) {
            auto game = std::make_unique<Form1>(on);
            game_ = game.get();
            return game;
        });
        rollback_ = &rollback;
        rollback.TellWith([&](const std::string& text) { platform.Notice(text); });
        platform.PlayGame(rollback);
        rollback_ = nullptr;
        TakeLines();
        return lines_;
    }

    // How many answers the rollback keeps now (while the game plays).
    size_t recorded() const { return rollback_->recorded(); }
    // How many lines the trace has so far, the prompt being answered the last.
    size_t written() const { return lines_.size(); }

  private:
    std::optional<std::string> Prompted(const std::string& prompt, const Answer& answer) {
        TakeLines();
        return answer({prompt, game_->state(), screen_});
    }
    void TakeLines() {
        std::istringstream in(out_.str().substr(taken_));
        taken_ = out_.str().size();
        for (std::string line; std::getline(in, line);) {
            screen_.Apply(line);
            lines_.push_back(line);
        }
    }

    PosixFiles files_;
    std::ostringstream out_;
    size_t taken_ = 0;
    Form1* game_ = nullptr;
    const Rollback* rollback_ = nullptr;
    TraceScreen screen_;
    std::vector<std::string> lines_;
};

std::vector<std::string> Script(const std::string& route) {
    std::ifstream in(std::string(VELMORA_ROUTES_DIR) + "/" + route + ".in");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The prompts of a route played through once, the last one left waiting.
std::vector<Seen> PlayedOnce(const std::vector<std::string>& script) {
    GameFolder folder;
    std::vector<Seen> seen;
    RollbackGame(folder).Play([&](const Seen& now) -> std::optional<std::string> {
        seen.push_back(now);
        if (seen.size() > script.size()) return std::nullopt;
        return script[seen.size() - 1];
    });
    return seen;
}

// The step a BACK at prompt `at` goes to: NEXT of a picture, and the
// title's click, are no steps of their own.
std::optional<size_t> StepBefore(const std::vector<Seen>& once, size_t at) {
    for (size_t i = at; i-- > 1;) {
        if (!(once[i].prompt == "NEXT?" && once[i - 1].prompt.starts_with("PICTURE?"))) return i;
    }
    return std::nullopt;
}

std::string SlotBytes(const GameFolder& folder) {
    return folder.Read("file1") + "|" + folder.Read("file1_text");
}

// The slot saved at the menu of prompt `at`, the first time through.
std::string SavedFirstTime(const std::vector<std::string>& script, size_t at) {
    GameFolder folder;
    std::vector<std::string> answers(script.begin(), script.begin() + static_cast<long>(at));
    answers.insert(answers.end(), {"セーブ", "file1", "yes", ""});
    size_t next = 0;
    RollbackGame(folder).Play([&](const Seen&) -> std::optional<std::string> {
        if (next == answers.size()) return std::nullopt;
        return answers[next++];
    });
    return SlotBytes(folder);
}

void ExpectSame(const Seen& now, const Seen& then, const std::string& where) {
    EXPECT_EQ(now.prompt, then.prompt) << where;
    EXPECT_TRUE(now.state == then.state) << where;
    EXPECT_TRUE(now.screen == then.screen) << where << ": " << now.screen.message;
}

// From the last prompt all the way back, then forward to the end again.
void BackAndForth(const std::string& route) {
    const std::vector<std::string> script = Script(route);
    const std::vector<Seen> once = PlayedOnce(script);
    const size_t last = once.size() - 1;
    GameFolder folder;
    size_t prompts = 0, at = last;
    bool forward = false, done = false;
    RollbackGame(folder).Play([&](const Seen& now) -> std::optional<std::string> {
        if (prompts++ < last) return script[prompts - 1];
        ExpectSame(now, once[at], route + " at prompt " + std::to_string(at));
        if (done) return std::nullopt;
        if (!forward) {
            const std::optional<size_t> before = StepBefore(once, at);
            if (before) at = *before;
            forward = !before;
            return "BACK";
        }
        if (at == last) done = true;
        if (at < last) ++at;
        return "FORWARD";
    });
    EXPECT_TRUE(done) << route;
}

// Back from the last prompt, saving at every menu on the way: the save,
// then back through its four prompts to the menu, then on back.
void SaveAfterGoingBack(const std::string& route) {
    const std::vector<std::string> script = Script(route);
    const std::vector<Seen> once = PlayedOnce(script);
    GameFolder folder;
    size_t prompts = 0, at = once.size() - 1, savedAt = 0;
    std::vector<std::string> pending;
    RollbackGame(folder).Play([&](const Seen& now) -> std::optional<std::string> {
        if (prompts++ < at) return script[prompts - 1];
        if (!pending.empty()) {
            if (pending.size() == 4) {  // the NEXT after the save: it is written
                EXPECT_EQ(SlotBytes(folder), SavedFirstTime(script, at)) << route << " at " << at;
            }
            const std::string next = pending.front();
            pending.erase(pending.begin());
            return next;
        }
        ExpectSame(now, once[at], route + " back at prompt " + std::to_string(at));
        if (now.prompt.starts_with("MENU?") && savedAt != at) {
            savedAt = at;
            folder.Remove("file1");
            folder.Remove("file1_text");
            pending = {"file1", "yes", "", "BACK", "BACK", "BACK", "BACK"};
            return "セーブ";
        }
        const std::optional<size_t> before = StepBefore(once, at);
        if (!before) return std::nullopt;
        at = *before;
        return "BACK";
    });
}

TEST(Rollback, EveryStepOfWholeRoutesBackAndForwardAgain) {
    for (const char* route :
         {"apartment-A3", "park-P5", "bento-shop-first-talk", "akira-house-A1", "digest"}) {
        BackAndForth(route);
    }
}

TEST(Rollback, ASaveAfterGoingBackIsTheSaveMadeThere) {
    for (const char* route : {"park-P5", "digest"}) SaveAfterGoingBack(route);
}

// The trace of velmora-tty --rollback for these input lines.
std::vector<std::string> TraceOf(const std::vector<std::string>& inputs) {
    GameFolder folder;
    size_t next = 0;
    return RollbackGame(folder).Play([&](const Seen&) -> std::optional<std::string> {
        if (next == inputs.size()) return std::nullopt;
        return inputs[next++];
    });
}

bool HasRun(const std::vector<std::string>& lines, const std::vector<std::string>& run) {
    return std::search(lines.begin(), lines.end(), run.begin(), run.end()) != lines.end();
}

const char* const kLoadQuestion =
    "MSG データをロードしますか？\\n<初めてプレイするときはNOを選んでください。>";
const char* const kNameQuestion =
    "MSG 主人公の名前を設定しますか？\\nNOの場合、名前は(佐々木)、ﾆｯｸﾈｰﾑは(リュウ君)になります。";
const char* const kMenu =
    "MENU? アパート|防波堤|弁当屋|公園|明の家|セルビア|パソコンショップ|学校|ひとみの家|"
    "テニスコート|ロード|セーブ|メイン画面移動|BGM|終了|画像処理";
const char* const kMoveInstruction =
    "MSG "
    "＜メイン画面のツールバーをドラッグして画面の位置を調整した後、ここをクリックしてください。＞";

// The introduction up to Kumi's question, and its first menu after NO.
const std::vector<std::string> kToTheQuestion =
    std::vector<std::string>{"", "no", "no"} + Clicks(34);
const std::vector<std::string> kToTheMenu =
    kToTheQuestion + std::vector<std::string>{"no"} + Clicks(5);

TEST(Rollback, BackAtTheFirstPromptsHasNothingToGoBackTo) {
    const auto lines = TraceOf({"BACK", "", "BACK", "no", "yes", "BACK"});
    EXPECT_TRUE(
        HasRun(lines, {"CLICK?", "BACK 0", "CLICK?", kLoadQuestion, "YESNO?", "BACK 0", "YESNO?",
                       kNameQuestion, "YESNO?", "NAME?", "BACK 1", kNameQuestion, "YESNO?"}));
}

TEST(Rollback, BackAtEachKindOfPrompt) {
    // NEXT: the message before; the design pictures where none was drawn yet.
    EXPECT_TRUE(
        HasRun(TraceOf({"", "no", "no", "", "BACK"}),
               {"NEXT?", "BACK 1",
                "MSG 「オレの名前は佐々木。みんなからはリュウ君って呼ばれてる。」", "NEXT?"}));
    EXPECT_TRUE(HasRun(TraceOf({"", "no", "no", "BACK"}),
                       {"NEXT?", "BACK 1", "DESIGN", kNameQuestion, "YESNO?"}));
    // YESNO: the question's own NEXT.
    EXPECT_TRUE(HasRun(TraceOf(kToTheQuestion + std::vector<std::string>{"BACK"}),
                       {"YESNO?", "BACK 1",
                        "MSG 「久美の誘いか……。どうしよう、行くって返事しようか？」", "NEXT?"}));
    // MENU: the last line of the scene; LIST: the menu that opened it.
    EXPECT_TRUE(HasRun(TraceOf(kToTheMenu + std::vector<std::string>{"BACK"}),
                       {kMenu, "BACK 1", "MSG kumi01#37", "NEXT?"}));
    EXPECT_TRUE(HasRun(TraceOf(kToTheMenu + std::vector<std::string>{"セーブ", "BACK"}),
                       {"LIST? file1|file2|file3|file4|file5", "BACK 1", kMenuPrompt, kMenu}));
    // CLICK in window-move mode, and the menu after it.
    EXPECT_TRUE(HasRun(TraceOf(kToTheMenu + std::vector<std::string>{"メイン画面移動", "BACK",
                                                                     "メイン画面移動", "", "BACK"}),
                       {kMoveInstruction, "CLICK?", "BACK 1", kMenuPrompt, kMenu, kMoveInstruction,
                        "CLICK?", kMenuPrompt, kMenu, "BACK 1", kMoveInstruction, "CLICK?"}));
}

// The digest's picture, and its NEXT, which belongs to the picture: after
// that NEXT one step back takes back two input lines.
TEST(Rollback, BackAtAPictureAndAtItsNext) {
    std::vector<std::string> toThePicture = Script("digest");
    toThePicture.resize(90);
    EXPECT_TRUE(HasRun(TraceOf(toThePicture + std::vector<std::string>{"BACK", "", "", "BACK"}),
                       {"PICTURE? hitomi_e1.jpg", "BACK 1", "MSG Please Click NEXT...", "NEXT?",
                        "PICTURE? hitomi_e1.jpg", "NEXT?", "BACK 1", "MSG Please Click NEXT...",
                        "PICTURE? hitomi_e1.jpg"}));
    const auto past = TraceOf(toThePicture + std::vector<std::string>{"", "", "BACK"});
    EXPECT_TRUE(HasRun(past, {"PICTURE? kaori_e1.jpg", "BACK 2", "MSG Please Click NEXT...",
                              "PICTURE? hitomi_e1.jpg"}));
}

// After going back, the same answers give the trace the game gave the
// first time, from the step gone back to on.
TEST(Rollback, TheSameAnswersAfterGoingBackGiveTheSameTrace) {
    const std::vector<std::string> script = Script("park-P5");
    const std::vector<std::string> once = TraceOf(script);
    std::vector<std::string> backAndAgain(script.begin(), script.begin() + 200);
    backAndAgain = backAndAgain + std::vector<std::string>(30, "BACK");
    backAndAgain.insert(backAndAgain.end(), script.begin() + 170, script.end());
    const std::vector<std::string> again = TraceOf(backAndAgain);
    const auto lastBack = std::find_if(again.rbegin(), again.rend(), [](const std::string& line) {
                              return line.starts_with("BACK ");
                          }).base();
    const std::vector<std::string> after(lastBack, again.end());
    // The screen put back, then the very lines of the first time.
    const auto from = std::find(after.begin(), after.end(), "NEXT?") + 1;
    ASSERT_NE(from, after.end());
    const std::vector<std::string> tail(from, after.end());
    EXPECT_TRUE(std::equal(tail.rbegin(), tail.rend(), once.rbegin()));
}

// A loaded game goes back no further than the load; a save stays written.
TEST(Rollback, BackStopsAtTheLastLoadAndLeavesSavesWritten) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(2, PM, 3, 0), "部屋");
    std::vector<std::string> inputs = {"", "yes", "file1", "yes", "", "セーブ", "file2", "yes", ""};
    inputs.resize(inputs.size() + 6, "BACK");
    size_t next = 0;
    const std::vector<std::string> lines =
        RollbackGame(folder).Play([&](const Seen&) -> std::optional<std::string> {
            if (next == inputs.size()) return std::nullopt;
            return inputs[next++];
        });
    EXPECT_TRUE(HasRun(lines, {"BACK 1", "DESIGN", "SOUND stop", "MSG file1 をロードしました。",
                               "NEXT?", "BACK 0", "NEXT?"}));
    EXPECT_TRUE(folder.Has("file2"));
}

// Gone back to the name question while kumi01.dat was away, the file put
// back, then forward again: the game no longer plays as recorded (Kumi's
// lines wait where the notice of the missing file and its empty lines did).
// The steps after go, the player is told once, and plays on from there.
// (FORWARD once ended velmora-tty with an abort.)
TEST(Rollback, ForwardAfterAScenarioFileCameBackPlaysOnFromThere) {
    GameFolder folder;
    const std::string kumi = folder.Read("kumi01.dat");
    folder.Remove("kumi01.dat");
    const std::string kumisQuestion = "「久美の誘いか……。どうしよう、行くって返事しようか？」";
    enum class Phase { kToTheQuestion, kBack, kForward, kOn } phase = Phase::kToTheQuestion;
    int questions = 0, forwardAtTheQuestion = 0;
    const std::vector<std::string> lines =
        RollbackGame(folder).Play([&](const Seen& now) -> std::optional<std::string> {
            const bool atKumisQuestion =
                now.prompt == "YESNO?" && now.screen.message == kumisQuestion;
            switch (phase) {
                case Phase::kToTheQuestion:
                    if (now.prompt == "YESNO?" && ++questions <= 2) return "no";
                    if (!atKumisQuestion) return "";
                    phase = Phase::kBack;
                    return "BACK";
                case Phase::kBack:
                    if (now.prompt != "YESNO?") return "BACK";
                    folder.Write("kumi01.dat", kumi);
                    phase = Phase::kForward;
                    return "FORWARD";
                case Phase::kForward:
                    if (atKumisQuestion && forwardAtTheQuestion++ == 1) phase = Phase::kOn;
                    return phase == Phase::kOn ? "no" : "FORWARD";
                case Phase::kOn:
                    if (now.prompt.starts_with("MENU?")) return std::nullopt;
                    return "";
            }
            return std::nullopt;
        });
    const std::string notice = "NOTICE " + std::string(Rollback::kStepsDropped);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), notice), 1);
    // Kumi's lines went forward where the empty ones had been; at her
    // question the recorded NEXT no longer holds: told, asked again, and on
    // to the menu.
    EXPECT_TRUE(HasRun(lines, {"MSG kumi01#27", "NEXT?", "FORWARD", "MSG " + kumisQuestion}));
    EXPECT_TRUE(HasRun(lines, {"YESNO?", "FORWARD", notice, "YESNO?"}));
    EXPECT_NE(std::find(std::find(lines.begin(), lines.end(), notice), lines.end(), kMenu),
              lines.end());
    EXPECT_EQ(lines.back(), "END");
}

// A game answered by a player who, at one question, first answers `first`
// and clicks on through a few messages, then goes back to it and answers
// `second`;
// or, without `first`, answers `second` there straight away. Every other
// prompt is answered by `answer`, made afresh for each game.
struct Retaken {
    std::vector<std::string> lines;
    size_t fromTheAnswer = 0;  // the trace from the question's last answer on
    std::string slot;
};

using Player = std::function<RollbackGame::Answer()>;

Retaken AnswerAgain(const Player& player, const std::function<bool(const Seen&)>& isTheQuestion,
                    const std::optional<std::string>& first, const std::string& second) {
    GameFolder folder;
    RollbackGame game(folder);
    const RollbackGame::Answer answer = player();
    enum class Phase { kToTheQuestion, kPlayingOn, kGoingBack, kAnswered } phase{};
    std::optional<Seen> question;
    size_t from = 0, playedOn = 0;
    const auto answerSecond = [&]() -> std::optional<std::string> {
        phase = Phase::kAnswered;
        from = game.written();
        return second;
    };
    std::vector<std::string> lines = game.Play([&](const Seen& now) -> std::optional<std::string> {
        switch (phase) {
            case Phase::kToTheQuestion:
                if (!isTheQuestion(now)) return answer(now);
                question = now;
                if (!first) return answerSecond();
                phase = Phase::kPlayingOn;
                return *first;
            case Phase::kPlayingOn:  // on through the messages that follow
                if (now.prompt == "NEXT?" && ++playedOn <= 3) return "";
                phase = Phase::kGoingBack;
                return "BACK";
            case Phase::kGoingBack:
                if (now.prompt != question->prompt || !(now.state == question->state) ||
                    !(now.screen == question->screen)) {
                    return "BACK";
                }
                return answerSecond();
            case Phase::kAnswered:
                return answer(now);
        }
        return std::nullopt;
    });
    EXPECT_EQ(phase, Phase::kAnswered);
    return {std::move(lines), from, SlotBytes(folder)};
}

// Going back to the question and answering it otherwise plays on as the
// game that was given that answer first: the same trace from the answer on,
// and the same save at the end.
void ExpectAnsweredOtherwise(const Player& player,
                             const std::function<bool(const Seen&)>& isTheQuestion,
                             const std::string& first, const std::string& second) {
    const Retaken straight = AnswerAgain(player, isTheQuestion, std::nullopt, second);
    const Retaken again = AnswerAgain(player, isTheQuestion, first, second);
    const Retaken other = AnswerAgain(player, isTheQuestion, std::nullopt, first);
    ASSERT_FALSE(straight.slot.empty());
    ASSERT_NE(straight.slot, other.slot) << "the two answers must make different games";
    const std::vector<std::string> expected(straight.lines.begin() + straight.fromTheAnswer,
                                            straight.lines.end());
    const std::vector<std::string> played(again.lines.begin() + again.fromTheAnswer,
                                          again.lines.end());
    EXPECT_EQ(played, expected) << second << " after going back from " << first;
    EXPECT_EQ(again.slot, straight.slot);
}

// Clicks on, NO to every question, and at the menu `visit` first, then a
// save in file1; the game ends at the menu after it.
Player SavingAfter(std::vector<std::string> visits, std::string name = "") {
    return [visits, name]() -> RollbackGame::Answer {
        auto menus = std::make_shared<size_t>(0);
        auto saving = std::make_shared<bool>(false);
        return [visits, name, menus, saving](const Seen& now) -> std::optional<std::string> {
            if (now.prompt.starts_with("MENU?")) {
                if (*saving) return std::nullopt;
                if (*menus < visits.size()) return visits[(*menus)++];
                *saving = true;
                return "セーブ";
            }
            if (now.prompt.starts_with("LIST? file1")) return "file1";
            if (now.prompt == "YESNO?") {
                if (*saving) return "yes";
                const bool naming = now.screen.message.starts_with("主人公の名前を設定しますか");
                return naming && !name.empty() ? "yes" : "no";
            }
            if (now.prompt == "NAME?") return name;
            return "";
        };
    };
}

bool Prompted(const Seen& now, const std::string& prompt, const std::string& message = "") {
    return now.prompt.starts_with(prompt) && now.screen.message.starts_with(message);
}

TEST(Rollback, EachKindOfQuestionAnsweredOtherwiseAfterGoingBack) {
    {
        SCOPED_TRACE("yes/no: Kumi's invitation");
        ExpectAnsweredOtherwise(
            SavingAfter({}),
            [](const Seen& now) { return Prompted(now, "YESNO?", "「久美の誘いか"); }, "yes", "no");
    }
    {
        SCOPED_TRACE("a list: the room commands");
        ExpectAnsweredOtherwise(
            SavingAfter({"アパート"}),
            [](const Seen& now) { return Prompted(now, "LIST? 移動する"); }, "1時間寝る",
            "4時間寝る");
    }
    {
        SCOPED_TRACE("the menu");
        ExpectAnsweredOtherwise(
            SavingAfter({}), [](const Seen& now) { return Prompted(now, "MENU?"); }, "公園",
            "弁当屋");
    }
    {
        SCOPED_TRACE("the name");
        ExpectAnsweredOtherwise(
            SavingAfter({}, "中村\tナカ"), [](const Seen& now) { return Prompted(now, "NAME?"); },
            "中村\tナカ", "田中\tタナ");
    }
}

// A game loaded again and again keeps a record no longer than the game
// since the last load. Going back after the last load shows the screen of
// then and holds the game of then: of what came before the load, only the
// scenario lines it left, which no scene after it shows, may be others, and
// at the load's own NEXT the clock and the menu's choice, which the load
// sets as that NEXT is answered.
TEST(Rollback, LoadsAgainAndAgainKeepTheRecordShortAndGoBackAsFarAsTheLast) {
    GameFolder folder;
    folder.WriteSlot("file1", FlagsAt(2, PM, 3, 0), "公園");
    folder.WriteSlot("file2", FlagsAt(3, AM, 9, 0), "部屋", "中村", "ナカ");
    RollbackGame game(folder);
    std::vector<size_t> kept;  // at each load from the menu
    int loads = 0;
    bool confirming = false, toThePark = false;
    std::vector<Seen> once;  // since the last load
    size_t backs = 0;
    game.Play([&](const Seen& now) -> std::optional<std::string> {
        const bool menu = now.prompt.starts_with("MENU?");
        if (loads == 30) {
            if (backs == 0) once.push_back(now);
            // After the last load: its visit, one more, then back all the way.
            if (backs == 0 && !(menu && once.size() > 1 && toThePark)) {
                if (menu) toThePark = true;
                return menu ? "公園" : now.prompt == "YESNO?" ? "no" : "";
            }
            if (backs > 0) {
                const Seen& then = once[once.size() - 1 - backs];
                EXPECT_EQ(now.prompt, then.prompt) << backs;
                EXPECT_TRUE(now.screen == then.screen) << backs << ": " << now.screen.message;
                // At the load's own NEXT the clock is not yet the saved one.
                GameState a = now.state, b = then.state;
                a.ScriptLines = b.ScriptLines = {};
                a.ScriptFile = b.ScriptFile = "";
                if (backs + 1 < once.size()) {
                    EXPECT_TRUE(a == b) << backs;
                }
            }
            if (backs + 1 == once.size()) return std::nullopt;
            ++backs;
            return "BACK";
        }
        if (now.prompt.starts_with("LIST?")) {
            confirming = true;
            return loads == 0 ? "file2" : "file1";
        }
        if (now.prompt == "YESNO?" && confirming) {
            confirming = false;
            ++loads;
            return "yes";
        }
        if (now.prompt == "YESNO?") return loads == 0 ? "yes" : "no";  // the load at the start
        if (!menu) return "";
        if ((toThePark = !toThePark)) return "公園";
        kept.push_back(game.recorded());
        return "ロード";
    });
    ASSERT_EQ(kept.size(), 29u);
    EXPECT_EQ(kept[28], kept[2]) << "the record grew with the loads";
    EXPECT_GT(backs, 3u);
}

}  // namespace
}  // namespace velmora::test
