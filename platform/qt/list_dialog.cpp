#include "platform/qt/list_dialog.h"

#include <QListWidget>

#include "platform/qt/fonts.h"
#include "platform/qt/twips.h"

namespace velmora::qt {

ListDialog::ListDialog(QWidget* owner, const std::vector<std::string>& entries)
    : GameDialog(owner, "Form5", " 　　　　選択", PxSize(1605, 2250)) {
    auto* list = new QListWidget(this);
    list->setObjectName("List1");
    list->setGeometry(PxRect(0, 0, 1575, 1500));
    list->setFont(GameFont(kPMincho, 12));
    for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
    // A selection counts, not the row that merely has the focus frame.
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
        const auto items = list->selectedItems();
        if (!items.isEmpty()) chosen_ = items.first()->text().toStdString();
    });
    auto* ok = AddButton("Command1", "OK", PxRect(360, 1680, 735, 375), GameFont(kPGothic, 12));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<std::string> ListDialog::Choose(Twips at) {
    move(Px(at));
    exec();
    return chosen_;
}

}  // namespace velmora::qt
