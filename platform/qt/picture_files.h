// Pictures of the game's working directory, found without regard to letter
// case ("title.jpg" and "title.JPG" are one file). A missing or undecodable
// file gives a null image: the control that wanted it then shows nothing;
// so does anything but a regular file under the name (a pipe, a device, a
// folder) and a file past kPictureFileLimit, which are never read.
#pragma once

#include <QImage>
#include <string>

#include "platform/posix_files.h"

namespace velmora::qt {

// The shipped pictures are 42 KB at most.
constexpr size_t kPictureFileLimit = 16 * 1024 * 1024;

QImage LoadPicture(const PosixFiles& files, const std::string& name);

}  // namespace velmora::qt
