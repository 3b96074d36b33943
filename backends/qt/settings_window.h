// 設定: the player's comforts in one small window, each change applied and
// kept at once. Opened by a key or the context menu, above any dialog of
// the game, which it never answers.
#pragma once

#include <QCheckBox>
#include <QFormLayout>
#include <functional>

#include "backends/qt/comfort_settings.h"
#include "backends/qt/comfort_window.h"
#include "player/comfort_words.h"

namespace velmora::qt {

class SettingsWindow : public ComfortWindow {
    Q_OBJECT
  public:
    using Changed = std::function<void(const ComfortSettings&)>;

    SettingsWindow(QWidget* over, const ComfortSettings& settings, bool japaneseVoice,
                   Changed changed);
    // The spoken messages' switch says whether a Japanese voice is there.
    void ShowJapaneseVoice(bool found);

  private:
    void AddVolume(QFormLayout* form);
    // A setting of a few named steps (a pace, a speed) on a slider.
    void AddSteps(QFormLayout* form, const char* name, words::Setting setting, int count,
                  int ComfortSettings::*option, const char* (*named)(int));
    QCheckBox* AddSwitch(QFormLayout* form, const QString& caption, bool ComfortSettings::*option);

    ComfortSettings settings_;
    Changed changed_;
    QCheckBox* speech_ = nullptr;
};

}  // namespace velmora::qt
