// The game in a web page: the same turns as velmora-tty's, the waits being
// the page's clicks and keys. Built with emscripten (tools/web.sh).
#include <vector>

#include "platform/web/web_files.h"
#include "platform/web/web_platform.h"
#include "shell/form1.h"
#include "world/slot_format.h"

namespace {

// Slot files brought into the page must read as the game reads a slot.
bool ReadableSlot(const std::string& flagFile, const std::string& textFile, std::string* why) {
    std::vector<int16_t> values;
    velmora::SlotText text;
    return velmora::ParseFlagFile(flagFile, &values, why) &&
           velmora::ParseTextFile(textFile, &text, why);
}

}  // namespace

int main() {
    velmora::web::WebFiles files;
    velmora::web::WebPlatform platform(files);
    velmora::Form1 form(platform);
    platform.OnResize([&form] { form.Form_Resize(); });
    platform.OnSlotUpload(ReadableSlot);
    form.Form_Resize();  // the main window is shown
    try {
        for (;;) {
            platform.WaitMessageClick();
            form.lblMsg_Click();
        }
    } catch (const velmora::ProgramEnd&) {
    }
    platform.ShowEnd();
    return 0;
}
