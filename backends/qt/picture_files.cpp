#include "backends/qt/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtDebug>

#include "backends/qt/picture_format.h"

namespace velmora::qt {

QImage LoadPicture(Files& files, const std::string& name, std::string* refused) {
    if (name.empty()) return {};
    ReadFailure failure;
    const std::optional<std::string> bytes = files.Read(name, kPictureFileLimit, &failure);
    if (!bytes) {
        // A missing picture is the design's case and passes quietly; anything
        // else in its place is worth a word to whoever looks at the log.
        if (!failure.missing) qWarning("%s", failure.why.c_str());
        if (!failure.missing && refused) *refused = failure.why;
        return {};
    }
    std::string why;
    QImage picture = DecodePicture(*bytes, name, &why);
    if (!why.empty()) qWarning("%s", why.c_str());
    if (refused) *refused = why;
    return picture;
}

namespace {

// A GIF is drawn on its logical screen, whatever its first frame declares:
// the reader's size is the frame's, the picture it makes the screen's.
QSize GifScreen(const std::string& bytes) {
    if (bytes.size() < 10) return {};
    const auto at = [&](size_t i) {
        return static_cast<int>(static_cast<unsigned char>(bytes[i]));
    };
    return {at(6) | at(7) << 8, at(8) | at(9) << 8};
}

bool TooLarge(QSize size) {
    return qint64(size.width()) * size.height() > kPictureMostPixels;
}

}  // namespace

QImage DecodePicture(const std::string& bytes, const std::string& name, std::string* why) {
    const PictureCheck check = CheckPicture(bytes);
    if (check.format == PictureFormat::kNone) {
        *why = name + " は絵として使えません（" + check.why + "）。";
        return {};
    }
    const bool jpeg = check.format == PictureFormat::kJpeg;
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    // That format's reader alone, whatever the bytes look like to the others.
    QImageReader reader(&buffer, jpeg ? "jpeg" : "gif");
    reader.setAutoDetectImageFormat(false);
    // Five hundred bytes can declare a picture of 5780 × 5780 pixels, which
    // takes 128 MiB to decode: the size it declares is checked first.
    const QSize frame = reader.size();
    const std::string unreadable =
        name + " は絵として使えません（" + (jpeg ? "JPEG" : "GIF") + " として読めません）。";
    if (!reader.canRead() || !frame.isValid()) {
        *why = unreadable;
        return {};
    }
    const QSize size = jpeg ? frame : frame.expandedTo(GifScreen(bytes));
    if (TooLarge(size)) {
        *why = name + " は大きすぎる絵です（" + std::to_string(size.width()) + "×" +
               std::to_string(size.height()) + "、" + std::to_string(kPictureMostPixels) +
               " 画素まで）。";
        return {};
    }
    QImage picture = reader.read();
    if (picture.isNull() || TooLarge(picture.size())) {
        *why = unreadable;
        return {};
    }
    return picture;
}

}  // namespace velmora::qt
