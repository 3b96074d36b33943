// Hitomi's question of Day 1. The hero meets her at the park or at Serubia,
// whichever he comes to first; his answer decides her route for the rest of
// the spring break. Only at the park does she leave the scene after a yes.
#include "places/town.h"

namespace velmora {

void HitomisQuestion(Visit& v, const std::string& placePicture, bool dismissAfterYes) {
    v.Load("hitomi01.dat");
    v.Portrait("hitomi1.gif");
    v.Lines(1, 16);
    if (v.Ask(17)) {
        v.Branch("YES");
        v.Set(Flag::HitomisAnswer, 1);
        v.Lines(18, 25);
        if (dismissAfterYes) v.Dismiss();
        v.Picture(placePicture);
        v.Line(26);
    } else {
        v.Branch("NO");
        v.Set(Flag::HitomisAnswer, 2);
        v.Lines(27, 34);
        v.Picture(placePicture);
        v.Line(35);
    }
}

}  // namespace velmora
