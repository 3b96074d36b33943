// The pictures of the title screen, compiled in. Decoding the sky alone
// costs a quarter of a bare window's whole start, so the pictures of the
// first frame are decoded on a worker thread while the main window is built
// and mapped; without PreloadDesignPictures() each is decoded when first
// asked for.
#pragma once

#include <QImage>

namespace velmora::qt {

// Call once, right after QApplication is made (Qt's image plugins must not
// be loaded while the application is still setting itself up).
void PreloadDesignPictures();

QImage DesignBackground();     // the sky, 639 x 471
QImage DesignTitleArt();       // 333 x 287
QImage DesignPortraitLayer();  // 640 x 480, all transparent

}  // namespace velmora::qt
