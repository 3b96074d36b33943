#include "backends/qt/settings_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>

#include "backends/qt/main_window.h"
#include "player/comfort_words.h"

namespace velmora::qt {
namespace {

QString Caption(words::Setting setting) {
    return QString::fromUtf8(words::SettingCaption(setting));
}

}  // namespace

SettingsWindow::SettingsWindow(QWidget* over, const ComfortSettings& settings, bool japaneseVoice,
                               Changed changed)
    : ComfortWindow(over, "Settings", "設定", {140, 60}),
      settings_(settings),
      changed_(std::move(changed)) {
    auto* form = new QFormLayout(this);
    AddVolume(form);
    AddSwitch(form, Caption(words::Setting::kWheelDownPressesNext),
              &ComfortSettings::wheelDownPressesNext);
    AddSwitch(form, Caption(words::Setting::kAutoAdvance), &ComfortSettings::autoAdvance);
    AddSteps(form, "autoAdvancePace", words::Setting::kAutoAdvancePace,
             timing::kAutoAdvancePaceCount, &ComfortSettings::autoAdvancePace, words::PaceName);
    AddSteps(form, "textSpeed", words::Setting::kTextSpeed, timing::kTextSpeedCount,
             &ComfortSettings::textSpeed, words::TextSpeedName);
    AddSwitch(form, Caption(words::Setting::kSkipUnread), &ComfortSettings::skipUnread);
    AddSwitch(form, Caption(words::Setting::kLargerText), &ComfortSettings::largerText);
    speech_ = AddSwitch(form, "", &ComfortSettings::speakMessages);
    ShowJapaneseVoice(japaneseVoice);
    auto* keys = new QLabel(QString::fromStdString(words::KeyHelp(words::FrontEnd::kWindow)), this);
    keys->setObjectName("keys");
    form->addRow(keys);
}

void SettingsWindow::AddVolume(QFormLayout* form) {
    auto* volume = new QSlider(Qt::Horizontal, this);
    volume->setObjectName("volume");
    volume->setRange(0, 100);
    volume->setValue(settings_.volume);
    volume->setAccessibleName(Caption(words::Setting::kVolume));
    connect(volume, &QSlider::valueChanged, this, [this](int value) {
        settings_.volume = value;
        changed_(settings_);
    });
    form->addRow(Caption(words::Setting::kVolume), volume);
    AddSwitch(form, Caption(words::Setting::kMuted), &ComfortSettings::muted);
}

// Auto-advance's pace and the text's speed on sliders of the game's steps,
// each step's name beside it and told to a screen reader as the slider's
// value.
void SettingsWindow::AddSteps(QFormLayout* form, const char* name, words::Setting setting,
                              int count, int ComfortSettings::*option, const char* (*named)(int)) {
    auto* steps = new QSlider(Qt::Horizontal, this);
    steps->setObjectName(name);
    steps->setRange(0, count - 1);
    steps->setPageStep(1);
    steps->setTickPosition(QSlider::TicksBelow);
    steps->setValue(settings_.*option);
    auto* label = new QLabel(this);
    const auto nameIt = [steps, label, named](int value) {
        label->setText(QString::fromUtf8(named(value)));
        steps->setAccessibleDescription(label->text());
    };
    nameIt(settings_.*option);
    steps->setAccessibleName(Caption(setting));
    connect(steps, &QSlider::valueChanged, this, [this, nameIt, label, option](int value) {
        nameIt(value);
        // A screen reader speaks a slider's number alone as it moves: the
        // step's name is said as well.
        if (auto* main = qobject_cast<MainWindow*>(parentWidget()))
            main->announcer().Say(label->text());
        settings_.*option = value;
        changed_(settings_);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(steps);
    row->addWidget(label);
    form->addRow(Caption(setting), row);
}

void SettingsWindow::ShowJapaneseVoice(bool found) {
    const QString caption =
        found ? QString("メッセージを読み上げる")
              : QString("メッセージを読み上げる（日本語の音声がインストールされていません）");
    speech_->setText(caption);
    speech_->setAccessibleName(caption);
}

QCheckBox* SettingsWindow::AddSwitch(QFormLayout* form, const QString& caption,
                                     bool ComfortSettings::*option) {
    auto* box = new QCheckBox(caption, this);
    box->setChecked(settings_.*option);
    box->setAccessibleName(caption);
    connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
        settings_.*option = on;
        changed_(settings_);
    });
    form->addRow(box);
    return box;
}

}  // namespace velmora::qt
