// VisitPcShop: open AM 8:00 to PM 8:30. Hitomi on Day 2, Akira on the
// morning of Day 3.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "pasokon.jpg";

}  // namespace

void Form1::VisitPcShop() {
    Plus30();
    PlaceIs("ﾊﾟｿｺﾝｼｮｯﾌﾟ");
    Redraw();
    if ((s_.Half == AM && s_.Hour < 8) || (s_.Half == PM && s_.Hour > 8)) {
        Blank();
        Say("「パソコンショップは、今は閉まっている。」");
        return;
    }
    Picture(kScene);
    Describe(
        "*：「パソコンショップ。パソコンを売ってる。……まあ、当然か。明のやつは、朝から入りびたって"
        "るらしいけど。」",
        "*：「この店の唯一の欠点は、店員が全員男だってことだな。」");

    // P1: Hitomi on Day 2.
    if (F(4) < 2 && s_.Day == 2 && During(AM, 9, PM, 5)) {
        F(4) = 2;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(74, 76);
        Dismiss();
        Picture(kScene);
        Line(77);
    }
    // P2: Akira in the morning of Day 3.
    if (F(101) < 3 && s_.Day == 3 && During(AM, 9, AM, 11)) {
        F(101) = 3;
        Load("akira02.dat");
        Line(1);
        Portrait("akira1.gif");
        Lines(2, 20);
        Dismiss();
        Picture(kScene);
        Line(21);
    }
}

}  // namespace velmora
