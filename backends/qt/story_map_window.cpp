#include "backends/qt/story_map_window.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "backends/qt/fonts.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {

namespace {

constexpr int kHintColumn = 2;

}  // namespace

StoryMapWindow::StoryMapWindow(QWidget* over, const StoryMapView& view)
    : ComfortWindow(over, "StoryMap", "ストーリーマップ", {40, 20}, MainWindow::DesignSize()),
      tree_(new QTreeWidget(this)),
      hint_(new QLabel(this)),
      rows_(view.rows) {
    setAccessibleName("ストーリーマップ");
    auto* count = new QLabel(QString::fromStdString(view.count), this);
    count->setObjectName("seenCount");
    count->setFont(GameFont(kPGothic, 11));
    tree_->setObjectName("scenes");
    tree_->setAccessibleName("シーンの一覧");
    tree_->setAccessibleDescription("まだ見ていないシーンは Enter でヒントを表示します");
    tree_->setFont(GameFont(kPGothic, 10, false));
    tree_->setColumnCount(3);
    tree_->setHeaderLabels({"場所", "シーン", "ヒント"});
    tree_->setRootIsDecorated(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    QTreeWidgetItem* day = nullptr;
    for (const StoryMapRow& row : rows_) {
        if (!day || day->data(0, Qt::UserRole).toInt() != row.day) {
            day = new QTreeWidgetItem(tree_, {QString::fromStdString(row.dayCaption)});
            day->setData(0, Qt::UserRole, row.day);
            day->setFirstColumnSpanned(true);
            day->setExpanded(true);
        }
        AddRow(day, row);
    }
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    hint_->setObjectName("hintShown");
    hint_->setWordWrap(true);
    // The hint asked for takes the focus, where a screen reader reads it.
    hint_->setFocusPolicy(Qt::StrongFocus);
    hint_->installEventFilter(this);
    tree_->installEventFilter(this);
    // Enter on an unseen scene asks for its hint, as its button does (and a
    // double click).
    connect(tree_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const auto at = std::find(items_.begin(), items_.end(), item);
        if (at != items_.end()) ShowHint(static_cast<int>(at - items_.begin()));
    });
    hint_->setFont(GameFont(kPGothic, 10, false));
    auto* close = new QPushButton("閉じる（Esc）", this);
    close->setAccessibleDescription("ストーリーマップを閉じます");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    if (!view.trouble.empty()) {
        auto* trouble = new QLabel(QString::fromStdString(view.trouble), this);
        trouble->setObjectName("trouble");
        trouble->setWordWrap(true);
        trouble->setFont(GameFont(kPGothic, 10, false));
        trouble->setStyleSheet("color: #a02020;");
        layout->addWidget(trouble);
    }
    layout->addWidget(tree_);
    layout->addWidget(hint_);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void StoryMapWindow::AddRow(QTreeWidgetItem* day, const StoryMapRow& row) {
    const int index = static_cast<int>(items_.size());
    auto* item =
        new QTreeWidgetItem(day, {row.place.empty() ? "—" : QString::fromStdString(row.place),
                                  QString::fromStdString(row.title)});
    items_.push_back(item);
    // A screen reader moving down the rows hears each row's day with its
    // place (the day is a row of its own above, which it passes by).
    item->setData(0, Qt::AccessibleTextRole,
                  QString::fromStdString(row.dayCaption + " " + row.place).trimmed());
    if (row.seen) return;
    item->setForeground(1, QColor(0x77, 0x77, 0x77));
    // The button stands over the cell; a screen reader finds the cell.
    item->setData(kHintColumn, Qt::AccessibleTextRole, "ヒント（Enter）");
    auto* ask = new QPushButton("ヒント");
    ask->setObjectName("hint");
    // Read by itself, it says whose hint it asks for.
    ask->setAccessibleName(
        QString::fromStdString("ヒント：" + row.dayCaption + " " + row.place).trimmed());
    connect(ask, &QPushButton::clicked, this, [this, index] { ShowHint(index); });
    tree_->setItemWidget(item, kHintColumn, ask);
}

void StoryMapWindow::ShowHint(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[row].seen) return;
    hint_->setText("ヒント：" + QString::fromStdString(rows_[row].hint));
    tree_->setCurrentItem(items_[row]);
    hint_->setFocus(Qt::OtherFocusReason);
}

bool StoryMapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Enter on a row is that row's alone: the view lets it go on to the
    // window, whose first button (the ヒント of another row) it pressed.
    if (watched == tree_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        if (QTreeWidgetItem* current = tree_->currentItem()) emit tree_->itemActivated(current, 0);
        return true;
    }
    if (watched != hint_) return false;
    switch (key) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            tree_->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(tree_, event);
            return true;
        default:
            return false;
    }
}

}  // namespace velmora::qt
