// Where velmora-routes writes: only into a checkout of the game (started
// anywhere else it would scatter tests/routes/ and delete .in files), and
// every write checked, so that a report or a script cut short is an error.
#pragma once

#include <string>

namespace velmora::routes {

// Whether `root` is a checkout of the game: it holds the tool's own sources,
// the story's data, docs/ and tests/routes/.
bool IsGameCheckout(const std::string& root);

// Writes `text` as the whole of `path`; false, saying why on standard error,
// when it cannot.
bool WriteWhole(const std::string& path, const std::string& text);

// Removes `path`; false, saying why on standard error, when it cannot.
bool RemoveFile(const std::string& path);

}  // namespace velmora::routes
