#include "player/plate_news.h"

namespace velmora::plates {

void PlateNews::Show(const std::string& date, const std::string& time, const std::string& place) {
    if (!date.empty()) shown_[0] = date;
    shown_[1] = time;
    shown_[2] = place;
}

std::string PlateNews::Tell() {
    std::string news;
    for (size_t i = 0; i < shown_.size(); ++i) {
        if (shown_[i] == told_[i] || shown_[i].empty()) continue;
        news += (news.empty() ? "" : " ") + shown_[i];
    }
    told_ = shown_;
    return news;
}

}  // namespace velmora::plates
