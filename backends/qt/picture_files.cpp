#include "backends/qt/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtDebug>

namespace velmora::qt {

QImage LoadPicture(Files& files, const std::string& name) {
    if (name.empty()) return {};
    ReadFailure failure;
    const std::optional<std::string> bytes = files.Read(name, kPictureFileLimit, &failure);
    if (!bytes) {
        // A missing picture is the design's case and passes quietly; anything
        // else in its place is worth a word to whoever looks at the log.
        if (!failure.missing) qWarning("%s", failure.why.c_str());
        return {};
    }
    QByteArray data = QByteArray::fromStdString(*bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    // GIF and JPEG files are told apart by their bytes, not by their names.
    reader.setDecideFormatFromContent(true);
    // Five hundred bytes can declare a picture of 5780 × 5780 pixels, which
    // takes 128 MiB to decode: the size it declares is checked first.
    const QSize size = reader.size();
    if (reader.canRead() &&
        (!size.isValid() || qint64(size.width()) * size.height() > kPictureMostPixels)) {
        qWarning("%s は大きすぎる絵です（%d×%d、%lld 画素まで）。", name.c_str(), size.width(),
                 size.height(), static_cast<long long>(kPictureMostPixels));
        return {};
    }
    return reader.read();
}

}  // namespace velmora::qt
