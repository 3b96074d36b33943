// VisitPark: open from AM 6:00 to PM 6:30. Hitomi's question on Day 1 (the
// same scene as at Serubia, wherever the hero meets her first), Kaori on
// Day 3 and Satsuki on Day 4.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "kouen.jpg";

}  // namespace

void Form1::VisitPark() {
    PlaceIs("公園");
    Plus30();
    Redraw();
    if ((s_.Half == AM && s_.Hour < 6) || (s_.Half == PM && s_.Hour > 6)) {
        Blank();
        Say("「公園だけど……。夜に一人で入っていったら、変質者と間違われそうだ。」");
        return;
    }
    Picture(kScene);
    Describe("*：「町の中央公園。噴水のある池に林、屋台まである大きな公園なんだ。」",
             "*：「この公園には、いつもハトを追いかけ回してる女の子がいるんだよな。」");

    // P1: Hitomi's question.
    if (F(1) == 0 && s_.Day == 1 && (During(AM, 9, AM, 11) || During(PM, 2, PM, 2))) {
        HitomisQuestion(kScene, kDismissAfterYes);
    }
    // P2: Hitomi in the afternoon of Day 1.
    if (F(3) == 0 && s_.Day == 1 && During(PM, 3, PM, 7)) {
        F(3) = 1;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(51, 57);
        Dismiss();
        Picture(kScene);
        Lines(58, 59);
    }
    // P3: Kaori and Akira, for a hero who was at the gathering.
    if (F(22) < 3 && s_.Day == 3 && F(47) == 1 && During(PM, 0, PM, 5)) {
        F(22) = 3;
        Load("kaori02.dat");
        Lines(10, 11);
        Portrait("kaori1.gif");
        Lines(12, 15);
        SwitchTo(kScene, "akira1.gif");
        Lines(16, 20);
        SwitchTo(kScene, "kaori1.gif");
        Lines(21, 25);
        Dismiss();
        Picture(kScene);
        Line(26);
    }
    // P4: Kaori alone, for a hero who was not.
    if (F(22) < 3 && s_.Day == 3 && F(47) == 0 && During(PM, 0, PM, 5)) {
        F(22) = 3;
        Load("kaori02.dat");
        Line(28);
        Portrait("kaori1.gif");
        Lines(29, 35);
        Dismiss();
        Picture(kScene);
        Lines(36, 37);
    }
    // P5: Satsuki in the afternoon of Day 4.
    if (F(62) < 4 && s_.Day == 4 && F(47) == 1 && During(PM, 0, PM, 6)) {
        F(62) = 4;
        Load("satuki02.dat");
        Portrait("satuki1.gif");
        Lines(17, 28);
        Dismiss();
        Picture(kScene);
        Lines(29, 31);
        Portrait("satuki1.gif");
        Lines(32, 42);
        Dismiss();
        Picture(kScene);
        Line(43);
    }
}

}  // namespace velmora
