// AdvanceClock: half an hour passes. Time moves only forward; the step that
// would begin Day 5 ends the playable days and plays the digest instead.
#include <algorithm>

#include "shell/form1.h"

namespace velmora {

void Form1::AdvanceClock() {
    // Worked out in int: an edited save can hold values near the 16-bit
    // limits, and a carry resets the unit anyway.
    int minute = s_.Minute + 30;
    if (minute >= 60) {
        s_.Minute = 0;
        int hour = s_.Hour + 1;
        s_.Hour = static_cast<int16_t>(hour >= 12 ? 0 : hour);
        if (hour >= 12) {
            int half = s_.Half + 1;
            s_.Half = static_cast<int16_t>(half >= 2 ? 0 : half);
            if (half >= 2) {
                s_.Day = static_cast<int16_t>(std::min(s_.Day + 1, 32767));
                if (s_.Day >= 5) {
                    platform_.StopSound();
                    ShowMessage("残念ながら、容量の関係で体験版はここまでです。", 0);
                    ShowMessage("これから先の展開は、ダイジェストでお知らせします。", 0);
                    PlayDigestFinale();
                }
            }
        }
    } else {
        s_.Minute = static_cast<int16_t>(minute);
    }
    UpdateClockDisplay();
}

}  // namespace velmora
