#include "platform/qt/comfort_settings.h"

#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace velmora::qt {

namespace {

QSettings Open() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(folder + "/velmora/comforts.conf", QSettings::IniFormat);
}

}  // namespace

ComfortSettings ComfortSettings::Load() {
    const QSettings stored = Open();
    const ComfortSettings defaults;
    ComfortSettings loaded;
    loaded.volume = std::clamp(stored.value("music/volume", defaults.volume).toInt(), 0, 100);
    loaded.muted = stored.value("music/muted", defaults.muted).toBool();
    loaded.wheelDownPressesNext =
        stored.value("input/wheelDownPressesNext", defaults.wheelDownPressesNext).toBool();
    loaded.autoAdvance = stored.value("input/autoAdvance", defaults.autoAdvance).toBool();
    loaded.speakMessages = stored.value("speech/speakMessages", defaults.speakMessages).toBool();
    loaded.skipUnread = stored.value("input/skipUnread", defaults.skipUnread).toBool();
    return loaded;
}

void ComfortSettings::Save() const {
    QSettings stored = Open();
    stored.setValue("music/volume", volume);
    stored.setValue("music/muted", muted);
    stored.setValue("input/wheelDownPressesNext", wheelDownPressesNext);
    stored.setValue("input/autoAdvance", autoAdvance);
    stored.setValue("speech/speakMessages", speakMessages);
    stored.setValue("input/skipUnread", skipUnread);
}

}  // namespace velmora::qt
