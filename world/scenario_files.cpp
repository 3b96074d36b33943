// LoadScript: the lines of one scenario file into ScriptLines. Entries past
// the file's last item keep what an earlier file left there.
#include "shell/form1.h"
#include "world/cp932.h"
#include "world/scenario_items.h"

namespace velmora {

void Form1::LoadScript(const std::string& file) {
    ReadFailure failure;
    std::optional<std::string> bytes = platform_.files().Read(file, kScenarioFileLimit, &failure);
    if (!bytes && failure.missing) {
        ShowMessage("＜シナリオファイル「" + file + "」が見つかりません。＞", 0);
        return;
    }
    if (!bytes) {
        ShowMessage(
            "＜シナリオファイル「" + file + "」を読み込めませんでした。" + failure.why + "＞", 0);
        return;
    }
    // One item past the lines the game keeps tells that the file has more.
    std::vector<Item> items = ReadItems(DecodeCp932(*bytes), s_.ScriptLines.size() + 1);
    const size_t kept = std::min(items.size(), s_.ScriptLines.size());
    for (size_t i = 0; i < kept; ++i) s_.ScriptLines[i] = std::move(items[i].text);
    if (items.size() > kept) {
        ShowMessage("＜シナリオファイル「" + file + "」は" + std::to_string(kept) +
                        "行を超えています。それより後ろは読み込みませんでした。＞",
                    0);
    }
}

}  // namespace velmora
