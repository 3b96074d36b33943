// VisitPark: open from AM 6:00 to PM 6:30. Hitomi's question on Day 1 (the
// same scene as at Serubia, wherever the hero meets her first), Kaori on
// Day 3 and Satsuki on Day 4.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "kouen.jpg";
constexpr Hours kOpen{AM, 6, PM, 6};

void VisitPark(Visit& v) {
    v.PlaceIs();
    v.Plus30();
    v.Redraw();
    if (v.Closed(kOpen)) {
        v.Blank();
        // At night, and in the half hour of dawn before it opens.
        v.Say("「公園だけど……。こんな時間に一人で入っていったら、変質者と間違われそうだ。」");
        return;
    }
    v.Picture(kScene);
    v.Describe("*：「町の中央公園。噴水のある池に林、屋台まである大きな公園なんだ。」",
               "*：「この公園には、いつもハトを追いかけ回してる女の子がいるんだよな。」");
    v.PlayEvents();
}

}  // namespace

const Place kPark{
    "公園",
    kScene,
    VisitPark,
    {
        // P1: Hitomi's question.
        {"park P1",
         Flag::HitomisAnswer == 0 && Day(1) && (During(AM, 9, AM, 11) || During(PM, 2, PM, 2)),
         {},
         [](Visit& v) { HitomisQuestion(v, kScene, kDismissAfterYes); },
         {{"YES", {}}, {"NO", {}}}},
        // P2: Hitomi in the afternoon of Day 1.
        {"park P2", Flag::HitomiBreakwaterDay == 0 && Day(1) && During(PM, 3, PM, 7),
         Mark{Flag::HitomiBreakwaterDay, 1},
         [](Visit& v) {
             v.MarkDone();
             v.Load("hitomi01.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(51, 57);
             v.Dismiss();
             v.Picture(kScene);
             v.Lines(58, 59);
         }},
        // P3: Kaori and Akira, for a hero who was at the gathering.
        {"park P3",
         Flag::KaoriParkDay < 3 && Day(3) && Flag::Gathering == 1 && During(PM, 0, PM, 5),
         Mark{Flag::KaoriParkDay, 3},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kaori02.dat");
             v.Lines(10, 11);
             v.Portrait("kaori1.gif");
             v.Lines(12, 15);
             v.SwitchTo(kScene, "akira1.gif");
             v.Lines(16, 20);
             v.SwitchTo(kScene, "kaori1.gif");
             v.Lines(21, 25);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(26);
         }},
        // P4: Kaori alone, for a hero who was not.
        {"park P4",
         Flag::KaoriParkDay < 3 && Day(3) && Flag::Gathering == 0 && During(PM, 0, PM, 5),
         Mark{Flag::KaoriParkDay, 3},
         [](Visit& v) {
             v.MarkDone();
             v.Load("kaori02.dat");
             v.Line(28);
             v.Portrait("kaori1.gif");
             v.Lines(29, 35);
             v.Dismiss();
             v.Picture(kScene);
             v.Lines(36, 37);
         }},
        // P5: Satsuki in the afternoon of Day 4.
        {"park P5",
         Flag::SatsukiParkDay < 4 && Day(4) && Flag::Gathering == 1 && During(PM, 0, PM, 6),
         Mark{Flag::SatsukiParkDay, 4},
         [](Visit& v) {
             v.MarkDone();
             v.Load("satuki02.dat");
             v.Portrait("satuki1.gif");
             v.Lines(17, 28);
             v.Dismiss();
             v.Picture(kScene);
             v.Lines(29, 31);
             v.Portrait("satuki1.gif");
             v.Lines(32, 42);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(43);
         }},
    },
    {},
    {},
    kOpen};

}  // namespace velmora
