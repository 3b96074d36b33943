// Scenario files as writers might leave them: any bytes go through the item
// reader, and through LoadScript into a fresh game's ScriptLines.
#include <cstdint>
#include <string>

#include "shell/form1.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void CheckItems(std::string_view text) {
    const std::vector<velmora::Item> items = velmora::ReadItems(text);
    FUZZ_CHECK(items.size() <= text.size());
    for (const velmora::Item& item : items) {
        FUZZ_CHECK(item.text.size() <= text.size());
        if (item.quoted) {
            FUZZ_CHECK(item.text.find('"') == std::string::npos);
        } else {
            FUZZ_CHECK(item.text.find_first_of(",\r\n") == std::string::npos);
            FUZZ_CHECK(item.text.empty() || !IsBlank(item.text.front()));
            FUZZ_CHECK(item.text.empty() || !IsBlank(item.text.back()));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckItems(bytes);
    const std::string decoded = velmora::DecodeCp932(bytes);
    CheckItems(decoded);

    velmora::fuzz::QuietPlatform quiet(8);
    quiet.memory.files["scene.dat"] = bytes;
    velmora::Form1 form(quiet.platform());
    try {
        velmora::LoadScript(form, "scene.dat");
    } catch (const velmora::MainWindowClosed&) {
        FUZZ_CHECK(false);  // LoadScript waits for one click at most
    }
    const std::vector<velmora::Item> items = velmora::ReadItems(decoded);
    const auto& lines = form.state().ScriptLines;
    for (size_t i = 0; i < lines.size(); ++i) {
        FUZZ_CHECK(lines[i] == (i < items.size() ? items[i].text : std::string()));
    }
    return 0;
}
