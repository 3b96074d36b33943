// VisitBreakwater: the friends' gathering of Day 2, what a latecomer hears,
// and Kumi's and Hitomi's scenes of Day 3.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "bouhatei.jpg";

}  // namespace

void Form1::VisitBreakwater() {
    PlaceIs("防波堤");
    Plus30();
    Redraw();
    Picture(kScene);
    Describe("*：「ここは防波堤。アジにメバル、いろんな魚が釣れる、オレのお気に入りの場所だ。」",
             "*：「ここからは初日の出が見えるんだ。……今年は寝坊して見逃したけどな。」");

    // B1: the gathering; it ends at PM 6:00 whenever it began.
    if (F(41) == 1 && s_.Day == 2 && F(45) == 1 && During(PM, 1, PM, 2)) {
        Say("「約束どおり、みんなが集まっていた。」");
        F(47) = 1;
        SwitchTo(kScene, "kumi1.gif");
        Load("SATUKI01.dat");
        Lines(4, 6);
        SwitchTo(kScene, "satuki1.gif");
        Lines(7, 13);
        SwitchTo(kScene, "kumi1.gif");
        Lines(14, 15);
        SwitchTo(kScene, "akira1.gif");
        Lines(16, 17);
        SwitchTo(kScene, "kumi1.gif");
        Lines(18, 21);
        Dismiss();
        Lines(22, 28);
        Picture(kScene);
        Plus30();
        Lines(29, 43);
        Plus30(2);
        Lines(44, 56);
        ClockTo(5, 0);
        Lines(57, 67);
        Dismiss();
        Lines(68, 69);
        ClockTo(6, 0);
        Dismiss();
        SwitchTo(kScene, "kumi1.gif");
        Lines(70, 71);
        SwitchTo(kScene, "satuki1.gif");
        Lines(72, 73);
        SwitchTo(kScene, "kumi1.gif");
        Line(74);
        SwitchTo(kScene, "akira1.gif");
        Line(75);
        SwitchTo(kScene, "satuki1.gif");
        Line(76);
        Dismiss();
        Picture(kScene);
        Line(77);
        // Kaori comes by as the day ends.
        Portrait("kaori1.gif");
        Load("kaori01.dat");
        Lines(32, 35);
        SwitchTo(kScene, "akira1.gif");
        Lines(36, 37);
        SwitchTo(kScene, "kaori1.gif");
        Lines(38, 42);
        SwitchTo(kScene, "akira1.gif");
        Line(43);
        SwitchTo(kScene, "kaori1.gif");
        Lines(44, 57);
        SwitchTo(kScene, "akira1.gif");
        Lines(58, 68);
        Dismiss();
        Picture(kScene);
        Line(69);
    }
    // B2: too late for the gathering; no done mark, it plays at every such visit.
    if (F(45) == 1 && s_.Day == 2 && F(47) == 0 && During(PM, 3, PM, 11)) {
        Load("akira01.dat");
        Lines(45, 46);
    }
    // B3: Kumi on Day 3, after the gathering.
    if (F(46) < 3 && s_.Day == 3 && F(47) == 1 && During(PM, 3, PM, 5)) {
        F(46) = 3;
        Load("kumi02.dat");
        Line(17);
        Portrait("kumi1.gif");
        Lines(18, 29);
        Dismiss();
        Picture(kScene);
        Line(30);
    }
    // B4: Hitomi on Day 3.
    if (F(3) < 3 && s_.Day == 3 && (During(AM, 9, AM, 11) || During(PM, 0, PM, 2))) {
        Load("hitomi02.dat");
        Line(1);
        Portrait("hitomi1.gif");
        Lines(2, 26);
        Dismiss();
        Picture(kScene);
        Line(27);
        F(3) = 3;
    }
}

}  // namespace velmora
