#include "backends/qt/picture_format.h"

namespace velmora::qt {
namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;

unsigned char Byte(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// Markers that stand alone, without a length: the restarts inside a scan's
// data, and TEM.
bool StandsAlone(unsigned char code) {
    return code == 0x01 || (code >= 0xD0 && code <= 0xD7);
}

// Where the scan's coded data that begins at `at` ends: at the next marker
// that is not a stuffed byte (FF 00), a restart or a fill byte. One pass
// over the bytes: a file may be all markers.
size_t EndOfScanData(std::string_view bytes, size_t at) {
    for (; at + 1 < bytes.size(); ++at) {
        if (Byte(bytes, at) != kMarker) continue;
        const unsigned char code = Byte(bytes, at + 1);
        if (code != 0x00 && code != kMarker && !StandsAlone(code)) return at;
    }
    return bytes.size();
}

}  // namespace

int CountJpegScans(std::string_view bytes, int most) {
    int scans = 0;
    size_t at = 2;  // past the start of the image
    while (scans <= most && at < bytes.size()) {
        // As the decoder does: stray bytes before a marker are passed over,
        // and so are its fill bytes and a stuffed zero.
        while (at < bytes.size() && Byte(bytes, at) != kMarker) ++at;
        while (at < bytes.size() && Byte(bytes, at) == kMarker) ++at;
        if (at >= bytes.size()) break;
        const unsigned char code = Byte(bytes, at++);
        if (code == kEndOfImage) break;
        if (code == 0x00 || StandsAlone(code)) continue;
        if (at + 2 > bytes.size()) break;
        at += static_cast<size_t>(Byte(bytes, at) << 8 | Byte(bytes, at + 1));
        if (code != kStartOfScan) continue;
        ++scans;
        at = EndOfScanData(bytes, at);
    }
    return scans;
}

PictureCheck CheckPicture(std::string_view bytes) {
    if (bytes.empty()) return {PictureFormat::kNone, "空のファイルです"};
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"))
        return {PictureFormat::kGif, ""};
    if (!bytes.starts_with("\xFF\xD8\xFF"))
        return {PictureFormat::kNone, "JPEG でも GIF でもありません"};
    const int scans = CountJpegScans(bytes, kMostJpegScans);
    if (scans == 0) return {PictureFormat::kNone, "JPEG として読めません"};
    if (scans > kMostJpegScans)
        return {PictureFormat::kNone,
                "JPEG のスキャンが " + std::to_string(kMostJpegScans) + " を超えています"};
    return {PictureFormat::kJpeg, ""};
}

}  // namespace velmora::qt
