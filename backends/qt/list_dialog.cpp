#include "backends/qt/list_dialog.h"

#include <QListWidget>

#include "backends/qt/confirm_keys.h"
#include "backends/qt/fonts.h"
#include "backends/qt/twips.h"

namespace velmora::qt {

namespace {

// What looks chosen is what is chosen: no entry stands out until the player
// clicks one or moves to one with the keys, so that OK without a choice
// stays what the game makes of it (the preset of the caller, or "not
// chosen"). Qt would otherwise mark the first entry when the list takes
// the focus, without choosing it.
class ChoiceList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        if (selectedItems().isEmpty()) {
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
    }
};

// An entry's details begin with its own name, which the entry already says.
QString Described(const std::string& entry, const std::string& details) {
    QString said = QString::fromStdString(details);
    const QString name = QString::fromStdString(entry);
    if (said.startsWith(name)) said = said.mid(name.size());
    return said.simplified();
}

}  // namespace

ListDialog::ListDialog(QWidget* owner, const std::vector<std::string>& entries,
                       const std::vector<std::string>& described)
    : GameDialog(owner, "Form5", " 　　　　選択", PxSize(1605, 2250)) {
    SpokenAs(spoken::Wait::kList);
    auto* list = new ChoiceList(client());
    list->setObjectName("List1");
    list->setGeometry(PxRect(0, 0, 1575, 1500));
    list->setFont(GameFont(kPMincho, 12));
    // As the design's list box: it scrolls up and down only, its entries
    // never cut short by a mark.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideNone);
    for (size_t i = 0; i < entries.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(entries[i]), list);
        if (i < described.size())
            item->setData(Qt::AccessibleDescriptionRole, Described(entries[i], described[i]));
    }
    // A selection counts, not the row that merely has the focus frame.
    connect(list, &QListWidget::itemSelectionChanged, this, [this, list] {
        const auto items = list->selectedItems();
        if (!items.isEmpty()) chosen_ = items.first()->text().toStdString();
    });
    auto* ok = AddButton("Command1", "OK", PxRect(360, 1680, 735, 375), GameFont(kPGothic, 12),
                         "選んだ項目で決定します");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    list->setFocus();  // first in the Tab order
    new ConfirmKeys(this);
}

std::optional<std::string> ListDialog::Choose(Twips at) {
    PlaceAt(Px(at));
    exec();
    return chosen_;
}

}  // namespace velmora::qt
