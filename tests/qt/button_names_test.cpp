// What a screen reader hears of every button of every window the game and
// its comforts open: each button its own name and what it does (NEXT its
// key, where the focus first comes to it); each window named by what it asks and
// described by how to answer, the message said once as NEXT waits; the
// name window's boxes named.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <map>

#include "backends/qt/comforts.h"
#include "game_harness.h"
#include "player/menu_layout.h"

namespace velmora::qt::test {
namespace {

// The window's own buttons (not those of the windows it owns), a line
// "name｜description" each; those of its title bar, or the others.
std::string Heard(QWidget* window, bool titleBar = false) {
    QString said;
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->window() != window) continue;
        if ((button->parentWidget()->objectName() == "titleBar") != titleBar) continue;
        QAccessibleInterface* told = QAccessible::queryAccessibleInterface(button);
        said += told->text(QAccessible::Name) + "｜" + told->text(QAccessible::Description) + "\n";
    }
    return said.toStdString();
}

// The window's own name and description, "name｜description".
std::string Asks(QWidget* window) {
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(window);
    return (told->text(QAccessible::Name) + "｜" + told->text(QAccessible::Description))
        .toStdString();
}

TEST(ButtonNames, EveryButtonOfEveryWindowSaysWhatItDoes) {
    OwnSettingsFolder settings;
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    std::map<QString, std::string> heard, asks;
    const auto hear = [&](const char* window, std::function<void(QWidget*)> answer) {
        return ModalStep{window, [&heard, &asks, answer](QWidget* shown) {
                             heard[shown->objectName()] += Heard(shown);
                             asks[shown->objectName()] += Asks(shown);
                             for (auto* box : shown->findChildren<QLineEdit*>())
                                 asks[shown->objectName()] +=
                                     "｜" + box->accessibleName().toStdString();
                             answer(shown);
                         }};
    };
    const auto escape = [](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); };
    QString pictureFocus;  // where the keys go as the picture opens; Enter passes it
    const auto enterAtPicture = [&pictureFocus](QWidget* window) {
        QWidget* focus = window->focusWidget();
        pictureFocus = focus ? focus->objectName() : QString();
        QTest::keyClick(focus ? focus : window, Qt::Key_Return);
    };
    ModalScript script(
        {hear("Form3", Press("Command1")), hear("Form3", Press("Command1")),
         hear("Form2", Press("cmdNo")), hear("Form3", Press("Command1")),
         hear("Form2", Press("cmdNo")), hear("Form4", Press("Command1")),
         hear("Form5", Press("Command1")), hear("Form8", Press("Command2")),
         hear("Form7", enterAtPicture), hear("History", escape), hear("Settings", escape)},
        [] {});  // called directly: a failure only closes windows
    std::vector<MenuRow> rows;
    for (const Command& command : h.game.commands())
        rows.push_back({command.caption, command.kind});

    h.platform.SetMessageCaption("「年は十七。」");
    h.platform.WaitNext({0, 0});
    h.platform.SetMessageCaption("「行こうか？」");
    h.platform.WaitNext({0, 0});
    h.platform.AskYesNo({0, 0});  // a question of the story: its words were just said
    h.platform.SetMessageCaption("「よし。」");
    h.platform.WaitNext({0, 0});
    h.platform.SetMessageCaption(
        "データをロードしますか？\r\n<初めてプレイするときはNOを選んでください。>");
    h.platform.AskYesNo({0, 0});
    h.platform.WaitNameDialog();
    h.platform.CloseNameDialog();
    h.platform.ChooseFromList(ListOf::kSlots, {"file1"}, {0, 0});
    h.platform.ChooseCommand(rows);
    h.platform.WaitPictureClick({"missing.jpg", "夕暮れの海辺で笑うひとみ"});
    h.platform.ClosePictureWindow();
    comforts.OpenHistory();
    comforts.OpenSettings();
    ASSERT_EQ(script.failure(), "");

    std::string menu;
    for (const MenuRow& row : rows) menu += row.caption + "｜" + menu::Description(row.kind) + "\n";
    EXPECT_EQ(rows.size(), 16u);
    // NEXT says its key where the focus first comes to it, not after a
    // question; each message is said as NEXT waits, the plates' words that
    // changed first (the title's hour is none); the window has no words of
    // its own.
    const std::string key = "NEXT｜次のメッセージへ進みます（Enter・Space）\n";
    EXPECT_EQ(heard["Form3"], key + key + "NEXT｜\n");
    EXPECT_EQ(asks["Form3"], "｜｜｜");
    EXPECT_EQ(h.window.announcer().said(),
              (QStringList{"「年は十七。」", "「行こうか？」", "「よし。」"}));
    const std::string howToAnswer =
        "Y で「はい」、N で「いいえ」。Tab か矢印で選んでから Enter でも答えられます。";
    EXPECT_EQ(heard["Form2"],
              "ＹＥＳ｜質問に「はい」と答えます\nNO｜質問に「いいえ」と答えます\n"
              "ＹＥＳ｜質問に「はい」と答えます\nNO｜質問に「いいえ」と答えます\n");
    EXPECT_EQ(asks["Form2"],
              "選択｜" + howToAnswer +
                  "データをロードしますか？｜<初めてプレイするときはNOを選んでください。>\n" +
                  howToAnswer);
    EXPECT_EQ(heard["Form4"], "OK｜入力した名前とニックネームで決定します\n");
    EXPECT_EQ(
        asks["Form4"],
        "名前とニックネーム｜名前とニックネームを入れて Enter で決めます。｜名前｜ニックネーム");
    EXPECT_EQ(heard["Form5"], "OK｜選んだ項目で決定します\n");
    EXPECT_EQ(heard["Form8"], menu);
    EXPECT_EQ(heard["Form7"] + Heard(&h.window), "");
    EXPECT_EQ(asks["Form7"], "夕暮れの海辺で笑うひとみ｜");
    EXPECT_EQ(pictureFocus, "Image1");
    EXPECT_EQ(Heard(&h.window, true),
              "閉じる｜このウィンドウを閉じます\n最小化｜このウィンドウを最小化します\n");
    EXPECT_EQ(heard["History"], "閉じる（Esc）｜履歴を閉じます\n");
    // The settings' six switches, each named by its caption, which says it all.
    const QStringList switches = QString::fromStdString(heard["Settings"]).split("\n");
    ASSERT_EQ(switches.size(), 7);  // and the empty rest after the last line
    for (const QString& each : switches.mid(0, 6))
        EXPECT_TRUE(each.endsWith("｜") && each.size() > 1) << each.toStdString();
}

}  // namespace
}  // namespace velmora::qt::test
