#include "tools/routes/events.h"

#include <stdexcept>

#include "shell/form1.h"

namespace velmora::routes {

const std::vector<EventDef>& Events() {
    static const std::vector<EventDef> events = [] {
        std::vector<EventDef> list;
        const std::vector<StoryEvent> story = ListEvents(TheStory());
        for (const StoryEvent& e : story) {
            int whole = 0;
            while (story[static_cast<size_t>(whole)].event != e.event) ++whole;
            list.push_back({e.id, e.place, whole});
        }
        if (list.size() > sizeof(EventSet) * 8) throw std::length_error("too many events");
        return list;
    }();
    return events;
}

int EventCount() {
    return static_cast<int>(Events().size());
}

int EventIndex(const std::string& name) {
    for (int e = 0; e < EventCount(); ++e) {
        if (Events()[e].name == name) return e;
    }
    return -1;
}

int DigestEvent() {
    static const int digest = EventIndex(TheStory().digest.id);
    return digest;
}

const std::vector<std::string>& PlaceCaptions() {
    static const std::vector<std::string> places = [] {
        std::vector<std::string> list;
        for (const Command& command : Commands(TheStory())) {
            if (command.place) list.push_back(command.caption);
        }
        return list;
    }();
    return places;
}

std::string Slug(int event) {
    std::string slug = Events()[event].name;
    for (char& c : slug) {
        if (c == ' ') c = '-';
    }
    return slug;
}

}  // namespace velmora::routes
