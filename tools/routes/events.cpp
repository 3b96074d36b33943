#include "tools/routes/events.h"

#include <stdexcept>

#include "shell/form1.h"

namespace velmora::routes {

StoryEvents::StoryEvents(const Story& story) : story_(&story) {
    const std::vector<StoryEvent> listed = ListEvents(story);
    for (const StoryEvent& e : listed) {
        int whole = 0;
        while (listed[static_cast<size_t>(whole)].event != e.event) ++whole;
        events_.push_back({e.id, e.place, whole});
    }
    if (events_.size() > sizeof(EventSet) * 8) throw std::length_error("too many events");
    digest_ = Index(story.digest.id);
    for (const Command& command : Commands(story)) {
        if (command.place) places_.push_back(command.caption);
    }
}

int StoryEvents::Index(const std::string& name) const {
    for (int e = 0; e < count(); ++e) {
        if (events_[static_cast<size_t>(e)].name == name) return e;
    }
    return -1;
}

std::string StoryEvents::Slug(int event) const {
    std::string slug = events_[static_cast<size_t>(event)].name;
    for (char& c : slug) {
        if (c == ' ') c = '-';
    }
    return slug;
}

}  // namespace velmora::routes
