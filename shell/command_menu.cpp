// The command menu and the turns of the game. Every command is followed by
// the menu again; the turns run one after another in this loop rather than
// inside one another, so a game of any length keeps a flat call stack.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kMenuPrompt = "さて、どこに行こうかな・・・。";
constexpr const char* kWindowMoveCaption = "メイン画面移動";
constexpr const char* kWindowMoveInstruction =
    "＜メイン画面のツールバーをドラッグして画面の位置を調整した後、ここをクリックしてください。＞";

}  // namespace

const std::vector<std::string>& Form1::MenuCaptions() {
    static const std::vector<std::string> captions = {
        "アパート",         "防波堤", "弁当屋",     "公園",         "明の家", "セルビア",
        "パソコンショップ", "学校",   "ひとみの家", "テニスコート", "ロード", "セーブ",
        "メイン画面移動",   "BGM",    "終了",       "画像処理"};
    return captions;
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
            ShowMessage(kMenuPrompt, 1);
            // Closing the menu through the window system repeats the last choice.
            if (auto choice = platform_.ChooseCommand(MenuCaptions())) s_.MenuChoice = *choice;
        }
        if (s_.MenuChoice == kWindowMoveCaption) {
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
    using Operation = void (Form1::*)();
    static const std::pair<const char*, Operation> table[] = {
        {"アパート", &Form1::VisitApartment},
        {"防波堤", &Form1::VisitBreakwater},
        {"弁当屋", &Form1::VisitBentoShop},
        {"公園", &Form1::VisitPark},
        {"明の家", &Form1::VisitAkiraHouse},
        {"セルビア", &Form1::VisitSerubia},
        {"パソコンショップ", &Form1::VisitPcShop},
        {"学校", &Form1::VisitSchool},
        {"ひとみの家", &Form1::VisitHitomiHouse},
        {"テニスコート", &Form1::VisitTennisCourt},
        {"ロード", &Form1::PromptLoad},
        {"セーブ", &Form1::PromptSave},
        {"終了", &Form1::ConfirmQuit},
        {"BGM", &Form1::ToggleBgm},
        {"画像処理", &Form1::ToggleLineDisplay},
    };
    for (const auto& [caption, operation] : table) {
        if (s_.MenuChoice == caption) {
            (this->*operation)();
            return;
        }
    }
}

void Form1::AskRoomCommand() {
    s_.SelectedFile = "移動する";
    ShowMessage("さて、どうしようかな・・・。\r\n<コマンド選択後、(OK)をクリック>", 1);
    s_.ClickState = click::kRoomList;
    ShowForm5();
    s_.ClickState = click::kPlaying;
}

}  // namespace velmora
