// The small windows' own rules: where each stands (relative to the main
// window's remembered position), what the list window lists, and what the
// Yes/No, name and picture windows leave behind.
#include "shell/form1.h"
#include "shell/name_rule.h"
#include "world/slot_format.h"

namespace velmora {

// Form2: over the right-hand part of the main window.
void Form1::ShowForm2() {
    YesNo answer = platform_.AskYesNo({s_.MainLeft + 7550 - 255, s_.MainTop + 2900});
    if (answer == YesNo::Yes) s_.DialogAnswer = 1;
    if (answer == YesNo::No) s_.DialogAnswer = 2;
}

// Form3: just right of the message label's lower right end.
void Form1::ShowForm3() {
    platform_.WaitNext({s_.MainLeft + 7600 - 250, s_.MainTop + 5300});
}

// Form4: both boxes must be filled. Each OK takes the names as typed, even
// an empty one, unless a slot could not hold them or they hold a line end or
// another control character: then the player is told why and the names stay
// as they were.
void Form1::ShowForm4() {
    platform_.OpenNameDialog();
    for (;;) {
        NameEntry entry = platform_.WaitNameDialog();
        if (entry.closed) break;
        std::string why = WhyNotAName(entry.name);
        if (why.empty()) why = WhyNotAName(entry.nickname);
        if (!why.empty()) {
            ShowMessage("＜その名前は使えません。" + why + "＞", 1);
            continue;
        }
        s_.PlayerName = entry.name;
        s_.Nickname = entry.nickname;
        if (!s_.PlayerName.empty() && !s_.Nickname.empty()) break;
    }
    platform_.CloseNameDialog();
}

// Form5: beside the right edge of the main window, near its top.
void Form1::ShowForm5(ListOf list, const std::vector<std::string>& entries) {
    std::optional<std::string> chosen =
        platform_.ChooseFromList(list, entries, {s_.MainLeft + 7755 - 255, s_.MainTop + 840});
    if (chosen) s_.SelectedFile = *chosen;
}

// The list of the world's own: the slots to load from or save in.
void Form1::ShowForm5() {
    ShowForm5(ListOf::kSlots, SlotNames());
}

// Form7: the picture stays until it is clicked; its NEXT dialog stands where
// the message window's does.
void Form1::ShowForm7() {
    pictures_.ShowInWindow(s_.PictureFile);
    platform_.WaitPictureClick({s_.PictureFile, pictures_.Words(s_.PictureFile)});
    ShowForm3();
    platform_.ClosePictureWindow();
}

}  // namespace velmora
