// The title click starts one game; the message label's caption; the NEXT,
// Yes/No and list windows standing where the game places them, before and
// after the player moves the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QListWidget>
#include <QTest>

#include "backends/qt/fonts.h"
#include "game_harness.h"

namespace velmora::qt::test {
namespace {

const QString kMoveInstruction =
    " \r\n＜メイン画面のツールバーをドラッグして画面の位置を調整した後、ここをクリックしてくださ"
    "い。＞";

void ExpectAllAt(const std::vector<MetWindow>& windows, QPoint at) {
    ASSERT_FALSE(windows.empty());
    for (const MetWindow& each : windows) EXPECT_EQ(each.pos, at) << each.name.toStdString();
}

TEST(TitleScreen, DrawsWithTheIpaFacesInPlaceOfTheDesignFaces) {
    GameHarness h;
    const QFontInfo message(h.window.message()->font());
    EXPECT_EQ(message.family(), "IPAPGothic");
    EXPECT_TRUE(message.bold());
    EXPECT_EQ(QFontInfo(h.window.time()->font()).family(), "IPAPGothic");
    EXPECT_EQ(QFontInfo(GameFont(kGothic, 12)).family(), "IPAGothic");
    EXPECT_EQ(QFontInfo(GameFont(kPMincho, 12)).family(), "IPAPMincho");
}

TEST(TitleClick, StartsOneGameWhoseDialogsStandByTheStartPosition) {
    GameHarness h;
    EXPECT_EQ(h.window.message()->caption(), "このメッセージラベルをクリックしてね！");
    std::vector<ModalStep> steps = NewGameUntilMenu();
    // While the load question is open, the label is clicked once more.
    steps[0].act = [&h](QWidget* form2) {
        QTest::mouseClick(h.window.message(), Qt::LeftButton);
        Press("cmdNo")(form2);
    };
    h.ClickMessage(Then(steps, {Menu("メイン画面移動")}));

    ASSERT_EQ(h.script().failure(), "");
    EXPECT_TRUE(h.script().finished());
    EXPECT_EQ(h.script().met("Form2").size(), 3u);  // load, name, invitation: one game
    EXPECT_EQ(h.state().ClickState, click::kWindowMove);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(h.window.message()->caption(), kMoveInstruction);
    // MainLeft 255, MainTop 32: NEXT at +7350/+5300, Yes/No at +7295/+2900 twips.
    ExpectAllAt(h.script().met("Form3"), QPoint(507, 355));
    ExpectAllAt(h.script().met("Form2"), QPoint(503, 195));
}

TEST(MessageLabel, ShowsOneSpaceThenTheTextFromTheSecondLine) {
    GameHarness h;
    h.ClickMessage(Then(NewGameUntilMenu(), {Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure(), "");
    const std::vector<MetWindow> questions = h.script().met("Form2");
    ASSERT_FALSE(questions.empty());
    // The line break of the caption and the one inside the question, both
    // shown as line breaks.
    EXPECT_EQ(questions[0].message,
              " \nデータをロードしますか？\n<初めてプレイするときはNOを選んでください。>");
    // The first line of the introduction names the hero and his nickname.
    const QString first = h.script().met("Form3").front().message;
    EXPECT_TRUE(first.startsWith(" \n")) << first.toStdString();
    EXPECT_TRUE(first.contains("佐々木") && first.contains("リュウ君")) << first.toStdString();
}

TEST(WindowMove, TheClickRecordsThePositionAndTheDialogsFollowIt) {
    GameHarness h;
    h.ClickMessage(Then(NewGameUntilMenu(), {Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure(), "");

    h.window.move(100, 80);  // 1500, 1200 twips
    QStringList listed;
    h.ClickMessage({Menu("BGM"),
                    Answer(false),
                    Menu("セーブ"),
                    {"Form5",
                     [&listed](QWidget* form5) {
                         auto* list = form5->findChild<QListWidget*>("List1");
                         for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
                         for (int row : {1, 2}) {
                             const QRect cell = list->visualItemRect(list->item(row));
                             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
                         }
                         Press("Command1")(form5);
                     }},
                    Answer(false),
                    Menu("セーブ"),
                    {"Form5", Press("Command1")},
                    Next(),
                    Menu("メイン画面移動")});

    ASSERT_EQ(h.script().failure(), "");
    EXPECT_EQ(h.state().MainLeft, 1500);
    EXPECT_EQ(h.state().MainTop, 1200);
    EXPECT_EQ(listed, QStringList({"file1", "file2", "file3", "file4", "file5"}));
    // The entry clicked last is the one the game asks about.
    EXPECT_EQ(h.script().met("Form2")[1].message, " \nfile3 にセーブします。よろしいですか？");
    ExpectAllAt(h.script().met("Form2"), QPoint(586, 273));  // MainLeft + 7295, MainTop + 2900
    ExpectAllAt(h.script().met("Form5"), QPoint(600, 136));  // MainLeft + 7500, MainTop + 840
    ExpectAllAt(h.script().met("Form3"), QPoint(590, 433));  // MainLeft + 7350, MainTop + 5300
}

TEST(GameEnd, TheQuitCommandClosesEveryWindowWithStatusZero) {
    GameHarness h;
    h.ClickMessage(Then(NewGameUntilMenu(), {Menu("終了"), Answer(true), Next()}));
    ASSERT_EQ(h.script().failure(), "");
    EXPECT_EQ(h.endedWith, 0);
    EXPECT_FALSE(h.window.isVisible());
    EXPECT_FALSE(h.session.running());
}

TEST(GameEnd, ClosingTheMainWindowWithNoDialogOpenEndsTheProgram) {
    GameHarness h;
    h.ClickMessage(Then(NewGameUntilMenu(), {Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure(), "");
    EXPECT_TRUE(h.window.close());
    EXPECT_EQ(h.endedWith, 0);
    QTest::mouseClick(h.window.message(), Qt::LeftButton);  // nothing runs any more
    EXPECT_EQ(h.state().ClickState, click::kWindowMove);
}

}  // namespace
}  // namespace velmora::qt::test
