// VisitTennisCourt: nobody plays before AM 9:00 or from PM 7:00. Kaori on
// Days 1 and 4, Hitomi on Days 2 and 3.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "tenisu.jpg";
constexpr const char* kPlace = "ﾃﾆｽｺｰﾄ";

}  // namespace

void Form1::VisitTennisCourt() {
    Plus30();
    if ((s_.Half == AM && s_.Hour < 9) || (s_.Half == PM && s_.Hour > 6)) {
        PlaceIs(kPlace);
        Blank();
        Redraw();
        Say("「テニスコートだけど……。この時間は誰もいないな。」");
        return;
    }
    Picture(kScene);
    PlaceIs(kPlace);
    Redraw();
    Describe("*：「今日も若者たちが健康的な汗を流してるな。」",
             "*：「このテニスコート、いつ来ても満員なんだよな。」");

    // T1: Kaori on Day 1.
    if (F(22) == 0 && s_.Day == 1 && During(AM, 9, PM, 3)) {
        Load("kaori01.dat");
        Portrait("kaori1.gif");
        Lines(1, 18);
        Dismiss();
        Picture(kScene);
        Line(19);
        F(22) = 1;
    }
    // T2: Hitomi on Day 2, for a hero who said yes to her.
    if (F(3) < 2 && F(1) == 1 && s_.Day == 2 && During(AM, 9, PM, 5)) {
        F(3) = 2;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(36, 42);
        Dismiss();
        Picture(kScene);
        Line(43);
        Dismiss();
        Picture(kScene);
    }
    // T3: Hitomi on Day 3.
    if (F(2) < 3 && s_.Day == 3 && During(AM, 9, PM, 5)) {
        Load("hitomi02.dat");
        Portrait("hitomi1.gif");
        Lines(29, 46);
        Dismiss();
        Picture(kScene);
        Lines(47, 48);
        F(2) = 3;
    }
    // T4: Kaori in the morning of Day 4; two lines only after the gathering.
    if (F(21) < 4 && s_.Day == 4 && During(AM, 9, AM, 11)) {
        Load("kaori02.dat");
        Line(39);
        Portrait("kaori1.gif");
        Lines(40, 45);
        if (F(47) == 1) Lines(46, 47);
        Line(48);
        Dismiss();
        Picture(kScene);
        Line(49);
        F(21) = 4;
    }
}

}  // namespace velmora
