#include "tools/routes/marker_files.h"

#include <strings.h>

#include <charconv>

namespace velmora::routes {
namespace {

const char* const kStems[kScenarioFileCount] = {
    "akira01", "akira02", "akira03", "hitomi01", "hitomi02", "hitomi03", "kaori01",
    "kaori02", "kumi01",  "kumi02",  "ryouko01", "SATUKI01", "satuki02",
};

int FileOfStem(std::string_view stem) {
    for (int f = 0; f < kScenarioFileCount; ++f) {
        if (stem.size() == std::string_view(kStems[f]).size() &&
            ::strncasecmp(stem.data(), kStems[f], stem.size()) == 0) {
            return f;
        }
    }
    return -1;
}

}  // namespace

const char* ScenarioStem(int file) {
    return kStems[file];
}

std::string ScenarioFileName(int file) {
    return std::string(kStems[file]) + ".dat";
}

ItemId ItemOf(std::string_view stem, int index) {
    const int file = FileOfStem(stem);
    if (file < 0 || index < 0 || index >= kItemsPerFile) return -1;
    return file * kItemsPerFile + index;
}

int FileOfItem(ItemId item) {
    return item / kItemsPerFile;
}

int IndexOfItem(ItemId item) {
    return item % kItemsPerFile;
}

std::string MarkerText(ItemId item) {
    return std::string(kStems[FileOfItem(item)]) + "#" + std::to_string(IndexOfItem(item));
}

ItemId ParseMarker(std::string_view text) {
    const size_t hash = text.find('#');
    if (hash == std::string_view::npos || hash + 1 >= text.size()) return -1;
    int index = 0;
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data() + hash + 1, end, index);
    if (error != std::errc() || at != end) return -1;
    return ItemOf(text.substr(0, hash), index);
}

MarkerFiles::MarkerFiles() {
    for (int f = 0; f < kScenarioFileCount; ++f) {
        for (int i = 0; i < kItemsPerFile; ++i) {
            contents_[f] += std::string(kStems[f]) + "#" + std::to_string(i) + "\r\n";
        }
    }
}

std::optional<std::string> MarkerFiles::Read(const std::string& name, size_t,
                                             ReadFailure* failure) {
    const bool dat = name.size() >= 4 && name.compare(name.size() - 4, 4, ".dat") == 0;
    const int file = dat ? FileOfStem(std::string_view(name).substr(0, name.size() - 4)) : -1;
    if (file >= 0) return contents_[file];
    if (failure) *failure = {true, name + " がありません。"};
    return std::nullopt;
}

// The explorer never saves: nothing a save writes changes the story.
bool MarkerFiles::ReplaceTogether(const std::vector<NamedBytes>&, CommitFailure* failure) {
    *failure = {"no saving while exploring", LeftBehind::kUntouched};
    return false;
}

}  // namespace velmora::routes
