// The story flags by name. Flags(0) .. Flags(135) are numbered as the save
// slots hold them, so these numbers never change; everywhere else the game
// names a flag by what it means. Most flags of a thread hold the day of its
// last scene played: a scene of day d plays only while the flag is below d
// (or 0, for the first scene) and then sets it to d.
#pragma once

#include <cstdint>

namespace velmora {

enum class Flag : int16_t {
    // Hitomi
    HitomisAnswer = 1,     // 0 not met yet; 1 YES, 2 NO at her question; 3 the pendant was chosen
    HitomiPendantDay = 2,  // Serubia Day 1, her house Day 2, the court Day 3, the pendant Day 4
    HitomiBreakwaterDay = 3,  // the park Day 1, the court Day 2, the breakwater Day 3
    HitomiHomeDay = 4,        // the school Day 1, the PC shop Day 2, her house Day 3
    // Kaori
    KaoriMorningDay = 21,  // Serubia Day 3, the court Day 4
    KaoriParkDay = 22,     // the court Day 1, the school Day 2, the park Day 3; 4 after the pendant
    KaoriApartmentDay = 23,  // Serubia Day 1, at the hero's door Day 4
    // Kumi
    KumisInvitation = 41,  // her invitation at the start: 1 YES, 2 NO
    KumiAndAkiraDay = 45,  // Akira's evening visit Day 1, Kumi at the door Day 3
    KumisCall = 46,        // 1 her telephone call of Day 2; 3 the breakwater Day 3
    Gathering = 47,        // 1: the friends' gathering at the breakwater took place
    MissedGathering = 48,  // 1: Kumi and Akira came by after the hero missed it
    KumisEvening = 49,     // 1: Kumi's evening in the hero's room on Day 4
    // Satsuki
    SatsukiMorningDay = 61,  // at the hero's door Day 4
    SatsukiParkDay = 62,     // the park Day 4
    // Ryouko, the girl of the bento shop
    BentoTalks = 81,          // how many times she talked to the hero
    BentoTalksFromDay3 = 84,  // how many of those on Day 3 or later
    // Akira
    AkiraPcShopDay = 101,  // the PC shop Day 3
    AkiraHomeDay = 103,    // his house Day 4
    AkiraSchoolDay = 104,  // the school Day 4
    // the player's settings, and the clock copied just before saving, in this odd order
    Music = 123,         // 1 on, 2 off
    PortraitMode = 124,  // 1 drawn line by line, 2 shown at once
    SavedMinute = 125,
    SavedDay = 126,
    SavedHour = 127,
    SavedHalf = 128,
};

}  // namespace velmora
