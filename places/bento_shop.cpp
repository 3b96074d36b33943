// VisitBentoShop: open around the clock, but the girl at the counter works
// only in the afternoon. She talks to the hero at most once for each day
// begun, and from Day 3 on at most once for each day begun since Day 3.
#include "places/town.h"

namespace velmora {
namespace {

constexpr const char* kScene = "hokabenya.jpg";
const Times kAtTheCounter = During(PM, 1, PM, 6);

bool TalkedEnough(const GameState& s) {
    const int talks = s.flag(Flag::BentoTalks);
    const int lateTalks = s.flag(Flag::BentoTalksFromDay3);
    return !(s.Day >= talks + 1 && (s.Day < 3 || s.Day >= lateTalks + 3));
}
const Rule kTalkedEnough{"she has talked to him once for each day begun",
                         TalkedEnough,
                         {Flag::BentoTalks, Flag::BentoTalksFromDay3}};

void VisitBentoShop(Visit& v) {
    v.Plus30();
    v.PlaceIs();
    v.Redraw();
    v.Load("ryouko01.dat");
    if (!v.During(kAtTheCounter)) {
        v.PlaceIs();
        v.Picture(kScene);
        v.Say("「二十四時間営業の店だけど、今は男の店員しかいない。……つまらん。」");
        return;
    }
    v.PlayEvents();
}

// The girl at the counter: a word without a talk, or her talk of the day.
void AtTheCounter(Visit& v) {
    if (v.Branch("quiet visit")) {
        v.Dismiss();
        v.PlaceIs();
        v.Picture(kScene);
        v.Line(22);
        return;
    }
    v.Dismiss();
    v.PlaceIs();
    v.Picture(kScene);
    v.Say("*：「ここは弁当屋。オレもしょっちゅう世話になってるんだ。」");
    v.Count(Flag::BentoTalks);
    if (v.Day() >= 3) v.Count(Flag::BentoTalksFromDay3);
    v.Portrait("ryouko1.gif");
    v.Lines(1, 3);
    if (v.Branch("first talk")) {
        v.Lines(4, 12);  // the first time she serves him
    } else {
        v.Branch("later talk");
        v.Line(10);
    }
    // Then the talk of the day.
    if (v.Branch("talk day 1")) {
        v.Lines(15, 16);
        v.Dismiss();
        v.Picture(kScene);
        v.Line(19);
    } else if (v.Branch("talk day 2")) {
        v.Lines(17, 18);
        v.Dismiss();
        v.Picture(kScene);
        v.Line(19);
    } else if (v.Branch("talk day 3")) {
        v.Lines(28, 31);
        v.Dismiss();
        v.Picture(kScene);
        v.Line(32);
    } else if (v.Branch("talk day 4")) {
        v.Lines(33, 34);
        v.Dismiss();
        v.Picture(kScene);
        v.Line(35);
    }
}

}  // namespace

const Place kBentoShop{"弁当屋",
                       kScene,
                       VisitBentoShop,
                       {
                           {"bento shop",
                            Guard(kAtTheCounter),
                            {},
                            AtTheCounter,
                            {{"first talk", Flag::BentoTalks == 1},
                             {"later talk", {}},
                             {"talk day 1", Day(1)},
                             {"talk day 2", Day(2)},
                             {"talk day 3", Day(3)},
                             {"talk day 4", Day(4)},
                             {"quiet visit", kTalkedEnough}},
                            false},
                       }};

}  // namespace velmora
