// `velmora --start-check`, the start that tools/play.sh --check makes: the
// program starts as a player's does and ends as soon as its title window
// has been painted, so that the test command sees a start that works.
#pragma once

#include <QWidget>

namespace velmora::qt {

inline constexpr const char* kStartCheckOption = "--start-check";

// Once `window` has painted its first frame, says so on standard output and
// ends the program with status 0. A window never painted ends it with status
// 1 after a minute, so that a start that hangs cannot hang the test command.
void EndOnceFirstPainted(QWidget& window);

}  // namespace velmora::qt
