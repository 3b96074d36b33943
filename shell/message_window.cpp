// The message label: every text of the game is shown here, one message at a
// time, and a click on the label starts the game or ends window-move mode;
// 続きから at the title starts it from the automatic save.
#include "shell/form1.h"
#include "world/message_key.h"

namespace velmora {
namespace {

// Only the first placeholder of each kind is filled in; the nickname goes
// into the text after the name is in, so an "@" inside a name is taken.
void ReplaceFirst(std::string& text, char placeholder, const std::string& by) {
    size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, 1, by);
}

}  // namespace

void Form1::ShowMessage(const std::string& text, int wait) {
    Show(text, wait, kNotALine);
}

void Form1::ShowScriptLine(int item) {
    Show(s_.ScriptLines.at(static_cast<size_t>(item)), 0, item);
}

void Form1::Show(const std::string& text, int wait, int item) {
    std::string shown = text;
    ReplaceFirst(shown, '*', s_.PlayerName);
    ReplaceFirst(shown, '@', s_.Nickname);
    platform_.SetMessageCaption(shown);
    if (wait != 0) return;
    if (reading_) reading_(item == kNotALine ? TextKey(text) : LineKey(s_.ScriptFile, item, text));
    ShowForm3();
}

void Form1::ContinueClick(const std::string& slot) {
    if (s_.ClickState != click::kTitle) return;
    s_.ClickState = click::kPlaying;
    StartNewGame(slot);
}

void Form1::lblMsg_Click() {
    if (s_.ClickState == click::kTitle) {
        s_.ClickState = click::kPlaying;
        StartNewGame();
    } else if (s_.ClickState == click::kWindowMove) {
        s_.ClickState = click::kPlaying;
        Twips at = platform_.MainWindowPosition();
        s_.MainTop = at.top;
        s_.MainLeft = at.left;
        OpenCommandMenu();
    }
}

}  // namespace velmora
