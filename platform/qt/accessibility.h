// Names and descriptions of the game's buttons for assistive technology
// (AT-SPI through Qt): a screen reader says what each button does.
#pragma once

#include <QWidget>

namespace velmora::qt {

// Every button of a game window; those already described are kept.
void DescribeButtons(QWidget* window);

}  // namespace velmora::qt
