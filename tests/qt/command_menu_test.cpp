// The command menu: its sixteen captions top to bottom, the Tab order with
// the hidden "画像処理" last, and the keyboard focus that starts on
// "アパート" and stays on the button clicked last; a row for each caption
// of a table of seventeen.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "backends/qt/twips.h"
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
    QSize client;  // the design's: 終了 and 画像処理 where the design has them
    QRect quit;
    QRect lineDisplay;
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
            seen.client = menu->findChild<QWidget*>("client")->size();
            seen.quit = menu->findChild<QWidget*>("Command13")->geometry();
            seen.lineDisplay = hidden->geometry();
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
    EXPECT_EQ(seen.client, PxSize(2160, 6240));
    EXPECT_EQ(seen.quit, PxRect(83, 5760, 2000, 380));
    EXPECT_EQ(seen.lineDisplay, PxRect(6000, 6240, 2000, 380));
    EXPECT_EQ(h.state().flag(Flag::PortraitMode), 1);  // pressed by the keyboard alone
    EXPECT_EQ(seen.focusLater, QStringList({"画像処理", "メイン画面移動"}));
}

// An eleventh place: the menu lays a row out for each of the seventeen
// captions, all inside the window but the keyboard's own, none over
// another, each reached by Tab; a click on the new place answers it.
TEST(CommandMenu, LaysOutARowForEachOfSeventeenCaptions) {
    GameHarness h;
    std::vector<MenuRow> rows;
    for (const Command& command : Commands(TheStory()))
        rows.push_back({command.caption, command.kind});
    rows.insert(rows.begin() + 10, {"灯台", MenuKind::kPlace});
    MenuSeen seen;
    QStringList outside;
    bool overlapping = false;
    ModalScript script({{"Form8",
                         [&](QWidget* menu) {
                             seen.captions = CaptionsTopToBottom(menu);
                             seen.tabOrder = TabOrderFrom(menu->focusWidget());
                             const QRect client = menu->findChild<QWidget*>("client")->rect();
                             QList<QPushButton*> buttons = menu->findChildren<QPushButton*>();
                             for (QPushButton* button : buttons) {
                                 if (!client.contains(button->geometry()))
                                     outside << button->text();
                                 for (QPushButton* other : buttons) {
                                     overlapping |= other != button && other->geometry().intersects(
                                                                           button->geometry());
                                 }
                                 if (button->text() == "灯台")
                                     QTest::mouseClick(button, Qt::LeftButton);
                             }
                         }}},
                       [] {});
    EXPECT_EQ(h.platform.ChooseCommand(rows), "灯台");
    ASSERT_EQ(script.failure(), "");
    QStringList expected;
    for (const MenuRow& row : rows) expected << QString::fromStdString(row.caption);
    EXPECT_EQ(seen.captions, expected);
    EXPECT_EQ(seen.tabOrder,
              QStringList({"アパート", "防波堤", "弁当屋", "公園", "明の家", "セルビア",
                           "パソコンショップ", "学校", "ひとみの家", "テニスコート", "灯台",
                           "ロード", "セーブ", "終了", "メイン画面移動", "BGM", "画像処理"}));
    EXPECT_EQ(outside, QStringList({"画像処理"}));
    EXPECT_FALSE(overlapping);
}

}  // namespace
}  // namespace velmora::qt::test
