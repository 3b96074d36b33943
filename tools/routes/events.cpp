#include "tools/routes/events.h"

namespace velmora::routes {
namespace {

EventDef At(const char* name, const char* place, const char* stem, int index, int after = -1) {
    return {name, place, ItemOf(stem, index), after < 0 ? -1 : ItemOf(stem, after)};
}

std::vector<EventDef> MakeEvents() {
    return {
        At("start introduction", "", "kumi01", 1),
        At("start invitation YES", "", "kumi01", 28),
        At("start invitation NO", "", "kumi01", 33),
        At("apartment A1", "アパート", "akira01", 50),
        At("apartment A2", "アパート", "kumi02", 1),
        At("apartment A3", "アパート", "kaori02", 65),
        At("apartment A4", "アパート", "satuki02", 1),
        At("apartment R1", "アパート", "akira01", 18),
        At("apartment R2", "アパート", "kumi01", 41),
        At("apartment R3", "アパート", "kumi02", 32),
        At("breakwater B1", "防波堤", "SATUKI01", 4),
        At("breakwater B2", "防波堤", "akira01", 45),
        At("breakwater B3", "防波堤", "kumi02", 17),
        At("breakwater B4", "防波堤", "hitomi02", 1),
        At("bento shop first talk", "弁当屋", "ryouko01", 4),
        At("bento shop later talk", "弁当屋", "ryouko01", 10, 3),
        At("bento shop talk day 1", "弁当屋", "ryouko01", 15),
        At("bento shop talk day 2", "弁当屋", "ryouko01", 17),
        At("bento shop talk day 3", "弁当屋", "ryouko01", 28),
        At("bento shop talk day 4", "弁当屋", "ryouko01", 33),
        At("bento shop quiet visit", "弁当屋", "ryouko01", 22),
        At("park P1", "公園", "hitomi01", 1),
        At("park P1 YES", "公園", "hitomi01", 18),
        At("park P1 NO", "公園", "hitomi01", 27),
        At("park P2", "公園", "hitomi01", 51),
        At("park P3", "公園", "kaori02", 10),
        At("park P4", "公園", "kaori02", 28),
        At("park P5", "公園", "satuki02", 17),
        At("akira house A1", "明の家", "akira03", 1),
        At("serubia S1", "セルビア", "hitomi01", 1),
        At("serubia S1 YES", "セルビア", "hitomi01", 18),
        At("serubia S1 NO", "セルビア", "hitomi01", 27),
        At("serubia S2", "セルビア", "hitomi01", 44),
        At("serubia S2 after YES", "セルビア", "hitomi01", 50),
        At("serubia S3", "セルビア", "kaori01", 20),
        At("serubia S4", "セルビア", "kaori02", 1),
        At("serubia S5", "セルビア", "hitomi03", 1),
        At("pc shop P1", "パソコンショップ", "hitomi01", 74),
        At("pc shop P2", "パソコンショップ", "akira02", 1),
        At("school C1", "学校", "hitomi01", 60),
        At("school C2", "学校", "kaori01", 72),
        At("school C3", "学校", "akira03", 16),
        At("hitomi house H1", "ひとみの家", "hitomi01", 66),
        At("hitomi house H2", "ひとみの家", "hitomi02", 51),
        At("tennis court T1", "テニスコート", "kaori01", 1),
        At("tennis court T2", "テニスコート", "hitomi01", 36),
        At("tennis court T3", "テニスコート", "hitomi02", 29),
        At("tennis court T4", "テニスコート", "kaori02", 39),
        At("tennis court T4 after the gathering", "テニスコート", "kaori02", 46),
        {"digest", "", -1, -1},
    };
}

}  // namespace

const std::vector<EventDef>& Events() {
    static const std::vector<EventDef> events = MakeEvents();
    static_assert(sizeof(EventSet) * 8 >= 50);
    return events;
}

int EventCount() {
    return static_cast<int>(Events().size());
}

int DigestEvent() {
    return EventCount() - 1;
}

const std::vector<std::string>& PlaceCaptions() {
    static const std::vector<std::string> places = {
        "アパート", "防波堤",           "弁当屋", "公園",       "明の家",
        "セルビア", "パソコンショップ", "学校",   "ひとみの家", "テニスコート"};
    return places;
}

int PlaceIndex(const std::string& caption) {
    const std::vector<std::string>& places = PlaceCaptions();
    for (size_t p = 0; p < places.size(); ++p) {
        if (places[p] == caption) return static_cast<int>(p);
    }
    return -1;
}

// Looked up for every line shown, so the events are filed by their marker.
int EventStartedBy(int place, ItemId item, ItemId previous) {
    static const std::vector<std::vector<int>> byItem = [] {
        std::vector<std::vector<int>> table(kItemCount);
        for (int e = 0; e < EventCount(); ++e) {
            if (Events()[e].marker >= 0) table[Events()[e].marker].push_back(e);
        }
        return table;
    }();
    if (item < 0) return -1;
    for (int e : byItem[item]) {
        const EventDef& def = Events()[e];
        if (PlaceIndex(def.place) == place && (def.after < 0 || def.after == previous)) return e;
    }
    return -1;
}

std::string Slug(int event) {
    std::string slug = Events()[event].name;
    for (char& c : slug) {
        if (c == ' ') c = '-';
    }
    return slug;
}

}  // namespace velmora::routes
