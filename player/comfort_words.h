// What the comforts say, in the window program and the web page alike: the
// short notices of the keys that change a comfort (M, A; also when a click
// turns auto-advance off), and the key help of the settings window.
#pragma once

#include <string>

namespace velmora::words {

// "音楽を消しました" / "音楽を戻しました".
const char* MusicNotice(bool muted);
// "自動送り：オン" / "自動送り：オフ".
const char* AutoAdvanceNotice(bool on);

enum class FrontEnd { kWindow, kPage };

// The keys of the comforts, one line each: the same keys on both front
// ends, with what only one of them has.
std::string KeyHelp(FrontEnd frontEnd);

}  // namespace velmora::words
