// VisitSerubia: the shopping centre, open AM 9:00 to PM 8:30. Hitomi's
// question on Day 1 (as at the park), Kaori on Days 1 and 3, and on Day 4
// the hero chooses a present for Hitomi.
#include "shell/form1.h"

namespace velmora {
namespace {

constexpr const char* kScene = "serubia.jpg";

// The hero thinks about a present for Hitomi.
const char* const kPresentThoughts[8] = {
    "「プレゼントか……。何がいいかな。」",
    "「花……は、だめだ。ひとみの家は花屋じゃないか。」",
    "「じゃあ、ダイヤモンド……。そんな金、どこにあるんだよ。」",
    "「そういえば、ひとみはペンギンが好きだったよな。」",
    "「でも、ペンギンなんてセルビアに売ってるわけないし……。」",
    "「ペンギン……ペン……ペン、ダント……。ペンダント！」",
    "「そうだ、ペンダントにしよう！」",
    "「……我ながら単純な発想だな。はははっ。」",
};

}  // namespace

void Form1::VisitSerubia() {
    Plus30();
    PlaceIs("セルビア");
    Redraw();
    if ((s_.Half == AM && s_.Hour < 9) || (s_.Half == PM && s_.Hour > 8)) {
        Blank();
        Say("「セルビアは、この時間は閉まっている。」");
        return;
    }
    Picture(kScene);
    Describe(
        "*：「大型ショッピングセンターのセルビア。たこ焼きから本、靴、宝石まで、ここに来れば何でも"
        "そろう。」",
        "*：「セルビアには二百台も停められる駐車場まであるんだぜ。」");

    // S1: Hitomi's question.
    if (F(1) == 0 && s_.Day == 1 && During(AM, 9, PM, 2)) {
        HitomisQuestion(kScene, !kDismissAfterYes);
    }
    // S2: Hitomi in the afternoon of Day 1.
    if (F(2) == 0 && s_.Day == 1 && During(PM, 3, PM, 7)) {
        F(2) = 1;
        Load("hitomi01.dat");
        Portrait("hitomi1.gif");
        Lines(44, 48);
        Picture(kScene);
        Line(49);
        if (F(1) == 1) Line(50);
    }
    // S3: Kaori in the afternoon of Day 1.
    if (F(23) == 0 && s_.Day == 1 && During(PM, 4, PM, 7)) {
        Load("kaori01.dat");
        Line(20);
        Portrait("kaori1.gif");
        Lines(21, 29);
        F(23) = 1;
        Picture(kScene);
        Line(30);
    }
    // S4: Kaori in the morning of Day 3.
    if (F(21) < 3 && s_.Day == 3 && During(AM, 9, AM, 11)) {
        Load("kaori02.dat");
        Line(1);
        Portrait("kaori1.gif");
        Lines(2, 8);
        F(21) = 3;
        Dismiss();
        Picture(kScene);
        Line(9);
    }
    // S5: the pendant, for a hero who said yes to Hitomi.
    if (F(2) < 4 && s_.Day == 4 && F(1) == 1 && During(PM, 0, PM, 2)) {
        Load("hitomi03.dat");
        Line(1);
        Portrait("hitomi1.gif");
        Lines(2, 40);
        Dismiss();
        Picture(kScene);
        Line(41);
        F(2) = 4;
        F(1) = 3;
        Load("kaori02.dat");
        Line(50);
        Portrait("kaori1.gif");
        Lines(51, 62);
        Dismiss();
        Picture(kScene);
        Line(63);
        F(22) = 4;
        Load("hitomi03.dat");
        Lines(51, 52);
        for (const char* thought : kPresentThoughts) Say(thought);
        Lines(59, 68);
    }
}

}  // namespace velmora
