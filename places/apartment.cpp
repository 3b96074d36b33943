// VisitApartment: friends come by in front of the building; upstairs in his
// room the hero takes calls and visits in the evening, then goes out again
// or sleeps, which is how the player lets time pass.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kFront = "apart.jpg";
constexpr const char* kRoom = "heya.jpg";

struct Sleep {
    const char* command;
    int hours;
    const char* announce;
    const char* sleeping;
    const char* waking;
};

const Sleep kSleeps[] = {
    {"1時間寝る", 1, "「よし、一時間だけ寝よう。」", "「すー……すー……。」",
     "「……あんまり寝た気がしないな。」"},
    {"2時間寝る", 2, "「二時間ほど寝るとするか。」", "「すー……すー……。」",
     "「少しは寝た気がするかな。」"},
    {"4時間寝る", 4, "「四時間くらい寝ようかな。」", "「ぐー……ぐー……。むふ、むふふふ……。」",
     "「なんだか、ちょっとエッチな夢を見たような……。」"},
    {"6時間寝る", 6, "「六時間寝よう。」", "「ぐー……ぐー……。わーっはっはっは！」",
     "「なんだか、ものすごく変な夢を見た気がする……。」"},
    {"8時間寝る", 8, "「八時間、しっかり寝よう。」", "「ぐー……ぐー……。いやっほーう！」",
     "「あー、よく寝た！　すっきり爽快だ！」"},
    {"10時間寝る", 10, "「十時間寝てやる。」", "「ぐー……ぐー……。う、うわあああっ！」",
     "「か、金縛りにあった……。体が動かなかった……。」"},
    {"12時間寝る", 12, "「十二時間、思いっきり寝よう。」",
     "「ぐー……ぐー……。とおりゃあーっ、飛び蹴りーっ！　……ドガシャーン！」",
     "「よく寝た……。けど、なぜか足が痛い。」"},
};

}  // namespace

void Form1::VisitApartment() {
    Redraw();
    Picture(kFront);
    PlaceIs("アパート");
    Plus30();
    Describe(
        "*：「ここがオレの住んでるアパート。一人暮らしには十分なところさ。友だちも、よく訪ねてくる"
        "しな。」",
        "*：「見上げるほど高いこのアパート、住んでるのはほとんど大学生なんだよな。」");

    // A1: Kumi and Akira come to see a hero who missed the gathering.
    if (F(45) == 1 && s_.Day >= 2 && F(47) == 0 && F(48) == 0 && During(PM, 4, PM, 11)) {
        Load("akira01.dat");
        Portrait("kumi1.gif");
        Lines(50, 62);
        Dismiss();
        Picture(kFront);
        Line(63);
        Portrait("akira1.gif");
        Lines(64, 74);
        Dismiss();
        Picture(kFront);
        Line(75);
        F(48) = 1;
    }
    // A2: Kumi's visit of Day 3.
    if (F(45) < 3 && s_.Day == 3 && (During(AM, 9, AM, 11) || During(PM, 0, PM, 2))) {
        F(45) = 3;
        Load("kumi02.dat");
        Portrait("kumi1.gif");
        Lines(1, 13);
        Dismiss();
        Picture(kFront);
        Lines(14, 15);
    }
    // A3: Kaori comes by in the afternoon of Day 4.
    if (F(23) < 4 && s_.Day == 4 && F(47) == 1 && During(PM, 3, PM, 6)) {
        Load("kaori02.dat");
        Line(65);
        Portrait("kaori1.gif");
        Lines(66, 78);
        Dismiss();
        Picture(kFront);
        Line(79);
        F(23) = 4;
    }
    // A4: Satsuki comes by in the morning of Day 4.
    if (F(61) < 4 && s_.Day == 4 && F(47) == 1 && During(AM, 9, AM, 11)) {
        Load("satuki02.dat");
        Line(1);
        Portrait("satuki1.gif");
        Lines(2, 13);
        Dismiss();
        Picture(kFront);
        Line(14);
        F(61) = 4;
    }

    Picture(kRoom);
    PlaceIs("部屋");
    Redraw();
    Say("*：「ここがオレの部屋。狭そうに見えるけど、実はけっこう広いんだぜ。」");

    // R1: Akira's visit on the first evening, which sets up the gathering.
    if (F(45) == 0 && s_.Day == 1 && F(41) == 1 && During(PM, 5, PM, 7)) {
        F(45) = 1;
        Load("akira01.dat");
        Lines(18, 41);
        Plus30();
    }
    // R2: Kumi telephones on the evening of the gathering.
    if (F(47) == 1 && s_.Day == 2 && F(46) == 0 && During(PM, 6, PM, 9)) {
        F(46) = 1;
        Load("kumi01.dat");
        Say("＜＜プルルルル……プルルルル……ガチャッ＞＞");
        Lines(41, 68);
        Plus30();
    }
    // R3: Kumi's evening of Day 4, only for a regular of the bento shop.
    if (F(49) == 0 && s_.Day == 4 && F(81) >= 2 && During(PM, 6, PM, 10)) {
        F(49) = 1;
        Load("kumi02.dat");
        Lines(32, 53);
        Plus30();
        Line(54);
        Plus30();
        Line(55);
        Plus30();
        Lines(56, 79);
    }

    s_.MenuChoice = "アパート";
    AskRoomCommand();
    for (const Sleep& sleep : kSleeps) {
        if (s_.SelectedFile != sleep.command) continue;
        Say(sleep.announce);
        Say(sleep.sleeping);
        Plus30(2 * sleep.hours);
        Say(sleep.waking);
    }
    // "移動する", a sleep, or anything else: the menu comes next.
}

}  // namespace velmora
