// Pictures of the game's working directory, found without regard to letter
// case ("title.jpg" and "title.JPG" are one file). A missing or undecodable
// file gives a null image: the control that wanted it then shows nothing;
// so does anything but a regular file under the name (a pipe, a device, a
// folder) and a file past kPictureFileLimit, which are never read, anything
// but a JPEG or a GIF (backends/qt/picture_format.h), never given to a
// reader, and a picture that declares more than kPictureMostPixels, which is
// never decoded. Each refusal is said on standard error with the file's name,
// and given in *refused where asked.
#pragma once

#include <QImage>
#include <string>

#include "platform/files.h"

namespace velmora::qt {

// The shipped pictures are 42 KB at most.
constexpr size_t kPictureFileLimit = 16 * 1024 * 1024;
// The largest shipped picture is 609 × 425 pixels; one of 2048 × 2048 takes
// 16 MiB decoded.
constexpr qint64 kPictureMostPixels = 2048 * 2048;

QImage LoadPicture(Files& files, const std::string& name, std::string* refused = nullptr);

// The picture the bytes hold, decoded only as the format their first bytes
// say, by that format's reader alone; a null image and *why (the sentence
// that names it) when it is not decoded.
QImage DecodePicture(const std::string& bytes, const std::string& name, std::string* why);

}  // namespace velmora::qt
