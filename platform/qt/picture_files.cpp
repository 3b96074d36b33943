#include "platform/qt/picture_files.h"

#include <QImageReader>
#include <QString>

namespace velmora::qt {

QImage LoadPicture(const PosixFiles& files, const std::string& name) {
    if (name.empty()) return {};
    QImageReader reader(QString::fromStdString(files.Resolve(name)));
    // GIF and JPEG files are told apart by their bytes, not by their names.
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace velmora::qt
