// Scales a window of the game as a whole: every widget's geometry, font and
// picture by one factor from its design, so that text is drawn at the new
// size rather than stretched as a bitmap. Factor 1 restores the design.
#pragma once

#include <QPoint>
#include <QWidget>

namespace velmora::qt {

// offset: where the design's top-left corner lands inside the window.
void ScaleWindowContents(QWidget* window, double scale, QPoint offset = {});

}  // namespace velmora::qt
