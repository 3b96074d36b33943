#include "shell/story.h"

#include "finale/digest.h"
#include "places/town.h"

namespace velmora {

const Story& TheStory() {
    static const Story story{kStart,
                             {kApartment, kBreakwater, kBentoShop, kPark, kAkiraHouse, kSerubia,
                              kPcShop, kSchool, kHitomiHouse, kTennisCourt},
                             kDigest};
    return story;
}

namespace {

void Add(std::vector<StoryEvent>& list, const Event& event, const std::string& place) {
    if (event.listed) list.push_back({event.id, place, &event, nullptr});
    for (const Branch& branch : event.branches) {
        list.push_back({std::string(event.id) + " " + branch.name, place, &event, &branch});
    }
}

}  // namespace

std::vector<StoryEvent> ListEvents(const Story& story) {
    std::vector<StoryEvent> list;
    Add(list, story.start, "");
    for (const Place& place : story.places) {
        for (const Event& event : place.events) Add(list, event, place.caption);
    }
    Add(list, story.digest, "");
    return list;
}

}  // namespace velmora
