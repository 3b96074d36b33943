#include "world/scenario_items.h"

namespace velmora {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Steps over one comma or one line end (CR LF counts as one).
size_t SkipSeparator(std::string_view text, size_t i) {
    if (i >= text.size()) return i;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return i + 2;
    return i + 1;
}

size_t FindSeparator(std::string_view text, size_t i) {
    while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) ++i;
    return i;
}

}  // namespace

std::vector<Item> ReadItems(std::string_view text, size_t most) {
    std::vector<Item> items;
    size_t i = 0;
    while (i < text.size() && items.size() < most) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        Item item;
        if (i < text.size() && text[i] == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) close = text.size();
            item.text = std::string(text.substr(i + 1, close - i - 1));
            item.quoted = true;
            i = FindSeparator(text, close + (close < text.size() ? 1 : 0));
        } else {
            size_t end = FindSeparator(text, i);
            size_t last = end;
            while (last > i && IsBlank(text[last - 1])) --last;
            item.text = std::string(text.substr(i, last - i));
            i = end;
        }
        items.push_back(std::move(item));
        i = SkipSeparator(text, i);
    }
    return items;
}

}  // namespace velmora
