#include "backends/qt/album_window.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "backends/qt/fonts.h"
#include "backends/qt/main_window.h"

namespace velmora::qt {
namespace {

constexpr QSize kTile{100, 87};  // a third of a scene, drawn at twice that and fitted
constexpr int kTilesInARow = 5;
const QColor kBlank{0xd8, 0xd8, 0xd8};

QIcon BlankTile() {
    QPixmap blank(kTile * 2);
    blank.fill(kBlank);
    return QIcon(blank);
}

}  // namespace

AlbumWindow::AlbumWindow(QWidget* over, AlbumView view)
    : ComfortWindow(over, "Album", album::kTitle, {40, 20}, MainWindow::DesignSize()),
      view_(std::move(view)),
      pages_(new QStackedWidget(this)),
      grid_(new QListWidget(pages_)),
      full_(new ClickableLabel(pages_)) {
    setAccessibleName(album::kTitle);
    const auto seen = std::count_if(view_.tiles.begin(), view_.tiles.end(),
                                    [](const AlbumTile& t) { return t.seen; });
    auto* count = new QLabel(QString("見た絵 %1 / %2").arg(seen).arg(view_.tiles.size()), this);
    count->setObjectName("seenCount");
    count->setFont(GameFont(kPGothic, 11));
    grid_->setObjectName("tiles");
    grid_->setViewMode(QListView::IconMode);
    grid_->setIconSize(kTile);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setMovement(QListView::Static);
    grid_->setSpacing(4);
    // The tile the arrows stand on shows, whatever its picture.
    grid_->setStyleSheet("QListWidget#tiles::item:selected { border: 3px solid #2a5db0; }");
    const QIcon blank = BlankTile();
    for (const AlbumTile& tile : view_.tiles) {
        auto* item = new QListWidgetItem(grid_);
        const std::string& words = tile.seen ? tile.picture.words : album::kUnseenWords;
        item->setData(Qt::AccessibleTextRole, QString::fromStdString(words));
        item->setToolTip(QString::fromStdString(words));
        item->setIcon(tile.seen ? QIcon(QPixmap::fromImage(Lit(tile).scaled(
                                      kTile * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)))
                                : blank);
    }
    if (grid_->count() > 0) grid_->setCurrentRow(0);
    grid_->installEventFilter(this);
    pages_->installEventFilter(this);
    connect(grid_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Open(grid_->row(item)); });
    connect(grid_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Open(grid_->row(item)); });
    full_->setObjectName("opened");
    full_->setAlignment(Qt::AlignCenter);
    full_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    full_->setFocusPolicy(Qt::StrongFocus);
    connect(full_, &ClickableLabel::clicked, this, &AlbumWindow::CloseOpened);
    pages_->addWidget(grid_);
    pages_->addWidget(full_);
    auto* close = new QPushButton("閉じる（Esc）", this);
    close->setAccessibleDescription("アルバムを閉じます");
    // Enter on a tile opens its picture: the list passes the key on, and a
    // default button would close the album with it.
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count);
    layout->addWidget(pages_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
}

QImage AlbumWindow::Lit(const AlbumTile& tile) const {
    QImage picture = view_.load ? view_.load(tile.picture.file) : QImage();
    if (picture.isNull()) return picture;
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    PaintLight({reinterpret_cast<uint32_t*>(picture.bits()), picture.width(), picture.height(),
                static_cast<int>(picture.bytesPerLine() / 4)},
               LitPicture(tile.picture.file), tile.picture.light);
    return picture;
}

void AlbumWindow::Open(int tile) {
    if (tile < 0 || tile >= static_cast<int>(view_.tiles.size()) || !view_.tiles[tile].seen) return;
    const AlbumTile& shown = view_.tiles[tile];
    opened_ = Lit(shown);
    full_->setAccessibleName(QString::fromStdString(shown.picture.words));
    full_->setAccessibleDescription("クリックか Esc で一覧に戻ります");
    grid_->setCurrentRow(tile);
    pages_->setCurrentIndex(1);
    FitOpened();
    full_->setFocus(Qt::OtherFocusReason);
}

// The picture open as large as the album's room holds it whole, never
// larger: the album, not the picture, sets the window's size.
void AlbumWindow::FitOpened() {
    if (opened_.isNull()) return full_->clear();
    full_->setPixmap(QPixmap::fromImage(
        opened_.scaled(pages_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void AlbumWindow::CloseOpened() {
    pages_->setCurrentIndex(0);
    grid_->setFocus(Qt::OtherFocusReason);
}

bool AlbumWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::Resize) FitTiles();
    if (watched == pages_ && event->type() == QEvent::Resize && opened()) FitOpened();
    return ComfortWindow::eventFilter(watched, event);
}

// Five tiles a row across the whole list, at every scale of the window; the
// scroll bar's room always kept, as the album scrolls.
void AlbumWindow::FitTiles() {
    const int room = grid_->contentsRect().width() -
                     grid_->verticalScrollBar()->sizeHint().width() - 2 * grid_->spacing();
    const int cell = std::max(kTile.width() / 4, room / kTilesInARow - 1);
    const int width = cell - 2 * grid_->spacing();
    const int height = width * kTile.height() / kTile.width();
    grid_->setIconSize({width, height});
    grid_->setGridSize({cell, height + 2 * grid_->spacing()});
}

void AlbumWindow::reject() {
    if (opened()) {
        CloseOpened();
        return;
    }
    ComfortWindow::reject();
}

}  // namespace velmora::qt
