#include "backends/tty/trace_platform.h"

namespace velmora {
namespace {

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) out += (i ? "|" : "") + items[i];
    return out;
}

}  // namespace

std::string EscapeTraceText(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c == '\r' && next == '\n') {
            out += "\\n";
            ++i;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            out += std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080 .. U+009F
            out += std::string("\\u00") + kHex[next >> 4] + kHex[next & 15];
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string EscapeTraceField(const std::string& text) {
    std::string out;
    for (const char c : EscapeTraceText(text)) out += c == '|' ? "\\|" : std::string(1, c);
    return out;
}

void TracePlatform::PlayGame(MainWindowEvents& game) {
    Play([&](bool) { game.lblMsg_Click(); },
         [&](const std::string& slot) { game.ContinueClick(slot); }, [] {},
         [&]() -> MainWindowEvents& { return game; });
}

bool TracePlatform::Continues(const std::string& line) const {
    return !continueSlot_.empty() && line == "CONTINUE";
}

void TracePlatform::PlayGame(Steps& steps) {
    steps_ = &steps;
    Play([&](bool forward) { steps.Click(forward); },
         [&](const std::string& slot) { steps.Continue(slot); }, [&] { steps.Back(); },
         [&]() -> MainWindowEvents& { return steps.game(); });
    steps_ = nullptr;
}

void TracePlatform::Play(const std::function<void(bool forward)>& click,
                         const std::function<void(const std::string& slot)>& resume,
                         const std::function<void()>& back,
                         const std::function<MainWindowEvents&()>& game) {
    Emit(std::string("MSG ") + kDesignCaption);
    bool begun = false;
    try {
        for (;;) {
            bool forward = false;
            std::string line;
            try {
                line = Ask("CLICK?");
            } catch (const StepBack&) {
                back();
                continue;
            } catch (const StepForward&) {
                forward = true;
            }
            // 続きから only where the title waits, never in window-move mode.
            if (!begun && Continues(line)) {
                resume(continueSlot_);
            } else {
                click(forward);
            }
            begun = true;
        }
    } catch (const ProgramEnd&) {
    } catch (const MainWindowClosed&) {
        game().Form_QueryUnload();
    }
    Emit("END");
}

void TracePlatform::Emit(const std::string& line) {
    out_ << line << '\n' << std::flush;
}

std::string TracePlatform::Ask(const std::string& prompt) {
    for (;;) {
        Emit(prompt);
        std::optional<std::string> line = answer_(prompt);
        if (!line) throw MainWindowClosed{};
        if (!steps_ || (*line != "BACK" && *line != "FORWARD")) return *line;
        if (*line == "BACK") {
            Emit("BACK " + std::to_string(steps_->AnswersTakenBack()));
            if (steps_->CanGoBack()) throw StepBack{};
            continue;
        }
        Emit(*line);
        if (steps_->CanGoForward()) throw StepForward{};
    }
}

void TracePlatform::ShowNotice(const std::string& text) {
    Emit("NOTICE " + EscapeTraceText(text));
}

void TracePlatform::SetMessageCaption(const std::string& text) {
    Emit("MSG " + EscapeTraceText(text));
}

void TracePlatform::ShowClock(const ClockFace& face) {
    const std::string date = face.datePicture.empty() ? "-" : EscapeTraceField(face.datePicture);
    const std::string place = face.placePicture.empty() ? "-" : EscapeTraceField(face.placePicture);
    Emit("CLOCK " + date + "|" + EscapeTraceField(face.timeText) + "|" + place);
}

YesNo TracePlatform::AskYesNo(Twips) {
    for (;;) {
        const std::string a = Ask("YESNO?");
        if (a == "yes" || a == "y") return YesNo::Yes;
        if (a == "no" || a == "n") return YesNo::No;
        if (a == "close") return YesNo::Closed;
    }
}

NameEntry TracePlatform::WaitNameDialog() {
    const std::string a = Ask("NAME?");
    const size_t tab = a.find('\t');
    if (tab == std::string::npos) return {false, a, ""};
    return {false, a.substr(0, tab), a.substr(tab + 1)};
}

std::optional<std::string> TracePlatform::ChooseFromList(ListOf,
                                                         const std::vector<std::string>& entries,
                                                         Twips) {
    const std::string a = Ask("LIST? " + Joined(entries));
    for (const std::string& e : entries) {
        if (a == e) return e;
    }
    return std::nullopt;
}

std::optional<std::string> TracePlatform::ChooseCommand(const std::vector<MenuRow>& rows) {
    std::vector<std::string> captions;
    for (const MenuRow& row : rows) captions.push_back(row.caption);
    const std::string prompt = "MENU? " + Joined(captions);
    for (;;) {
        const std::string a = Ask(prompt);
        if (a == "close") return std::nullopt;
        if (!continueSlot_.empty() && (a == kQuickSaveCommand || a == kQuickLoadCommand)) return a;
        for (const std::string& c : captions) {
            if (a == c) return c;
        }
    }
}

}  // namespace velmora
