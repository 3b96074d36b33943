#include "backends/web/web_platform.h"

#include <emscripten.h>

#include "backends/web/page_bridge.h"
#include "backends/web/page_codes.h"
#include "backends/web/page_menu.h"
#include "player/plate_fit.h"

// Each call hands one thing to the page; the page (page/game_page.js) does
// the drawing. Texts cross as UTF-8.
// clang-format off
EM_JS(void, velmora_page_call, (const char* what, const char* a, const char* b, const char* c,
                                const char* d), {
    Module.page.call(UTF8ToString(what), UTF8ToString(a), UTF8ToString(b), UTF8ToString(c),
                     UTF8ToString(d));
});
EM_JS(double, velmora_page_main_window, (int top), {
    return Module.page.mainWindowPosition()[top ? 1 : 0];
});
EM_ASYNC_JS(int, velmora_page_wait, (const char* window, const char* argument, double left,
                                     double top, int steps), {
    return await Module.page.wait(UTF8ToString(window), UTF8ToString(argument), left, top, steps);
});
EM_ASYNC_JS(int, velmora_page_pace, (), {
    return await Module.page.pace();
});
EM_JS(bool, velmora_page_skips_unread, (), {
    return Module.page.skipsUnread();
});
EM_JS(void, velmora_page_upload_done, (bool saved, const char* why, const char* question), {
    Module.page.uploadDone(saved, UTF8ToString(why), UTF8ToString(question));
});
// The time's ink and advance as the page draws it, at the design's size.
EM_JS(void, velmora_page_measure_time, (const char* text, double* measured), {
    const [left, right, advance] = Module.page.mainWindow.measureTime(UTF8ToString(text));
    HEAPF64[measured >> 3] = left;
    HEAPF64[(measured >> 3) + 1] = right;
    HEAPF64[(measured >> 3) + 2] = advance;
});
EM_JS(void, velmora_page_clock, (const char* date, const char* time, const char* place,
                                 double origin, double narrowing, const char* dateWords,
                                 const char* timeWords, const char* placeWords), {
    Module.page.mainWindow.showClock(UTF8ToString(date), UTF8ToString(time), UTF8ToString(place),
                                     origin, narrowing, [UTF8ToString(dateWords),
                                     UTF8ToString(timeWords), UTF8ToString(placeWords)]);
});
// clang-format on

namespace velmora::web {

namespace {

// The page's reports run from kResized down to this one (page_codes.js).
constexpr int kLastReport = kAlbum;

void Call(const char* what, const std::string& a = {}, const std::string& b = {},
          const std::string& c = {}, const std::string& d = {}) {
    velmora_page_call(what, a.c_str(), b.c_str(), c.c_str(), d.c_str());
}

std::string Lines(const std::vector<std::string>& entries) {
    std::string joined;
    for (const std::string& entry : entries) joined += (joined.empty() ? "" : "\n") + entry;
    return joined;
}

}  // namespace

void WebPlatform::Follow(const Steps* steps, Skipping* skip,
                         std::function<std::string()> storyMap) {
    steps_ = steps;
    skip_ = skip;
    storyMap_ = std::move(storyMap);
    if (skip_) skip_->OnChange([this] { Call("skipping", skip_->active() ? "1" : ""); });
}

int WebPlatform::Offered() const {
    return (steps_ && steps_->CanGoBack() ? kCanGoBack : 0) |
           (steps_ && steps_->CanGoForward() ? kCanGoForward : 0) |
           (skip_ && skip_->active() ? kSkipping : 0);
}

int WebPlatform::Wait(const char* window, const std::string& argument, Twips at) {
    if (onWait_) onWait_();
    for (;;) {
        const int answer = velmora_page_wait(window, argument.c_str(), at.left, at.top, Offered());
        if (answer > kResized || answer < kLastReport) return answer;
        if (Handle(answer, window)) return 0;
    }
}

bool WebPlatform::Handle(int report, const std::string& window) {
    switch (report) {
        case kResized:
            if (onResize_) onResize_();
            break;
        case kUploaded:
        case kUploadConfirmed:
            TakeUpload(report == kUploadConfirmed);
            break;
        case kSlotWords:
            Call("slotWords", SlotLines(slots_));
            break;
        case kBack:
            if (steps_ && steps_->CanGoBack()) throw StepBack{};
            break;
        case kForward:
            if (steps_ && steps_->CanGoForward()) throw StepForward{};
            break;
        case kStoryMap:
            if (storyMap_) Call("storyMap", storyMap_());
            break;
        case kAlbum:
            if (album_) Call("album", album_());
            break;
        default:
            if (!skip_) break;
            skip_->SkipUnreadToo(velmora_page_skips_unread());
            if (report == kSkipToggle) skip_->Toggle();
            if (report == kSkipHold || report == kSkipLetGo) skip_->Hold(report == kSkipHold);
            if (report == kSkipStop) skip_->Stop();
            return window == "Form3" && skip_->Passes();
    }
    return false;
}

// Steps back and forward wait for the next wait, where the game can take them.
void WebPlatform::Pace() {
    for (int report; (report = velmora_page_pace()) != 0;) {
        if (report != kBack && report != kForward) Handle(report, "");
    }
}

// Slot files brought in replace the slot as one, like a save, once the
// game's own reader takes them and the player has said YES to replacing a
// slot that holds a save.
// A slot the list shows gets its new details at once.
void WebPlatform::TakeUpload(bool confirmed) {
    Upload upload{TakeFromShelf(kUploadSlot), TakeFromShelf(kUploadFlags),
                  TakeFromShelf(kUploadText), confirmed};
    UploadVerdict verdict = checkUpload_ ? checkUpload_(upload) : UploadVerdict{true, {}, {}};
    CommitFailure failure{verdict.why, LeftBehind::kUntouched};
    uploading_ = true;
    const bool saved =
        verdict.readable && verdict.question.empty() &&
        files_.ReplaceTogether(
            {{upload.slot, upload.flagFile}, {upload.slot + "_text", upload.textFile}}, &failure);
    uploading_ = false;
    if (saved && !listed_.empty()) Call("slotDetails", SlotLines(listed_));
    velmora_page_upload_done(saved, failure.why.c_str(),
                             verdict.readable ? verdict.question.c_str() : "");
}

void WebPlatform::DescribeSlotsWith(std::vector<std::string> slots, size_t fileLimit,
                                    SlotDescriber describe) {
    slots_ = std::move(slots);
    describeSlots_ = std::move(describe);
    Call("slots", Lines(slots_), std::to_string(fileLimit));
}

bool WebPlatform::Confirm(const std::string& question) {
    if (uploading_) return false;
    SetMessageCaption(question);
    for (;;) {
        const int answer =
            velmora_page_wait("Form2", "", questionAt_.left, questionAt_.top, Offered());
        if (answer == 1 || answer == 2) return answer == 1;
        if (answer > kResized || answer < kLastReport) return false;
        if (answer != kBack && answer != kForward) Handle(answer, "Form2");
    }
}

// One slot's words from the next's apart by a record separator; a slot's
// own lines by line ends.
std::string WebPlatform::SlotLines(const std::vector<std::string>& entries) {
    std::string joined;
    if (!describeSlots_) return joined;
    for (const std::string& slot : describeSlots_(entries))
        joined += (joined.empty() ? "" : "\x1e") + slot;
    return joined;
}

bool WebPlatform::WaitMessageClick() {
    return Wait("lblMsg", "") == kContinueAnswer;
}

void WebPlatform::OfferContinue(const std::string& details) {
    Call("offerContinue", details);
}

void WebPlatform::Notice(const std::string& text) {
    Call("notice", text);
}

void WebPlatform::ShowNotice(const std::string& text) {
    Call("say", text);
}

void WebPlatform::ShowEnd() {
    Call("end");
}

// The message as the page's message window shows it, its lines by LF.
void WebPlatform::SetMessageCaption(const std::string& text) {
    message_.clear();
    for (char c : text)
        if (c != '\r') message_ += c;
    message_.erase(0, message_.find_first_not_of(" \n"));
    message_.erase(message_.find_last_not_of(" \n") + 1);
    Call("message", text);
}

// NEXT's words are said at once; the other windows are named and
// described by them as they open, by their own caption where the words
// leave them unnamed.
void WebPlatform::Tell(spoken::Wait wait, const std::string& plateNews) {
    const spoken::Told told = teller_.Tell(wait, message_, "", plateNews);
    Call("tell", wait == spoken::Wait::kNext ? "next" : "window", told.name, told.said);
}

Twips WebPlatform::MainWindowPosition() {
    return {velmora_page_main_window(0), velmora_page_main_window(1)};
}

// The page paints the light of the hour with the game's own code
// (scene_light_bridge.cpp): it is told the picture's number and the light.
void WebPlatform::ShowScene(const NamedPicture& scene) {
    lighting_.ShowScene(scene.file);
    Call("scene", scene.file, std::to_string(LitPicture(scene.file)),
         std::to_string(static_cast<int>(lighting_.light())), scene.words);
}

void WebPlatform::ClearScene() {
    lighting_.ShowScene("");
    Call("scene", "", "", "", kClearedSceneWords);
}

void WebPlatform::ShowPreparedPortrait(const NamedPicture& prepared) {
    Call("layer", prepared.file, prepared.words);
}

void WebPlatform::HidePortraitLayer() {
    Call("hideLayer");
}

void WebPlatform::PaintPortraitIntoScene(const NamedPicture& portrait) {
    Call("paintPortrait", portrait.file, portrait.words);
}

void WebPlatform::ShowSidePicture(const NamedPicture& side) {
    Call("side", side.file, side.words);
}

// The time fitted into its plate as the window program fits it.
void WebPlatform::ShowClock(const ClockFace& face) {
    double measured[3] = {0, 0, 0};
    velmora_page_measure_time(face.timeText.c_str(), measured);
    const plates::TextFit fit =
        plates::FitTimeText(measured[0], measured[1], measured[2], plates::kTimeLabelWidth);
    velmora_page_clock(face.datePicture.c_str(), face.timeText.c_str(), face.placePicture.c_str(),
                       fit.origin, fit.narrowing, face.dateWords.c_str(), face.timeWords.c_str(),
                       face.placeWords.c_str());
    plateNews_.Show(face.dateWords, face.timeWords, face.placeWords);
    if (lighting_.ShowClock(face))
        Call("light", std::to_string(static_cast<int>(lighting_.light())));
}

void WebPlatform::ShowDesignPictures() {
    lighting_.ShowScene("");
    Call("design", kDesignSceneWords);
}

void WebPlatform::WaitNext(Twips at) {
    // NEXT tells first what the plates say anew since the last message.
    Tell(spoken::Wait::kNext, plateNews_.Tell());
    Wait("Form3", "", at);
}

YesNo WebPlatform::AskYesNo(Twips at) {
    questionAt_ = at;
    Tell(spoken::Wait::kQuestion, plateNews_.Tell());
    switch (Wait("Form2", "", at)) {
        case 1:
            return YesNo::Yes;
        case 2:
            return YesNo::No;
        default:
            return YesNo::Closed;
    }
}

void WebPlatform::OpenNameDialog() {
    Call("openName");
}

NameEntry WebPlatform::WaitNameDialog() {
    Tell(spoken::Wait::kName);
    if (Wait("Form4", "") != 0) return {.closed = true, .name = {}, .nickname = {}};
    return {
        .closed = false, .name = TakeFromShelf(kFirstText), .nickname = TakeFromShelf(kSecondText)};
}

void WebPlatform::CloseNameDialog() {
    Call("close", "Form4");
}

std::optional<std::string> WebPlatform::ChooseFromList(ListOf list,
                                                       const std::vector<std::string>& entries,
                                                       Twips at) {
    listed_ = list == ListOf::kSlots ? entries : std::vector<std::string>{};
    Call("slotDetails", SlotLines(listed_));
    Tell(spoken::Wait::kList, plateNews_.Tell());
    const int chosen = Wait("Form5", Lines(entries), at);
    listed_.clear();
    if (chosen < 0 || chosen >= static_cast<int>(entries.size())) return std::nullopt;
    return entries[chosen];
}

std::optional<std::string> WebPlatform::ChooseCommand(const std::vector<MenuRow>& rows) {
    Tell(spoken::Wait::kMenu, plateNews_.Tell());
    const int pressed = Wait("Form8", PageMenu(rows));
    if (pressed == kQuickSave) return kQuickSaveCommand;
    if (pressed == kQuickLoad) return kQuickLoadCommand;
    if (pressed < 0 || pressed >= static_cast<int>(rows.size())) return std::nullopt;
    return rows[pressed].caption;
}

// The file and, on the next line, what the picture shows.
void WebPlatform::WaitPictureClick(const NamedPicture& picture) {
    Wait("Form7", picture.file + "\n" + picture.words);
}

void WebPlatform::ClosePictureWindow() {
    Call("close", "Form7");
}

void WebPlatform::Music::StopSound() {
    Call("stopSound");
}

void WebPlatform::Music::PlayLoop(const std::string& waveFile) {
    Call("playLoop", waveFile);
}

}  // namespace velmora::web
