// VisitHitomiHouse: the flower shop はなぞの, Hitomi's home. Hitomi on
// Day 2, and on Day 3 for a hero who said yes to her.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "hanaya.jpg";

void VisitHitomiHouse(Visit& v) {
    v.Redraw();
    v.PlaceIs();
    v.Plus30();
    v.Picture(kScene);
    v.Describe("*：「ここは花屋さん。クラスメイトの相原ひとみの家でもあるんだ。」",
               "*：「店の名前は『はなぞの』。……ラグビー場じゃないぞ。」");
    v.PlayEvents();
}

}  // namespace

const Place kHitomiHouse{
    "ひとみの家",
    kScene,
    VisitHitomiHouse,
    {
        // H1: Hitomi on Day 2.
        {"hitomi house H1", Flag::HitomiPendantDay < 2 && Day(2) && During(AM, 9, PM, 5),
         Mark{Flag::HitomiPendantDay, 2},
         [](Visit& v) {
             v.MarkDone();
             v.Load("hitomi01.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(66, 72);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(73);
         }},
        // H2: Hitomi in the afternoon of Day 3.
        {"hitomi house H2",
         Flag::HitomisAnswer == 1 && Flag::HitomiHomeDay < 3 && Day(3) && During(PM, 3, PM, 7),
         Mark{Flag::HitomiHomeDay, 3},
         [](Visit& v) {
             v.Load("hitomi02.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(51, 67);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(68);
             v.MarkDone();
         }},
    }};

}  // namespace velmora
