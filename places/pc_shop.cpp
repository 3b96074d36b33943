// VisitPcShop: open AM 8:00 to PM 8:30. Hitomi on Day 2, Akira on the
// morning of Day 3.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "pasokon.jpg";
constexpr Hours kOpen{AM, 8, PM, 8};

void VisitPcShop(Visit& v) {
    v.Plus30();
    v.PlaceIs();
    v.Redraw();
    if (v.Closed(kOpen)) {
        v.Blank();
        v.Say("「パソコンショップは、今は閉まっている。」");
        return;
    }
    v.Picture(kScene);
    v.Describe(
        "*：「パソコンショップ。パソコンを売ってる。……まあ、当然か。明のやつは、朝から入りびたって"
        "るらしいけど。」",
        "*：「この店の唯一の欠点は、店員が全員男だってことだな。」");
    v.PlayEvents();
}

}  // namespace

const Place kPcShop{"パソコンショップ",
                    kScene,
                    VisitPcShop,
                    {
                        // P1: Hitomi on Day 2.
                        {"pc shop P1", Flag::HitomiHomeDay < 2 && Day(2) && During(AM, 9, PM, 5),
                         Mark{Flag::HitomiHomeDay, 2},
                         [](Visit& v) {
                             v.MarkDone();
                             v.Load("hitomi01.dat");
                             v.Portrait("hitomi1.gif");
                             v.Lines(74, 76);
                             v.Dismiss();
                             v.Picture(kScene);
                             v.Line(77);
                         }},
                        // P2: Akira in the morning of Day 3.
                        {"pc shop P2", Flag::AkiraPcShopDay < 3 && Day(3) && During(AM, 9, AM, 11),
                         Mark{Flag::AkiraPcShopDay, 3},
                         [](Visit& v) {
                             v.MarkDone();
                             v.Load("akira02.dat");
                             v.Line(1);
                             v.Portrait("akira1.gif");
                             v.Lines(2, 20);
                             v.Dismiss();
                             v.Picture(kScene);
                             v.Line(21);
                         }},
                    },
                    {"ﾊﾟｿｺﾝｼｮｯﾌﾟ"},  // the plate writes it in half-width katakana
                    {},
                    kOpen};

}  // namespace velmora
