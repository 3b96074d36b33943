// The player's comforts (volume, wheel, auto-advance, speech, skipping), kept in the
// player's own settings file under the XDG config folder. The game's own
// options and its save slots never hold them.
#pragma once

namespace velmora::qt {

struct ComfortSettings {
    int volume = 100;  // 0..100, a position on a logarithmic (perceived) scale
    bool muted = false;
    bool wheelDownPressesNext = false;
    bool autoAdvance = false;
    bool speakMessages = false;
    bool skipUnread = false;  // skipping passes messages not read yet too

    static ComfortSettings Load();
    void Save() const;
    // 0..1 on the logarithmic scale, 0 when muted.
    float PerceivedVolume() const { return muted ? 0.0f : volume / 100.0f; }
};

}  // namespace velmora::qt
