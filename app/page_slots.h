// What the web page checks and asks of its save slots, with the desktop
// game's own reader and in the game's words: slot files the player brings
// in are read as a load reads a slot (the same limits), and asked about
// where they would replace a save or load only in part; a save into a slot
// that another tab saved into since it was listed asks first.
#pragma once

#include <string>

#include "backends/web/slot_upload.h"
#include "platform/files.h"

namespace velmora {

web::UploadVerdict CheckUpload(Files& files, const web::Upload& upload);

// The question before a save replaces the slot another tab wrote (in the
// game's message window); it reads the slot to say what it holds now.
std::string ChangedSlotQuestion(Files& files, const std::string& slot);

}  // namespace velmora
