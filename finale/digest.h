// PlayDigestFinale: the end of the playable days, told as the story's last event.
#pragma once

#include "places/visit.h"

namespace velmora {

void PlayDigestFinale(Visit& v);
extern const Event kDigest;

}  // namespace velmora
