// Playing it again in the window program: the keys go back one step at a
// time and forward again, across a question; skipping passes only what was
// read, with its mark and without a word to a screen reader until it stops,
// and stops at the first unread message and at the question; the slot list's details beside it; the
// story map's hints.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <set>

#include "app/story_map_rows.h"
#include "backends/qt/story_map_window.h"
#include "game_harness.h"
#include "tests/hostile_things.h"

namespace velmora::qt::test {
namespace {

class ReplayTest : public ::testing::Test {
  private:
    OwnSettingsFolder settings_;
};

ModalStep KeyAt(const char* window, Qt::Key key) {
    return {window, [key](QWidget* w) { QTest::keyClick(w, key); }};
}

std::vector<QString> Messages(const std::vector<MetWindow>& met) {
    std::vector<QString> messages;
    for (const MetWindow& each : met) messages.push_back(each.message);
    return messages;
}

TEST_F(ReplayTest, TheKeysGoBackAndForwardOneStepAcrossAQuestion) {
    ReplayHarness h;
    h.ClickMessage({Answer(false), Answer(false), KeyAt("Form3", Qt::Key_Return),
                    KeyAt("Form3", Qt::Key_Return), KeyAt("Form3", Qt::Key_Return),
                    KeyAt("Form3", Qt::Key_PageUp), KeyAt("Form3", Qt::Key_Left),
                    KeyAt("Form3", Qt::Key_PageDown), Next(), KeyAt("Form2", Qt::Key_PageUp),
                    Next(), Answer(false), Next(), Menu("メイン画面移動")});
    ASSERT_EQ(h.script().failure().toStdString(), "");
    const std::vector<QString> nexts = Messages(h.script().met("Form3"));
    ASSERT_GT(nexts.size(), 8u);
    EXPECT_EQ(nexts[4], nexts[2]);  // Page Up at the fourth message
    EXPECT_EQ(nexts[5], nexts[1]);  // the left arrow
    EXPECT_EQ(nexts[6], nexts[2]);  // Page Down
    // Page Up at Kumi's invitation goes back to the message before it.
    const std::vector<MetWindow>& met = h.script().met();
    size_t question = 0;
    while (met[question].name != "Form2" || question < 2) ++question;
    EXPECT_EQ(met[question + 1].name, "Form3");
    EXPECT_EQ(met[question + 1].message, met[question - 1].message);
    EXPECT_EQ(met[question + 2].name, "Form2");
}

TEST_F(ReplayTest, SkippingPassesWhatWasReadAndStopsAtTheFirstUnreadAndAtTheQuestion) {
    ReplayHarness h;
    std::vector<QString> marked;  // the messages shown with the mark
    // What a screen reader is told by the message window's name meanwhile.
    std::set<QString> namesWhileSkipping;
    QObject::connect(h.window.message(), &MessageLabel::shown, [&](const QString& text) {
        if (!h.replay->mark()->isVisible()) return;
        marked.push_back(text);
        namesWhileSkipping.insert(h.window.message()->accessibleName());
    });
    bool markedAtTheStop = true;
    bool namedAtTheStop = false;
    std::vector<QString> firstSkip;
    std::vector<ModalStep> steps{Answer(false), Answer(false)};
    for (int i = 0; i < 5; ++i) steps.push_back(KeyAt("Form3", Qt::Key_Return));
    for (int i = 0; i < 4; ++i) steps.push_back(KeyAt("Form3", Qt::Key_PageUp));
    steps.push_back(KeyAt("Form3", Qt::Key_Tab));  // at the second message: read up to the sixth
    // At the first one read by nobody, "skip unread text too" passes it and
    // every other NEXT up to Kumi's question.
    steps.push_back({"Form3", [&](QWidget* next) {
                         markedAtTheStop = h.replay->mark()->isVisible();
                         namedAtTheStop =
                             h.window.message()->accessibleName() == h.window.message()->said();
                         firstSkip = std::exchange(marked, {});
                         h.replay->SkipUnreadToo(true);
                         QTest::keyClick(next, Qt::Key_Tab);
                     }});
    h.ClickMessage(Then(steps, {Answer(false), Next(), Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure().toStdString(), "");

    const std::vector<MetWindow>& met = h.script().met();
    const std::vector<QString> nexts = Messages(h.script().met("Form3"));
    ASSERT_GT(nexts.size(), 11u);
    EXPECT_EQ(nexts[9], nexts[1]);
    EXPECT_EQ(std::count(nexts.begin(), nexts.begin() + 6, nexts[10]), 0) << "read before";
    ASSERT_GE(firstSkip.size(), 4u);
    EXPECT_EQ(std::vector<QString>(firstSkip.begin(), firstSkip.begin() + 4),
              std::vector<QString>(nexts.begin() + 2, nexts.begin() + 6));
    EXPECT_FALSE(markedAtTheStop);
    // Each skip keeps the name it began with; it tells the message where it stops.
    EXPECT_EQ(namesWhileSkipping.size(), 2u);
    EXPECT_TRUE(namedAtTheStop);
    EXPECT_EQ(met[2 + 11].name, "Form2") << "every NEXT up to the question passed";
    EXPECT_GT(marked.size(), 20u);
    EXPECT_FALSE(h.replay->skipping());
}

// The details of file1 … file5 stand beside the list, which keeps its size,
// and a screen reader hears them with each entry; the room's list has none.
TEST_F(ReplayTest, TheSlotListShowsWhatEachSlotHolds) {
    SlotsHarness h;
    QString details, panelSaid;
    QStringList entriesSaid;
    QSize list;
    bool besideList = false;
    const auto look = [&](QWidget* form5) {
        auto* panel = form5->parentWidget()->findChild<QLabel*>("SlotDetails");
        details = panel && panel->isVisible() ? panel->text() : "";
        panelSaid = panel ? panel->accessibleDescription() : "";
        entriesSaid.clear();
        QAccessibleInterface* entries =
            QAccessible::queryAccessibleInterface(form5->findChild<QListWidget*>("List1"));
        for (int i = 0; i < entries->childCount(); ++i)
            entriesSaid << entries->child(i)->text(QAccessible::Description);
        list = form5->size();
        besideList = panel && panel->x() > form5->frameGeometry().right();
        QTest::mouseClick(form5->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    };
    const std::vector<std::string> slotNames{"file1", "file2", "file3", "file4", "file5"};
    {
        ModalScript script({{"Form5", look}}, [] {});
        h.platform.ChooseFromList(ListOf::kSlots, slotNames, {1000, 1000});
    }
    const QStringList lines = details.split("\n");
    ASSERT_EQ(lines.size(), 7) << details.toStdString();
    EXPECT_EQ(lines[0], "file1　4月2日 PM 5:30　防波堤　中村（ナカ）");
    EXPECT_TRUE(lines[1].startsWith("　　　保存 20"));
    EXPECT_EQ(lines[2], "file2　（空き）");
    EXPECT_EQ(lines[5], "file4　読み込めません：テキストファイルの形式が正しくありません。");
    EXPECT_EQ(lines[3],
              "file3　4月4日 AM 10:00　テニスコート　佐々木（リュウ君）");  // as the menu writes it
    EXPECT_TRUE(besideList);
    EXPECT_EQ(panelSaid, details);
    ASSERT_EQ(entriesSaid.size(), 5);
    EXPECT_TRUE(entriesSaid[0].startsWith("4月2日 PM 5:30 防波堤 中村（ナカ） 保存 20"))
        << entriesSaid[0].toStdString();
    EXPECT_EQ(entriesSaid[1], "（空き）");
    const QSize slotList = list;
    {
        ModalScript script({{"Form5", look}}, [] {});
        h.platform.ChooseFromList(ListOf::kRoomCommands, {"移動する", "1時間寝る"}, {1000, 1000});
    }
    EXPECT_EQ(details, "");
    EXPECT_EQ(entriesSaid, QStringList({"", ""}));
    EXPECT_EQ(list, slotList);
}

TEST_F(ReplayTest, TheStoryMapGivesOneHintAtATime) {
    const std::string unseen = "？？？（まだ見ていないシーン）";
    StoryMapWindow map(nullptr,
                       {{{"", 1, "4月1日", "春休みの始まり", "新しくゲームを始めたら", true},
                         {"公園", 2, "4月2日", unseen, "4月2日の午前、公園", false},
                         {"学校", 3, "4月3日", unseen, "4月3日の午後、学校", false}},
                        "",
                        "見たシーン 1 / 3"});
    auto* hint = map.findChild<QLabel*>("hintShown");
    EXPECT_EQ(hint->text(), "");  // no hint unasked
    map.ShowHint(1);
    map.ShowHint(2);
    EXPECT_EQ(hint->text(), "ヒント：4月3日の午後、学校");
    map.ShowHint(0);  // seen: no hint
    EXPECT_EQ(hint->text(), "ヒント：4月3日の午後、学校");
    // By keys: Enter on an unseen scene shows its hint, which takes the focus.
    auto* tree = map.findChild<QTreeWidget*>("scenes");
    map.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&map));
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(hint->text(), "ヒント：4月2日の午前、公園");
    EXPECT_TRUE(hint->hasFocus());
    // The hint heard, the arrows go on down the map (they once stayed in the
    // hint), and Enter gives that row's hint (it once pressed the first row's
    // ヒント as well, through the window's default button).
    QTest::keyClick(hint, Qt::Key_Down);
    QTest::keyClick(hint, Qt::Key_Down);
    ASSERT_TRUE(tree->hasFocus());
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(hint->text(), "ヒント：4月3日の午後、学校");
}

// storymap.txt a pipe, a folder or larger than its words ever are: the map
// opens at once, and says what is wrong with its file as a missing
// scenario file is said. (It once opened without titles, saying nothing.)
TEST_F(ReplayTest, TheStoryMapSaysWhatIsWrongWithTheFileOfItsWords) {
    const std::pair<const char*, const char*> things[] = {
        {"pipe", "名前付きパイプ"}, {"folder", "フォルダ"}, {"too large", "大きすぎます"}};
    for (const auto& [what, reason] : things) {
        SCOPED_TRACE(what);
        ReplayHarness h;
        const QString path = h.dir_.filePath("storymap.txt");
        if (std::string(what) == "too large") {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_TRUE(file.resize(300 * 1024));
        } else {
            ASSERT_EQ(velmora::test::PlantNotAFile(path.toStdString(), what), "");
        }
        velmora::test::HangGuard guard;
        StoryMapWindow map(&h.window, StoryMapRows(h.files, h.kept.record()));
        const auto* trouble = map.findChild<QLabel*>("trouble");
        ASSERT_NE(trouble, nullptr);
        EXPECT_TRUE(trouble->text().startsWith("＜ストーリーマップのファイル「storymap.txt」を"))
            << trouble->text().toStdString();
        EXPECT_TRUE(trouble->text().contains(reason)) << trouble->text().toStdString();
    }
}

// Gone back to the name question while kumi01.dat was away, the file put
// back, then Page Down at every step: where the record had one more
// message, the game now waits at Kumi's question. The steps after go, the
// player is told once, and plays on from there. (Page Down there once ended
// the program with status 1, the game unsaved.)
TEST_F(ReplayTest, PageDownAfterAScenarioFileCameBackPlaysOnFromThere) {
    ReplayHarness h;
    const QString kumi = h.dir_.filePath("kumi01.dat"), away = kumi + ".away";
    ASSERT_TRUE(QFile::rename(kumi, away));
    std::vector<std::string> told;
    h.rollback.TellWith([&](const std::string& text) { told.push_back(text); });
    const auto putBack = [&](QWidget* question) {
        QFile::rename(away, kumi);
        QTest::keyClick(question, Qt::Key_PageDown);
    };
    h.ClickMessage({Answer(false),
                    Answer(false),
                    Next(),
                    KeyAt("Form2", Qt::Key_PageUp),
                    {"Form3", [](QWidget* w) { QTest::keyClick(w, Qt::Key_PageUp); }, true},
                    {"Form2", putBack},
                    {"Form3", [](QWidget* w) { QTest::keyClick(w, Qt::Key_PageDown); }, true},
                    KeyAt("Form2", Qt::Key_PageDown),
                    Answer(false),
                    Next(),
                    Menu("メイン画面移動")});
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_TRUE(h.script().finished()) << "the game ended before the menu";
    EXPECT_EQ(told, std::vector<std::string>{Rollback::kStepsDropped});
    const std::vector<QString> nexts = Messages(h.script().met("Form3"));
    EXPECT_TRUE(std::any_of(nexts.begin(), nexts.end(),
                            [](const QString& m) { return m.contains("久美：「27」"); }));
}

}  // namespace
}  // namespace velmora::qt::test
