// What a picture file is, told by the game from its first bytes before any
// reader sees it. The game's pictures are JPEG and GIF files; anything else
// (an SVG document, which may name other files and addresses, a PNG, any
// format a reader of the system knows) is never decoded. A JPEG's scans are
// counted from its markers: the decoder goes over the whole picture once a
// scan, so a few bytes a scan can hold the window for seconds.
#pragma once

#include <string>
#include <string_view>

namespace velmora::qt {

enum class PictureFormat { kNone, kJpeg, kGif };

// A progressive JPEG has some ten scans; the shipped pictures have one.
constexpr int kMostJpegScans = 100;

struct PictureCheck {
    PictureFormat format = PictureFormat::kNone;
    std::string why;  // kNone: why the bytes are no picture of the game's, in its words
};

PictureCheck CheckPicture(std::string_view bytes);

// The scans (start-of-scan markers) of a JPEG up to its end marker or the
// end of its bytes, counted no further than one past `most`.
int CountJpegScans(std::string_view bytes, int most);

}  // namespace velmora::qt
