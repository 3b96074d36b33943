// The main window Form1 and every operation of the game. The front ends
// (the Qt window, velmora-tty) only draw what the platform is told and
// report clicks back through lblMsg_Click, Form_Resize and Form_QueryUnload.
//
// The operations are spread over the folders by subsystem: each is defined
// in the file that bears its job's name (VisitPark in places/park.cpp).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "world/state.h"

namespace velmora {

class Form1 final : public MainWindowEvents {
  public:
    explicit Form1(Platform& platform) : platform_(platform) {}

    GameState& state() { return s_; }
    const GameState& state() const { return s_; }

    // --- window events ---
    void lblMsg_Click() override;
    void Form_Resize() override;
    void Form_QueryUnload() override;

    // --- start-up ---
    void StartNewGame();

    // --- message window ---
    void ShowMessage(const std::string& text, int wait);

    // --- command menu ---
    void OpenCommandMenu();
    void DispatchCommand();
    void AskRoomCommand();

    // --- world ---
    void AdvanceClock();
    void LoadScript(const std::string& file);
    void PlayBgm(const std::string& file);

    // --- save and load ---
    void PromptLoad();
    void LoadGame();
    void PromptSave();
    void SaveGame();

    // --- options and quit ---
    void ToggleBgm();
    void ToggleLineDisplay();
    void ConfirmQuit();

    // --- pictures ---
    void ShowScenePicture(const std::string& file);
    void ClearScenePicture();
    void ShowPortrait(const std::string& file);
    void HidePortraitImage();
    void DismissPortrait();
    void ShowPlacePicture(const std::string& file);
    void ShowTitlePicture();
    void UpdateClockDisplay();

    // --- the places ---
    void VisitApartment();
    void VisitBreakwater();
    void VisitBentoShop();
    void VisitPark();
    void VisitAkiraHouse();
    void VisitSerubia();
    void VisitPcShop();
    void VisitSchool();
    void VisitHitomiHouse();
    void VisitTennisCourt();

    // --- finale ---
    void PlayDigestFinale();

    // The sixteen captions of the menu window, top to bottom.
    static const std::vector<std::string>& MenuCaptions();

  private:
    // the dialogs' own rules (shell/dialogs.cpp)
    void ShowForm2();
    void ShowForm3();
    void ShowForm4();
    void ShowForm5();
    void ShowForm7();
    std::vector<std::string> Form5Entries() const;

    // the turns of the game, one after another in a loop (shell/command_menu.cpp)
    void RunTurns();
    bool dispatchPending_ = false;  // a loaded game resumes at its saved place

    // world/save_load.cpp
    void CommitSlot();
    bool ReadSlot(std::string* why);

    // Hitomi's question of Day 1, at the park or at Serubia (places/hitomis_question.cpp)
    static constexpr bool kDismissAfterYes = true;
    void HitomisQuestion(const std::string& placePicture, bool dismissAfterYes);

    // the visit vocabulary (places/visit.cpp)
    void Load(const std::string& file) { LoadScript(file); }
    void Line(int n);
    void Lines(int from, int to);
    void Say(const std::string& text) { ShowMessage(text, 0); }
    void Picture(const std::string& file) { ShowScenePicture(file); }
    void Portrait(const std::string& file) { ShowPortrait(file); }
    void SwitchTo(const std::string& placePicture, const std::string& portrait);
    void Dismiss() { DismissPortrait(); }
    void Blank() { ClearScenePicture(); }
    void Redraw() { UpdateClockDisplay(); }
    void Plus30(int times = 1);
    void ClockTo(int hour, int minute);
    void PlaceIs(const std::string& name) { s_.CurrentPlace = name; }
    bool Ask(const std::string& question);
    bool Ask(int questionLine);
    // Day, Half and inclusive Hour tests; minutes are never compared.
    bool During(int16_t fromHalf, int fromHour, int16_t toHalf, int toHour) const;
    bool DayOneOrTwo() const { return s_.Day <= 2; }
    void Describe(const std::string& earlyDays, const std::string& lateDays);
    int16_t& F(int index) { return s_.Flags.at(index); }

    Platform& platform_;
    GameState s_;
};

}  // namespace velmora
