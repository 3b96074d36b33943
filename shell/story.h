// The whole story as the game plays it: the start, the ten places of the
// town in the order of the menu, and the digest. The game plays from here,
// and the tools read every event, its place, days and hours from here too.
#pragma once

#include <string>
#include <vector>

#include "places/event.h"
#include "platform/platform.h"
#include "presentation/clock_display.h"

namespace velmora {

struct Story {
    Event start;                // the introduction and Kumi's invitation
    std::vector<Place> places;  // as the menu lists them, the hero's home first
    Event digest;
};

const Story& TheStory();
extern const Event kStart;  // the start of a new game (shell/start_up.cpp)

// What a new game begins with: the story flags as new (the music on, the
// portraits prepared), the hero's own names, his home (the story's first
// place) at AM 9:00 of Day 1, the main window where it was designed. The
// rest of `s` (what the windows hand one another, the lines read last) stays.
void NewGame(const Story& story, GameState& s);

// One event of the story as its lists know it: "park P1", "park P1 YES".
struct StoryEvent {
    std::string id;
    std::string place;     // the menu's caption; "" for the start and the digest
    const Event* event;    // its declaration; for a part, the event it is part of
    const Branch* branch;  // the part, or nothing
};

// In the order of the story map: the start, the places as the menu lists
// them (each event followed by its parts), the digest.
std::vector<StoryEvent> ListEvents(const Story& story);

// Every name the places go by on the clock's place plate, in the menu's
// order, each place's rooms after it.
std::vector<std::string> Plates(const Story& story);

// Every scene picture of the places, with what a screen reader reads of it:
// the place as the menu names it, a room by its plate.
std::vector<NamedPicture> Scenes(const Story& story);

// The pictures that show no place, in the order the story shows them (the
// digest's scenes, the two endings), each with what a screen reader reads.
std::vector<NamedPicture> Stills(const Story& story);

// A plate's name as the menu writes its place ("ﾊﾟｿｺﾝｼｮｯﾌﾟ" →
// "パソコンショップ"); a room's plate, or one no place goes by, as it is.
std::string MenuName(const Story& story, const std::string& plate);

// Every plate of Plates with what a screen reader reads of it (MenuName).
std::vector<NamedPlate> NamedPlates(const Story& story);

}  // namespace velmora
