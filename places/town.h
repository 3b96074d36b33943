// The ten places of the town, each declared in its own file, and the scene
// two of them share.
#pragma once

#include <string>

#include "places/visit.h"

namespace velmora {

// Hitomi's question of Day 1, at the park or at Serubia (places/hitomis_question.cpp).
constexpr bool kDismissAfterYes = true;
void HitomisQuestion(Visit& v, const std::string& placePicture, bool dismissAfterYes);

// As the menu lists them.
extern const Place kApartment, kBreakwater, kBentoShop, kPark, kAkiraHouse, kSerubia, kPcShop,
    kSchool, kHitomiHouse, kTennisCourt;

}  // namespace velmora
