// The player's comforts (volume, wheel, auto-advance and its pace, the text's
// speed, speech, skipping, larger text) and
// the file that keeps them, comforts.conf in the player's own settings
// folder: an INI file ("[music]", "volume=40"), as the window program has
// always written it. The game's own options and its save slots never hold
// them. The file is read and written as the game's other files are: only a
// regular file (or a link to one) is read, never more than it can hold, and
// it is replaced whole, never written through a link.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>

#include "platform/files.h"
#include "player/comfort_timing.h"

namespace velmora {

struct ComfortSettings {
    int volume = 100;  // 0..100, a position on a logarithmic (perceived) scale
    bool muted = false;
    bool wheelDownPressesNext = false;
    bool autoAdvance = false;
    bool speakMessages = false;
    bool skipUnread = false;  // skipping passes messages not read yet too
    bool largerText = false;  // the whole window drawn half as large again
    int autoAdvancePace = timing::kDefaultAutoAdvancePace;  // in timing::kAutoAdvancePaces
    int textSpeed = timing::kDefaultTextSpeed;              // in timing::kTextSpeeds

    // 0..1 on the logarithmic scale, 0 when muted.
    float PerceivedVolume() const { return muted ? 0.0f : volume / 100.0f; }
    // The window's size over its design's, where the screen has room for it:
    // larger text keeps the design's layout, every window scaled as a whole
    // as full screen scales it, so no line of a message wraps otherwise.
    double WindowScale() const { return largerText ? 1.5 : 1.0; }
    bool operator==(const ComfortSettings&) const = default;
};

// A position on the logarithmic scale as the sound's gain, 0..1 (the scale
// Qt Multimedia converts with: a hundredfold from the first step to the last).
inline float LinearVolume(float perceived) {
    if (perceived <= 0.0f) return 0.0f;
    if (perceived >= 0.99f) return 1.0f;
    return -std::log(1.0f - perceived) / std::log(100.0f);
}

inline constexpr char kComfortsFile[] = "comforts.conf";
// The file holds some 150 bytes.
inline constexpr size_t kComfortsFileLimit = 64 * 1024;

// The settings a file's text holds, as a player or an editor may have
// written it (a byte-order mark, CR LF, spaces, "; a comment" after a value
// or on a line of its own); what it lacks, or holds in a form of no
// setting, stays as the defaults. *unread: how many of the settings it
// names have a value of no form the game reads (a player's slip in an
// editor), which the player is told.
ComfortSettings ParseComforts(const std::string& text, int* unread = nullptr);
// The file as this version writes it afresh.
std::string FormatComforts(const ComfortSettings& settings);

// The settings kept in `folder`: the defaults when there is no file, and
// when the file cannot be read (*why then says why); *unread as ParseComforts.
ComfortSettings LoadComforts(Files& folder, std::string* why, int* unread = nullptr);
// Keeps them there, with the keys and sections of the file this version
// does not know (a newer version's). A file that is there but cannot be
// read is left as it is: false, with *why, as when the new file could not
// be written.
bool SaveComforts(Files& folder, const ComfortSettings& settings, std::string* why);

}  // namespace velmora
