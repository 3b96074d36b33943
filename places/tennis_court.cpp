// VisitTennisCourt: nobody plays before AM 9:00 or from PM 7:00. Kaori on
// Days 1 and 4, Hitomi on Days 2 and 3.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "tenisu.jpg";
constexpr Hours kOpen{AM, 9, PM, 6};

void VisitTennisCourt(Visit& v) {
    v.Plus30();
    if (v.Closed(kOpen)) {
        v.PlaceIs();
        v.Blank();
        v.Redraw();
        v.Say("「テニスコートだけど……。この時間は誰もいないな。」");
        return;
    }
    v.Picture(kScene);
    v.PlaceIs();
    v.Redraw();
    v.Describe("*：「今日も若者たちが健康的な汗を流してるな。」",
               "*：「このテニスコート、いつ来ても満員なんだよな。」");
    v.PlayEvents();
}

}  // namespace

const Place kTennisCourt{
    "テニスコート",
    kScene,
    VisitTennisCourt,
    {
        // T1: Kaori on Day 1.
        {"tennis court T1", Flag::KaoriParkDay == 0 && Day(1) && During(AM, 9, PM, 3),
         Mark{Flag::KaoriParkDay, 1},
         [](Visit& v) {
             v.Load("kaori01.dat");
             v.Portrait("kaori1.gif");
             v.Lines(1, 18);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(19);
             v.MarkDone();
         }},
        // T2: Hitomi on Day 2, for a hero who said yes to her.
        {"tennis court T2",
         Flag::HitomiBreakwaterDay < 2 && Flag::HitomisAnswer == 1 && Day(2) &&
             During(AM, 9, PM, 5),
         Mark{Flag::HitomiBreakwaterDay, 2},
         [](Visit& v) {
             v.MarkDone();
             v.Load("hitomi01.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(36, 42);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(43);
             v.Dismiss();
             v.Picture(kScene);
         }},
        // T3: Hitomi on Day 3.
        {"tennis court T3", Flag::HitomiPendantDay < 3 && Day(3) && During(AM, 9, PM, 5),
         Mark{Flag::HitomiPendantDay, 3},
         [](Visit& v) {
             v.Load("hitomi02.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(29, 46);
             v.Dismiss();
             v.Picture(kScene);
             v.Lines(47, 48);
             v.MarkDone();
         }},
        // T4: Kaori in the morning of Day 4; two lines only after the gathering.
        {"tennis court T4",
         Flag::KaoriMorningDay < 4 && Day(4) && During(AM, 9, AM, 11),
         Mark{Flag::KaoriMorningDay, 4},
         [](Visit& v) {
             v.Load("kaori02.dat");
             v.Line(39);
             v.Portrait("kaori1.gif");
             v.Lines(40, 45);
             if (v.Branch("after the gathering")) v.Lines(46, 47);
             v.Line(48);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(49);
             v.MarkDone();
         },
         {{"after the gathering", Flag::Gathering == 1}}},
    },
    {"ﾃﾆｽｺｰﾄ"},  // the plate writes it in half-width katakana
    {},
    kOpen};

}  // namespace velmora
