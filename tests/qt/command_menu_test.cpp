// The command menu: its sixteen captions top to bottom, the Tab order with
// the hidden "画像処理" last, and the keyboard focus that starts on
// "アパート" and stays on the button clicked last.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "game_harness.h"

namespace velmora::qt::test {
namespace {

QStringList CaptionsTopToBottom(QWidget* menu) {
    QList<QPushButton*> buttons = menu->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->y() < b->y(); });
    QStringList captions;
    for (QPushButton* button : buttons) captions << button->text();
    return captions;
}

QStringList TabOrderFrom(QWidget* first) {
    QStringList order;
    QWidget* each = first;
    do {
        order << static_cast<QPushButton*>(each)->text();
        each = each->nextInFocusChain();
    } while (each != first && qobject_cast<QPushButton*>(each));
    return order;
}

struct MenuSeen {
    QStringList captions;
    QStringList tabOrder;
    QString focusAtOpen;
    bool lineButtonInside = true;
    QStringList focusLater;
};

// Tab from the focused button to "画像処理" and press it with the space bar.
void PressLineDisplayByKeyboard(QWidget* menu) {
    const QString target = "画像処理";
    for (int tabs = 0; tabs < 16 && menu->focusWidget()->property("text") != target; ++tabs) {
        QTest::keyClick(menu->focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(menu->focusWidget(), Qt::Key_Space);
}

TEST(CommandMenu, ListsSixteenCommandsAndKeepsTheFocusOnTheLastPressed) {
    GameHarness h;
    MenuSeen seen;
    auto focusThen = [&seen](ModalStep step) {
        auto act = step.act;
        step.act = [&seen, act](QWidget* menu) {
            seen.focusLater << menu->focusWidget()->property("text").toString();
            act(menu);
        };
        return step;
    };
    const ModalStep firstMenu{
        "Form8", [&seen](QWidget* menu) {
            seen.captions = CaptionsTopToBottom(menu);
            seen.focusAtOpen = menu->focusWidget()->property("text").toString();
            seen.tabOrder = TabOrderFrom(menu->focusWidget());
            auto* hidden = menu->findChild<QWidget*>("Command16");
            seen.lineButtonInside = menu->rect().intersects(hidden->geometry());
            PressLineDisplayByKeyboard(menu);
        }};
    h.ClickMessage(
        Then(NewGameUntilMenu(), {firstMenu, Answer(true), focusThen(Menu("メイン画面移動"))}));
    ASSERT_EQ(h.script().failure(), "");
    h.ClickMessage({focusThen(Menu("メイン画面移動"))});
    ASSERT_EQ(h.script().failure(), "");

    QStringList expected;
    for (const Command& command : Commands(TheStory())) {
        expected << QString::fromStdString(command.caption);
    }
    EXPECT_EQ(seen.captions, expected);
    EXPECT_EQ(seen.tabOrder,
              QStringList({"アパート", "防波堤", "弁当屋", "公園", "明の家", "セルビア",
                           "パソコンショップ", "学校", "ひとみの家", "テニスコート", "ロード",
                           "セーブ", "終了", "メイン画面移動", "BGM", "画像処理"}));
    EXPECT_EQ(seen.focusAtOpen, "アパート");
    EXPECT_FALSE(seen.lineButtonInside);
    EXPECT_EQ(h.state().flag(Flag::PortraitMode), 1);  // pressed by the keyboard alone
    EXPECT_EQ(seen.focusLater, QStringList({"画像処理", "メイン画面移動"}));
}

}  // namespace
}  // namespace velmora::qt::test
