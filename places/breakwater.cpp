// VisitBreakwater: the friends' gathering of Day 2, what a latecomer hears,
// and Kumi's and Hitomi's scenes of Day 3.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "bouhatei.jpg";

void VisitBreakwater(Visit& v) {
    v.PlaceIs();
    v.Plus30();
    v.Redraw();
    v.Picture(kScene);
    v.Describe("*：「ここは防波堤。アジにメバル、いろんな魚が釣れる、オレのお気に入りの場所だ。」",
               "*：「ここからは初日の出が見えるんだ。……今年は寝坊して見逃したけどな。」");
    v.PlayEvents();
}

}  // namespace

const Place kBreakwater{
    "防波堤",
    kScene,
    VisitBreakwater,
    {
        // B1: the gathering; it ends at PM 6:00 whenever it began.
        {"breakwater B1",
         Flag::KumisInvitation == 1 && Day(2) && Flag::KumiAndAkiraDay == 1 && During(PM, 1, PM, 2),
         Mark{Flag::Gathering, 1},
         [](Visit& v) {
             v.Say("「約束どおり、みんなが集まっていた。」");
             v.MarkDone();
             v.SwitchTo(kScene, "kumi1.gif");
             v.Load("SATUKI01.dat");
             v.Lines(4, 6);
             v.SwitchTo(kScene, "satuki1.gif");
             v.Lines(7, 13);
             v.SwitchTo(kScene, "kumi1.gif");
             v.Lines(14, 15);
             v.SwitchTo(kScene, "akira1.gif");
             v.Lines(16, 17);
             v.SwitchTo(kScene, "kumi1.gif");
             v.Lines(18, 21);
             v.Dismiss();
             v.Lines(22, 28);
             v.Picture(kScene);
             v.Plus30();
             v.Lines(29, 43);
             v.Plus30(2);
             v.Lines(44, 56);
             v.ClockTo(5, 0);
             v.Lines(57, 67);
             v.Dismiss();
             v.Lines(68, 69);
             v.ClockTo(6, 0);
             v.Dismiss();
             v.SwitchTo(kScene, "kumi1.gif");
             v.Lines(70, 71);
             v.SwitchTo(kScene, "satuki1.gif");
             v.Lines(72, 73);
             v.SwitchTo(kScene, "kumi1.gif");
             v.Line(74);
             v.SwitchTo(kScene, "akira1.gif");
             v.Line(75);
             v.SwitchTo(kScene, "satuki1.gif");
             v.Line(76);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(77);
             // Kaori comes by as the day ends.
             v.Portrait("kaori1.gif");
             v.Load("kaori01.dat");
             v.Lines(32, 35);
             v.SwitchTo(kScene, "akira1.gif");
             v.Lines(36, 37);
             v.SwitchTo(kScene, "kaori1.gif");
             v.Lines(38, 42);
             v.SwitchTo(kScene, "akira1.gif");
             v.Line(43);
             v.SwitchTo(kScene, "kaori1.gif");
             v.Lines(44, 57);
             v.SwitchTo(kScene, "akira1.gif");
             v.Lines(58, 68);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(69);
         }},
        // B2: too late for the gathering; no done mark, it plays at every such visit.
        {"breakwater B2",
         Flag::KumiAndAkiraDay == 1 && Day(2) && Flag::Gathering == 0 && During(PM, 3, PM, 11),
         {},
         [](Visit& v) {
             v.Load("akira01.dat");
             v.Lines(45, 46);
         }},
        // B3: Kumi on Day 3, after the gathering.
        {"breakwater B3",
         Flag::KumisCall < 3 && Day(3) && Flag::Gathering == 1 && During(PM, 3, PM, 5),
         Mark{Flag::KumisCall, 3},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kumi02.dat");
             v.Line(17);
             v.Portrait("kumi1.gif");
             v.Lines(18, 29);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(30);
         }},
        // B4: Hitomi on Day 3.
        {"breakwater B4",
         Flag::HitomiBreakwaterDay < 3 && Day(3) && (During(AM, 9, AM, 11) || During(PM, 0, PM, 2)),
         Mark{Flag::HitomiBreakwaterDay, 3},
         [](Visit& v) {
             v.Load("hitomi02.dat");
             v.Line(1);
             v.Portrait("hitomi1.gif");
             v.Lines(2, 26);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(27);
             v.MarkDone();
         }},
    }};

}  // namespace velmora
