// The faces the game was designed with, mapped onto the IPA fonts that Debian
// ships: fontconfig alone would hand back DejaVu for these names, which has
// the wrong widths for Latin letters and digits.
#pragma once

#include <QFont>

namespace velmora::qt {

inline constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
inline constexpr const char* kGothic = "ＭＳ ゴシック";
inline constexpr const char* kPMincho = "ＭＳ Ｐ明朝";

// Must run before the first widget is built, or that widget keeps DejaVu.
void InstallFontSubstitutions();

// The IPA faces have no bold of their own: Qt emboldens their glyphs, but
// at the unscaled size, so that under a desktop scale factor every caption
// came out regular. Drawn as outlines, the glyphs are emboldened at their
// own size and then scaled. To be called once the application exists and
// before anything is drawn.
void KeepBoldUnderScaleFactor();

// The game draws its captions in bold unless a window says otherwise.
QFont GameFont(const char* face, double points, bool bold = true);

}  // namespace velmora::qt
