// Hitomi's question of Day 1. The hero meets her at the park or at Serubia,
// whichever he comes to first; his answer decides her route for the rest of
// the spring break. Only at the park does she leave the scene after a yes.
#include "shell/form1.h"

namespace velmora {

void Form1::HitomisQuestion(const std::string& placePicture, bool dismissAfterYes) {
    Load("hitomi01.dat");
    Portrait("hitomi1.gif");
    Lines(1, 16);
    if (Ask(17)) {
        F(1) = 1;
        Lines(18, 25);
        if (dismissAfterYes) Dismiss();
        Picture(placePicture);
        Line(26);
    } else {
        F(1) = 2;
        Lines(27, 34);
        Picture(placePicture);
        Line(35);
    }
}

}  // namespace velmora
