// VisitSerubia: the shopping centre, open AM 9:00 to PM 8:30. Hitomi's
// question on Day 1 (as at the park), Kaori on Days 1 and 3, and on Day 4
// the hero chooses a present for Hitomi.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "serubia.jpg";
constexpr Hours kOpen{AM, 9, PM, 8};

// The hero thinks about a present for Hitomi, straight after the two of
// them have looked all over Serubia for penguins.
const char* const kPresentThoughts[8] = {
    "「プレゼントか……。何がいいかな。」",
    "「花……は、だめだ。ひとみの家は花屋じゃないか。」",
    "「じゃあ、ダイヤモンド……。そんな金、どこにあるんだよ。」",
    "「ひとみの好きなものといえば、ペンギンだけど……。」",
    "「でも、ペンギンのグッズは、さっき二人でさんざん探しても、どこにもなかったんだよな。」",
    "「ペンギン……ペン……ペン、ダント……。ペンダント！」",
    "「そうだ、ペンダントにしよう！」",
    "「……我ながら単純な発想だな。はははっ。」",
};

void VisitSerubia(Visit& v) {
    v.Plus30();
    v.PlaceIs();
    v.Redraw();
    if (v.Closed(kOpen)) {
        v.Blank();
        v.Say("「セルビアは、この時間は閉まっている。」");
        return;
    }
    v.Picture(kScene);
    v.Describe(
        "*：「大型ショッピングセンターのセルビア。たこ焼きから本、靴、宝石まで、ここに来れば何でも"
        "そろう。」",
        "*：「セルビアには二百台も停められる駐車場まであるんだぜ。」");
    v.PlayEvents();
}

}  // namespace

const Place kSerubia{
    "セルビア",
    kScene,
    VisitSerubia,
    {
        // S1: Hitomi's question.
        {"serubia S1",
         Flag::HitomisAnswer == 0 && Day(1) && During(AM, 9, PM, 2),
         {},
         [](Visit& v) { HitomisQuestion(v, kScene, !kDismissAfterYes); },
         {{"YES", {}}, {"NO", {}}}},
        // S2: Hitomi in the afternoon of Day 1.
        {"serubia S2",
         Flag::HitomiPendantDay == 0 && Day(1) && During(PM, 3, PM, 7),
         Mark{Flag::HitomiPendantDay, 1},
         [](Visit& v) {
             v.MarkDone();
             v.Load("hitomi01.dat");
             v.Portrait("hitomi1.gif");
             v.Lines(44, 48);
             v.Picture(kScene);
             v.Line(49);
             if (v.Branch("after YES")) v.Line(50);
         },
         {{"after YES", Flag::HitomisAnswer == 1}}},
        // S3: Kaori in the afternoon of Day 1.
        {"serubia S3", Flag::KaoriApartmentDay == 0 && Day(1) && During(PM, 4, PM, 7),
         Mark{Flag::KaoriApartmentDay, 1},
         [](Visit& v) {
             v.Load("kaori01.dat");
             v.Line(20);
             v.Portrait("kaori1.gif");
             v.Lines(21, 29);
             v.MarkDone();
             v.Picture(kScene);
             v.Line(30);
         }},
        // S4: Kaori in the morning of Day 3.
        {"serubia S4", Flag::KaoriMorningDay < 3 && Day(3) && During(AM, 9, AM, 11),
         Mark{Flag::KaoriMorningDay, 3},
         [](Visit& v) {
             v.Load("kaori02.dat");
             v.Line(1);
             v.Portrait("kaori1.gif");
             v.Lines(2, 8);
             v.MarkDone();
             v.Dismiss();
             v.Picture(kScene);
             v.Line(9);
         }},
        // S5: the pendant, for a hero who said yes to Hitomi.
        {"serubia S5",
         Flag::HitomiPendantDay < 4 && Day(4) && Flag::HitomisAnswer == 1 && During(PM, 0, PM, 2),
         Mark{Flag::HitomiPendantDay, 4},
         [](Visit& v) {
             v.Load("hitomi03.dat");
             v.Line(1);
             v.Portrait("hitomi1.gif");
             v.Lines(2, 40);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(41);
             v.MarkDone();
             v.Set(Flag::HitomisAnswer, 3);
             v.Load("kaori02.dat");
             v.Line(50);
             v.Portrait("kaori1.gif");
             v.Lines(51, 62);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(63);
             v.Set(Flag::KaoriParkDay, 4);
             v.Load("hitomi03.dat");
             v.Lines(51, 52);
             for (const char* thought : kPresentThoughts) v.Say(thought);
             v.Lines(59, 68);
         }},
    },
    {},
    {},
    kOpen};

}  // namespace velmora
