// The album's tiles as the window program shows them: every picture of the
// story's album (app/album_pictures.h), marked seen from the player's
// record, and its pictures read from the game's folder.
#pragma once

#include "backends/qt/album_window.h"
#include "platform/files.h"
#include "player/read_record.h"

namespace velmora {

qt::AlbumView AlbumRows(Files& gameFiles, const ReadRecord& record);

}  // namespace velmora
