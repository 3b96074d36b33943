// LoadScript: the lines of one scenario file into ScriptLines. Entries past
// the file's last item keep what an earlier file left there.
#include "platform/files.h"
#include "world/cp932.h"
#include "world/game.h"
#include "world/scenario_items.h"

namespace velmora {

void LoadScript(Game& game, const std::string& file) {
    std::optional<std::string> bytes = game.files().Read(file);
    if (!bytes) {
        game.ShowMessage("＜シナリオファイル「" + file + "」が見つかりません。＞", 0);
        return;
    }
    std::array<std::string, kScriptLineCount>& lines = game.state().ScriptLines;
    std::vector<Item> items = ReadItems(DecodeCp932(*bytes));
    const size_t kept = std::min(items.size(), lines.size());
    for (size_t i = 0; i < kept; ++i) lines[i] = std::move(items[i].text);
    if (items.size() > kept) {
        game.ShowMessage("＜シナリオファイル「" + file + "」は" + std::to_string(kept) +
                             "行を超えています。それより後ろは読み込みませんでした。＞",
                         0);
    }
}

}  // namespace velmora
