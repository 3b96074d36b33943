// VisitSchool: always open. Hitomi in the afternoon of Day 1, Kaori on
// Day 2, Akira in the afternoon of Day 4.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "gakkou.jpg";

}  // namespace

void Form1::VisitSchool() {
    Redraw();
    Picture(kScene);
    PlaceIs("学校");
    Plus30();
    Describe("*：「オレの通ってる高校だ。……裏から見たところだけどな。」",
             "*：「うちの学校は共学だ。これが女子校だったら……って、オレが入れないか。」");

    // C1: Hitomi in the afternoon of Day 1.
    if (F(4) == 0 && s_.Day == 1 && During(PM, 3, PM, 6)) {
        F(4) = 1;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(60, 64);
        Dismiss();
        Picture(kScene);
        Line(65);
    }
    // C2: Kaori on Day 2; the scene ends on the school without a closing line.
    if (F(22) < 2 && s_.Day == 2 && During(AM, 9, PM, 5)) {
        Load("kaori01.dat");
        Portrait("kaori1.gif");
        Lines(72, 75);
        F(22) = 2;
        Dismiss();
        Picture(kScene);
    }
    // C3: Akira in the afternoon of Day 4.
    if (F(104) < 4 && s_.Day == 4 && During(PM, 0, PM, 7)) {
        F(104) = 4;
        Load("akira03.dat");
        Line(16);
        Portrait("akira1.gif");
        Lines(17, 36);
        Dismiss();
        Picture(kScene);
        Lines(37, 38);
    }
}

}  // namespace velmora
