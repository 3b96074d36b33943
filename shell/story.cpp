#include "shell/story.h"

#include "finale/digest.h"
#include "places/town.h"
#include "presentation/pictures.h"

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

std::vector<std::string> Plates(const Story& story) {
    std::vector<std::string> plates;
    for (const Place& place : story.places) {
        if (place.plates.empty()) plates.emplace_back(place.caption);
        plates.insert(plates.end(), place.plates.begin(), place.plates.end());
    }
    return plates;
}

std::vector<NamedPicture> Scenes(const Story& story) {
    std::vector<NamedPicture> scenes;
    for (const Place& place : story.places) {
        scenes.push_back({place.scene, place.caption});
        for (size_t room = 0; room < place.roomScenes.size(); ++room) {
            scenes.push_back({place.roomScenes[room], place.plates.at(room + 1)});
        }
    }
    return scenes;
}

std::vector<NamedPicture> Stills(const Story& story) {
    const std::vector<NamedPicture> scenes = Scenes(story);
    std::vector<NamedPicture> stills;
    for (const std::string& file : DigestPictures())
        stills.push_back({file, PictureWords(scenes, file)});
    return stills;
}

std::string MenuName(const Story& story, const std::string& plate) {
    for (const Place& place : story.places) {
        if (plate == place.plate()) return place.caption;
    }
    return plate;
}

std::vector<NamedPlate> NamedPlates(const Story& story) {
    std::vector<NamedPlate> named;
    for (const std::string& plate : Plates(story)) named.push_back({plate, MenuName(story, plate)});
    return named;
}

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
