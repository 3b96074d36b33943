// The player's comforts on top of a real game: keys and the wheel answer as
// the click would, the history never answers a dialog, full screen scales
// and letterboxes, the settings persist outside the game, auto-advance
// presses only NEXT.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <memory>

#include "backends/qt/comforts.h"
#include "backends/qt/message_label.h"
#include "backends/qt/next_dialog.h"
#include "game_harness.h"
#include "tests/hostile_things.h"

namespace velmora::qt::test {
namespace {

// Settings of each test's own, never the player's nor another test's.
class ComfortsTest : public ::testing::Test {
  private:
    OwnSettingsFolder settings_;
};

std::function<void(QWidget*)> Key(Qt::Key key) {
    return [key](QWidget* window) { QTest::keyClick(window, key); };
}

void WheelOn(QWidget* window, int turn) {
    const QPointF at(10, 10);
    QWheelEvent wheel(at, window->mapToGlobal(at), {}, {0, turn}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &wheel);
}

// After full screen, NEXT stands where it stood before (Form3 at +7350/+5300 twips).
void ExpectNextAtStartPosition(const std::vector<MetWindow>& nexts) {
    ASSERT_GT(nexts.size(), 1u);
    EXPECT_EQ(nexts.back().pos, QPoint(507, 355));
}

ModalStep Idle(const char* window) {
    return {window, [](QWidget*) {}, true};
}

TEST_F(ComfortsTest, KeysAnswerAsTheirClicksAndTheHistoryAnswersNothing) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QString history;
    bool upReadsBack = false;
    h.ClickMessage({{"Form2", Key(Qt::Key_N)},
                    {"Form2", Key(Qt::Key_N)},
                    // Later, so the script's timer runs again inside the history's loop.
                    {"Form3",
                     [](QWidget* next) {
                         QTimer::singleShot(0, next, [next] { QTest::keyClick(next, Qt::Key_H); });
                     }},
                    {"History",
                     [&history, &upReadsBack](QWidget* window) {
                         auto* text = window->findChild<QPlainTextEdit*>();
                         history = text->toPlainText();
                         const int caret = text->textCursor().position();
                         QTest::keyClick(text, Qt::Key_Up);
                         upReadsBack = text->textCursor().position() < caret;
                         QTest::keyClick(window, Qt::Key_Escape);
                     }},
                    {"Form3", Key(Qt::Key_Return)},
                    {"Form3", Key(Qt::Key_Space), true},
                    {"Form2", Key(Qt::Key_Y)},
                    {"Form3", Key(Qt::Key_Return), true},
                    Menu("メイン画面移動")});

    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_TRUE(h.script().finished());
    // The load and name questions, then the introduction's first message:
    // the history stood over the NEXT window it did not press.
    EXPECT_TRUE(history.startsWith("このメッセージラベルをクリックしてね！\n\n \nデータをロード"));
    EXPECT_TRUE(history.endsWith(comforts.history().messages()[3]));
    EXPECT_TRUE(upReadsBack) << "the caret, which a screen reader reads, stays put on Up";
    // Y accepted the invitation: Akira's scene played.
    bool akira = false;
    for (const QString& message : comforts.history().messages()) akira |= message.contains("明");
    EXPECT_TRUE(akira);
    EXPECT_EQ(comforts.history().messages().back(), h.window.message()->text());
}

// Wheel down is NEXT only for a player who chose it: off, NEXT waits for
// its click; on, the wheel alone goes on.
TEST_F(ComfortsTest, WheelDownPressesNextOnlyWhenChosen) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    const auto wheelDown = [](QWidget* next) { WheelOn(next, -120); };
    {
        ModalScript script({{"Form3", wheelDown}, Next()}, [] {});
        h.platform.WaitNext({0, 0});
        EXPECT_EQ(script.met("Form3").size(), 2u);
    }
    ComfortSettings chosen = comforts.settings();
    chosen.wheelDownPressesNext = true;
    comforts.Apply(chosen);
    ModalScript script({{"Form3", wheelDown}}, [] {});
    h.platform.WaitNext({0, 0});
    EXPECT_EQ(script.met("Form3").size(), 1u);
    EXPECT_EQ(script.failure(), "");
}

TEST_F(ComfortsTest, FullScreenScalesTheWindowOnBlackBarsAndPlacesDialogsOnIt) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    const QPoint gamePos = h.window.pos();
    const QRect label = h.window.message()->geometry();
    const qreal labelPoints = h.window.message()->font().pointSizeF();
    QTest::keyClick(&h.window, Qt::Key_F11);

    const QRect screen = h.window.screen()->geometry();
    const double scale = comforts.stage().scale();
    // As large as the screen holds it, a little smaller where the menu needs
    // its room beside the plates.
    EXPECT_LE(scale, std::min(screen.width() / 569.0, screen.height() / 412.0));
    EXPECT_GT(scale, 1.0);
    const QPoint offset((screen.width() - std::lround(569 * scale)) / 2,
                        (screen.height() - std::lround(412 * scale)) / 2);
    EXPECT_EQ(h.window.geometry(), screen);
    EXPECT_FALSE(h.window.titleBar()->isVisible());
    EXPECT_EQ(h.window.client()->pos(), offset);
    EXPECT_EQ(h.window.message()->geometry().topLeft(),
              QPoint(std::lround(label.x() * scale), std::lround(label.y() * scale)));
    EXPECT_DOUBLE_EQ(h.window.message()->font().pointSizeF(), labelPoints * scale);
    const QImage frame = h.window.grab().toImage();
    EXPECT_EQ(frame.pixelColor(screen.width() / 2, offset.y() / 2), QColor(Qt::black));
    EXPECT_NE(frame.pixelColor(screen.width() / 2, screen.height() / 2), QColor(Qt::black));
    EXPECT_EQ(h.platform.MainWindowPosition().left, gamePos.x() * 15.0);

    // F11 again while a NEXT window is open: it goes back with the window.
    QRect nextAfter;
    const ModalStep leave{"Form3", [&nextAfter](QWidget* next) {
                              QTest::keyClick(next, Qt::Key_F11);
                              nextAfter = next->geometry();
                              Press("Command1")(next);
                          }};
    h.ClickMessage({Answer(false), Answer(false), leave, Next(), Answer(false), Next(),
                    Menu("メイン画面移動")});
    ASSERT_EQ(h.script().failure().toStdString(), "");
    // The load question at the start position, relative to the client area.
    const QPoint design(503, 195);
    const QPoint fromClient = design - gamePos - QPoint(0, TitleBar::kDesignHeight);
    EXPECT_EQ(h.script().met("Form2")[0].pos, offset + QPoint(std::lround(fromClient.x() * scale),
                                                              std::lround(fromClient.y() * scale)));
    EXPECT_EQ(nextAfter.size(), QSize(62, 41 + TitleBar::kDesignHeight));

    EXPECT_EQ(h.window.size(), MainWindow::DesignSize());
    EXPECT_EQ(h.window.message()->geometry(), label);
    ExpectNextAtStartPosition(h.script().met("Form3"));
}

// Larger text scales the whole window as full screen does, by half as much
// again where the screen holds it and the menu beside it (the offscreen
// screen, 800 x 600, holds less: still larger than the design), is kept,
// and comes back with the next game; off again, the design's size.
TEST_F(ComfortsTest, LargerTextScalesTheWholeWindowAndIsKept) {
    GameHarness h;
    const QRect label = h.window.message()->geometry();
    const qreal labelPoints = h.window.message()->font().pointSizeF();
    {
        Comforts comforts(h.window, h.session, h.platform.sound());
        ComfortSettings larger = comforts.settings();
        larger.largerText = true;
        comforts.Apply(larger);
        const double scale = comforts.stage().scale();
        EXPECT_GT(scale, 1.1);
        EXPECT_LE(scale, 1.5);
        EXPECT_EQ(h.window.message()->geometry().size(),
                  QSize(std::lround(label.width() * scale), std::lround(label.height() * scale)));
        EXPECT_DOUBLE_EQ(h.window.message()->font().pointSizeF(), labelPoints * scale);
    }
    EXPECT_TRUE(LoadComfortSettings().largerText);
    Comforts again(h.window, h.session, h.platform.sound());
    EXPECT_GT(again.stage().scale(), 1.1);
    ComfortSettings design = again.settings();
    design.largerText = false;
    again.Apply(design);
    EXPECT_EQ(h.window.size(), MainWindow::DesignSize());
    EXPECT_EQ(h.window.message()->geometry(), label);
}

// As the program has them: given to the main window, and gone with it when
// the program ends.
TEST_F(ComfortsTest, GoWithTheWindowTheProgramGivesThemTo) {
    GameHarness h;
    auto* window = new MainWindow;
    new Comforts(*window, h.session, h.platform.sound());
    delete window;
}

TEST_F(ComfortsTest, VolumeAndMuteAreKeptInThePlayersSettingsOnly) {
    GameHarness h;
    {
        Comforts comforts(h.window, h.session, h.platform.sound());
        EXPECT_EQ(comforts.settings().volume, 100);
        ComfortSettings changed = comforts.settings();
        changed.volume = 40;
        comforts.Apply(changed);
        EXPECT_FLOAT_EQ(h.platform.sound().volume(), 0.4f);
        QTest::keyClick(&h.window, Qt::Key_M);
        EXPECT_FLOAT_EQ(h.platform.sound().volume(), 0.0f);
    }
    const ComfortSettings kept = LoadComfortSettings();
    EXPECT_EQ(kept.volume, 40);
    EXPECT_TRUE(kept.muted);
    EXPECT_TRUE(
        QFile::exists(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      "/velmora/comforts.conf"));
    EXPECT_TRUE(QDir(h.folder()).entryList({"file*"}).isEmpty());  // no save slot touched
}

QString SettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/velmora";
}

QString Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// comforts.conf, or the lock file Qt's settings once kept beside it, as a
// pipe, a folder or a link to /dev/zero: the window opens and M is kept or
// told at once, never waited on. (The pipe once kept the window from
// opening; the lock's folder froze it at the first M.)
TEST_F(ComfortsTest, TheSettingsFileOrALockBesideItAsAnythingButAFileIsNeverWaitedOn) {
    for (const char* name : {"comforts.conf", "comforts.conf.lock"}) {
        for (const char* what : {"pipe", "folder", "device"}) {
            SCOPED_TRACE(std::string(name) + " as a " + what);
            QDir(SettingsFolder()).removeRecursively();
            ASSERT_TRUE(QDir().mkpath(SettingsFolder()));
            const QString path = SettingsFolder() + "/" + name;
            ASSERT_EQ(velmora::test::PlantNotAFile(path.toStdString(), what), "");
            const auto kind = std::filesystem::symlink_status(path.toStdString()).type();
            velmora::test::HangGuard guard;
            GameHarness h;
            Comforts comforts(h.window, h.session, h.platform.sound());
            const bool theFile = std::string(name) == "comforts.conf";
            if (theFile) {  // told as the window comes up
                const QLabel* notice = nullptr;
                QTRY_VERIFY((notice = h.window.findChild<QLabel*>("notice")) &&
                            notice->isVisible() && notice->text().startsWith(Comforts::kNotKept));
            }
            QTest::keyClick(&h.window, Qt::Key_M);
            EXPECT_TRUE(comforts.settings().muted);
            EXPECT_EQ(std::filesystem::symlink_status(path.toStdString()).type(), kind);
            if (!theFile) {
                EXPECT_TRUE(Contents(SettingsFolder() + "/comforts.conf").contains("muted=true"));
            }
        }
    }
}

// comforts.conf as a link to a file elsewhere: read through, and replaced by
// the game's own file when the settings change; the file elsewhere is never
// written (as a slot or the player's record).
TEST_F(ComfortsTest, ASettingsFileThatIsALinkIsReadAndReplacedNeverWrittenThrough) {
    QTemporaryDir elsewhere;
    const QString other = elsewhere.filePath("other.conf");
    {
        QFile file(other);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[music]\nvolume=30\n");
    }
    ASSERT_TRUE(QDir().mkpath(SettingsFolder()));
    ASSERT_TRUE(QFile::link(other, SettingsFolder() + "/comforts.conf"));
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    EXPECT_EQ(comforts.settings().volume, 30);
    QTest::keyClick(&h.window, Qt::Key_M);
    EXPECT_EQ(Contents(other), "[music]\nvolume=30\n");
    EXPECT_FALSE(QFileInfo(SettingsFolder() + "/comforts.conf").isSymLink());
    EXPECT_TRUE(Contents(SettingsFolder() + "/comforts.conf").contains("muted=true"));
}

TEST_F(ComfortsTest, AutoAdvancePressesOnlyNextAndAClickTurnsItOff) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QTest::keyClick(&h.window, Qt::Key_A);
    // After A, which sets the pace of the player's settings.
    comforts.autoAdvance().SetTiming(1, 0);
    bool questionWaited = false;
    h.ClickMessage({Answer(false),
                    Answer(false),
                    Idle("Form3"),
                    {"Form2",
                     [&](QWidget* form2) {
                         QTest::qWait(100);
                         questionWaited = form2->isVisible();
                         // Long enough for the player's click to come first.
                         comforts.autoAdvance().SetTiming(60000, 0);
                         Press("cmdNo")(form2);
                     }},
                    {"Form3", Press("Command1")},  // the player's click
                    Next(),
                    Menu("メイン画面移動")});
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_TRUE(questionWaited);
    EXPECT_FALSE(comforts.settings().autoAdvance);
    EXPECT_FALSE(LoadComfortSettings().autoAdvance);
}

// A click on the message while NEXT waits reaches the program through the
// window system, as the player's does (the main window is not locked by
// NEXT), and stops auto-advance; the game itself does nothing with it.
TEST_F(ComfortsTest, AClickOnTheWaitingMessageStopsAutoAdvance) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QTest::keyClick(&h.window, Qt::Key_A);
    comforts.autoAdvance().SetTiming(60000, 0);
    const QPoint message =
        h.window.message()->mapTo(&h.window, h.window.message()->rect().center());
    bool stopped = false;
    h.ClickMessage(Then({Answer(false),
                         Answer(false),
                         {"Form3",
                          [&](QWidget* next) {
                              QTest::mouseClick(h.window.windowHandle(), Qt::LeftButton, {},
                                                message);
                              stopped = !comforts.settings().autoAdvance;
                              Press("Command1")(next);
                          }}},
                        {Next(), Answer(false), Next(), Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_TRUE(stopped);
    EXPECT_EQ(h.script().met("Form2").size(), 3u);  // one game, not a second one
}

// M and A say on screen what they did, briefly, over the scene.
TEST_F(ComfortsTest, MuteAndAutoAdvanceKeysSayWhatTheyDid) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QStringList said;
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(&h.window, key);
        auto* notice = h.window.findChild<QLabel*>("notice");
        said << (notice && notice->isVisible() ? notice->text() : QString());
    };
    for (Qt::Key key : {Qt::Key_M, Qt::Key_M, Qt::Key_A, Qt::Key_A}) press(key);
    EXPECT_EQ(said, QStringList({"音楽を消しました", "音楽を戻しました", "自動送り：オン",
                                 "自動送り：オフ"}));
    auto* notice = h.window.findChild<QLabel*>("notice");
    EXPECT_TRUE(notice->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(h.window.scene()
                    ->geometry()
                    .translated(h.window.client()->pos())
                    .contains(notice->geometry()));
}

TEST_F(ComfortsTest, OffByDefaultSpeechStaysUnloadedAndTheMessageIsNamed) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    const ComfortSettings defaults = comforts.settings();
    EXPECT_FALSE(defaults.speakMessages || defaults.autoAdvance || defaults.wheelDownPressesNext ||
                 defaults.muted);
    h.ClickMessage(Then(NewGameUntilMenu(), {Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_FALSE(comforts.speech().loaded());
    EXPECT_FALSE(h.window.message()->accessibleName().isEmpty());
}

TEST_F(ComfortsTest, SettingsOpenOverAQuestionAndSayWhetherAJapaneseVoiceIsThere) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    QString speechOption;
    const std::vector<ModalStep> settings = {
        {"Form2",
         [](QWidget* form2) {
             QTimer::singleShot(0, form2, [form2] { QTest::keyClick(form2, Qt::Key_F2); });
         }},
        {"Settings", [&speechOption](QWidget* window) {
             for (auto* box : window->findChildren<QCheckBox*>())
                 if (box->text().contains("読み上げ")) speechOption = box->text();
             QTest::keyClick(window, Qt::Key_Escape);
         }}};
    h.ClickMessage(Then(settings, Then(NewGameUntilMenu(), {Menu("メイン画面移動")})));
    ASSERT_EQ(h.script().failure().toStdString(), "");
    EXPECT_TRUE(comforts.speech().loaded());
    EXPECT_EQ(speechOption.contains("日本語の音声がインストールされていません"),
              !comforts.speech().japaneseVoiceFound());
}

// At a slow speed NEXT, while the message appears, shows it whole and
// passes nothing; a screen reader has the whole message from the start;
// auto-advance presses NEXT only once the message shows whole.
TEST_F(ComfortsTest, NextOnAMessageAppearingShowsItWholeAndAutoAdvanceWaitsForIt) {
    GameHarness h;
    Comforts comforts(h.window, h.session, h.platform.sound());
    ComfortSettings slow = comforts.settings();
    slow.textSpeed = 0;
    comforts.Apply(slow);
    MessageLabel* message = h.window.message();
    message->HoldClock(true);  // the first message stays appearing
    // NEXT's press as Comforts has it, counting those of auto-advance that
    // would cut a message short.
    int cutShort = 0;
    bool advancing = false;
    NextDialog::SetFirst([&] {
        cutShort += advancing && message->appearing();
        return message->ShowWhole();
    });
    const auto putBack = qScopeGuard([] { NextDialog::SetFirst(nullptr); });
    QStringList seen;
    const auto see = [&] {
        seen << QString("%1|%2|%3")
                    .arg(message->appearing())
                    .arg(message->drawn().size())
                    .arg(message->accessibleName());
    };
    int passed = 0;
    h.ClickMessage(Then({Answer(false),
                         Answer(false),
                         {"Form3",
                          [&](QWidget* next) {
                              QObject::connect(qobject_cast<NextDialog*>(next), &NextDialog::passed,
                                               [&] { passed += advancing; });
                              see();
                              QTest::keyClick(next, Qt::Key_Return);  // shows it whole
                              see();
                              message->HoldClock(false);
                              ComfortSettings quicker = comforts.settings();
                              quicker.textSpeed = 2;  // the rest of the scene sooner
                              comforts.Apply(quicker);
                              QTest::keyClick(&h.window, Qt::Key_A);
                              comforts.autoAdvance().SetTiming(1, 0);
                              advancing = true;
                              comforts.autoAdvance().SetEnabled(true);
                          }}},
                        {Idle("Form3"),
                         {"Form2",
                          [&](QWidget* question) {
                              advancing = false;  // from here on the script presses NEXT too
                              Press("cmdNo")(question);
                          }},
                         Next(),
                         Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure().toStdString(), "");
    const QString first = "「オレの名前は佐々木。みんなからはリュウ君って呼ばれてる。」";
    EXPECT_EQ(seen, QStringList({QString("1|2|%1").arg(first),
                                 QString("0|%1|%2").arg(first.size() + 2).arg(first)}));
    EXPECT_GE(passed, 3);
    EXPECT_EQ(cutShort, 0);
}

// A message laid out as it appears is laid out as it will stand whole: each
// letter shown is drawn where the whole message draws it.
TEST_F(ComfortsTest, ALetterAppearsWhereItStandsInTheWholeMessage) {
    QWidget window;
    window.resize(500, 120);
    MessageLabel message(&window);
    message.setGeometry(10, 10, 450, 90);
    message.SetTextSpeed(1);
    window.show();
    message.SetMessage(
        "「今は春休み。これが明けたら、いよいよ高校最後の一年が始まる。」 Haru "
        "と一緒に、海の見える丘まで歩いていこう。");
    const int whole = int(message.text().size());
    QTRY_VERIFY(message.drawn().size() > whole / 2 || !message.appearing());
    message.HoldClock(true);
    ASSERT_TRUE(message.appearing());
    const QImage part = message.grab().toImage();
    message.ShowWhole();
    const QImage all = message.grab().toImage();
    ASSERT_EQ(part.size(), all.size());
    int differing = 0, inked = 0;
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            if (part.pixel(x, y) == qRgb(255, 255, 255)) continue;
            ++inked;
            differing += part.pixel(x, y) != all.pixel(x, y);
        }
    }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(part, all);
}

}  // namespace
}  // namespace velmora::qt::test
