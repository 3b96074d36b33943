// The name window (kept open on an empty box, its closing keeping the last
// OK), the Yes/No answers, and the picture window that waits for a click on
// its picture and then for NEXT.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "game_harness.h"

namespace velmora::qt::test {
namespace {

// Japanese is typed through an input method, which commits whole strings.
void Type(QLineEdit* box, const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(box, &commit);
}

std::function<void(QWidget*)> TypeAndOk(const QString& name, const QString& nickname) {
    return [name, nickname](QWidget* form4) {
        Type(form4->findChild<QLineEdit*>("Text1"), name);
        Type(form4->findChild<QLineEdit*>("Text2"), nickname);
        Press("Command1")(form4);
    };
}

// Load: NO; name: YES; then the name window's own steps; then the rest of
// the introduction with the invitation declined.
std::vector<ModalStep> NamingGame(std::vector<ModalStep> naming) {
    return Then(Then({Answer(false), Answer(true)}, naming),
                {Next(), Answer(false), Next(), Menu("メイン画面移動")});
}

// Plays the name window's steps and checks the names the game goes on with,
// as the first message after the window shows them.
void ExpectNamesAfter(std::vector<ModalStep> naming, const QString& name, const QString& nickname) {
    GameHarness h;
    h.ClickMessage(NamingGame(std::move(naming)));
    ASSERT_EQ(h.script().failure(), "");
    EXPECT_EQ(QString::fromStdString(h.state().PlayerName), name);
    EXPECT_EQ(QString::fromStdString(h.state().Nickname), nickname);
    const QString first = h.script().met("Form3").front().message;
    EXPECT_TRUE(first.contains(name) && first.contains(nickname)) << first.toStdString();
}

TEST(NameDialog, StaysOpenOnAnEmptyBoxAndClosesOnceBothAreFilled) {
    // The second OK finds the name still in its box.
    ExpectNamesAfter({{"Form4", TypeAndOk("健", "")}, {"Form4", TypeAndOk("", "ケンちゃん")}}, "健",
                     "ケンちゃん");
}

TEST(NameDialog, ClosingItKeepsTheNamesOfTheLastOkAsTyped) {
    ExpectNamesAfter({{"Form4", TypeAndOk(" 健 ", "")}, Close("Form4")}, " 健 ", "");
}

TEST(YesNoDialog, AnswersYesNoOrNeitherWhenClosed) {
    GameHarness h;
    QString focused;
    ModalScript script({{"Form2",
                         [&focused](QWidget* form2) {
                             focused = form2->focusWidget()->objectName();
                             Press("cmdYes")(form2);
                         }},
                        Answer(false),
                        Close("Form2")},
                       [] {});  // called directly: a failure only closes windows
    EXPECT_EQ(h.platform.AskYesNo({0, 0}), YesNo::Yes);
    EXPECT_EQ(h.platform.AskYesNo({0, 0}), YesNo::No);
    EXPECT_EQ(h.platform.AskYesNo({0, 0}), YesNo::Closed);
    EXPECT_EQ(focused, "cmdYes");
    EXPECT_EQ(script.failure(), "");
}

// What looks chosen is what is chosen: the list opens with no entry marked,
// so OK at once is OK without a choice; a click marks and chooses.
TEST(ListDialog, NothingLooksChosenUntilThePlayerChooses) {
    GameHarness h;
    QStringList marked;
    const auto look = [&marked](QWidget* form5) {
        auto* list = form5->findChild<QListWidget*>("List1");
        form5->activateWindow();  // the list has the focus, as when the player sees it
        EXPECT_TRUE(QTest::qWaitFor([list] { return list->hasFocus(); }, 30000));
        const QImage drawn = list->grab().toImage();
        const QColor highlight = list->palette().color(QPalette::Highlight);
        bool highlighted = false;
        for (int y = 0; y < drawn.height() && !highlighted; ++y)
            for (int x = 0; x < drawn.width() && !highlighted; ++x)
                highlighted = drawn.pixelColor(x, y) == highlight;
        marked << QString("%1 %2 %3")
                      .arg(list->currentRow())
                      .arg(list->selectedItems().size())
                      .arg(highlighted);
    };
    ModalScript script({{"Form5",
                         [&](QWidget* form5) {
                             look(form5);
                             Press("Command1")(form5);
                         }},
                        {"Form5",
                         [&](QWidget* form5) {
                             auto* list = form5->findChild<QListWidget*>("List1");
                             const QRect cell = list->visualItemRect(list->item(1));
                             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
                             look(form5);
                             Press("Command1")(form5);
                         }}},
                       [] {});
    const std::vector<std::string> entries = {"file1", "file2", "file3"};
    EXPECT_EQ(h.platform.ChooseFromList(ListOf::kSlots, entries, {0, 0}), std::nullopt);
    EXPECT_EQ(h.platform.ChooseFromList(ListOf::kSlots, entries, {0, 0}), "file2");
    EXPECT_EQ(script.failure(), "");
    EXPECT_EQ(marked, QStringList({"-1 0 0", "1 1 1"}));
}

QWidget* PictureWindowShown() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == "Form7" && top->isVisible()) return top;
    }
    return nullptr;
}

TEST(PictureWindow, WaitsForAClickOnItsPictureThenItsOwnNext) {
    GameHarness h;
    WritePicture(h.folder() + "/end1.jpg", {400, 300}, Qt::red);
    auto clickAt = [](QPoint at) {
        return [at](QWidget* form7) {
            QWidget* target = form7->childAt(at);
            QTest::mouseClick(target ? target : form7, Qt::LeftButton, {},
                              target ? target->mapFrom(form7, at) : at);
        };
    };
    QString nextOwner;
    ModalScript script({{"Form7", clickAt({500, 350})},  // beside the picture: nothing
                        {"Form7", clickAt({10, 10})},
                        {"Form3",
                         [&nextOwner](QWidget* form3) {
                             nextOwner = form3->parentWidget()->objectName();
                             Press("Command1")(form3);
                         }}},
                       [] {});  // called directly: a failure only closes windows

    h.platform.WaitPictureClick({"END1.JPG", "絵"});
    EXPECT_EQ(script.met("Form7").size(), 2u);
    EXPECT_NE(PictureWindowShown(), nullptr);  // open until the game closes it
    h.platform.WaitNext({255 + 7350, 32 + 5300});
    h.platform.ClosePictureWindow();

    EXPECT_EQ(script.failure(), "");
    EXPECT_EQ(nextOwner, "Form7");
    EXPECT_EQ(script.met("Form3").front().pos, QPoint(507, 355));
    EXPECT_EQ(PictureWindowShown(), nullptr);
}

TEST(PictureWindow, WithoutAReadablePictureAnyClickGoesOn) {
    GameHarness h;
    ModalScript script({{"Form7",
                         [](QWidget* form7) {
                             QTest::mouseClick(form7->findChild<QWidget*>("Image1"), Qt::LeftButton,
                                               {}, QPoint(300, 200));
                         }}},
                       [] {});  // called directly: a failure only closes windows
    h.platform.WaitPictureClick({"missing.jpg", "絵"});
    h.platform.ClosePictureWindow();
    EXPECT_EQ(script.failure(), "");
}

}  // namespace
}  // namespace velmora::qt::test
