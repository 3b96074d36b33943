#include "backends/qt/comfort_settings.h"

#include <sys/stat.h>

#include <QStandardPaths>

#include "backends/posix/posix_files.h"

namespace velmora::qt {

namespace {

// $XDG_CONFIG_HOME/velmora; the folders missing on the way are made when
// the settings are first kept, private to the player as the XDG base
// directory rules ask.
PosixFiles SettingsFolder(bool make) {
    const std::string folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
        "/velmora";
    for (size_t slash = folder.find('/', 1); make && slash != std::string::npos;
         slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
    if (make) ::mkdir(folder.c_str(), 0700);
    return PosixFiles(folder);
}

}  // namespace

ComfortSettings LoadComfortSettings(std::string* why, int* unread) {
    PosixFiles folder = SettingsFolder(false);
    std::string ignored;
    return LoadComforts(folder, why ? why : &ignored, unread);
}

bool SaveComfortSettings(const ComfortSettings& settings, std::string* why) {
    PosixFiles folder = SettingsFolder(true);
    return SaveComforts(folder, settings, why);
}

}  // namespace velmora::qt
