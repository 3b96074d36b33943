// The game's windows on a real desktop (Xvfb with openbox), where the window
// manager places, frames, stacks and closes them and the player's mouse and
// keys go through the X server: F11 and back to the pixel, every window on
// the screen in and out of full screen and on a screen too small for the
// design, the wheel and a click over the message while NEXT waits, the
// settings over a question, no frame of the window manager's, and closing.
#include <gtest/gtest.h>

#include <QDir>
#include <QInputEvent>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "app/story_map_rows.h"
#include "backends/qt/comforts.h"
#include "backends/qt/fonts.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/story_map_window.h"
#include "shell/story_map.h"
#include "tests/engine/harness.h"
#include "tests/qt/game_harness.h"
#include "x11_desktop.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace velmora::qt::test {
namespace {

constexpr int kPatienceMs = 30000;  // only a failing test waits this long

bool WaitUntil(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kPatienceMs);
}

std::string Describe(QRect r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// The keys pressed and the wheel turns the X server has delivered to the
// game, each once however far it propagates: NEXT stays up from one message
// to the next, so a step knows its key arrived by this, not by NEXT going.
class DeliveredInput : public QObject {
  public:
    DeliveredInput() { qApp->installEventFilter(this); }
    int count() const { return count_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel) {
            const auto stamp = static_cast<QInputEvent*>(event)->timestamp();
            if (stamp != last_) ++count_;
            last_ = stamp;
        }
        return false;
    }

  private:
    int count_ = 0;
    quint64 last_ = 0;
};

QRect OnScreen(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// The screen's work area, once the window manager has published one.
QRect WorkArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    WaitUntil([screen] { return !screen->availableGeometry().isEmpty(); });
    return screen->availableGeometry();
}

// Where the window stands as the player sees it, in the program's pixels:
// the X server's geometry once the window manager has placed it.
QRect Seen(X11Desktop& desktop, const QWidget* window) {
    desktop.SyncWithWindowManager(window);
    const QRect device = desktop.Geometry(window);
    const qreal ratio = window->devicePixelRatioF();
    return {(QPointF(device.topLeft()) / ratio).toPoint(),
            (QSizeF(device.size()) / ratio).toSize()};
}

class Desktop : public ::testing::Test {
  private:
    OwnSettingsFolder settings_;  // the comforts' settings are the test's own

  protected:
    // The game's windows as velmora makes them, the title screen painted.
    void Start() {
        comforts_ = std::make_unique<Comforts>(h_.window, h_.session, h_.platform.sound());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&h_.window, kPatienceMs));
    }

    bool FullScreen(bool on) {
        if (h_.window.isFullScreen() != on) QTest::keyClick(&h_.window, Qt::Key_F11);
        const bool reached = WaitUntil([&] {
            return h_.window.isFullScreen() == on &&
                   (!on || h_.window.geometry() == h_.window.screen()->geometry());
        });
        if (!reached)
            ADD_FAILURE() << "full screen " << on << ": " << h_.window.isFullScreen() << " at "
                          << Describe(h_.window.geometry());
        return reached;
    }

    GameHarness h_;
    std::unique_ptr<Comforts> comforts_;
    X11Desktop desktop_;
};

TEST_F(Desktop, F11TwiceAtTheTitleBringsTheWindowBackToThePixel) {
    Start();
    const QRect before = h_.window.frameGeometry();
    const QPoint clientBefore = desktop_.Position(&h_.window);
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(FullScreen(true));
        // A while in full screen, as a player stays: long enough for the
        // program to hear that the window has no frame there.
        ASSERT_TRUE(WaitUntil([&] { return h_.window.windowHandle()->frameMargins().isNull(); }));
        QTest::keyClick(&h_.window, Qt::Key_F11);
        ASSERT_TRUE(WaitUntil([&] { return !h_.window.isFullScreen(); }));
        // Where the window manager put it in the end, not on the way.
        ASSERT_TRUE(desktop_.SyncWithWindowManager(&h_.window));
        EXPECT_EQ(desktop_.Position(&h_.window), clientBefore) << "round " << round;
        EXPECT_TRUE(WaitUntil([&] { return h_.window.frameGeometry() == before; }))
            << "round " << round << ": " << Describe(h_.window.frameGeometry()) << " instead of "
            << Describe(before);
    }
}

// The command menu in full screen and after window-move mode in full
// screen, a NEXT opened in full screen once full screen ends, and the
// ending picture with its NEXT in full screen.
TEST_F(Desktop, EveryWindowFitsTheScreenAndStandsByTheMainWindowInAndOutOfFullScreen) {
    Start();
    WritePicture(h_.folder() + "/end1.jpg", {609, 425}, Qt::darkRed);
    ASSERT_TRUE(FullScreen(true));
    QStringList faults;
    // Where each window stands, as the player sees it.
    const auto fits = [&](const QString& what, QWidget* window) {
        WaitUntil([window] { return window->isVisible(); });
        const QRect seen = Seen(desktop_, window);
        if (!window->screen()->geometry().contains(seen))
            faults << what + " at " + QString::fromStdString(Describe(seen));
        return seen;
    };
    const QRect plates = OnScreen(h_.window.date()).united(OnScreen(h_.window.time()));
    const auto menuThen = [&](const char* caption) {
        ModalStep step = Menu(caption);
        const auto press = step.act;
        step.act = [&, press](QWidget* menu) {
            const QRect at = fits("the menu", menu);
            if (at.intersects(plates)) faults << "the menu covers the plates";
            for (auto* button : menu->findChildren<QPushButton*>()) {
                // "画像処理" lies outside the menu by design.
                if (button->objectName() == "Command16") continue;
                const QRect seen(at.topLeft() + button->mapTo(menu, QPoint(0, 0)), button->size());
                if (!menu->screen()->geometry().contains(seen))
                    faults << "「" + button->text() + "」 off the screen";
            }
            press(menu);
        };
        return step;
    };
    const ModalStep next{"Form3",
                         [&](QWidget* form3) {
                             fits("NEXT", form3);
                             Press("Command1")(form3);
                         },
                         true};
    h_.ClickMessage(Then({Answer(false), Answer(false), next, Answer(false), next},
                         {menuThen("メイン画面移動")}));
    ASSERT_EQ(h_.script().failure(), "");
    h_.ClickMessage({menuThen("メイン画面移動")});  // window-move mode, still full screen
    ASSERT_EQ(h_.script().failure(), "");
    h_.EndScript();

    // NEXT opened in full screen stays with the window when full screen ends.
    {
        QRect nextAfter;
        ModalScript leaving({{"Form3",
                              [&](QWidget* form3) {
                                  fits("NEXT in full screen", form3);
                                  FullScreen(false);
                                  // NEXT follows the main window's new layout.
                                  WaitUntil([&] {
                                      nextAfter = Seen(desktop_, form3);
                                      return nextAfter.topLeft() == QPoint(507, 355);
                                  });
                                  Press("Command1")(form3);
                              }}},
                            [] {});
        h_.platform.WaitNext({255 + 7350, 32 + 5300});
        EXPECT_EQ(leaving.failure(), "");
        EXPECT_EQ(nextAfter.topLeft(), QPoint(507, 355)) << Describe(nextAfter);
    }

    // The ending picture and its NEXT, in full screen.
    ASSERT_TRUE(FullScreen(true));
    ModalScript ending({{"Form7",
                         [&](QWidget* form7) {
                             fits("the picture window", form7);
                             auto* image = form7->findChild<QWidget*>("Image1");
                             QTest::mouseClick(image, Qt::LeftButton, {}, {10, 10});
                         }},
                        {"Form3",
                         [&](QWidget* form3) {
                             fits("the picture's NEXT", form3);
                             Press("Command1")(form3);
                         }}},
                       [] {});
    h_.platform.WaitPictureClick({"end1.jpg", "絵"});
    h_.platform.WaitNext({255 + 7350, 32 + 5300});
    h_.platform.ClosePictureWindow();
    EXPECT_EQ(ending.failure(), "");
    EXPECT_TRUE(faults.isEmpty()) << faults.join("; ").toStdString();
}

// A step that does nothing while its window waits for something the step
// set going (an event through the X server) to answer it.
ModalStep Idle(const char* window) {
    return {window, [](QWidget*) {}, true};
}

TEST_F(Desktop, TheWheelAndAClickOverTheMessageActAsOverNext) {
    Start();
    ComfortSettings chosen = comforts_->settings();
    chosen.wheelDownPressesNext = true;
    comforts_->Apply(chosen);
    const QPoint scene = OnScreen(h_.window.scene()).center();
    const QPoint message = OnScreen(h_.window.message()).center();
    {
        ModalScript wheel({{"Form3",
                            [&](QWidget*) {
                                desktop_.Click(scene);
                                desktop_.Key("h");
                            }},
                           Idle("Form3"),
                           {"History", [](QWidget* history) { history->close(); }},
                           {"Form3", [&](QWidget*) { desktop_.Wheel(message, false); }},
                           Idle("Form3")},
                          [] {});
        // Only if the wheel-down never arrives: NEXT is pressed, the test fails.
        bool pressedByWheel = true;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&pressedByWheel] {
            if (NextDialog* next = NextDialog::Waiting()) {
                pressedByWheel = false;
                next->Press();
            }
        });
        watchdog.start(kPatienceMs);
        h_.platform.WaitNext({255 + 7350, 32 + 5300});
        EXPECT_EQ(wheel.failure(), "");
        EXPECT_EQ(wheel.met("History").size(), 1u);
        EXPECT_TRUE(pressedByWheel);
    }

    // A click on the message while NEXT waits in a game stops auto-advance.
    QTest::keyClick(&h_.window, Qt::Key_A);
    comforts_->autoAdvance().SetTiming(kPatienceMs, 0);
    bool stopped = false;
    h_.ClickMessage(Then({Answer(false),
                          Answer(false),
                          {"Form3",
                           [&](QWidget* form3) {
                               desktop_.Click(message);
                               stopped =
                                   WaitUntil([&] { return !comforts_->settings().autoAdvance; });
                               Press("Command1")(form3);
                           }}},
                         {Next(), Answer(false), Next(), Menu("メイン画面移動")}));
    EXPECT_EQ(h_.script().failure(), "");
    EXPECT_TRUE(stopped);
}

TEST_F(Desktop, TheSettingsOverAQuestionLeaveTheQuestionAboveTheMainWindow) {
    Start();
    QWidget* question = nullptr;
    bool questionAbove = false;
    ModalScript script({{"Form2",
                         [&question](QWidget* form2) {
                             question = form2;
                             QTimer::singleShot(0, form2,
                                                [form2] { QTest::keyClick(form2, Qt::Key_F2); });
                         }},
                        {"Settings",
                         [&](QWidget* settings) {
                             // Once the window manager has put the settings on top.
                             WaitUntil([&] {
                                 const auto order = desktop_.Stacking();
                                 return !order.empty() && order.back() == settings->winId();
                             });
                             questionAbove = desktop_.StandsAbove(question, &h_.window);
                             settings->close();
                         }},
                        Answer(false)},
                       [] {});
    EXPECT_EQ(h_.platform.AskYesNo({255 + 7295, 32 + 2900}), YesNo::No);
    EXPECT_EQ(script.failure(), "");
    EXPECT_TRUE(questionAbove);
}

// The window manager draws no frame (so no maximise button and no caption
// cut short): each window draws its own bar, where its caption fits whole.
TEST_F(Desktop, TheWindowManagerDrawsNoFrameAndEveryCaptionShowsWhole) {
    Start();
    QStringList faults;
    const auto check = [&](QWidget* window) {
        WaitUntil([&] { return window->isVisible() && window->windowHandle()->isExposed(); });
        if (desktop_.FrameExtents(window) != QMargins())
            faults << window->objectName() + " framed by the window manager";
        auto* bar = window->findChild<TitleBar*>();
        if (!bar) return;
        const QFontMetrics metrics(GameFont(kPGothic, 9), bar);
        if (metrics.horizontalAdvance(bar->caption()) > bar->captionArea().width())
            faults << window->objectName() + " caption narrowed";
    };
    check(&h_.window);
    EXPECT_FALSE(h_.window.titleBar()->minimiseButton().isEmpty());
    const auto checked = [&](ModalStep step) {
        const auto act = step.act;
        step.act = [&, act](QWidget* window) {
            check(window);
            act(window);
        };
        step.repeat = false;
        return step;
    };
    h_.ClickMessage({checked(Answer(false)), checked(Answer(true)),
                     checked({"Form4", [](QWidget* form4) { form4->close(); }}), checked(Next()),
                     Next(), checked(Answer(false)), Next(), checked(Menu("ロード")),
                     checked({"Form5", Press("Command1")}), Next(), Menu("メイン画面移動")});
    EXPECT_EQ(h_.script().failure(), "");
    EXPECT_TRUE(faults.isEmpty()) << faults.join("; ").toStdString();
}

// The bar each window draws: dragging it moves the window (window-move mode
// asks the player to), its buttons minimise the main window and close a
// dialog as the window manager's would.
TEST_F(Desktop, TheTitleBarMovesTheWindowAndItsButtonsWork) {
    Start();
    TitleBar* bar = h_.window.titleBar();
    const QPoint before = h_.window.pos();
    const QPoint grip = bar->mapToGlobal(bar->captionArea().center());
    const QPoint by(40, 30);
    // The window manager takes the move over from the press; a press it
    // missed (it may, pressed this soon after the window appeared) is
    // simply pressed again, as a player would.
    bool taken = false;
    for (int attempt = 0; attempt < 5 && !taken; ++attempt) {
        desktop_.Press(grip);
        taken = QTest::qWaitFor([&] { return desktop_.WindowManagerMoving(); }, 2000);
        if (!taken) desktop_.Release();
    }
    ASSERT_TRUE(taken);
    desktop_.MoveTo(grip + by);
    EXPECT_TRUE(WaitUntil([&] { return desktop_.Position(&h_.window) == before + by; }));
    desktop_.Release();
    EXPECT_TRUE(WaitUntil([&] { return h_.window.pos() == before + by; }))
        << Describe(h_.window.geometry());

    desktop_.Click(bar->mapToGlobal(bar->minimiseButton().center()));
    EXPECT_TRUE(WaitUntil([&] { return h_.window.isMinimized(); }));
    h_.window.showNormal();
    ASSERT_TRUE(WaitUntil([&] { return h_.window.windowHandle()->isExposed(); }));

    bool closedByItsBar = false;
    ModalScript next({{"Form3",
                       [&](QWidget* form3) {
                           TitleBar* own = form3->findChild<TitleBar*>();
                           WaitUntil([form3] { return form3->windowHandle()->isExposed(); });
                           desktop_.Click(own->mapToGlobal(own->closeButton().center()));
                           closedByItsBar = WaitUntil([form3] { return !form3->isVisible(); });
                       }}},
                     [] {});
    h_.platform.WaitNext({255 + 7350, 32 + 5300});
    EXPECT_EQ(next.failure(), "");
    EXPECT_TRUE(closedByItsBar);
}

// The window manager's close (the title bar's close button, Alt+F4): the
// main window only while no dialog of the game is open; each dialog as the
// game has it closed.
TEST_F(Desktop, ClosingWorksAsDesignedForEveryKindOfWindow) {
    Start();
    QStringList survived;
    const auto closeMainFirst = [&](ModalStep step) {
        const auto act = step.act;
        step.act = [&, act](QWidget* window) {
            desktop_.RequestClose(&h_.window);
            // The window manager's close of the dialog (Alt+F4 sends the
            // same); the main window's was handled before it.
            desktop_.RequestClose(window);
            WaitUntil([window] { return !window->isVisible(); });
            if (h_.window.isVisible() && h_.endedWith < 0) survived << window->objectName();
            act(window);
        };
        step.repeat = false;
        return step;
    };
    const auto nothing = [](QWidget*) {};
    // Alt+F4 closes each dialog: the questions count as NO, the name keeps
    // the defaults, NEXT goes on, the list chooses nothing, the menu repeats
    // the previous command (none yet: the menu comes back).
    h_.ClickMessage({closeMainFirst({"Form2", nothing}), closeMainFirst({"Form2", nothing}),
                     closeMainFirst({"Form3", nothing}), Next(), Answer(false), Next(),
                     closeMainFirst({"Form8", nothing}), Menu("ロード"),
                     closeMainFirst({"Form5", nothing}), Next(), Menu("メイン画面移動")});
    EXPECT_EQ(h_.script().failure(), "");
    EXPECT_EQ(survived, QStringList({"Form2", "Form2", "Form3", "Form8", "Form5"}));
    EXPECT_EQ(h_.state().PlayerName, "佐々木");

    // With no dialog open (window-move mode) the main window closes and
    // the program ends.
    desktop_.RequestClose(&h_.window);
    EXPECT_TRUE(WaitUntil([&] { return h_.endedWith == 0; }));
}

TEST_F(Desktop, ThePictureWindowAndTheNameWindowCloseAsDesigned) {
    Start();
    WritePicture(h_.folder() + "/end1.jpg", {400, 300}, Qt::darkRed);
    bool mainSurvived = false;
    ModalScript picture({{"Form7",
                          [&](QWidget* form7) {
                              desktop_.RequestClose(&h_.window);
                              desktop_.RequestClose(form7);
                              WaitUntil([form7] { return !form7->isVisible(); });
                              mainSurvived = h_.window.isVisible();
                          }}},
                        [] {});
    h_.platform.WaitPictureClick({"end1.jpg", "絵"});  // returns when the picture window closes
    h_.platform.ClosePictureWindow();
    EXPECT_EQ(picture.failure(), "");
    EXPECT_TRUE(mainSurvived);

    ModalScript name({{"Form4",
                       [&](QWidget* form4) {
                           desktop_.RequestClose(form4);
                           WaitUntil([form4] { return !form4->isVisible(); });
                       }}},
                     [] {});
    EXPECT_TRUE(h_.platform.WaitNameDialog().closed);
    EXPECT_EQ(name.failure(), "");
}

// The program itself: closed at the title it ends with status 0 (no crash
// on the way out); SIGTERM ends it too.
TEST(DesktopProgram, EndsCleanlyWhenClosedAndOnSigterm) {
    X11Desktop desktop;  // and no window of the test's own
    QTemporaryDir folder;
    const auto start = [&](QProcess& velmora) {
        velmora.setWorkingDirectory(folder.path());
        velmora.start(VELMORA_PROGRAM, {});
        // Its window is up once the window manager lists a window titled Velmora.
        return velmora.waitForStarted() &&
               WaitUntil([&] { return desktop.WindowNamed("Velmora") != 0; });
    };
    QProcess closed;
    ASSERT_TRUE(start(closed));
    desktop.RequestClose(desktop.WindowNamed("Velmora"));
    EXPECT_TRUE(closed.waitForFinished(kPatienceMs));
    EXPECT_EQ(closed.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(closed.exitCode(), 0);

    QProcess terminated;
    ASSERT_TRUE(start(terminated));
    ::kill(pid_t(terminated.processId()), SIGTERM);
    EXPECT_TRUE(terminated.waitForFinished(kPatienceMs));
}

// QT_SCALE_FACTOR=2 on a screen of 800 pixels (run so by ctest): the window
// scaled down to fit, the menu clear of the plates with 終了 on the screen,
// text still bold, the plates not doubled pixel by pixel.
TEST_F(Desktop, ScaleFactorTwoOnASmallScreen) {
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    Start();
    const QRect available = WorkArea(&h_.window);
    EXPECT_TRUE(available.contains(h_.window.frameGeometry()))
        << Describe(h_.window.frameGeometry()) << " on " << Describe(available);

    QLabel* message = h_.window.message();
    const auto darkness = [message](bool bold) {
        QFont font = message->font();
        font.setBold(bold);
        message->setFont(font);
        const QImage image = message->grab().toImage();
        // The focus ring along the message's edge (the title waits for
        // Enter) is no text: left out.
        constexpr int kEdge = 4;
        qint64 dark = 0;
        for (int y = kEdge; y < image.height() - kEdge; ++y)
            for (int x = kEdge; x < image.width() - kEdge; ++x)
                dark += 255 - qGray(image.pixel(x, y));
        return double(dark);
    };
    const double ratio = darkness(true) / darkness(false);
    darkness(true);
    EXPECT_GT(ratio, 1.4) << "bold text only " << ratio << " times as dark as regular";

    // Smoothly scaled, neighbouring device pixels differ inside the plate.
    const QImage plate = h_.window.findChild<QWidget*>("Picture3")->grab().toImage();
    int differing = 0;
    for (int y = 0; y < plate.height(); ++y)
        for (int x = 0; x + 1 < plate.width(); x += 2)
            differing += plate.pixel(x, y) != plate.pixel(x + 1, y);
    EXPECT_GT(differing, plate.width() * plate.height() / 40);

    QRect menuAt, quitAt;
    h_.ClickMessage(Then(NewGameUntilMenu(),
                         {{"Form8", [&](QWidget* menu) {
                               WaitUntil([menu] { return menu->isVisible(); });
                               // Qt may still place a menu just mapped at 0,0.
                               menuAt = Seen(desktop_, menu);
                               auto* quit = menu->findChild<QWidget*>("Command13");
                               quitAt = QRect(menuAt.topLeft() + quit->mapTo(menu, QPoint(0, 0)),
                                              quit->size());
                               Menu("メイン画面移動").act(menu);
                           }}}));
    ASSERT_EQ(h_.script().failure(), "");
    EXPECT_TRUE(available.contains(menuAt)) << Describe(menuAt);
    EXPECT_TRUE(available.contains(quitAt)) << Describe(quitAt);
    EXPECT_FALSE(menuAt.intersects(OnScreen(h_.window.date()).united(OnScreen(h_.window.time()))));
}

// A window manager may publish an empty work area for a while, as one
// starting up does: the windows keep to the whole screen, none shrinks.
TEST_F(Desktop, AnEmptyWorkAreaShrinksNoWindow) {
    Start();
    const QRect before = h_.window.frameGeometry();
    const QScreen* screen = h_.window.screen();
    desktop_.PublishWorkArea({});
    ASSERT_TRUE(WaitUntil([screen] { return screen->availableGeometry().isEmpty(); }));
    EXPECT_EQ(h_.window.frameGeometry(), before) << Describe(h_.window.frameGeometry());

    QRect menuAt;
    h_.ClickMessage(Then(NewGameUntilMenu(), {{"Form8", [&](QWidget* menu) {
                                                   menuAt = Seen(desktop_, menu);
                                                   Menu("メイン画面移動").act(menu);
                                               }}}));
    ASSERT_EQ(h_.script().failure(), "");
    EXPECT_TRUE(screen->geometry().contains(menuAt)) << Describe(menuAt);
    EXPECT_GT(menuAt.width(), 100) << Describe(menuAt);
}

// A picture for the README, when the screenshots' folder is given.
void KeepScreenshot(const QImage& picture, const char* name) {
    const QString folder = qEnvironmentVariable("VELMORA_SCREENSHOTS");
    if (!folder.isEmpty()) picture.save(QDir(folder).filePath(name));
}

QImage ScreenAround(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage();
}

// Playing it again as a player does it, through the X server: S over the
// title opens the story map; Page Up and
// the wheel go back, Page Down forward, Ctrl held skips what was read with
// its mark and stops at the first unread message, Page Up at a question goes
// back to the message before it.
TEST(DesktopReplay, TheKeysTheWheelAndCtrlGoBackForwardAndSkip) {
    OwnSettingsFolder settings;
    ReplayHarness h(true);
    X11Desktop desktop;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.window, kPatienceMs));
    {  // S over the title screen: the story map, nothing seen yet
        QString count;
        ModalScript map({{"StoryMap",
                          [&count](QWidget* window) {
                              count = window->findChild<QLabel*>("seenCount")->text();
                              window->close();
                          }}},
                        [] {});
        h.window.activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return h.window.isActiveWindow(); }));
        desktop.Key("s");
        ASSERT_TRUE(WaitUntil([&] { return map.finished(); }));
        EXPECT_EQ(count, "見たシーン 0 / 50");
    }
    const QPoint message = OnScreen(h.window.message()).center();
    QImage marked;
    QObject::connect(h.window.message(), &MessageLabel::shown, [&](const QString&) {
        if (marked.isNull() && h.replay->mark()->isVisible()) marked = h.window.grab().toImage();
    });
    // What the player does at a window, then the key or wheel delivered (or
    // the window gone): the X server delivers it later, and the script must
    // not act again on the window before the game has answered it.
    DeliveredInput delivered;
    const auto at = [&delivered](const char* window, std::function<void()> act) {
        return ModalStep{
            window, [act, &delivered](QWidget* shown) {
                const int before = delivered.count();
                act();
                WaitUntil([&] { return !shown->isVisible() || delivered.count() > before; });
            }};
    };
    const auto key = [&](const char* keysym) {
        return at("Form3", [&desktop, keysym] { desktop.Key(keysym); });
    };
    bool ctrlStopped = false;
    QImage question;
    std::vector<ModalStep> steps{Answer(false), Answer(false)};
    for (int i = 0; i < 5; ++i) steps.push_back(key("Return"));
    steps.push_back(key("Prior"));
    steps.push_back(at("Form3", [&] { desktop.Wheel(message, true); }));
    steps.push_back(key("Next"));
    steps.push_back(at("Form3", [&] { desktop.Hold("Control_L", true); }));
    steps.push_back(at("Form3", [&] {
        ctrlStopped = !h.replay->skipping();
        desktop.Hold("Control_L", false);
        desktop.Key("Return");
    }));
    steps.push_back(Next());
    steps.push_back(at("Form2", [&] { desktop.Key("Prior"); }));
    steps.push_back(key("Return"));
    steps.push_back({"Form2", [&](QWidget* form2) {
                         question =
                             ScreenAround(h.window.frameGeometry().united(form2->frameGeometry()));
                         Press("cmdNo")(form2);
                     }});
    h.ClickMessage(Then(steps, {Next(), Menu("メイン画面移動")}));
    ASSERT_EQ(h.script().failure(), "");

    std::vector<QString> nexts;
    for (const MetWindow& each : h.script().met("Form3")) nexts.push_back(each.message);
    ASSERT_GT(nexts.size(), 11u);
    EXPECT_EQ(nexts[6], nexts[4]);  // Page Up
    EXPECT_EQ(nexts[7], nexts[3]);  // the wheel
    EXPECT_EQ(nexts[8], nexts[4]);  // Page Down
    // Ctrl held at the fifth: the sixth, read, passed; the first unread waits.
    EXPECT_EQ(std::count(nexts.begin(), nexts.begin() + 6, nexts[9]), 0);
    EXPECT_TRUE(ctrlStopped);
    EXPECT_FALSE(marked.isNull()) << "no mark while skipping";
    KeepScreenshot(marked, "skip-mark.png");
    KeepScreenshot(question, "rolled-back-question.png");
}

// The slot details stand whole on the screen beside the list, which keeps
// the keyboard; the story map, half seen, fits the screen.
TEST(DesktopReplay, TheSlotDetailsAndTheStoryMapStandWholeOnTheScreen) {
    OwnSettingsFolder settings;
    SlotsHarness h;
    MainWindow& window = h.window;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kPatienceMs));
    QRect panelAt, listAt;
    bool listKeepsTheKeys = false;
    bool panelAbove = false;
    X11Desktop desktop;
    QImage shot;
    {
        ModalScript script(
            {{"Form5",
              [&](QWidget* form5) {
                  auto* panel = form5->parentWidget()->findChild<QWidget*>("SlotDetails");
                  EXPECT_TRUE(QTest::qWaitForWindowExposed(panel, kPatienceMs));
                  panelAt = Seen(desktop, panel);
                  listAt = Seen(desktop, form5);
                  listKeepsTheKeys = form5->isActiveWindow();
                  panelAbove = WaitUntil([&] { return desktop.StandsAbove(panel, &window); });
                  panel->repaint();
                  QGuiApplication::sync();
                  shot = ScreenAround(
                      window.frameGeometry().united(panel->frameGeometry().united(listAt)));
                  Press("Command1")(form5);
              }}},
            [] {});
        h.platform.ChooseFromList(ListOf::kSlots, {"file1", "file2", "file3", "file4", "file5"},
                                  {1000, 1000});
    }
    const QRect screen = WorkArea(&window);
    EXPECT_TRUE(screen.contains(panelAt)) << Describe(panelAt);
    EXPECT_FALSE(panelAt.intersects(listAt)) << Describe(panelAt) << " " << Describe(listAt);
    EXPECT_TRUE(listKeepsTheKeys);
    EXPECT_TRUE(panelAbove) << "hidden behind the main window";
    KeepScreenshot(shot, "slot-details.png");

    // The shipped story's map, every other event seen.
    PosixFiles story(VELMORA_SHIPPED_DATA "/story");
    ReadRecord record;
    const StoryMap map = ReadStoryMap(story, TheStory(), [](const std::string&) { return false; });
    for (size_t i = 0; i < map.entries.size(); i += 2) record.MarkSeen(map.entries[i].id);
    StoryMapWindow mapWindow(&window, StoryMapRows(story, record));
    mapWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mapWindow, kPatienceMs));
    mapWindow.ShowHint(3);
    mapWindow.repaint();
    QGuiApplication::sync();
    EXPECT_TRUE(screen.contains(mapWindow.frameGeometry())) << Describe(mapWindow.frameGeometry());
    KeepScreenshot(ScreenAround(mapWindow.frameGeometry()), "story-map.png");
}

}  // namespace
}  // namespace velmora::qt::test
