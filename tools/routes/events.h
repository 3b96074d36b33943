// The events of the story as the explorer tells them apart: every scene of
// every place (named as the place handlers' comments name them), each branch
// of a question, the start and the digest. An event is seen playing when its
// first distinctive scenario item is shown during a visit of its place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/routes/marker_files.h"

namespace velmora::routes {

using EventSet = uint64_t;  // one bit per event

struct EventDef {
    std::string name;    // "park P1", "park P1 YES", "digest"
    std::string place;   // menu caption of its place; "" for the start and the digest
    ItemId marker = -1;  // the item that shows it played
    ItemId after = -1;   // if set, the marker counts only right after this item
};

// Every event, in the order of the report.
const std::vector<EventDef>& Events();
int EventCount();
int DigestEvent();

// The ten places as the menu names them, in menu order.
const std::vector<std::string>& PlaceCaptions();

// The index of a place in PlaceCaptions(), or -1 ("" is the start).
int PlaceIndex(const std::string& caption);

// Finds the event a shown item starts, given the place being visited (-1 at
// the start) and the item shown just before it in the same turn. -1 if none.
int EventStartedBy(int place, ItemId item, ItemId previous);

// The event's name as a file name: "park P1 YES" -> "park-P1-YES".
std::string Slug(int event);

}  // namespace velmora::routes
