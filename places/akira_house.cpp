// VisitAkiraHouse: after the gathering, Akira is at home on Day 4.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "akira.jpg";

void VisitAkiraHouse(Visit& v) {
    v.Redraw();
    v.Picture(kScene);
    v.PlaceIs();
    v.Plus30();
    v.Describe(
        "*：「ここは明の家。いい家だよな。オレもこんな家に住んでみたいもんだ。……あいつの部屋は、機"
        "械だらけだけど。」",
        "*：「オレの親友、真淵明が住んでる家だ。……まあ、当たり前か。あいつ、休みの日は出歩いてばっ"
        "かりだけどな。」");
    v.PlayEvents();
}

}  // namespace

const Place kAkiraHouse{
    "明の家",
    kScene,
    VisitAkiraHouse,
    {
        // A1: Akira on Day 4.
        {"akira house A1",
         Flag::Gathering == 1 && Flag::AkiraHomeDay < 4 && Day(4) && During(AM, 9, PM, 5),
         Mark{Flag::AkiraHomeDay, 4},
         [](Visit& v) {
             v.MarkDone();
             v.Load("akira03.dat");
             v.Portrait("akira1.gif");
             v.Lines(1, 13);
             v.Dismiss();
             v.Picture(kScene);
             v.Line(14);
         }},
    }};

}  // namespace velmora
