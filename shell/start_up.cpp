// The first click on the title: a fresh world, the load question, the name
// question, the introduction with Kumi's invitation, then the menu; or
// 続きから at the title, the fresh world loaded from the automatic save.
// Also the main window's own events.
#include "places/town.h"
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

// The introduction, then Kumi's invitation; the answer decides the
// gathering of Day 2.
void Introduction(Visit& v) {
    v.Branch("introduction");
    GameState& s = v.game().state();
    for (int i = 0; i < 5; ++i) s.ScriptLines[i + 1] = kIntroduction[i];
    v.Redraw();
    v.Lines(1, 5);

    PlayBgm(v.game(), "BGM1.wav");
    v.Picture(kApartment.scene);
    v.Say("*：「ここがオレの住んでるアパートだ。」");
    v.Portrait("kumi1.gif");
    v.Load("kumi01.dat");
    v.Lines(1, 27);

    if (v.Ask("「久美の誘いか……。どうしよう、行くって返事しようか？」")) {
        v.Branch("invitation YES");
        v.Set(Flag::KumisInvitation, 1);
        v.Lines(28, 30);
        v.Say(
            "久美：「明が夕方に伝えに行くから、ちゃんとつかまってよね。連絡がつかなかったら、この話"
            "はナシだからね。じゃ、またね！」");
        v.Picture(kApartment.scene);
        v.Line(32);
        v.Load("akira01.dat");
        v.Line(1);
        v.Portrait("akira1.gif");
        v.Lines(2, 13);
        v.Picture(kApartment.scene);
        v.Line(14);
    } else {
        v.Branch("invitation NO");
        v.Set(Flag::KumisInvitation, 2);
        v.Lines(33, 36);
        v.Picture(kApartment.scene);
        v.Line(37);
    }
}

}  // namespace

const std::vector<StartQuestion>& StartQuestions() {
    static const std::vector<StartQuestion> questions = {
        {"データをロードしますか？\r\n<初めてプレイするときはNOを選んでください。>",
         StartQuestion::Yes::kLoad},
        {"主人公の名前を設定しますか？\r\nNOの場合、名前は(佐々木)、ﾆｯｸﾈｰﾑは(リュウ君)になります"
         "。",
         StartQuestion::Yes::kNaming},
    };
    return questions;
}

const Event kStart{"start",
                   {},
                   {},
                   Introduction,
                   {{"introduction", {}}, {"invitation YES", {}}, {"invitation NO", {}}},
                   false};

void NewGame(const Story& story, GameState& s) {
    s.Flags.fill(0);  // the last flag is never used
    s.flag(Flag::Music) = 1;
    s.flag(Flag::PortraitMode) = 2;
    s.PlayerName = "佐々木";
    s.Nickname = "リュウ君";
    s.CurrentPlace = story.places.front().plate();
    s.Day = 1;
    s.Half = AM;
    s.Hour = 9;
    s.Minute = 0;
    s.MainTop = kMainWindowDesignPosition.top;
    s.MainLeft = kMainWindowDesignPosition.left;
}

void Form1::StartNewGame(const std::string& continueFrom) {
    NewGame(story_, s_);
    if (!continueFrom.empty() && ContinueGame(*this, continueFrom)) {
        OpenCommandMenu();
        return;
    }
    for (const StartQuestion& question : StartQuestions()) {
        ShowMessage(question.words, 1);
        s_.DialogAnswer = 0;
        ShowForm2();
        if (s_.DialogAnswer != 1) continue;
        if (question.yes == StartQuestion::Yes::kNaming) {
            ShowForm4();
            continue;
        }
        PromptLoad(*this);  // a loaded game goes on at its own place
        OpenCommandMenu();
        return;
    }

    Visit(*this).Play(story_.start);
    OpenCommandMenu();
}

// The window is shown, minimised or restored: the music stops and waits for
// the next scene that starts it.
void Form1::Form_Resize() {
    platform_.sound().StopSound();
}

// The player closes the main window: no question, nothing saved.
void Form1::Form_QueryUnload() {
    platform_.sound().StopSound();
}

}  // namespace velmora
