// Writes page_table.js, the tables the page has from the game's C++: the
// words of the protocol of its rules (page_protocol.h), and what the page
// needs before the game has loaded or without asking it each time (the
// title's keys, the windows that wait for the focus to move, the volume's
// gain for each step of its slider, the comforts' times and captions, the
// slot window's words before the game's own). A program of the building
// machine, run by the build (cmake/web.cmake); the page imports the module.
//
//   velmora-page-table FILE
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "backends/web/page_protocol.h"
#include "player/comfort_settings.h"
#include "player/comfort_timing.h"
#include "player/comfort_words.h"

namespace {

using namespace velmora;

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    return out + "'";
}

void Number(std::ostream& out, const std::string& name, double value) {
    out << "export const " << name << " = " << value << ";\n";
}

void Text(std::ostream& out, const std::string& name, const std::string& value) {
    out << "export const " << name << " = " << Quoted(value) << ";\n";
}

void Protocol(std::ostream& out) {
    using namespace web;
    out << "\n// What the page tells velmora_key and velmora_wheel (flags), and what they "
           "answer.\n";
    const std::pair<const char*, int> flags[] = {{"kKeyCtrl", kKeyCtrl},
                                                 {"kKeyShift", kKeyShift},
                                                 {"kKeyAltOrMeta", kKeyAltOrMeta},
                                                 {"kKeyRepeat", kKeyRepeat},
                                                 {"kKeyTyping", kKeyTyping},
                                                 {"kKeyMoved", kKeyMoved},
                                                 {"kKeyNextWaits", kKeyNextWaits},
                                                 {"kKeyMessageWaits", kKeyMessageWaits},
                                                 {"kKeyWindowMoves", kKeyWindowMoves},
                                                 {"kKeyHidden", kKeyHidden},
                                                 {"kWheelCanGoForward", kWheelCanGoForward},
                                                 {"kWheelDownPressesNext", kWheelDownPressesNext},
                                                 {"kWheelNextWaits", kWheelNextWaits}};
    for (const auto& [name, value] : flags) Number(out, name, value);
    for (size_t does = 0; does < std::size(kDoesNames); ++does) {
        Number(out, std::string("kDoes") + kDoesNames[does], static_cast<double>(does));
    }
    for (const PageWindow& window : kPageWindows) {
        if (window.window == keys::Window::kComfort) Text(out, "kComfortWindow", window.id);
    }
}

// The keys that click the message at the title, with the modifiers held.
void TitleKeys(std::ostream& out) {
    out << "\n// The keys that click the message at the title (before the game has loaded too).\n"
           "export const kTitleKeys = [\n";
    for (const web::PageKey& each : web::kPageKeys) {
        for (int held = 0; held < 8; ++held) {
            const keys::Press press{each.key, bool(held & 1), bool(held & 2), bool(held & 4)};
            const keys::Where title{keys::Window::kMain, false, false, false, true, false};
            if (keys::WhatTheKeyDoes(press, title).does != keys::Does::kClickMessage) continue;
            out << "  { key: " << Quoted(each.name) << ", ctrl: " << (press.ctrl ? "true" : "false")
                << ", shift: " << (press.shift ? "true" : "false")
                << ", other: " << (press.other ? "true" : "false") << " },\n";
        }
    }
    out << "];\n";
}

// The key each of a pad's buttons stands for (keys::PadKey), in the order
// of keys::PadButton, as the page names keys.
void PadKeys(std::ostream& out) {
    out << "\n// The key each of a pad's buttons stands for: A, B, X, Y, Back, Start, L, R and "
           "the D-pad's up, down, left, right.\nexport const kPadKeys = [";
    for (int button = 0; button < keys::kPadButtonCount; ++button) {
        const keys::Key key = keys::PadKey(static_cast<keys::PadButton>(button));
        const auto named =
            std::find_if(std::begin(web::kPageKeys), std::end(web::kPageKeys),
                         [key](const web::PageKey& each) { return each.key == key; });
        out << (button ? ", " : "") << Quoted(named == std::end(web::kPageKeys) ? "" : named->name);
    }
    out << "];\n";
}

void Windows(std::ostream& out) {
    out << "\n// The windows whose Enter and Space wait for the focus to move, and draw none till "
           "then.\nexport const kWaitForFocus = [";
    const char* comma = "";
    for (const web::PageWindow& window : web::kPageWindows) {
        if (!keys::WaitsForFocus(window.window)) continue;
        out << comma << Quoted(window.id);
        comma = ", ";
    }
    out << "];\n";
}

void Comforts(std::ostream& out) {
    out << "\n// The music's gain at each step of the volume's slider (0..100).\n"
           "export const kVolumeGains = [";
    for (int step = 0; step <= 100; ++step)
        out << (step ? ", " : "") << LinearVolume(step / 100.0f);
    out << "];\n\n// How long the comforts wait, in milliseconds.\n";
    Number(out, "kNoticeMs", timing::kNoticeMs);
    Number(out, "kNoticeMsPerCharacter", timing::kNoticeMsPerCharacter);
    Number(out, "kAutoAdvanceMs", timing::kAutoAdvanceMs);
    Number(out, "kAutoAdvanceMsPerCharacter", timing::kAutoAdvanceMsPerCharacter);
    out << "// Auto-advance's paces, slowest first: [per message, per character].\n"
           "export const kAutoAdvancePaces = [";
    for (const timing::Pace& pace : timing::kAutoAdvancePaces)
        out << (&pace == timing::kAutoAdvancePaces ? "" : ", ") << "[" << pace.perMessageMs << ", "
            << pace.perCharacterMs << "]";
    out << "];\n";
    Number(out, "kDefaultAutoAdvancePace", timing::kDefaultAutoAdvancePace);
    out << "// The text's speeds, slowest first: milliseconds a letter (0: at once).\n"
           "export const kTextSpeeds = [";
    for (const int& ms : timing::kTextSpeeds) out << (&ms == timing::kTextSpeeds ? "" : ", ") << ms;
    out << "];\n";
    Number(out, "kDefaultTextSpeed", timing::kDefaultTextSpeed);
    out << "\n// The settings' captions, and the slot window's words before the game's own.\n";
    const std::pair<const char*, words::Setting> captions[] = {
        {"kCaptionVolume", words::Setting::kVolume},
        {"kCaptionMuted", words::Setting::kMuted},
        {"kCaptionWheelDownPressesNext", words::Setting::kWheelDownPressesNext},
        {"kCaptionAutoAdvance", words::Setting::kAutoAdvance},
        {"kCaptionAutoAdvancePace", words::Setting::kAutoAdvancePace},
        {"kCaptionTextSpeed", words::Setting::kTextSpeed},
        {"kCaptionSkipUnread", words::Setting::kSkipUnread}};
    for (const auto& [name, setting] : captions) Text(out, name, words::SettingCaption(setting));
    Text(out, "kSlotFilesKept", words::SlotFiles(true));
    Text(out, "kSlotFilesNone", words::SlotFiles(false));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora-page-table FILE\n");
        return 2;
    }
    std::ostringstream out;
    out.precision(9);
    out << "// Written by the build from the game's C++ (backends/web/page_table.cpp):\n"
           "// the page's tables of the player's rules and of their protocol.\n";
    Protocol(out);
    TitleKeys(out);
    PadKeys(out);
    Windows(out);
    Comforts(out);
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    return file.good() ? 0 : 1;
}
