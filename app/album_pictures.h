// The album of this story: its places' scenes and its stills as the story
// names them (shell/story.h), laid out by the album's rule (player/album.h).
#pragma once

#include <vector>

#include "player/album.h"

namespace velmora {

const std::vector<album::Picture>& TheAlbum();

}  // namespace velmora
