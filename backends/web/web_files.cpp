#include "backends/web/web_files.h"

#include <emscripten.h>

#include "backends/web/page_bridge.h"
#include "backends/web/page_codes.h"

// clang-format off
EM_ASYNC_JS(bool, velmora_files_read, (const char* name, int place), {
    return await Module.page.files.read(UTF8ToString(name), place);
});
EM_JS(void, velmora_files_add, (const char* name, const char* bytes, int size), {
    Module.page.files.add(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size));
});
EM_ASYNC_JS(int, velmora_files_commit, (int place), {
    return await Module.page.files.commit(place);
});
EM_JS(void, velmora_files_commit_behind, (), {
    Module.page.files.commitBehind();
});
EM_JS(int, velmora_files_behind_ended, (int place), {
    return Module.page.files.behindEnded(place);
});
EM_ASYNC_JS(double, velmora_files_saved_at, (const char* name), {
    return await Module.page.files.savedAt(UTF8ToString(name));
});
// clang-format on

namespace velmora::web {

namespace {
constexpr int kReadPlace = 5;
constexpr int kWhyPlace = 6;
}  // namespace

std::optional<std::string> WebFiles::Read(const std::string& name, size_t limit,
                                          ReadFailure* failure) {
    if (!velmora_files_read(name.c_str(), kReadPlace)) {
        if (failure) *failure = {true, name + " がありません。"};
        return std::nullopt;
    }
    std::string bytes = TakeFromShelf(kReadPlace);
    if (bytes.size() <= limit) return bytes;
    if (failure)
        *failure = {false, name + " は大きすぎます（" + std::to_string(limit) + " バイトまで）。"};
    return std::nullopt;
}

void WebFiles::WriteBehind(const std::vector<NamedBytes>& files) {
    Stage(files);
    velmora_files_commit_behind();
}

std::optional<std::string> WebFiles::BehindOutcome() {
    switch (velmora_files_behind_ended(kWhyPlace)) {
        case kWritten:
            return "";
        case kNotEnded:
            return std::nullopt;
    }
    return TakeFromShelf(kWhyPlace);
}

void WebFiles::Stage(const std::vector<NamedBytes>& files) {
    for (const NamedBytes& file : files) {
        velmora_files_add(file.name.c_str(), file.bytes.data(),
                          static_cast<int>(file.bytes.size()));
    }
}

WebFiles::Committed WebFiles::Commit(const std::vector<NamedBytes>& files, CommitFailure* failure) {
    Stage(files);
    switch (velmora_files_commit(kWhyPlace)) {
        case kWritten:
            return Committed::kWritten;
        case kChanged:
            if (failure) *failure = {kChangedElsewhere, LeftBehind::kUntouched};
            return Committed::kChanged;
    }
    if (failure) *failure = {TakeFromShelf(kWhyPlace), LeftBehind::kUntouched};
    return Committed::kFailed;
}

// Asked again each time another tab has written meanwhile, until the files
// are as last read or the player leaves them.
bool WebFiles::ReplaceTogether(const std::vector<NamedBytes>& files, CommitFailure* failure) {
    std::vector<std::string> names;
    for (const NamedBytes& file : files) names.push_back(file.name);
    for (;;) {
        switch (Commit(files, failure)) {
            case Committed::kWritten:
                return true;
            case Committed::kFailed:
                return false;
            case Committed::kChanged:
                if (!whenChanged_ || !whenChanged_(names)) return false;
        }
    }
}

bool WebFiles::Update(const std::string& name, size_t limit, const Change& change,
                      std::string* why) {
    for (;;) {
        ReadFailure failure;
        const std::optional<std::string> now = Read(name, limit, &failure);
        if (!now && !failure.missing) {
            *why = failure.why;
            return false;
        }
        const std::optional<std::string> next = change(now);
        if (!next) return true;
        CommitFailure committed;
        switch (Commit({{name, *next}}, &committed)) {
            case Committed::kWritten:
                return true;
            case Committed::kFailed:
                *why = committed.why;
                return false;
            case Committed::kChanged:
                break;
        }
    }
}

bool WebFiles::Peek(const std::vector<std::string>& names, size_t limit,
                    std::vector<std::string>* contents, int64_t* written, ReadFailure* failure) {
    if (written) *written = 0;
    if (!ReadEach(names, limit, contents, failure)) return false;
    if (written && !names.empty())
        *written = static_cast<int64_t>(velmora_files_saved_at(names[0].c_str()));
    return true;
}

}  // namespace velmora::web
