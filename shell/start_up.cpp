// The first click on the title: a fresh world, the load question, the name
// question, the introduction with Kumi's invitation, then the menu. Also the
// main window's own events.
#include "shell/form1.h"

namespace velmora {
namespace {

// The hero introduces himself before the first scene.
const char* const kIntroduction[5] = {
    "「オレの名前は*。みんなからは@って呼ばれてる。」",
    "「年は十七。来月の誕生日が来れば、十八になる。」",
    "「今は春休み。これが明けたら、いよいよ高校最後の一年が始まる。」",
    "「なんだろう……。この春休み、何かが起こりそうな気がするんだ。」",
    "「そして、何かが変わる……。そんな予感がする。」",
};

}  // namespace

void Form1::StartNewGame() {
    s_.Flags.fill(0);  // Flags(135) is never used
    s_.Flags[flag::kMusic] = 1;
    s_.Flags[flag::kPortraitMode] = 2;
    s_.PlayerName = "佐々木";
    s_.Nickname = "リュウ君";
    s_.CurrentPlace = "アパート";
    s_.Day = 1;
    s_.Half = AM;
    s_.Hour = 9;
    s_.Minute = 0;
    s_.MainTop = 32;
    s_.MainLeft = 255;

    ShowMessage("データをロードしますか？\r\n<初めてプレイするときはNOを選んでください。>", 1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer == 1) {
        PromptLoad();
        OpenCommandMenu();
        return;
    }

    ShowMessage(
        "主人公の名前を設定しますか？\r\nNOの場合、名前は(佐々木)、ﾆｯｸﾈｰﾑは(リュウ君)になります。",
        1);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer == 1) ShowForm4();

    for (int i = 0; i < 5; ++i) s_.ScriptLines[i + 1] = kIntroduction[i];
    UpdateClockDisplay();
    Lines(1, 5);

    PlayBgm("BGM1.wav");
    ShowScenePicture("apart.jpg");
    ShowMessage("*：「ここがオレの住んでるアパートだ。」", 0);
    ShowPortrait("kumi1.gif");
    LoadScript("kumi01.dat");
    Lines(1, 27);

    ShowMessage("「久美の誘いか……。どうしよう、行くって返事しようか？」", 0);
    s_.DialogAnswer = 0;
    ShowForm2();
    if (s_.DialogAnswer == 1) {
        s_.Flags[41] = 1;
        Lines(28, 30);
        ShowMessage(
            "久美：「明が夕方に伝えに行くから、ちゃんとつかまってよね。連絡がつかなかったら、この話"
            "はナシだからね。じゃ、またね！」",
            0);
        ShowScenePicture("apart.jpg");
        Line(32);
        LoadScript("akira01.dat");
        Line(1);
        ShowPortrait("akira1.gif");
        Lines(2, 13);
        ShowScenePicture("apart.jpg");
        Line(14);
    } else {
        s_.Flags[41] = 2;
        Lines(33, 36);
        ShowScenePicture("apart.jpg");
        Line(37);
    }
    OpenCommandMenu();
}

// The window is shown, minimised or restored: the music stops and waits for
// the next scene that starts it.
void Form1::Form_Resize() {
    platform_.StopSound();
}

// The player closes the main window: no question, nothing saved.
void Form1::Form_QueryUnload() {
    platform_.StopSound();
}

}  // namespace velmora
