// How a scenario file is cut into items, the way the game's writers rely on:
// items end at a comma or a line end; spaces before an item are skipped; an
// item that starts with a double quote runs to the next one and the rest up
// to the comma or line end is dropped; an empty line is an empty item; the
// line end after the last item makes no extra item.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The most the game reads of a scenario file. The shipped ones hold some
// 6 KB; a file past this is refused unread rather than cut into lines the
// game would never show.
constexpr size_t kScenarioFileLimit = 4 * 1024 * 1024;

struct Item {
    std::string text;
    bool quoted = false;
};

// Cuts decoded text into items, the first `most` of them at most. CR LF, a
// lone CR and a lone LF all end a line. Blanks at the end of an unquoted
// item are dropped.
std::vector<Item> ReadItems(std::string_view text,
                            size_t most = std::numeric_limits<size_t>::max());

}  // namespace velmora
