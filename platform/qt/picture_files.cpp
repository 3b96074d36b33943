#include "platform/qt/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QtDebug>

namespace velmora::qt {

QImage LoadPicture(const PosixFiles& files, const std::string& name) {
    if (name.empty()) return {};
    ReadFailure failure;
    const Descriptor file = files.Open(name, kPictureFileLimit, &failure);
    std::optional<std::string> bytes;
    if (file.ok()) bytes = ReadAtMost(file, name, kPictureFileLimit, &failure);
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
    return reader.read();
}

}  // namespace velmora::qt
