// LoadScript: the lines of one scenario file into ScriptLines. Entries past
// the file's last item keep what an earlier file left there.
#include "platform/files.h"
#include "world/cp932.h"
#include "world/game.h"
#include "world/scenario_items.h"

namespace velmora {

void LoadScript(Game& game, const std::string& file) {
    std::array<std::string, kScriptLineCount>& lines = game.state().ScriptLines;
    ReadFailure failure;
    std::optional<std::string> bytes = game.files().Read(file, kScenarioFileLimit, &failure);
    if (!bytes && failure.missing) {
        game.ShowMessage("＜シナリオファイル「" + file + "」が見つかりません。＞", 0);
        return;
    }
    if (!bytes) {
        game.ShowMessage(
            "＜シナリオファイル「" + file + "」を読み込めませんでした。" + failure.why + "＞", 0);
        return;
    }
    // One item past the lines the game keeps tells that the file has more.
    std::vector<Item> items = ReadItems(DecodeCp932(*bytes), lines.size() + 1);
    const size_t kept = std::min(items.size(), lines.size());
    for (size_t i = 0; i < kept; ++i) lines[i] = std::move(items[i].text);
    game.state().ScriptFile = file;
    if (items.size() > kept) {
        game.ShowMessage("＜シナリオファイル「" + file + "」は" + std::to_string(kept) +
                             "行を超えています。それより後ろは読み込みませんでした。＞",
                         0);
    }
}

}  // namespace velmora
