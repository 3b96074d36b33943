// velmora-contract-host: the window program (app/window_program.h), as
// velmora plays it, that also answers the contract's window driver
// (window_driver.py) over a local socket: what the player sees now, where a
// named control stands on the screen, and whether the steps sent through the
// X server so far have been taken. The driver plays it with xdotool alone;
// where windows stand, how they are stacked and framed is read from the X
// server, as the player sees them.
//
//   velmora-contract-host SOCKET      (in the game's folder)
#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>

#include "app/window_program.h"
#include "backends/qt/fonts.h"
#include "backends/qt/game_dialog.h"
#include "backends/qt/message_label.h"
#include "backends/qt/next_dialog.h"
#include "backends/qt/time_label.h"
#include "backends/qt/title_bar.h"
#include "player/plate_fit.h"
#include "qt/desktop/x11_desktop.h"
#include "shell/form1.h"
#include "window_look.h"

// The X server's own headers come last: their macros would break Qt's.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace velmora::contract {
namespace {

using qt::test::X11Desktop;

// The game's own windows by the names the contract gives them.
const std::map<QString, QString> kGameWindows = {{"Form3", "NEXT"}, {"Form2", "question"},
                                                 {"Form5", "list"}, {"Form8", "menu"},
                                                 {"Form4", "name"}, {"Form7", "picture"}};
// The comforts' windows by their titles.
const std::map<QString, QString> kComfortWindows = {{"History", "履歴"},
                                                    {"Settings", "設定"},
                                                    {"StoryMap", "ストーリーマップ"},
                                                    {"Album", "アルバム"}};

QJsonArray Json(const QRectF& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// The album as a player finds it: each tile by what a screen reader reads of
// it, and the picture open, if any: its name, the size it is drawn at (as
// much of it as its place shows) and a tile's.
QJsonObject AlbumSeen(QWidget* album) {
    QJsonArray tiles;
    auto* grid = album->findChild<QListWidget*>("tiles");
    if (grid) {
        for (int i = 0; i < grid->count(); ++i)
            tiles.append(grid->item(i)->data(Qt::AccessibleTextRole).toString());
    }
    QJsonValue opened;
    auto* full = album->findChild<QLabel*>("opened");
    if (full && full->isVisible()) {
        const QSize drawn = full->pixmap().size().boundedTo(full->contentsRect().size());
        const QSize tile = grid ? grid->iconSize() : QSize();
        opened = QJsonObject{{"name", full->accessibleName()},
                             {"size", QJsonArray{drawn.width(), drawn.height()}},
                             {"tile", QJsonArray{tile.width(), tile.height()}}};
    }
    return {{"tiles", tiles}, {"opened", opened}};
}

QWidget* Visible(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->objectName() == name) return top;
    }
    return nullptr;
}

template <typename Widget>
Widget* Child(QWidget* window, const char* name) {
    return window ? window->findChild<Widget*>(name) : nullptr;
}

class Watch : public QObject, public QAbstractNativeEventFilter {
  public:
    Watch(WindowProgram& program, const QString& socket) : program_(program) {
        server_.listen(socket);
        connect(&server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* client = server_.nextPendingConnection()) {
                connect(client, &QLocalSocket::readyRead, this, [this, client] { Serve(client); });
            }
        });
        role_ = XInternAtom(display_, "WM_WINDOW_ROLE", False);
        qApp->installNativeEventFilter(this);
    }
    ~Watch() override { XCloseDisplay(display_); }

    // A step sent through the X server has been taken once the role the
    // driver gives the main window after it arrives: the X server delivers
    // in order, and the timer fires after the step's own events.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
        const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
        if (change->atom != role_ || change->window != program_.window().winId()) return false;
        const int step = Role().section('-', -1).toInt();
        QTimer::singleShot(0, this, [this, step] { synced_ = std::max(synced_, step); });
        return false;
    }

  private:
    QString Role() {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, left = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, program_.window().winId(), role_, 0, 64, False,
                           AnyPropertyType, &actual, &format, &count, &left, &data);
        const QString role =
            data ? QString::fromLatin1(reinterpret_cast<char*>(data), int(count)) : "";
        if (data) XFree(data);
        return role;
    }

    void Serve(QLocalSocket* client) {
        while (client->canReadLine()) {
            const QString line = QString::fromUtf8(client->readLine()).trimmed();
            QJsonDocument answer;
            if (line == "snapshot") {
                answer = QJsonDocument(Snapshot());
            } else if (line == "synced") {
                program_.FinishSaving();  // a step is taken once the automatic save is written
                answer = QJsonDocument(QJsonObject{{"synced", synced_}});
            } else if (line == "moving") {
                answer = QJsonDocument(QJsonObject{{"moving", desktop_.WindowManagerMoving()}});
            } else if (line == "settle") {
                desktop_.SyncWithWindowManager(&program_.window());
                answer = QJsonDocument(QJsonObject{});
            } else if (line == "hold text" || line == "let text go") {
                program_.window().message()->HoldClock(line == "hold text");
                answer = QJsonDocument(QJsonObject{});
            } else if (line.startsWith("pad ")) {
                answer = QJsonDocument(Pad(line.mid(4)));
            } else if (line == "look") {
                answer = QJsonDocument(look_.Look());
            } else if (line.startsWith("where ")) {
                const std::optional<QPointF> at = Where(line.mid(6));
                answer = QJsonDocument(QJsonObject{
                    {"at", at ? QJsonValue(QJsonArray{at->x(), at->y()}) : QJsonValue()}});
            }
            client->write(answer.toJson(QJsonDocument::Compact) + "\n");
            client->flush();
        }
    }

    // --- where things stand, in the screen's pixels, as the X server has them ---
    QRectF OnScreen(const QWidget* widget, QRectF inside) {
        const QWidget* window = widget->window();
        const double ratio = window->devicePixelRatioF();
        const QPointF origin = desktop_.Position(window);
        inside.translate(widget->mapTo(window, QPoint(0, 0)));
        return {origin + inside.topLeft() * ratio, inside.size() * ratio};
    }
    QRectF OnScreen(const QWidget* widget) { return OnScreen(widget, widget->rect()); }

    std::optional<QPointF> Centre(const QWidget* widget, QRectF inside = {}) {
        if (!widget || !widget->isVisible()) return std::nullopt;
        return OnScreen(widget, inside.isNull() ? QRectF(widget->rect()) : inside).center();
    }

    QWidget* Named(const QString& words) {
        if (words == "the question") return Visible("Form2");
        if (words == "the menu") return Visible("Form8");
        if (words == "the list") return Visible("Form5");
        if (words == "the main window") return &program_.window();
        return nullptr;
    }

    // "A down", "R up": a button of a pad SDL makes in the program (its
    // virtual joystick).
    QJsonObject Pad(const QString& words) {
        static const std::pair<const char*, keys::PadButton> kNames[] = {
            {"A", keys::PadButton::kA},
            {"B", keys::PadButton::kB},
            {"X", keys::PadButton::kX},
            {"Y", keys::PadButton::kY},
            {"Back", keys::PadButton::kBack},
            {"Start", keys::PadButton::kStart},
            {"L", keys::PadButton::kLeftShoulder},
            {"R", keys::PadButton::kRightShoulder},
            {"Up", keys::PadButton::kUp},
            {"Down", keys::PadButton::kDown},
            {"Left", keys::PadButton::kLeft},
            {"Right", keys::PadButton::kRight}};
        qt::GamePad& pad = program_.pad();
        if (!pad.Load() || !pad.reader()->AttachVirtual()) return {{"error", "no pad module"}};
        pad.Poll();  // the pad plugged in
        const QStringList parts = words.split(' ');
        for (const auto& [name, button] : kNames) {
            if (parts.size() == 2 && parts[0] == name) {
                pad.reader()->PressVirtual(button, parts[1] == "down");
                // Carried out after the answer: a window it opens waits in
                // a loop of its own, as one opened by a key does.
                QTimer::singleShot(0, &pad, &qt::GamePad::Poll);
                return {};
            }
        }
        return {{"error", "no such button: " + words}};
    }

    std::optional<QPointF> Where(const QString& target) {
        qt::MainWindow& window = program_.window();
        if (target == "the message") return Centre(window.message());
        if (target == "the scene") return Centre(window.scene());
        if (target == "NEXT") {
            qt::NextDialog* next = qt::NextDialog::Waiting();
            return Centre(next ? next->findChild<QWidget*>("Command1") : nullptr);
        }
        if (target == "ＹＥＳ") return Centre(Child<QWidget>(Visible("Form2"), "cmdYes"));
        if (target == "NO") return Centre(Child<QWidget>(Visible("Form2"), "cmdNo"));
        if (target == "OK") {
            QWidget* form = Visible("Form5") ? Visible("Form5") : Visible("Form4");
            return Centre(Child<QWidget>(form, "Command1"));
        }
        for (const char* what : {"the close box of ", "the title bar of "}) {
            if (!target.startsWith(what)) continue;
            QWidget* named = Named(target.mid(int(strlen(what))));
            auto* bar = named ? named->findChild<qt::TitleBar*>() : nullptr;
            if (!bar) return std::nullopt;
            return Centre(bar, what[4] == 'c' ? bar->closeButton() : bar->captionArea());
        }
        if (!target.startsWith("「") || !target.endsWith("」")) return std::nullopt;
        return Captioned(target.mid(1, target.size() - 2));
    }

    // A control by its caption: the comfort menu's, then the comfort
    // windows', a list's entries, then any button of the game's windows.
    std::optional<QPointF> Captioned(const QString& caption) {
        if (auto* menu = qobject_cast<QMenu*>(Visible("ComfortMenu"))) {
            for (QAction* action : menu->actions()) {
                if (action->text().section('\t', 0, 0) == caption)
                    return Centre(menu, menu->actionGeometry(action));
            }
        }
        if (QPushButton* offer = Offer(); offer && offer->accessibleName() == caption)
            return Centre(offer);
        std::vector<QWidget*> windows;
        for (const auto& [name, title] : kComfortWindows) windows.push_back(Visible(name));
        if (auto* list = Child<QListWidget>(Visible("Form5"), "List1")) {
            const auto items = list->findItems(caption, Qt::MatchExactly);
            if (!items.isEmpty()) {
                list->scrollToItem(items.first());
                return Centre(list->viewport(), list->visualItemRect(items.first()));
            }
        }
        for (QWidget* window : windows) {  // a slider of the settings, by its name
            for (auto* slider : window ? window->findChildren<QSlider*>() : QList<QSlider*>()) {
                if (slider->isVisible() && slider->accessibleName() == caption)
                    return Centre(slider);
            }
        }
        for (const auto& [name, kind] : kGameWindows) windows.push_back(Visible(name));
        for (QWidget* window : windows) {
            if (!window) continue;
            // The first the player can see (a list scrolls some out of its view).
            for (auto* button : window->findChildren<QAbstractButton*>()) {
                if (button->isVisible() && !button->visibleRegion().isEmpty() &&
                    button->text() == caption)
                    return Centre(button);
            }
        }
        return std::nullopt;
    }

    // The contract's name of a window the player is shown, or "".
    QString NameOf(QWidget* window) {
        if (window == &program_.window()) return "main";
        const QString name = window->objectName();
        if (kGameWindows.count(name)) return kGameWindows.at(name);
        if (kComfortWindows.count(name)) return kComfortWindows.at(name);
        if (name == "SlotDetails") return "details";
        if (name == "ComfortMenu") return "メニュー";
        return "";
    }

    // 続きから on the title, while it is offered.
    QPushButton* Offer() {
        auto* offer = program_.window().findChild<QPushButton*>("continueOffer");
        return offer && offer->isVisible() ? offer : nullptr;
    }

    // --- what the player sees ---
    // The window the player sees waiting: the game's window on top of
    // those shown, as the X server stacks them (NEXT above the picture
    // window; a comfort window over it leaves it waiting); the message
    // where none is shown and the game waits for its click.
    QString Waits() {
        std::map<unsigned long, QString> shown;
        for (const auto& [name, kind] : kGameWindows) {
            if (QWidget* window = Visible(name)) shown[window->winId()] = kind;
        }
        const std::vector<unsigned long> stacking = desktop_.Stacking();
        for (auto id = stacking.rbegin(); id != stacking.rend(); ++id) {
            if (shown.count(*id)) return shown[*id];
        }
        if (!shown.empty()) return shown.begin()->second;
        return program_.session().running() ? QString() : "message";
    }

    // Where the time's ink is, as its label's pixels show it: the label
    // painted alone on a clear picture, every column any of its ink is in;
    // weight: how much of the box around the ink is inked (bold strokes
    // fill more of it than thin ones).
    QRectF TimeInk(qt::TimeLabel* time, double* weight) {
        const double ratio = time->window()->devicePixelRatioF();
        QImage painted((QSizeF(time->size()) * ratio).toSize(),
                       QImage::Format_ARGB32_Premultiplied);
        painted.setDevicePixelRatio(ratio);
        painted.fill(Qt::transparent);
        time->render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
        int left = painted.width(), right = -1, top = painted.height(), bottom = -1;
        double inked = 0;
        for (int y = 0; y < painted.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
            for (int x = 0; x < painted.width(); ++x) {
                if (qAlpha(row[x]) == 0) continue;
                inked += qAlpha(row[x]) / 255.0;
                left = std::min(left, x);
                right = std::max(right, x + 1);
                top = std::min(top, y);
                bottom = std::max(bottom, y + 1);
            }
        }
        if (right < 0) return {};
        *weight = inked / ((right - left) * (bottom - top));
        return OnScreen(time, QRectF(left / ratio, 0, (right - left) / ratio, time->height()));
    }

    QString Focus() {
        QWidget* focus = QApplication::focusWidget();
        if (!focus) return {};
        if (auto* button = qobject_cast<QAbstractButton*>(focus)) return button->text();
        if (qobject_cast<QListWidget*>(focus)) return "list";
        return focus->objectName();
    }

    QJsonObject WindowSeen(QWidget* window) {
        QJsonObject seen{{"id", QString::number(window->winId())},
                         {"active", window->isActiveWindow()},
                         {"rect", Json(desktop_.Geometry(window))},
                         {"frame", !desktop_.FrameExtents(window).isNull()}};
        auto* bar = window->findChild<qt::TitleBar*>(QString(), Qt::FindDirectChildrenOnly);
        seen["bar"] = bar && bar->isVisible() ? QJsonValue(Json(OnScreen(bar))) : QJsonValue();
        seen["close"] = bar && bar->isVisible()
                            ? QJsonValue(Json(OnScreen(bar, bar->closeButton())))
                            : QJsonValue();
        double button = 0;
        for (auto* each : window->findChildren<QPushButton*>()) {
            if (!each->isVisible() || !window->rect().contains(each->mapTo(window, QPoint())))
                continue;
            const double high = OnScreen(each).height();
            button = button == 0 ? high : std::min(button, high);
        }
        seen["button"] = button;
        return seen;
    }

    QJsonObject Windows(std::map<unsigned long, QString>* ids) {
        QJsonObject windows;
        const auto add = [&](const QString& name, QWidget* window) {
            if (!window || !window->isVisible()) return;
            windows[name] = WindowSeen(window);
            (*ids)[window->winId()] = name;
        };
        qt::MainWindow& main = program_.window();
        add("main", &main);
        for (const auto& [name, kind] : kGameWindows) add(kind, Visible(name));
        for (const auto& [name, title] : kComfortWindows) add(title, Visible(name));
        add("details", Visible("SlotDetails"));
        if (main.isVisible()) {
            QRectF plates = OnScreen(main.date()).united(OnScreen(main.place()));
            plates = plates.united(OnScreen(main.findChild<QWidget*>("Picture3")));
            windows["plates"] = QJsonObject{{"rect", Json(plates)}, {"frame", false}};
        }
        return windows;
    }

    QJsonObject Snapshot() {
        WindowProgram& p = program_;
        qt::MainWindow& window = p.window();
        QJsonObject s;
        s["waits"] = Waits().isEmpty() ? QJsonValue() : QJsonValue(Waits());
        QString message = window.message()->caption();
        message = message.mid(message.indexOf("\r\n") + 2).replace("\r\n", "\n");
        s["message"] = message;
        s["messageShows"] = window.message()->isVisible();
        const QString drawn = window.message()->drawn();
        s["messageDrawn"] = drawn.mid(drawn.indexOf('\n') + 1);
        s["messageName"] = window.message()->accessibleName();
        QJsonObject steps;  // the settings' sliders of named steps
        for (auto* slider : Visible("Settings") ? Visible("Settings")->findChildren<QSlider*>()
                                                : QList<QSlider*>()) {
            if (!slider->accessibleDescription().isEmpty())
                steps[slider->accessibleName()] = slider->accessibleDescription();
        }
        s["steps"] = steps;
        s["time"] = window.time()->text();
        auto* game = dynamic_cast<Form1*>(&p.rollback().game());
        s["day"] = game ? game->state().Day : 0;
        s["focus"] = Focus();
        QWidget* active = QApplication::activeWindow();
        s["activeWindow"] = active ? QJsonValue(active->objectName()) : QJsonValue();
        auto* list = Child<QListWidget>(Visible("Form5"), "List1");
        s["highlight"] = list && !list->selectedItems().isEmpty()
                             ? QJsonValue(list->selectedItems().first()->text())
                             : QJsonValue();
        s["listScrolls"] = list ? QJsonValue(list->verticalScrollBar()->isVisible()) : QJsonValue();
        auto* nameBox = Child<QLineEdit>(Visible("Form4"), "Text1");
        s["nameBox"] = nameBox ? nameBox->text() : "";
        auto* notice = Child<QLabel>(&window, "notice");
        s["notice"] = notice && notice->isVisible() ? QJsonValue(notice->text()) : QJsonValue();
        s["told"] = QJsonArray::fromStringList(window.announcer().said());
        s["music"] = p.platform().sound().playing();
        s["muted"] = p.comforts().settings().muted;
        s["skipping"] = p.replay().skipping();
        QJsonArray comforts;
        for (const auto& [name, title] : kComfortWindows) {
            if (Visible(name)) comforts.append(title);
        }
        auto* menu = qobject_cast<QMenu*>(Visible("ComfortMenu"));
        if (menu) comforts.append("メニュー");
        s["comforts"] = comforts;
        s["comfortMenu"] = QJsonValue();
        s["storyMap"] = QJsonValue();
        if (menu) {
            QJsonObject items;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator())
                    items[action->text().section('\t', 0, 0)] = action->isEnabled();
            }
            s["comfortMenu"] = items;
        }
        auto* details = qobject_cast<QLabel*>(Visible("SlotDetails"));
        QJsonArray detailLines;
        for (const QString& line : details ? details->text().split('\n') : QStringList()) {
            detailLines.append(line.trimmed());  // as the page's lines, without their indent
        }
        s["details"] = details && details->isVisible() ? QJsonValue(detailLines) : QJsonValue();
        auto* keys = Child<QLabel>(Visible("Settings"), "keys");
        s["keyHelp"] =
            keys ? QJsonValue(QJsonArray::fromStringList(keys->text().split('\n'))) : QJsonValue();
        if (QWidget* map = Visible("StoryMap")) {
            auto* said = Child<QLabel>(map, "trouble");
            auto* hint = Child<QLabel>(map, "hintShown");
            s["storyMap"] = QJsonObject{
                {"said", said && said->isVisible() ? QJsonValue(said->text()) : QJsonValue()},
                {"hint",
                 hint && !hint->text().isEmpty() ? QJsonValue(hint->text()) : QJsonValue()}};
        }
        s["album"] = QJsonValue();
        if (QWidget* album = Visible("Album")) s["album"] = AlbumSeen(album);
        s["importQuestion"] = QJsonValue();
        s["continueOffer"] = Offer() ? QJsonValue(Offer()->text()) : QJsonValue();
        if (window.isVisible()) {
            qt::TimeLabel* time = window.time();
            const double scale = double(time->width()) / plates::kTimeLabelWidth;
            const QRectF room(plates::kTimeRoomLeft * scale, 0,
                              (plates::kTimeRoomRight - plates::kTimeRoomLeft) * scale,
                              time->height());
            double weight = 0;
            const QRectF ink = TimeInk(time, &weight);
            const QRectF roomSeen = OnScreen(time, room & QRectF(time->rect()));
            s["timeFit"] = QJsonObject{{"ink", QJsonArray{ink.left(), ink.right()}},
                                       {"room", QJsonArray{roomSeen.left(), roomSeen.right()}},
                                       {"weight", weight}};
        }
        std::map<unsigned long, QString> ids;
        s["windows"] = Windows(&ids);
        QJsonArray stacking;
        for (unsigned long id : desktop_.Stacking()) {
            if (ids.count(id)) stacking.append(ids[id]);
        }
        s["stacking"] = stacking;
        s["screen"] = QJsonArray{DisplayWidth(display_, DefaultScreen(display_)),
                                 DisplayHeight(display_, DefaultScreen(display_))};
        s["fullScreen"] = p.comforts().stage().fullScreen();
        s["ended"] = false;
        s["synced"] = synced_;
        return s;
    }

    WindowProgram& program_;
    QLocalServer server_;
    X11Desktop desktop_;
    Display* display_ = XOpenDisplay(nullptr);
    Atom role_ = None;
    int synced_ = 0;
    WindowLook look_{desktop_, display_, [this](QWidget* window) { return NameOf(window); }};
};

}  // namespace
}  // namespace velmora::contract

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    velmora::qt::InstallFontSubstitutions();
    velmora::qt::KeepBoldUnderScaleFactor();
    if (argc < 2) return 2;
    velmora::WindowProgram program;
    velmora::contract::Watch watch(program, QString::fromLocal8Bit(argv[1]));
    return program.Run();
}
