#include "app/page_slots.h"

#include "app/slot_lines.h"
#include "world/slot_details.h"
#include "world/slot_format.h"

namespace velmora {

web::UploadVerdict CheckUpload(Files& files, const web::Upload& upload) {
    const std::string text = SlotTextFile(upload.slot);
    for (const auto& [name, bytes] :
         {std::pair{&upload.slot, &upload.flagFile}, std::pair{&text, &upload.textFile}}) {
        if (bytes->size() > kSlotFileLimit)
            return {
                false,
                *name + " は大きすぎます（" + std::to_string(kSlotFileLimit) + " バイトまで）。",
                {}};
    }
    const SlotDetails brought = ReadSlotDetails({upload.flagFile, upload.textFile});
    if (brought.kind != SlotDetails::Kind::kSaved) return {false, brought.why, {}};
    if (upload.confirmed) return {true, {}, {}};
    const SlotDetails kept = ReadSlotDetails(files, upload.slot);
    const bool replaces = kept.kind != SlotDetails::Kind::kEmpty;
    if (!replaces && !brought.partial) return {true, {}, {}};
    std::string question;
    if (replaces) {
        question = upload.slot + " にはもうセーブがあります。読み込むと、今のセーブは消えます。\n" +
                   "今のセーブ：\n" + DescribeSlot(TheStory(), upload.slot, kept) + "\n";
    }
    // A partial save says so in its own details.
    question += "読み込むセーブ：\n" + DescribeSlot(TheStory(), upload.slot, brought) + "\n\n" +
                (replaces ? "置き換えますか？" : "読み込みますか？");
    return {true, {}, question};
}

// Three lines, as the message window shows them whole: what happened, what
// the slot holds now (the first line of its details), the question.
std::string ChangedSlotQuestion(Files& files, const std::string& slot) {
    const std::string now = DescribeSlot(TheStory(), files, slot);
    return slot + " は、一覧を開いた後でほかのタブがセーブしました。\n" +
           now.substr(0, now.find('\n')) + "\n置き換えますか？";
}

}  // namespace velmora
