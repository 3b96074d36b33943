// Pictures of the game's working directory, found without regard to letter
// case ("title.jpg" and "title.JPG" are one file). A missing or undecodable
// file gives a null image: the control that wanted it then shows nothing.
#pragma once

#include <QImage>
#include <string>

#include "platform/posix_files.h"

namespace velmora::qt {

QImage LoadPicture(const PosixFiles& files, const std::string& name);

}  // namespace velmora::qt
