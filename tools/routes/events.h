// The events of the story as the explorer tells them apart: every event of
// every place, each part of one that plays only sometimes (an answer, the
// lines after the gathering), the start and the digest, in the order of the
// story's own list (shell/story.h). The game tells each as it begins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::routes {

using EventSet = uint64_t;  // one bit per event

struct EventDef {
    std::string name;   // "park P1", "park P1 YES", "digest"
    std::string place;  // menu caption of its place; "" for the start and the digest
    int whole = 0;      // the first event of the scene it is a part of (itself, if whole)
};

// Every event, in the order of the report.
const std::vector<EventDef>& Events();
int EventCount();
int EventIndex(const std::string& name);  // -1 for none
int DigestEvent();

// The ten places as the menu names them, in menu order.
const std::vector<std::string>& PlaceCaptions();

// The event's name as a file name: "park P1 YES" -> "park-P1-YES".
std::string Slug(int event);

}  // namespace velmora::routes
