// The story map: every event of the story (ListEvents) by day and place,
// with the words the story's data gives it (data/story/storymap.txt, read
// by the game from its folder as "storymap.txt"): a short title for the
// events the player has seen, and for the others a hint, asked for one at
// a time. A hint's day, hours and place are written from the event's own
// declared window; the data says only what else the event needs.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "shell/story.h"

namespace velmora {

class Files;

struct MapEntry {
    std::string id;     // "park P3"
    std::string place;  // the menu's caption; "" for the start and the digest
    int day = 1;        // the first day it can play (5: the digest)
    std::string title;
    std::string hint;  // "4月3日の午後0時〜5時半、公園 — 防波堤の集まりに行っていたら"
    bool seen = false;
};

struct StoryMap {
    std::vector<MapEntry> entries;  // by day, then place in the menu's order
    int seen = 0;
    std::vector<std::string> problems;  // what is wrong with the data file, if anything
    // What the player is told when the file cannot be read at all, as a
    // missing scenario file is told ("" when it was read).
    std::string trouble;
};

inline constexpr char kStoryMapFile[] = "storymap.txt";

// seen: whether the player has seen the event of this id (in any game).
StoryMap ReadStoryMap(Files& files, const Story& story,
                      const std::function<bool(const std::string& id)>& seen);

// The map's own words, the same in the window and the page: a row's title
// (an unseen event's is never given away), the caption over a day's rows
// ("4月2日", and "その後" over the digest), and the count over the rows.
std::string RowTitle(const MapEntry& entry);
std::string DayCaption(int day);
std::string SeenCount(const StoryMap& map);

// The day and hours of an event's window and its place, as a hint says them:
// "4月3日の午後0時〜5時半、公園".
std::string WhenAndWhere(const Guard& window, const std::string& place);

}  // namespace velmora
