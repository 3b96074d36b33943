// VisitBentoShop: open around the clock, but the girl at the counter works
// only in the afternoon. She talks to the hero at most once for each day
// begun, and from Day 3 on at most once for each day begun since Day 3.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "hokabenya.jpg";

}  // namespace

void Form1::VisitBentoShop() {
    Plus30();
    PlaceIs("弁当屋");
    Redraw();
    Load("ryouko01.dat");

    if (!During(PM, 1, PM, 6)) {
        PlaceIs("弁当屋");
        Picture(kScene);
        Say("「二十四時間営業の店だけど、今は男の店員しかいない。……つまらん。」");
        return;
    }
    const bool counted = s_.Day >= F(81) + 1 && (s_.Day < 3 || s_.Day >= F(84) + 3);
    if (!counted) {
        Dismiss();
        PlaceIs("弁当屋");
        Picture(kScene);
        Line(22);
        return;
    }
    Dismiss();
    PlaceIs("弁当屋");
    Picture(kScene);
    Say("*：「ここは弁当屋。オレもしょっちゅう世話になってるんだ。」");
    F(81) = static_cast<int16_t>(F(81) + 1);
    if (s_.Day >= 3) F(84) = static_cast<int16_t>(F(84) + 1);
    Portrait("ryouko1.gif");

    if (F(81) == 1) {
        Lines(1, 12);  // the first time she serves him
    } else {
        Lines(1, 3);
        Line(10);
    }
    switch (s_.Day) {
        case 1:
            Lines(15, 16);
            Dismiss();
            Picture(kScene);
            Line(19);
            break;
        case 2:
            Lines(17, 18);
            Dismiss();
            Picture(kScene);
            Line(19);
            break;
        case 3:
            Lines(28, 31);
            Dismiss();
            Picture(kScene);
            Line(32);
            break;
        case 4:
            Lines(33, 34);
            Dismiss();
            Picture(kScene);
            Line(35);
            break;
        default:
            break;
    }
}

}  // namespace velmora
