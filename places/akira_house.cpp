// VisitAkiraHouse: after the gathering, Akira is at home on Day 4.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "akira.jpg";

}  // namespace

void Form1::VisitAkiraHouse() {
    Redraw();
    Picture(kScene);
    PlaceIs("明の家");
    Plus30();
    Describe(
        "*：「ここは明の家。いい家だよな。オレもこんな家に住んでみたいもんだ。……あいつの部屋は、機"
        "械だらけだけど。」",
        "*：「オレの親友、真淵明が住んでる家だ。……まあ、当たり前か。あいつ、休みの日は出歩いてばっ"
        "かりだけどな。」");

    // A1: Akira on Day 4.
    if (F(47) == 1 && F(103) < 4 && s_.Day == 4 && During(AM, 9, PM, 5)) {
        F(103) = 4;
        Load("akira03.dat");
        Portrait("akira1.gif");
        Lines(1, 13);
        Dismiss();
        Picture(kScene);
        Line(14);
    }
}

}  // namespace velmora
