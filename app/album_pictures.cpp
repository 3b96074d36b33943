#include "app/album_pictures.h"

#include "shell/story.h"

namespace velmora {

namespace {

// Each scene of the places with the hours its place is open (a room's, its
// place's), in the menu's order.
std::vector<album::Scene> OpenScenes(const Story& story) {
    const std::vector<NamedPicture> named = Scenes(story);
    std::vector<album::Scene> scenes;
    for (const Place& place : story.places) {
        const int from = place.open.fromHalf * 24 + place.open.fromHour * 2;
        const int to = place.open.toHalf * 24 + place.open.toHour * 2 + 1;
        std::vector<const char*> files = {place.scene};
        files.insert(files.end(), place.roomScenes.begin(), place.roomScenes.end());
        for (const char* file : files) {
            for (const NamedPicture& picture : named) {
                if (picture.file == file) scenes.push_back({picture, from, to});
            }
        }
    }
    return scenes;
}

}  // namespace

const std::vector<album::Picture>& TheAlbum() {
    static const std::vector<album::Picture> pictures =
        album::Pictures(OpenScenes(TheStory()), Stills(TheStory()));
    return pictures;
}

}  // namespace velmora
