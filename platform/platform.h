// The one door between the game and the outside world: windows, pictures,
// files and sound. The game (everything outside platform/ and app/) talks to
// the desktop or the terminal only through this interface, so the same game
// runs in the Qt window, in velmora-tty and in the tests.
//
// Every text crossing this interface is UTF-8. Positions are in twips
// (1/1440 inch, 15 twips to a pixel), as the game's windows were laid out.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/sound.h"

namespace velmora {

// A position of a window's top-left corner, in twips.
struct Twips {
    double left = 0;
    double top = 0;

    bool operator==(const Twips&) const = default;
};

// What the list window lists: the save slots (to save in or load from) or
// the room's commands.
enum class ListOf { kSlots, kRoomCommands };

// What a button of the menu window does; where it stands in the window and
// in the Tab order follow from it (player/menu_layout.h).
enum class MenuKind { kPlace, kLoad, kSave, kWindowMove, kBgm, kQuit, kLineDisplay };

// What the menu window answers besides its buttons' captions: the player's
// quick save and quick load keys (F5 and F9), where the game saves and
// loads. They are no button of the menu, and no place a save can name.
constexpr const char* kQuickSaveCommand = "クイックセーブ";
constexpr const char* kQuickLoadCommand = "クイックロード";

struct MenuRow {
    std::string caption;
    MenuKind kind = MenuKind::kPlace;

    bool operator==(const MenuRow&) const = default;
};

// The main window in its design state, before the game says anything: the
// title screen's caption and where the window stands.
constexpr const char* kDesignCaption = "このメッセージラベルをクリックしてね！";
constexpr Twips kMainWindowDesignPosition{255, 32};
// What a screen reader reads of the scene box before the game shows a
// picture there (the title's artwork) and once the game has cleared it.
constexpr const char* kDesignSceneWords = "Velmora のタイトル（桜の咲く海辺の町）";
constexpr const char* kClearedSceneWords = "絵なし";

// Thrown by the game when it ends the program (the quit command, the end of
// the digest). The front end catches it, closes its windows and exits.
struct ProgramEnd {};

// Thrown by a platform when the main window is closed while the game waits
// (velmora-tty at the end of its input). The front end catches it and
// delivers Form_QueryUnload.
struct MainWindowClosed {};

// Thrown by a platform's wait when the player takes the game back one step
// (the front ends with rollback, replay/rollback.h): the game playing is
// dropped, and one played again up to that step takes its place.
struct StepBack {};

// Thrown by a platform's wait at a step the player has gone back to, when
// the player goes forward again: the wait is answered as it was before.
struct StepForward {};

// The steps the player takes besides answering, as the front end's platform
// reaches them while its waits hear the player ask for one: going back and
// forward again (kept by the platform that stands between, replay/rollback.h,
// which implements it). The platform under it knows no more of it than this.
class MainWindowEvents;
class Steps {
  public:
    virtual ~Steps() = default;

    virtual bool CanGoBack() const = 0;
    virtual bool CanGoForward() const = 0;
    // How many of the front end's answers a step back now takes back.
    virtual size_t AnswersTakenBack() const = 0;
    // The game the front end delivers the main window's events to.
    virtual MainWindowEvents& game() = 0;
    // A click on the message label (the title, window-move mode); forward:
    // made again by going forward.
    virtual void Click(bool forward) = 0;
    // 続きから where the title waits: the game begins from the save in `slot`.
    virtual void Continue(const std::string& slot) = 0;
    // Back one step while the front end waits for such a click.
    virtual void Back() = 0;
};

// Skipping what was read, as the front end's platform reaches it (the
// platform that stands between, replay/skip.h, implements it).
class Skipping {
  public:
    virtual ~Skipping() = default;

    virtual void Toggle() = 0;
    virtual void Hold(bool held) = 0;
    virtual void Stop() = 0;
    virtual void SkipUnreadToo(bool on) = 0;
    virtual bool active() const = 0;
    // The NEXT waiting now (or about to) would be passed.
    virtual bool Passes() const = 0;
    // Told whenever active() may have changed (the mark).
    virtual void OnChange(std::function<void()> changed) = 0;
};

// How a Yes/No question was answered.
enum class YesNo { Yes, No, Closed };

// One click on the OK button of the name dialog, or its closing.
struct NameEntry {
    bool closed = false;
    std::string name;
    std::string nickname;

    bool operator==(const NameEntry&) const = default;
};

// What the clock column shows: the date picture (empty: keep the one shown),
// the time text as the time plate shows it, and the place-name picture; and
// the same plates as a screen reader reads them ("4月1日", "午前9時",
// "アパート"; the date's words empty with its picture).
struct ClockFace {
    std::string datePicture;
    std::string timeText;
    std::string placePicture;
    std::string dateWords;
    std::string timeWords;
    std::string placeWords;

    bool operator==(const ClockFace&) const = default;
};

// A picture of the main window and what a screen reader reads of it: a
// scene by the place it shows (「公園」), a portrait by its character
// (「久美」), any other picture by a plain description; never its file's name.
struct NamedPicture {
    std::string file;
    std::string words;

    bool operator==(const NamedPicture&) const = default;
};

// The main window's events, which the front end delivers to the game.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;

    virtual void lblMsg_Click() = 0;      // a click on the message label
    virtual void Form_Resize() = 0;       // the window is shown, minimised or restored
    virtual void Form_QueryUnload() = 0;  // the player closes the window
    // 続きから where the title waits: the game begins from the save kept in
    // `slot` (the automatic save's; rollback plays a game loaded without the
    // list again so, from the slot it loaded), as if that save were loaded.
    virtual void ContinueClick(const std::string& slot) = 0;
};

// The services the game calls.
class Platform {
  public:
    virtual ~Platform() = default;

    // --- the main window (Form1) ---
    // The message label's caption: the message text without the leading
    // " " + CR LF that the label always puts before it.
    virtual void SetMessageCaption(const std::string& text) = 0;
    // The main window's outer position as the window system reports it.
    virtual Twips MainWindowPosition() = 0;
    // A short notice over the main window that needs no answer and goes by
    // itself: a quick save done, an automatic save that could not be written.
    virtual void ShowNotice(const std::string& text) = 0;

    // --- pictures of the main window ---
    virtual void ShowScene(const NamedPicture& scene) = 0;  // picMain shows a file
    virtual void ClearScene() = 0;                          // picMain shows nothing
    // The prepared portrait placed at the top-left of the scene (imgMain, left 0).
    virtual void ShowPreparedPortrait(const NamedPicture& prepared) = 0;
    // imgMain moved out of view (left 500 pixels); it keeps its picture.
    virtual void HidePortraitLayer() = 0;
    // Line mode: the portrait file painted into the scene picture itself,
    // every pixel that is not exactly light cyan, even rows first, then odd.
    virtual void PaintPortraitIntoScene(const NamedPicture& portrait) = 0;
    virtual void ShowSidePicture(const NamedPicture& side) = 0;  // imgSub, stretched
    virtual void ShowClock(const ClockFace& face) = 0;
    // The scene, the side picture and the plates as the window was designed
    // (the title screen), no portrait in view: a game taken back to its
    // first steps shows them again. The game itself never calls it.
    virtual void ShowDesignPictures() = 0;

    // --- modal windows; each call returns when the window has closed ---
    // Form3 at the given place; owner is the picture window while it is open.
    virtual void WaitNext(Twips at) = 0;
    // Form2 at the given place.
    virtual YesNo AskYesNo(Twips at) = 0;
    // Form4: opened once, then one call per OK click until the game closes it.
    virtual void OpenNameDialog() = 0;
    virtual NameEntry WaitNameDialog() = 0;
    virtual void CloseNameDialog() = 0;
    // Form5 with its entries, at the given place; `list` says what they are
    // (the save slots have their details beside them). Returns the entry
    // chosen last before OK, or nothing when OK was clicked without a choice.
    virtual std::optional<std::string> ChooseFromList(ListOf list,
                                                      const std::vector<std::string>& entries,
                                                      Twips at) = 0;
    // Form8 with its rows, top to bottom, as many as the game has. Returns the
    // caption of the button pressed, or nothing when the menu was closed
    // through the window system.
    virtual std::optional<std::string> ChooseCommand(const std::vector<MenuRow>& rows) = 0;
    // Form7 showing a picture; returns after the player clicked the picture.
    // The window stays open (the NEXT dialog that follows is its own) until
    // ClosePictureWindow.
    virtual void WaitPictureClick(const NamedPicture& picture) = 0;
    virtual void ClosePictureWindow() = 0;

    // --- the music, and the files of the working directory ---
    virtual Sound& sound() = 0;
    virtual Files& files() = 0;
};

}  // namespace velmora
