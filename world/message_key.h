// How the read-text record knows a message again. A line of a scenario file
// goes by the file, its item and a fingerprint of its text, so that a
// scenario file that changes no longer counts what it changed as read; a
// text of the program's own goes by a fingerprint of the text itself, as
// written, before the hero's name is put in.
#pragma once

#include <string>

namespace velmora {

std::string LineKey(const std::string& file, int item, const std::string& text);
std::string TextKey(const std::string& text);

}  // namespace velmora
