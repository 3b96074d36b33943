#include "player/album.h"

#include <algorithm>
#include <cctype>

namespace velmora::album {
namespace {

struct LightName {
    Light light;
    const char* key;    // "" for the day's: the picture as it was painted
    const char* words;  // "" for the day's
};

// From first light to night, as the day goes by.
constexpr LightName kLights[] = {
    {Light::Dawn, "dawn", "明け方"},   {Light::Day, "", ""},
    {Light::LowSun, "lowsun", "夕方"}, {Light::Sunset, "sunset", "夕焼け"},
    {Light::Dusk, "dusk", "夕暮れ"},   {Light::Night, "night", "夜"},
};

const LightName& NameOf(Light light) {
    for (const LightName& name : kLights) {
        if (name.light == light) return name;
    }
    return kLights[1];
}

// A picture two places share is in the album once.
void Add(std::vector<Picture>& album, Picture picture) {
    const auto same = [&](const Picture& p) { return p.key == picture.key; };
    if (std::none_of(album.begin(), album.end(), same)) album.push_back(std::move(picture));
}

// Half hour 37 is "PM 6:30", as the clock shows it.
std::string TimeOf(int halfHour) {
    return std::string(halfHour < 24 ? "AM " : "PM ") + std::to_string(halfHour % 24 / 2) +
           (halfHour % 2 ? ":30" : ":00");
}

bool Falls(const Scene& scene, Light light) {
    for (int halfHour = scene.from; halfHour <= scene.to; ++halfHour) {
        if (LightOf(scene.picture.file, TimeOf(halfHour)) == light) return true;
    }
    return false;
}

}  // namespace

std::string Key(std::string_view file, Light light) {
    std::string key;
    for (const char c : file) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const LightName& name = NameOf(light);
    if (*name.key) key.append(" ").append(name.key);
    return key;
}

std::vector<Picture> Pictures(const std::vector<Scene>& scenes,
                              const std::vector<NamedPicture>& stills) {
    std::vector<Picture> album;
    for (const Scene& scene : scenes) {
        const NamedPicture& picture = scene.picture;
        for (const LightName& name : kLights) {
            if (!Falls(scene, name.light)) continue;
            const std::string words =
                *name.words ? picture.words + "（" + name.words + "）" : picture.words;
            Add(album, {Key(picture.file, name.light), picture.file, name.light, words});
        }
    }
    for (const NamedPicture& still : stills) {
        Add(album, {Key(still.file, Light::Day), still.file, Light::Day, still.words});
    }
    return album;
}

}  // namespace velmora::album
