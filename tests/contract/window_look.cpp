#include "window_look.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <algorithm>
#include <optional>
#include <vector>

#include "backends/qt/clickable_label.h"
#include "backends/qt/plate_picture.h"
#include "backends/qt/title_bar.h"

// The X server's own headers come last: their macros would break Qt's.
#include <X11/Xlib.h>

namespace velmora::contract {

namespace {

constexpr double kInside = 2;  // screen pixels in from a control's corners

QJsonArray Json(const QRectF& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

// What the player presses or reads in a window, by what it is; "" for the rest.
QString KindOf(QWidget* widget) {
    if (dynamic_cast<qt::TitleMark*>(widget)) return "mark";
    if (qobject_cast<QCheckBox*>(widget)) return "box";
    if (qobject_cast<QAbstractButton*>(widget)) return "button";
    if (qobject_cast<QScrollBar*>(widget)) return "";
    if (qobject_cast<QAbstractSlider*>(widget)) return "slider";
    if (qobject_cast<QLineEdit*>(widget)) return "field";
    if (qobject_cast<QListWidget*>(widget)) return "list";
    if (qobject_cast<QAbstractScrollArea*>(widget)) return "text";
    if (qobject_cast<qt::ClickableLabel*>(widget)) return "picture";
    if (qobject_cast<qt::PlatePicture*>(widget)) return "plate";
    if (widget->objectName() == "lblMsg") return "message";
    return "";
}

// The part of a switch or a slider the style draws at its own size: the
// box that is ticked, the handle that is dragged (0 for other controls).
double MarkHeight(QWidget* control) {
    QStyle* style = control->style();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        return style->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).height();
    }
    if (auto* slider = qobject_cast<QSlider*>(control)) {
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.maximum = slider->maximum();
        option.minimum = slider->minimum();
        option.tickPosition = slider->tickPosition();
        option.sliderPosition = slider->sliderPosition();
        const QRect handle =
            style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
        return option.orientation == Qt::Horizontal ? handle.height() : handle.width();
    }
    return 0;
}

QString CaptionOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->text().isEmpty())
        return button->text();
    if (!widget->accessibleName().isEmpty() && !qobject_cast<QLabel*>(widget))
        return widget->accessibleName();
    return widget->objectName();
}

// A click there reaches the control: the control itself, a part of it, or,
// for a mark the bar draws and takes the clicks of, its bar.
bool Answers(QWidget* control, QWidget* at) {
    if (!at) return false;
    if (at == control || control->isAncestorOf(at)) return true;
    return control->testAttribute(Qt::WA_TransparentForMouseEvents) &&
           at == control->parentWidget();
}

// Inside what a scroll area scrolls (the story map's hint buttons).
bool Scrolled(QWidget* widget) {
    for (QWidget* above = widget->parentWidget(); above && !above->isWindow();
         above = above->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(above->parentWidget());
        if (area && area->viewport() == above) return true;
    }
    return false;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

WindowLook::WindowLook(qt::test::X11Desktop& desktop, Display* display, Namer name)
    : desktop_(desktop), display_(display), name_(std::move(name)) {}

QJsonObject WindowLook::Look() {
    QJsonArray windows;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible()) continue;
        const QString name = name_(top);
        if (!name.isEmpty()) windows.append(WindowSeen(top, name));
    }
    QWidget* focus = QApplication::focusWidget();
    QWidget* modal = QApplication::activeModalWidget();
    return {{"windows", windows},
            {"modal", modal ? QJsonValue(name_(modal)) : QJsonValue()},
            {"focus", focus ? QJsonValue(name_(focus->window())) : QJsonValue()},
            {"focusControl", focus ? QJsonValue(CaptionOf(focus)) : QJsonValue()}};
}

QJsonObject WindowLook::WindowSeen(QWidget* window, const QString& name) {
    QJsonArray controls;
    bool sideways = false;
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                controls.append(ControlSeen(menu, action->text().section('\t', 0, 0), "item",
                                            menu->actionGeometry(action)));
        }
    }
    for (QWidget* each : window->findChildren<QWidget*>()) {
        if (each->window() != window || !each->isVisible() || each->visibleRegion().isEmpty())
            continue;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(each))
            sideways = sideways || area->horizontalScrollBar()->isVisible();
        const QString kind = KindOf(each);
        if (kind.isEmpty()) continue;
        auto* list = qobject_cast<QListWidget*>(each);
        if (!list) {
            // What a scroll area shows of its contents is clicked where it
            // shows; a sliver scrolled nearly out of view is not yet a target.
            const QRect shown = each->visibleRegion().boundingRect();
            if (Scrolled(each) &&
                std::min(shown.width(), shown.height()) * each->devicePixelRatioF() < 5)
                continue;
            controls.append(ControlSeen(each, CaptionOf(each), kind, each->rect(),
                                        Scrolled(each) && shown != each->rect()
                                            ? std::optional<QRectF>(shown)
                                            : std::nullopt));
            continue;
        }
        // Its entries, those the list shows now (it scrolls to the others):
        // clicked where they show.
        const QRect view = list->viewport()->rect();
        for (int row = 0; row < list->count(); ++row) {
            // A sliver scrolled nearly out of view is not yet a target.
            const QRect entry = list->visualItemRect(list->item(row));
            if ((entry & view).height() * list->devicePixelRatioF() >= 5)
                controls.append(ControlSeen(list->viewport(), list->item(row)->text(), "row", entry,
                                            entry & view));
        }
    }
    return {{"name", name},
            {"rect", Json(desktop_.Geometry(window))},
            {"text", TextPixels(window)},
            {"sideways", sideways},
            {"controls", controls}};
}

QJsonObject WindowLook::ControlSeen(QWidget* control, const QString& name, const QString& kind,
                                    QRectF inside, std::optional<QRectF> shown) {
    const QRectF onScreen = OnScreen(control, inside);
    // Cut: its own window (or a part around it) hides some of it; a list's
    // entry scrolled half out of view is shown where it shows.
    const QRectF part = shown.value_or(inside);
    const QRect visible = (control->visibleRegion() & part.toRect()).boundingRect();
    const double cutBy =
        std::max({visible.left() - part.left(), visible.top() - part.top(),
                  part.right() - visible.right() - 1, part.bottom() - visible.bottom() - 1, 0.0});
    QJsonObject seen = HitTest(control, OnScreen(control, part));
    seen["scrolled"] = part != inside;
    seen["name"] = name;
    seen["kind"] = kind;
    seen["rect"] = Json(onScreen);
    seen["cutBy"] = cutBy * control->devicePixelRatioF();
    seen["text"] = QFontInfo(control->font()).pixelSize() * control->devicePixelRatioF();
    if (const double mark = MarkHeight(control)) seen["mark"] = mark * control->devicePixelRatioF();
    return seen;
}

QJsonObject WindowLook::HitTest(QWidget* control, QRectF onScreen) {
    const double left = onScreen.left() + kInside, right = onScreen.right() - kInside;
    const double top = onScreen.top() + kInside, bottom = onScreen.bottom() - kInside;
    const QPointF points[] = {
        onScreen.center(), {left, top}, {right, top}, {left, bottom}, {right, bottom}};
    QJsonArray hits;
    QJsonValue by;
    for (const QPointF& point : points) {
        // A list's entry is reached through the list's view: the points stand inside it.
        QWidget* at = WidgetAt(point);
        const bool reached = Answers(control, at);
        hits.append(reached);
        if (!reached && by.isNull()) {
            by = at ? QJsonValue(name_(at->window()) + " " + CaptionOf(at)) : QJsonValue("nothing");
        }
    }
    return {{"hits", hits}, {"by", by}};
}

// The widget a click at this point of the screen reaches, or null: the
// top-level window the X server finds there, then its control there.
QWidget* WindowLook::WidgetAt(QPointF point) {
    const unsigned long top = TopLevelAt(point);
    if (!top) return nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || TopLevelOf(window->winId()) != top) continue;
        const QPointF local = (point - desktop_.Position(window)) / window->devicePixelRatioF();
        QWidget* at = window->childAt(local.toPoint());
        return at ? at : window;
    }
    return nullptr;
}

unsigned long WindowLook::TopLevelAt(QPointF point) {
    const Window root = DefaultRootWindow(display_);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, root, root, int(point.x()), int(point.y()), &x, &y, &child);
    return child;
}

// The window's ancestor that stands on the screen's root: the window
// manager's frame around it, or the window itself.
unsigned long WindowLook::TopLevelOf(unsigned long window) {
    for (;;) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || parent == 0) return window;
        window = parent;
    }
}

QRectF WindowLook::OnScreen(const QWidget* widget, QRectF inside) {
    const QWidget* window = widget->window();
    const double ratio = window->devicePixelRatioF();
    inside.translate(widget->mapTo(window, QPoint(0, 0)));
    return {desktop_.Position(window) + inside.topLeft() * ratio, inside.size() * ratio};
}

// How large the window's words are drawn, in screen pixels: the middle size
// of its texts.
double WindowLook::TextPixels(QWidget* window) {
    std::vector<double> sizes;
    for (QWidget* each : window->findChildren<QWidget*>()) {
        if (each->window() != window || !each->isVisible()) continue;
        auto* label = qobject_cast<QLabel*>(each);
        auto* button = qobject_cast<QAbstractButton*>(each);
        const bool words =
            (label && !label->text().isEmpty()) || (button && !button->text().isEmpty()) ||
            qobject_cast<QAbstractScrollArea*>(each) || qobject_cast<QLineEdit*>(each);
        if (words && !qobject_cast<qt::TitleBar*>(each))
            sizes.push_back(QFontInfo(each->font()).pixelSize() * each->devicePixelRatioF());
    }
    if (auto* menu = qobject_cast<QMenu*>(window))
        sizes.push_back(QFontInfo(menu->font()).pixelSize() * menu->devicePixelRatioF());
    return Median(sizes);
}

}  // namespace velmora::contract
