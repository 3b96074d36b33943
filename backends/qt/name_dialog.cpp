#include "backends/qt/name_dialog.h"

#include <QLabel>

#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {

void AddCaption(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(GameFont(kPGothic, 12));
}

}  // namespace

NameDialog::NameDialog(QWidget* owner) : GameDialog(owner, "Form4", "", PxSize(4080, 1785)) {
    SpokenAs(spoken::Wait::kName, "名前とニックネーム");
    AddCaption(client(), "Label1", "名前：", PxRect(120, 240, 1215, 375));
    AddCaption(client(), "Label2", "ﾆｯｸﾈｰﾑ：", PxRect(120, 840, 1215, 375));
    text1_ = AddTextBox("Text1", "名前", PxRect(1560, 120, 2415, 495));
    text2_ = AddTextBox("Text2", "ニックネーム", PxRect(1560, 720, 2415, 495));
    auto* ok = AddButton("Command1", "OK", PxRect(2640, 1320, 1335, 420), GameFont(kGothic, 12),
                         "入力した名前とニックネームで決定します");
    setTabOrder(text1_, text2_);
    setTabOrder(text2_, ok);
    connect(ok, &QPushButton::clicked, this, &NameDialog::okClicked);
    // The game never moves this window: it opens where it was designed.
    PlaceAt({Px(570), Px(855)});
}

// Named as its caption says, for a screen reader that meets the box alone.
QLineEdit* NameDialog::AddTextBox(const char* name, const char* spoken, QRect geometry) {
    auto* box = new QLineEdit(client());
    box->setObjectName(name);
    box->setAccessibleName(QString::fromUtf8(spoken));
    box->setGeometry(geometry);
    box->setFont(GameFont(kPGothic, 14.25));
    return box;
}

void NameDialog::Open() {
    if (isVisible()) return;
    show();
    text1_->setFocus();
}

NameEntry NameDialog::WaitOk() {
    if (!WaitFor(this, &NameDialog::okClicked)) return {.closed = true, .name = {}, .nickname = {}};
    return {.closed = false,
            .name = text1_->text().toStdString(),
            .nickname = text2_->text().toStdString()};
}

}  // namespace velmora::qt
