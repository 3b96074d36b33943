// Space and Enter are the NEXT keys: at a question, the list and the command
// menu they answer nothing until the player has moved the focus there with
// Tab or an arrow key; the focus starts where the game puts it, and Y/N and
// clicks answer at once. Nothing else that stands for NEXT (the wheel,
// auto-advance) answers any window but NEXT.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QWheelEvent>

#include "backends/qt/comforts.h"
#include "game_harness.h"
#include "modal_script.h"

namespace velmora::qt::test {
namespace {

QWidget* Focused(QWidget* window) {
    return window->focusWidget() ? window->focusWidget() : window;
}

void Keys(QWidget* window, std::initializer_list<Qt::Key> keys) {
    for (Qt::Key key : keys) QTest::keyClick(Focused(window), key);
}

const std::initializer_list<Qt::Key> kNextKeys = {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};

class ConfirmKeysTest : public ::testing::Test {
  private:
    OwnSettingsFolder settings_;  // the comforts' settings are the test's own
};

TEST_F(ConfirmKeysTest, SpaceAndEnterAnswerOnlyAfterTheFocusMoved) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    ComfortSettings wheel = comforts.settings();
    wheel.wheelDownPressesNext = true;
    comforts.Apply(wheel);
    QStringList stillOpen;  // the windows the NEXT keys left waiting, as they should
    QString focusAtOpen;
    const auto untouched = [&stillOpen](QWidget* window, const char* what) {
        if (window->isVisible()) stillOpen << what;
    };
    const auto wheelDown = [](QWidget* window) {
        const QPointF at(5, 5);
        QWheelEvent event(at, window->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &event);
    };
    h.ClickMessage({// The load question: the NEXT keys and the wheel do nothing; Tab to
                    // NO, then Space answers it.
                    {"Form2",
                     [&](QWidget* form2) {
                         focusAtOpen = Focused(form2)->objectName();
                         Keys(form2, kNextKeys);
                         wheelDown(form2);
                         untouched(form2, "load");
                         Keys(form2, {Qt::Key_Tab, Qt::Key_Space});
                     }},
                    // The name question: an arrow moves the focus to NO, Enter answers.
                    {"Form2",
                     [&](QWidget* form2) {
                         Keys(form2, {Qt::Key_Space});
                         untouched(form2, "name");
                         Keys(form2, {Qt::Key_Down, Qt::Key_Return});
                     }},
                    {"Form3", [](QWidget* next) { Keys(next, {Qt::Key_Space}); }, true},
                    // Kumi's invitation after Space through the scene: still open; N.
                    {"Form2",
                     [&](QWidget* form2) {
                         Keys(form2, {Qt::Key_Space, Qt::Key_Space, Qt::Key_Return});
                         untouched(form2, "invitation");
                         Keys(form2, {Qt::Key_N});
                     }},
                    {"Form3", [](QWidget* next) { Keys(next, {Qt::Key_Return}); }, true},
                    // The menu: no command from the NEXT keys; Tab down to ロード.
                    {"Form8",
                     [&](QWidget* menu) {
                         Keys(menu, kNextKeys);
                         untouched(menu, "menu");
                         for (int tab = 0; tab < 10; ++tab) Keys(menu, {Qt::Key_Tab});
                         Keys(menu, {Qt::Key_Space});
                     }},
                    // The list: nothing chosen by the NEXT keys; Down picks file1, Enter is OK.
                    {"Form5",
                     [&](QWidget* list) {
                         Keys(list, kNextKeys);
                         untouched(list, "list");
                         Keys(list, {Qt::Key_Down, Qt::Key_Return});
                     }},
                    {"Form2", Press("cmdNo")},  // file1 をロードします。よろしいですか？
                    Menu("メイン画面移動")});
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_EQ(focusAtOpen, "cmdYes");
    EXPECT_EQ(stillOpen, QStringList({"load", "name", "invitation", "menu", "list"}));
    EXPECT_EQ(h.state().flag(Flag::KumisInvitation), 2);  // declined
    EXPECT_EQ(h.script().met("Form2")[3].message, " \nfile1 をロードします。よろしいですか？");
}

// What looks focused is where Enter and Space act: ＹＥＳ has the focus as
// the question opens, yet is drawn as any button until the player moves
// the focus; once moved back to it, it is drawn focused.
TEST_F(ConfirmKeysTest, TheFocusIsDrawnOnlyWhereEnterActs) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QImage atOpen, elsewhere, movedBack;
    ModalScript script({{"Form2",
                         [&](QWidget* form2) {
                             auto* yes = form2->findChild<QPushButton*>("cmdYes");
                             ASSERT_TRUE(QTest::qWaitFor([yes] { return yes->hasFocus(); }, 30000));
                             atOpen = yes->grab().toImage();
                             Keys(form2, {Qt::Key_Tab});
                             elsewhere = yes->grab().toImage();
                             Keys(form2, {Qt::Key_Backtab});
                             movedBack = yes->grab().toImage();
                             Keys(form2, {Qt::Key_Space});
                         }}},
                       [] {});
    EXPECT_EQ(h.platform.AskYesNo({0, 0}), YesNo::Yes);
    EXPECT_EQ(script.failure(), "");
    EXPECT_FALSE(atOpen.isNull());
    EXPECT_EQ(atOpen, elsewhere);
    EXPECT_NE(movedBack, elsewhere);
}

}  // namespace
}  // namespace velmora::qt::test
