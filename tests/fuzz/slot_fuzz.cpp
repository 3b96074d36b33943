// Save slots as players might trade them. The input is the flag file, a NUL
// byte, then the "_text" file (no NUL: the slot has no "_text" file). Both
// readers run on their own, then the whole load of the game: a refused slot
// leaves the game exactly as it was, a loaded one holds what the files say,
// and the game then resumes at the saved place for a few dozen prompts.
#include <cstdint>
#include <string>

#include "shell/form1.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/slot_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    const std::string flagBytes = input.substr(0, nul);

    std::vector<int16_t> values;
    std::string why;
    const bool flagsRead = velmora::ParseFlagFile(flagBytes, &values, &why);
    FUZZ_CHECK(flagsRead || !why.empty());
    if (flagsRead) {
        FUZZ_CHECK(!values.empty() && values.size() <= velmora::kFlagCount);
        std::string again;
        for (int16_t v : values) again += std::to_string(v) + "\r\n";
        std::vector<int16_t> reread;
        FUZZ_CHECK(velmora::ParseFlagFile(again, &reread, &why) && reread == values);
    }

    bool textRead = false;
    velmora::SlotText text;
    if (nul != std::string::npos) {
        const std::string textBytes = input.substr(nul + 1);
        why.clear();
        textRead = velmora::ParseTextFile(textBytes, &text, &why);
        FUZZ_CHECK(textRead || !why.empty());
        // What was read is written back the same, unless a text is longer
        // than the game writes one.
        const bool writable = text.place.size() <= velmora::kSavedTextLimit &&
                              text.name.size() <= velmora::kSavedTextLimit &&
                              text.nickname.size() <= velmora::kSavedTextLimit;
        if (textRead && writable) {
            const std::optional<std::string> written = velmora::FormatTextFile(text);
            FUZZ_CHECK(written.has_value());
            velmora::SlotText reread;
            FUZZ_CHECK(velmora::ParseTextFile(*written, &reread, &why));
            FUZZ_CHECK(reread.place == text.place && reread.name == text.name &&
                       reread.nickname == text.nickname);
        }
    }

    velmora::fuzz::QuietPlatform quiet(60);
    quiet.memory.files["file1"] = flagBytes;
    if (nul != std::string::npos) quiet.memory.files["file1_text"] = input.substr(nul + 1);
    velmora::Form1 form(quiet.platform());
    velmora::GameState& s = form.state();
    s.ClickState = velmora::click::kPlaying;
    s.SelectedFile = "file1";
    s.Flags.fill(7);
    s.DialogAnswer = 1;  // what the YES of the confirmation leaves
    const velmora::GameState before = s;
    try {
        velmora::LoadGame(form);
    } catch (const velmora::MainWindowClosed&) {
        FUZZ_CHECK(false);  // a load waits for two answers at most
    }
    const bool loaded = quiet.trace().find("file1 をロードしました。") != std::string::npos;
    FUZZ_CHECK(loaded == (flagsRead && textRead));
    if (!loaded) {
        FUZZ_CHECK(s == before);
        return 0;
    }
    for (size_t i = 0; i < velmora::kFlagCount; ++i) {
        FUZZ_CHECK(s.Flags[i] == (i < values.size() ? values[i] : 7));
    }
    FUZZ_CHECK(s.CurrentPlace == text.place && s.PlayerName == text.name &&
               s.Nickname == text.nickname);
    try {
        form.DispatchCommand();
    } catch (const velmora::MainWindowClosed&) {
    } catch (const velmora::ProgramEnd&) {
    }
    return 0;
}
