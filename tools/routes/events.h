// The events of a story as the explorer tells them apart: every event of
// every place, each part of one that plays only sometimes (an answer, the
// lines after the gathering), the start and the digest, in the order of the
// story's own list (shell/story.h). The game tells each as it begins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/story.h"

namespace velmora::routes {

using EventSet = uint64_t;  // one bit per event

struct EventDef {
    std::string name;   // "park P1", "park P1 YES", "digest"
    std::string place;  // menu caption of its place; "" for the start and the digest
    int whole = 0;      // the first event of the scene it is a part of (itself, if whole)
};

// The events and places of the story explored, which must outlive it.
class StoryEvents {
  public:
    explicit StoryEvents(const Story& story);

    const Story& story() const { return *story_; }
    // Every event, in the order of the report.
    const std::vector<EventDef>& list() const { return events_; }
    int count() const { return static_cast<int>(events_.size()); }
    int Index(const std::string& name) const;  // -1 for none
    int digest() const { return digest_; }
    // The places as the menu names them, in menu order.
    const std::vector<std::string>& places() const { return places_; }
    // The event's name as a file name: "park P1 YES" -> "park-P1-YES".
    std::string Slug(int event) const;

  private:
    const Story* story_;
    std::vector<EventDef> events_;
    std::vector<std::string> places_;
    int digest_ = -1;
};

}  // namespace velmora::routes
