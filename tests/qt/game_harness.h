// A game in a temporary folder of small fixture files, with the real Qt
// windows (offscreen) and a platform that can be told to end the game at its
// next wait, so that a failing script cannot hang a test.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "app/following.h"
#include "backends/posix/posix_files.h"
#include "backends/qt/comforts.h"
#include "backends/qt/game_session.h"
#include "backends/qt/main_window.h"
#include "backends/qt/qt_platform.h"
#include "backends/qt/replay.h"
#include "modal_script.h"
#include "shell/form1.h"
#include "tests/engine/harness.h"

namespace velmora::qt::test {

class GuardedPlatform : public QtPlatform {
  public:
    using QtPlatform::QtPlatform;

    void Abort() { aborted_ = true; }

    void WaitNext(Twips at) override;
    YesNo AskYesNo(Twips at) override;
    NameEntry WaitNameDialog() override;
    std::optional<std::string> ChooseFromList(ListOf list, const std::vector<std::string>& entries,
                                              Twips at) override;
    std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) override;
    void WaitPictureClick(const NamedPicture& picture) override;

  private:
    void EndIfAborted() const;

    bool aborted_ = false;
};

// Scenario lines as the game's files hold them: CP932, CR LF.
void WriteScenario(const QString& path, const std::vector<std::string>& lines);
// A picture of one colour, as a GIF whatever the name says (the game tells
// a GIF from a JPEG by its bytes); any picture of 256 colours at most.
void WritePicture(const QString& path, QSize size, QColor colour);
void WritePicture(const QString& path, const QImage& picture);

// The small game of these tests: Kumi's scene of forty numbered lines
// ("久美：「0」" …), Akira's of twenty, two pictures.
void WriteFixtureGame(const QTemporaryDir& dir);
// The game's own data files, as the game's folder holds them.
void CopyShippedGame(const QTemporaryDir& dir);

// A new game without loading or naming, Kumi's invitation declined: the
// steps up to (not including) the first command menu.
std::vector<ModalStep> NewGameUntilMenu();

// Steps joined one after another.
std::vector<ModalStep> Then(std::vector<ModalStep> first, const std::vector<ModalStep>& more);

// While it lives, the player's settings (XDG_CONFIG_HOME) are read from and
// written to a folder of its own: tests running at once never share
// settings, and the player's are never touched.
class OwnSettingsFolder {
  public:
    OwnSettingsFolder();
    ~OwnSettingsFolder();
    OwnSettingsFolder(const OwnSettingsFolder&) = delete;
    OwnSettingsFolder& operator=(const OwnSettingsFolder&) = delete;

  private:
    QTemporaryDir folder_;
    bool hadPrevious_;
    QByteArray previous_;
};

class GameHarness {
  public:
    GameHarness();

    // One click on the message label; the game runs inside it while the
    // script answers its windows.
    void ClickMessage(std::vector<ModalStep> steps);

    // The script of the last click stops answering windows (before the
    // test drives the platform itself).
    void EndScript() { script_.reset(); }

    QString folder() const { return dir_.path(); }
    const ModalScript& script() const { return *script_; }
    GameState& state() { return game.state(); }

    QTemporaryDir dir_;
    PosixFiles files;
    MainWindow window;
    LoopingSound music{files};
    GuardedPlatform platform;
    Form1 game;
    GameSession session;
    int endedWith = -1;

  private:
    std::unique_ptr<ModalScript> script_;
};

// The game as velmora plays it, on the same small game: rollback and
// skipping between the game and the windows, the comforts and the replay
// keys, the automatic save at the menu; the player's record kept in the
// game's folder.
class ReplayHarness {
  public:
    // shipped: the game's own data rather than the small game.
    explicit ReplayHarness(bool shipped = false);

    void ClickMessage(std::vector<ModalStep> steps);
    // The same game begun by a key where the title waits (C: 続きから).
    void PressAtTheTitle(Qt::Key key, std::vector<ModalStep> steps);
    const ModalScript& script() const { return *script_; }

    QTemporaryDir dir_;
    PosixFiles files;
    KeptRecord kept;
    MainWindow window;
    LoopingSound music{files};
    GuardedPlatform platform;
    AutoSave autoSave;
    Skip skip;
    Rollback rollback;
    RolledGame events;
    GameSession session;
    Comforts comforts;
    Replay* replay;  // owned by the window

  private:
    std::unique_ptr<ModalScript> script_;
};

// The list of save slots over a main window, in a game folder where file1
// and file3 hold saves (4月2日 PM 5:30 at the breakwater, 中村 "ナカ"; 4月4日
// AM 10:00 at the tennis court) and file4 is one the load refuses; the
// details beside the list in the game's words.
class SlotsHarness {
  public:
    SlotsHarness();

    velmora::test::GameFolder folder;
    PosixFiles files;
    MainWindow window;
    LoopingSound music{files};
    QtPlatform platform;
};

}  // namespace velmora::qt::test
