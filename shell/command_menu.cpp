// The command menu and the turns of the game, the automatic save written as
// each turn ends. Every command is followed by the menu again; the turns run one after another in
// this loop rather than inside one another, so a game of any length keeps a flat call stack.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kMenuPrompt = "さて、どこに行こうかな・・・。";
constexpr const char* kWindowMoveInstruction =
    "＜メイン画面のツールバーをドラッグして画面の位置を調整した後、ここをクリックしてください。＞";

// Below the places, top to bottom.
const Command kCommands[] = {
    {"ロード", nullptr, PromptLoad, MenuKind::kLoad},
    {"セーブ", nullptr, PromptSave, MenuKind::kSave},
    // window-move mode: the turns stop until the label is clicked
    {"メイン画面移動", nullptr, nullptr, MenuKind::kWindowMove},
    {"BGM", nullptr, ToggleBgm, MenuKind::kBgm},
    {"終了", nullptr, ConfirmQuit, MenuKind::kQuit},
    {"画像処理", nullptr, ToggleLineDisplay, MenuKind::kLineDisplay},
};

}  // namespace

std::vector<Command> Commands(const Story& story) {
    std::vector<Command> commands;
    for (const Place& place : story.places) commands.push_back({place.caption, &place});
    commands.insert(commands.end(), std::begin(kCommands), std::end(kCommands));
    return commands;
}

Form1::Form1(Platform& platform, const Story& story)
    : platform_(platform), story_(story), commands_(Commands(story)) {
    for (const Command& command : commands_) rows_.push_back({command.caption, command.kind});
}

void Form1::OpenCommandMenu() {
    RunTurns();
}

// Returns only when the player chooses to move the main window: no window
// of the game is then open until the next click on the message label.
void Form1::RunTurns() {
    for (;;) {
        if (dispatchPending_) {
            dispatchPending_ = false;
            DispatchCommand();
            continue;
        }
        if (s_.ClickState == click::kPlaying) {
            if (autoSave_) autoSave_->AtMenu(*this);
            ShowMessage(kMenuPrompt, 1);
            // Closing the menu through the window system repeats the last choice.
            if (auto choice = platform_.ChooseCommand(rows_)) {
                if (RunKeyCommand(*choice)) continue;
                s_.MenuChoice = *choice;
            }
        }
        const Command* chosen = Chosen();
        if (chosen && chosen->MovesWindow()) {
            ShowMessage(kWindowMoveInstruction, 1);
            s_.ClickState = click::kWindowMove;
            return;
        }
        DispatchCommand();
    }
}

// Runs the command of the chosen caption, compared exactly; a caption that
// names nothing (a loaded "部屋", or a place name in half-width katakana)
// runs nothing, and the menu comes back.
void Form1::DispatchCommand() {
    const Command* chosen = Chosen();
    if (chosen && chosen->place) {
        Visit visit(*this, chosen->place);
        chosen->place->visit(visit);
    } else if (chosen && chosen->operation) {
        chosen->operation(*this);
    }
}

// The quick save and load keys answer the menu without becoming its
// choice: the menu comes back after them, and a saved place of that name
// runs nothing.
bool Form1::RunKeyCommand(const std::string& choice) {
    if (choice == kQuickSaveCommand) {
        QuickSave(*this);
    } else if (choice == kQuickLoadCommand) {
        QuickLoad(*this);
    } else {
        return false;
    }
    return true;
}

const Command* Form1::Chosen() const {
    for (const Command& command : commands_) {
        if (command.caption == s_.MenuChoice) return &command;
    }
    return nullptr;
}

void Form1::AskRoomCommand(const std::vector<std::string>& commands) {
    s_.SelectedFile = commands.empty() ? "" : commands.front();
    ShowMessage("さて、どうしようかな・・・。\r\n<コマンド選択後、(OK)をクリック>", 1);
    s_.ClickState = click::kRoomList;
    ShowForm5(ListOf::kRoomCommands, commands);
    s_.ClickState = click::kPlaying;
}

}  // namespace velmora
