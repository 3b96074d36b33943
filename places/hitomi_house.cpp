// VisitHitomiHouse: the flower shop はなぞの, Hitomi's home. Hitomi on
// Day 2, and on Day 3 for a hero who said yes to her.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "hanaya.jpg";

}  // namespace

void Form1::VisitHitomiHouse() {
    Redraw();
    PlaceIs("ひとみの家");
    Plus30();
    Picture(kScene);
    Describe("*：「ここは花屋さん。クラスメイトの相原ひとみの家でもあるんだ。」",
             "*：「店の名前は『はなぞの』。……ラグビー場じゃないぞ。」");

    // H1: Hitomi on Day 2.
    if (F(2) < 2 && s_.Day == 2 && During(AM, 9, PM, 5)) {
        F(2) = 2;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(66, 72);
        Dismiss();
        Picture(kScene);
        Line(73);
    }
    // H2: Hitomi in the afternoon of Day 3.
    if (F(1) == 1 && F(4) < 3 && s_.Day == 3 && During(PM, 3, PM, 7)) {
        Load("hitomi02.dat");
        Portrait("hitomi1.gif");
        Lines(51, 67);
        Dismiss();
        Picture(kScene);
        Line(68);
        F(4) = 3;
    }
}

}  // namespace velmora
