// The window program's picture reader, as any bytes may lie in a picture
// file. Only what begins as a GIF or a JPEG reaches a reader, that format's
// alone, and a JPEG of more scans than a picture needs never does; what is
// decoded is within the game's pixels; what is not says why, naming the file.
#include <QCoreApplication>
#include <climits>
#include <cstdint>
#include <string>

#include "backends/qt/picture_files.h"
#include "backends/qt/picture_format.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velmora::qt;
    static int argc = 1;
    static char program[] = "fuzz_picture";
    static char* argv[] = {program, nullptr};
    static QCoreApplication app(argc, argv);  // the readers are the application's plugins

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const PictureCheck check = CheckPicture(bytes);
    FUZZ_CHECK((check.format == PictureFormat::kNone) != check.why.empty());
    FUZZ_CHECK(check.format != PictureFormat::kGif || bytes.starts_with("GIF87a") ||
               bytes.starts_with("GIF89a"));
    const int scans = CountJpegScans(bytes, INT_MAX);
    FUZZ_CHECK(CountJpegScans(bytes, kMostJpegScans) == std::min(scans, kMostJpegScans + 1));
    FUZZ_CHECK(check.format != PictureFormat::kJpeg ||
               (bytes.starts_with("\xFF\xD8\xFF") && scans >= 1 && scans <= kMostJpegScans));

    std::string why;
    const QImage picture = DecodePicture(bytes, "apart.jpg", &why);
    FUZZ_CHECK(picture.isNull() != why.empty());
    FUZZ_CHECK(why.empty() || why.starts_with("apart.jpg は"));
    FUZZ_CHECK(check.format != PictureFormat::kNone || picture.isNull());
    FUZZ_CHECK(qint64(picture.width()) * picture.height() <= kPictureMostPixels);
    return 0;
}
