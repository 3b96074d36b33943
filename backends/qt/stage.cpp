#include "backends/qt/stage.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>

#include "backends/qt/command_menu.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/twips.h"
#include "backends/qt/window_scaler.h"

namespace velmora::qt {

namespace {

constexpr int kPlatesRight = 480;  // design pixels from the client area's left
constexpr int kMenuGap = 4;
// The menu drawn over the main window's side is never much smaller than the
// main window: at nine tenths of its scale at least.
constexpr double kMenuShare = 0.9;
constexpr double kScaleStep = 0.01;

double Fitting(QSize design, QSize room) {
    return std::min(double(room.width()) / design.width(), double(room.height()) / design.height());
}

QPoint KeptOnScreen(QRect window, QRect screen) {
    return {std::clamp(window.left(), screen.left(),
                       std::max(screen.left(), screen.right() + 1 - window.width())),
            std::clamp(window.top(), screen.top(),
                       std::max(screen.top(), screen.bottom() + 1 - window.height()))};
}

}  // namespace

Stage::Stage(MainWindow& window) : QObject(&window), window_(window) {
    window_.installEventFilter(this);
    Fit();
    for (QScreen* screen : QGuiApplication::screens())
        connect(screen, &QScreen::availableGeometryChanged, this, &Stage::Fit);
}

// The main window at the largest scale up to the player's (the design's, or
// larger text's) that fits its screen. Where the menu would then have room over the main window's
// right side only below its design size in the screen's own pixels (a desktop scale factor of 2 on
// a small screen), the main window makes room for it beside it instead, as long as it stays at its
// own design size in the screen's pixels.
double Stage::FittedScale() const {
    const QSize screen = Screen().size();
    const double whole = std::min(comfortScale_, Fitting(MainWindow::DesignSize(), screen));
    const double smallest = 1.0 / std::max(1.0, window_.devicePixelRatioF());
    // The menu's height is known once the game has laid it out; until then
    // the main window's stands for it. That fits the same for a menu of up to
    // seventeen rows that show (the story's has fifteen): the heights count
    // only where the menu has no room over the main window's right side.
    QSize menu(CommandMenu::DesignWidth(), 0);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* laidOut = qobject_cast<CommandMenu*>(top)) menu = laidOut->designSize();
    }
    const int room = screen.width() - Scaled(kPlatesRight + kMenuGap, whole);
    if (Scaled(menu.width(), smallest) <= room) return whole;
    const QSize both(MainWindow::DesignSize().width() + 1 + menu.width(),
                     std::max(MainWindow::DesignSize().height(), menu.height()));
    const double beside = std::min(comfortScale_, Fitting(both, screen));
    return beside >= smallest ? beside : whole;
}

void Stage::Fit() {
    if (fullScreen_) return;
    scale_ = FittedScale();
    if (window_.scale() != scale_) window_.Lay(scale_);
    window_.move(KeptOnScreen(window_.geometry(), Screen()));
    PlaceOpenDialogs();
}

void Stage::SetComfortScale(double scale) {
    if (comfortScale_ == scale) return;
    comfortScale_ = scale;
    Fit();
}

void Stage::ToggleFullScreen() {
    if (fullScreen_) {
        Leave();
    } else {
        Enter();
    }
    PlaceOpenDialogs();
    keyboardBack_ = true;
}

// The game as large as the screen holds it, and the menu room beside the
// plates at its own size: on a small screen the game is drawn a little
// smaller for it.
void Stage::Enter() {
    normal_ = window_.geometry();
    window_.KeepGamePosition(window_.pos());
    fullScreen_ = true;
    const QRect screen = Screen();
    const QSize client = MainWindow::DesignClientSize();
    scale_ = Fitting(client, screen.size());
    while (scale_ > kScaleStep && !RoomForMenu(scale_, FullScreenClient(scale_)))
        scale_ -= kScaleStep;
    clientAt_ = FullScreenClient(scale_);
    window_.setMinimumSize(0, 0);
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_.setGeometry(screen);  // where no window manager does it
    window_.LayFullScreen(scale_, clientAt_ - screen.topLeft());
    window_.showFullScreen();
}

// Back where the window stood, to the pixel: its geometry is restored as a
// whole rather than moved to a position the window system may read with
// or without a frame.
void Stage::Leave() {
    fullScreen_ = false;
    window_.showNormal();
    window_.KeepGamePosition(std::nullopt);
    scale_ = FittedScale();
    window_.Lay(scale_);
    window_.setGeometry(QRect(normal_.topLeft(), window_.size()));
}

// A window manager may publish an empty work area for a while (as it starts
// or restarts), and a screen may be reported before its size is known: the
// game then keeps to the whole screen, or to the design's room where the
// window stands, rather than shrink every window to nothing.
QRect Stage::Screen() const {
    const QScreen* screen = window_.screen();
    for (const QRect area :
         {fullScreen_ ? QRect() : screen->availableGeometry(), screen->geometry()})
        if (!area.isEmpty()) return area;
    return QRect(window_.pos(), MainWindow::DesignSize());
}

// The client area's top-left in full screen at this scale: in the middle.
QPoint Stage::FullScreenClient(double scale) const {
    const QRect screen = Screen();
    const QSize stage = Scaled(MainWindow::DesignClientSize(), scale);
    return screen.topLeft() +
           QPoint((screen.width() - stage.width()) / 2, (screen.height() - stage.height()) / 2);
}

// The menu's design size, once the game has laid it out.
QSize Stage::MenuDesignSize() const {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<CommandMenu*>(top)) return menu->designSize();
    }
    return {CommandMenu::DesignWidth(), MainWindow::DesignSize().height()};
}

// The room right of the plates, below the main window's title bar, with the
// client area at `client`: the menu fits there at its smallest and at nine
// tenths of the main window's scale.
bool Stage::RoomForMenu(double scale, QPoint client) const {
    const QRect screen = Screen();
    const QSize room(screen.right() + 1 - client.x() - Scaled(kPlatesRight + kMenuGap, scale),
                     screen.bottom() + 1 - client.y());
    const QSize menu = MenuDesignSize();
    const double least = std::max(SmallestScale(menu), kMenuShare * scale);
    return Fitting(menu, room) >= least;
}

QPoint Stage::ClientOnScreen() const {
    if (fullScreen_) return clientAt_;
    return window_.pos() + QPoint(0, Scaled(TitleBar::kDesignHeight, scale_));
}

void Stage::PlaceOpenDialogs() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<GameDialog*>(top);
        if (dialog && dialog->isVisible()) Place(dialog);
    }
}

// The same place relative to the main window's client area, scaled with
// it (or beside its left side at the screen's right edge); never larger
// than the screen, never off it.
void Stage::Place(GameDialog* dialog) {
    if (qobject_cast<CommandMenu*>(dialog)) {
        PlaceMenu(dialog);
        return;
    }
    const QRect screen = Screen();
    dialog->SetScale(std::min(scale_, Fitting(dialog->designSize(), screen.size())));
    const QPoint designClient = window_.GamePosition() + QPoint(0, TitleBar::kDesignHeight);
    QPoint at = ClientOnScreen() + Scaled(dialog->designPosition() - designClient, scale_);
    // A window the design stands at the main window's right side (the
    // list) goes beside its left side where the player moved the main
    // window to the screen's right edge, rather than over its plates.
    const QRect main = window_.geometry();
    if (at.x() > main.center().x() && at.x() + dialog->width() > screen.right() + 1) {
        const int left = main.left() - 1 - dialog->width();
        if (left >= screen.left()) at.setX(left);
    }
    dialog->move(KeptOnScreen(QRect(at, dialog->size()), screen));
}

// Beside the main window where the design put it (or on its left where the
// right has no room), or where the player put it, when it fits there;
// otherwise over the main window's right-hand side,
// clear of the plates and as large as that room allows, so that every
// caption and "終了" show.
void Stage::PlaceMenu(GameDialog* menu) {
    menu->installEventFilter(this);
    if (TitleBar* bar = menu->titleBar())
        connect(bar, &TitleBar::captionPressed, this, &Stage::MenuTaken, Qt::UniqueConnection);
    const QRect screen = Screen();
    if (menuPlace_ && !fullScreen_) {
        menu->SetScale(std::max(SmallestMenuScale(menu),
                                std::min(scale_, Fitting(menu->designSize(), screen.size()))));
        const QPoint at = ClientOnScreen() + Scaled(*menuPlace_, scale_);
        MoveMenu(menu, KeptOnScreen(QRect(at, menu->size()), screen));
        return;
    }
    const double beside = std::max(scale_, SmallestMenuScale(menu));
    const QSize besideSize = Scaled(menu->designSize(), beside);
    // Right of the main window, or left of it where the player moved it to
    // the screen's right edge.
    for (const QPoint at : {window_.geometry().topRight() + QPoint(1, 0),
                            window_.geometry().topLeft() - QPoint(besideSize.width() + 1, 0)}) {
        if (!fullScreen_ && screen.contains(QRect(at, besideSize))) {
            menu->SetScale(beside);
            MoveMenu(menu, at);
            return;
        }
    }
    MakeRoomForMenu();
    const QPoint client = ClientOnScreen();
    const int left = client.x() + Scaled(kPlatesRight + kMenuGap, scale_);
    // Below the main window's title bar, its buttons left free.
    const QSize room(screen.right() + 1 - left, screen.bottom() + 1 - client.y());
    menu->SetScale(
        std::max(SmallestMenuScale(menu), std::min(scale_, Fitting(menu->designSize(), room))));
    const QRect placed(QPoint(screen.right() + 1 - menu->width(), client.y()), menu->size());
    MoveMenu(menu, KeptOnScreen(placed, screen));
}

// Where the player has moved the main window so near the screen's right
// edge that the menu has no room right of the plates, the main window is
// drawn a little smaller for it, never below its design size in the
// screen's pixels.
void Stage::MakeRoomForMenu() {
    if (fullScreen_ || RoomForMenu(scale_, ClientOnScreen())) return;
    const double least = SmallestScale(MainWindow::DesignSize());
    double scale = scale_;
    const QPoint at = window_.pos();
    while (scale - kScaleStep >= least &&
           !RoomForMenu(scale, at + QPoint(0, Scaled(TitleBar::kDesignHeight, scale))))
        scale -= kScaleStep;
    if (scale == scale_ ||
        !RoomForMenu(scale, at + QPoint(0, Scaled(TitleBar::kDesignHeight, scale))))
        return;
    scale_ = scale;
    window_.Lay(scale_);
}

void Stage::MoveMenu(GameDialog* menu, QPoint at) {
    menuTaken_ = false;
    menuPlacedAt_ = at;
    menu->move(at);
}

// Its design size in the screen's own pixels (a desktop scale factor of 2
// on a small screen would draw it smaller), where the screen holds that.
double Stage::SmallestMenuScale(const GameDialog* menu) const {
    return SmallestScale(menu->designSize());
}

double Stage::SmallestScale(QSize design) const {
    const double ratio = std::max(1.0, window_.devicePixelRatioF());
    return std::min(1.0 / ratio, Fitting(design, Screen().size()));
}

// A move of the menu the player took by its caption is the player's: the
// menu keeps that place by the main window from now on. The window manager's
// own moves (placing a window as it maps it) are not.
bool Stage::eventFilter(QObject* watched, QEvent* event) {
    // The window manager gives the keyboard to the main window it has just
    // taken to full screen or back: NEXT, if it waits, takes it again (a
    // window that waits modally keeps it anyway).
    if (watched == &window_ && event->type() == QEvent::WindowActivate && keyboardBack_) {
        keyboardBack_ = false;
        if (NextDialog* next = NextDialog::Waiting(); next && next->Answerable())
            next->activateWindow();
        return false;
    }
    auto* menu = qobject_cast<CommandMenu*>(watched);
    if (menu && event->type() == QEvent::Move && menu->isVisible() && !fullScreen_ && menuTaken_ &&
        menu->pos() != menuPlacedAt_) {
        menuPlace_ = (QPointF(menu->pos() - ClientOnScreen()) / scale_).toPoint();
        menuPlacedAt_ = menu->pos();
    }
    return false;
}

}  // namespace velmora::qt
