// The window program through whole games with one picture, or the music,
// missing from the shipped game folder at a time: every game still reaches
// the end, says exactly what it said with everything there, and asked for
// the missing file on the way (the control that wanted it shows nothing).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>

#include "backends/qt/comforts.h"
#include "decision_player.h"
#include "game_harness.h"
#include "replay/forwarding_platform.h"

namespace velmora::qt::test {
namespace {

using Decisions = std::vector<std::string>;

// Letter case aside, as the game finds its files.
std::string Folded(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// The files the game asks the windows for, and everything it says, on
// their way to the window program.
class RecordingPlatform final : public ForwardingPlatform {
  public:
    explicit RecordingPlatform(GuardedPlatform& windows) : windows_(windows), music_(*this) {}

    std::vector<std::string> said;
    std::set<std::string> asked;  // folded

    void SetMessageCaption(const std::string& text) override {
        said.push_back(text);
        windows_.SetMessageCaption(text);
    }
    void ShowScene(const NamedPicture& scene) override {
        Ask(scene.file);
        windows_.ShowScene(scene);
    }
    void ShowPreparedPortrait(const NamedPicture& prepared) override {
        Ask(prepared.file);
        windows_.ShowPreparedPortrait(prepared);
    }
    void PaintPortraitIntoScene(const NamedPicture& portrait) override {
        Ask(portrait.file);
        windows_.PaintPortraitIntoScene(portrait);
    }
    void ShowSidePicture(const NamedPicture& side) override {
        Ask(side.file);
        windows_.ShowSidePicture(side);
    }
    void ShowClock(const ClockFace& face) override {
        Ask(face.datePicture);
        Ask(face.placePicture);
        windows_.ShowClock(face);
    }
    void WaitPictureClick(const NamedPicture& picture) override {
        Ask(picture.file);
        windows_.WaitPictureClick(picture);
    }
    Sound& sound() override { return music_; }

  private:
    class Music final : public Sound {
      public:
        explicit Music(RecordingPlatform& p) : p_(p) {}
        void StopSound() override { p_.windows_.sound().StopSound(); }
        void PlayLoop(const std::string& file) override {
            p_.Ask(file);
            p_.windows_.sound().PlayLoop(file);
        }

      private:
        RecordingPlatform& p_;
    };

    Platform& front() override { return windows_; }
    void Ask(const std::string& file) {
        if (!file.empty()) asked.insert(Folded(file));
    }

    GuardedPlatform& windows_;
    Music music_;
};

struct Played {
    std::vector<std::string> said;
    std::set<std::string> asked;
    int endedWith = -1;
    QString failure;
};

// The window program as velmora starts it, in a folder of the shipped data
// without `missing`, played from the title to the end.
Played PlayShipped(const Decisions& decisions, const QString& missing = {}) {
    const OwnSettingsFolder settings;  // the comforts' settings stay the test's
    QTemporaryDir dir;
    const QDir shipped(VELMORA_SHIPPED_DATA);
    for (const QString& name : shipped.entryList(QDir::Files)) {
        if (name != missing) QFile::link(shipped.filePath(name), dir.filePath(name));
    }
    PosixFiles files(dir.path().toStdString());
    MainWindow window;
    LoopingSound music(files);
    GuardedPlatform windows(window, files, music);
    RecordingPlatform platform(windows);
    Form1 game(platform);
    Played played;
    GameSession session(game, window, [&windows] { windows.CloseAll(); });
    QObject::connect(&session, &GameSession::ended, [&played](int s) { played.endedWith = s; });
    Comforts comforts(window, session, windows.sound());
    window.show();

    DecisionPlayer player(decisions, [&windows] { windows.Abort(); });
    QTest::mouseClick(window.message(), Qt::LeftButton);  // the whole game runs in this click
    played.said = platform.said;
    played.asked = platform.asked;
    played.failure = player.failure();
    return played;
}

const char* const kPlaces[] = {"アパート",   "防波堤",      "弁当屋",           "公園",
                               "明の家",     "セルビア",    "パソコンショップ", "学校",
                               "ひとみの家", "テニスコート"};

// A player who goes round the places, answering every question with
// `answer`; from the `lineFrom`th move on the girls are drawn in lines.
Decisions Tour(const std::string& answer, std::vector<std::string> places, int lineFrom) {
    Decisions d = {"no", "no", answer};
    for (int move = 0; move < 400; ++move) {
        if (move == lineFrom) d.insert(d.end(), {"画像処理", "yes"});
        const size_t n = places.size();
        const size_t round = move / n;
        d.push_back(places[(move % n * (round % 3 + 1) + round) % n]);
        d.insert(d.end(), 3, answer);
    }
    return d;
}

struct NamedTour {
    std::string name;
    Decisions decisions;
};

// Between them the tours ask for every picture and the music; the first
// asks for all but Satsuki's.
const std::vector<NamedTour>& Tours() {
    static const std::vector<NamedTour> tours = {
        {"the town", Tour("yes", {std::begin(kPlaces), std::end(kPlaces)}, 60)},
        // the friends' gathering on Day 2, and Satsuki's days after it
        {"the breakwater", Tour("yes", {"アパート", "防波堤"}, 70)},
    };
    return tours;
}

// A tour played once with every file there.
const Played& Whole(size_t tour) {
    static std::map<size_t, Played> played;
    if (!played.count(tour)) played[tour] = PlayShipped(Tours()[tour].decisions);
    return played[tour];
}

bool ReachedTheEnd(const Played& p) {
    return p.failure.isEmpty() && p.endedWith == 0 && !p.said.empty() &&
           p.said.back() == "ＴＨＥ  ＥＮＤ";
}

// Pictures no game shows: the date plates of Days 5 and 8 appear only in a
// hand-edited save.
bool ShownInPlay(const QString& name) {
    return name != "日付５.gif" && name != "日付８.gif";
}

std::vector<std::string> ShippedPicturesAndMusic() {
    std::vector<std::string> names;
    for (const QString& name : QDir(VELMORA_SHIPPED_DATA).entryList(QDir::Files)) {
        if (!name.endsWith(".dat") && ShownInPlay(name)) names.push_back(name.toStdString());
    }
    return names;
}

TEST(MissingAssets, WithEverythingThereEveryTourEndsAndAsksForEveryPictureAndTheMusic) {
    std::set<std::string> asked;
    for (size_t t = 0; t < Tours().size(); ++t) {
        const Played& p = Whole(t);
        EXPECT_TRUE(ReachedTheEnd(p)) << Tours()[t].name << ": " << p.failure.toStdString();
        asked.insert(p.asked.begin(), p.asked.end());
    }
    for (const std::string& file : ShippedPicturesAndMusic()) {
        EXPECT_TRUE(asked.count(Folded(file))) << file;
    }
}

// Where two games' messages part, or nothing when they say the same.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const size_t n = at - a.begin();
    if (n == a.size() && n == b.size()) return "";
    return "message " + std::to_string(n) + ": " + (n < a.size() ? a[n] : "(none)") +
           " instead of " + (n < b.size() ? b[n] : "(none)");
}

// One file missing at a time, each its own test.
class WithoutOneFile : public ::testing::TestWithParam<std::string> {};

TEST_P(WithoutOneFile, TheGameStillEndsSayingTheSame) {
    const std::string& file = GetParam();
    const std::string folded = Folded(file);
    size_t tour = 0;  // the first that wants the file
    while (tour < Tours().size() && !Whole(tour).asked.count(folded)) ++tour;
    ASSERT_LT(tour, Tours().size()) << "no tour wants " << file;
    const Played missing = PlayShipped(Tours()[tour].decisions, QString::fromStdString(file));
    EXPECT_TRUE(ReachedTheEnd(missing))
        << Tours()[tour].name << ": " << missing.failure.toStdString();
    EXPECT_EQ(FirstDifference(missing.said, Whole(tour).said), "");
    EXPECT_TRUE(missing.asked.count(folded));
}

// Test names are ASCII: the file's place in the list and its own letters
// where it has them.
std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = "file" + std::to_string(info.index) + "_";
    for (const char c : info.param) {
        const bool letter = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (letter || name.back() != '_') name += letter ? c : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(MissingAssets, WithoutOneFile,
                         ::testing::ValuesIn(ShippedPicturesAndMusic()), TestName);

}  // namespace
}  // namespace velmora::qt::test
