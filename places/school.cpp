// VisitSchool: always open. Hitomi in the afternoon of Day 1, Kaori on
// Day 2, Akira in the afternoon of Day 4.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "gakkou.jpg";

void VisitSchool(Visit& v) {
    v.Redraw();
    v.Picture(kScene);
    v.PlaceIs();
    v.Plus30();
    v.Describe("*：「オレの通ってる高校だ。……裏から見たところだけどな。」",
               "*：「うちの学校は共学だ。これが女子校だったら……って、オレが入れないか。」");
    v.PlayEvents();
}

}  // namespace

const Place kSchool{"学校",
                    kScene,
                    VisitSchool,
                    {
                        // C1: Hitomi in the afternoon of Day 1.
                        {"school C1", Flag::HitomiHomeDay == 0 && Day(1) && During(PM, 3, PM, 6),
                         Mark{Flag::HitomiHomeDay, 1},
                         [](Visit& v) {
                             v.MarkDone();
                             v.Load("hitomi01.dat");
                             v.Portrait("hitomi1.gif");
                             v.Lines(60, 64);
                             v.Dismiss();
                             v.Picture(kScene);
                             v.Line(65);
                         }},
                        // C2: Kaori on Day 2; the scene ends on the school without a closing line.
                        {"school C2", Flag::KaoriParkDay < 2 && Day(2) && During(AM, 9, PM, 5),
                         Mark{Flag::KaoriParkDay, 2},
                         [](Visit& v) {
                             v.Load("kaori01.dat");
                             v.Portrait("kaori1.gif");
                             v.Lines(72, 75);
                             v.MarkDone();
                             v.Dismiss();
                             v.Picture(kScene);
                         }},
                        // C3: Akira in the afternoon of Day 4.
                        {"school C3", Flag::AkiraSchoolDay < 4 && Day(4) && During(PM, 0, PM, 7),
                         Mark{Flag::AkiraSchoolDay, 4},
                         [](Visit& v) {
                             v.MarkDone();
                             v.Load("akira03.dat");
                             v.Line(16);
                             v.Portrait("akira1.gif");
                             v.Lines(17, 36);
                             v.Dismiss();
                             v.Picture(kScene);
                             v.Lines(37, 38);
                         }},
                    }};

}  // namespace velmora
