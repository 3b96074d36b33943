// PlayDigestFinale: the end of the playable days, told as the story's last event.
#pragma once

#include <string>
#include <vector>

#include "places/visit.h"

namespace velmora {

void PlayDigestFinale(Visit& v);
extern const Event kDigest;
// The pictures the digest shows, in its order: its scenes', then the endings'.
std::vector<std::string> DigestPictures();

}  // namespace velmora
