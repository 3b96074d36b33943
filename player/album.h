// The album (アルバム): every picture the game shows that a player may look
// at again outside the story, in the album's order: each scene of the
// places in every light the hour lays over it (player/scene_light.h), then
// the digest's stills and the two ending pictures. A picture counts as seen
// once it has been in view in that light, in any game; the player's record
// keeps it by its key (player/read_record.h). The window program and the
// page show the same list, asked of this rule.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "player/scene_light.h"

namespace velmora::album {

// The album's window and its entry in the menus.
inline constexpr char kTitle[] = "アルバム";
// What a tile of a picture not yet seen reads as: nothing of the picture.
inline constexpr char kUnseenWords[] = "まだ見ていない絵";

struct Picture {
    std::string key;  // as the player's record keeps it: "kouen.jpg", "kouen.jpg night"
    std::string file;
    Light light = Light::Day;
    std::string words;  // what a screen reader reads of it: "公園（夜）"

    bool operator==(const Picture&) const = default;
};

// A place's scene picture with its words, and the half hours of the day it
// can be in view, from and to (0: AM 0:00, 47: PM 11:30): a light that
// never falls then is not in the album, which keeps no tile blank for ever.
struct Scene {
    NamedPicture picture;
    int from = 0;
    int to = 47;
};

// scenes: in the menu's order; stills: the pictures that show no place, in
// the order the story shows them.
std::vector<Picture> Pictures(const std::vector<Scene>& scenes,
                              const std::vector<NamedPicture>& stills);

// The record's key of a picture in view in this light ("kouen.jpg dusk");
// the file's letters as the game finds them, whatever their case.
std::string Key(std::string_view file, Light light);

}  // namespace velmora::album
