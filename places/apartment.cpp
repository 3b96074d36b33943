// VisitApartment: friends come by in front of the building; upstairs in his
// room the hero takes calls and visits in the evening, then goes out again
// or sleeps, which is how the player lets time pass.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kFront = "apart.jpg";
constexpr const char* kRoom = "heya.jpg";
constexpr const char* kRoomPlate = "部屋";
constexpr const char* kGoOut = "移動する";

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

// What the hero can do in his room: go out, or sleep.
std::vector<std::string> RoomCommands() {
    std::vector<std::string> commands = {kGoOut};
    for (const Sleep& sleep : kSleeps) commands.emplace_back(sleep.command);
    return commands;
}

// The hero's room: the room commands, then the menu.
void GoToRoomCommands(Visit& v) {
    v.game().state().MenuChoice = "アパート";
    v.game().AskRoomCommand(RoomCommands());
    for (const Sleep& sleep : kSleeps) {
        if (v.game().state().SelectedFile != sleep.command) continue;
        v.Say(sleep.announce);
        v.Say(sleep.sleeping);
        v.Plus30(2 * sleep.hours);
        v.Say(sleep.waking);
    }
    // "移動する", a sleep, or anything else: the menu comes next.
}

void VisitApartment(Visit& v) {
    v.Redraw();
    v.Picture(kFront);
    v.PlaceIs();
    v.Plus30();
    v.Describe(
        "*：「ここがオレの住んでるアパート。一人暮らしには十分なところさ。友だちも、よく訪ねてくる"
        "しな。」",
        "*：「見上げるほど高いこのアパート、住んでるのはほとんど大学生なんだよな。」");
    v.PlayEvents("apartment A");

    v.Picture(kRoom);
    v.PlaceIs(kRoomPlate);
    v.Redraw();
    v.Say("*：「ここがオレの部屋。狭そうに見えるけど、実はけっこう広いんだぜ。」");
    v.PlayEvents("apartment R");
    GoToRoomCommands(v);
}

}  // namespace

const Place kApartment{
    "アパート",
    kFront,
    VisitApartment,
    {
        // A1: Kumi and Akira come to see a hero who missed the gathering.
        {"apartment A1",
         Flag::KumiAndAkiraDay == 1 && FromDay(2) && Flag::Gathering == 0 &&
             Flag::MissedGathering == 0 && During(PM, 4, PM, 11),
         Mark{Flag::MissedGathering, 1},
         [](Visit& v) {
             v.Load("akira01.dat");
             v.Portrait("kumi1.gif");
             v.Lines(50, 62);
             v.Dismiss();
             v.Picture(kFront);
             v.Line(63);
             v.Portrait("akira1.gif");
             v.Lines(64, 74);
             v.Dismiss();
             v.Picture(kFront);
             v.Line(75);
             v.MarkDone();
         }},
        // A2: Kumi's visit of Day 3.
        {"apartment A2",
         Flag::KumiAndAkiraDay < 3 && Day(3) && (During(AM, 9, AM, 11) || During(PM, 0, PM, 2)),
         Mark{Flag::KumiAndAkiraDay, 3},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kumi02.dat");
             v.Portrait("kumi1.gif");
             v.Lines(1, 13);
             v.Dismiss();
             v.Picture(kFront);
             v.Lines(14, 15);
         }},
        // A3: Kaori comes by in the afternoon of Day 4.
        {"apartment A3",
         Flag::KaoriApartmentDay < 4 && Day(4) && Flag::Gathering == 1 && During(PM, 3, PM, 6),
         Mark{Flag::KaoriApartmentDay, 4},
         [](Visit& v) {
             v.Load("kaori02.dat");
             v.Line(65);
             v.Portrait("kaori1.gif");
             v.Lines(66, 78);
             v.Dismiss();
             v.Picture(kFront);
             v.Line(79);
             v.MarkDone();
         }},
        // A4: Satsuki comes by in the morning of Day 4.
        {"apartment A4",
         Flag::SatsukiMorningDay < 4 && Day(4) && Flag::Gathering == 1 && During(AM, 9, AM, 11),
         Mark{Flag::SatsukiMorningDay, 4},
         [](Visit& v) {
             v.Load("satuki02.dat");
             v.Line(1);
             v.Portrait("satuki1.gif");
             v.Lines(2, 13);
             v.Dismiss();
             v.Picture(kFront);
             v.Line(14);
             v.MarkDone();
         }},
        // R1: Akira's visit on the first evening, which sets up the gathering.
        {"apartment R1",
         Flag::KumiAndAkiraDay == 0 && Day(1) && Flag::KumisInvitation == 1 && During(PM, 5, PM, 7),
         Mark{Flag::KumiAndAkiraDay, 1},
         [](Visit& v) {
             v.MarkDone();
             v.Load("akira01.dat");
             v.Lines(18, 41);
             v.Plus30();
         }},
        // R2: Kumi telephones on the evening of the gathering.
        {"apartment R2",
         Flag::Gathering == 1 && Day(2) && Flag::KumisCall == 0 && During(PM, 6, PM, 9),
         Mark{Flag::KumisCall, 1},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kumi01.dat");
             v.Say("＜＜プルルルル……プルルルル……ガチャッ＞＞");
             v.Lines(41, 68);
             v.Plus30();
         }},
        // R3: Kumi's evening of Day 4, only for a regular of the bento shop.
        {"apartment R3",
         Flag::KumisEvening == 0 && Day(4) && Flag::BentoTalks >= 2 && During(PM, 6, PM, 10),
         Mark{Flag::KumisEvening, 1},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kumi02.dat");
             v.Lines(32, 53);
             v.Plus30();
             v.Line(54);
             v.Plus30();
             v.Line(55);
             v.Plus30();
             v.Lines(56, 79);
         }},
    },
    {"アパート", kRoomPlate},
    {kRoom}};

}  // namespace velmora
