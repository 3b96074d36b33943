#include "backends/qt/window_scaler.h"

#include <QFormLayout>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>

#include "backends/qt/scene_picture.h"
#include "backends/qt/title_bar.h"

namespace velmora::qt {

namespace {

constexpr const char* kDesignGeometry = "velmoraDesignGeometry";
constexpr const char* kDesignFont = "velmoraDesignFont";
constexpr const char* kDesignFixed = "velmoraDesignFixed";
constexpr const char* kDesignStretched = "velmoraDesignStretched";
constexpr const char* kDesignMargins = "velmoraDesignMargins";
constexpr const char* kDesignSpacing = "velmoraDesignSpacing";

// The design is remembered the first time a widget is scaled.
void Remember(QWidget* widget) {
    if (widget->property(kDesignGeometry).isValid()) return;
    widget->setProperty(kDesignGeometry, widget->geometry());
    widget->setProperty(kDesignFont, widget->font());
    widget->setProperty(kDesignFixed, widget->minimumSize() == widget->maximumSize());
    if (auto* label = qobject_cast<QLabel*>(widget))
        widget->setProperty(kDesignStretched, label->hasScaledContents());
}

void RememberFont(QWidget* widget) {
    if (!widget->property(kDesignFont).isValid()) widget->setProperty(kDesignFont, widget->font());
}

void ScaleFont(QWidget* widget, double scale) {
    QFont font = widget->property(kDesignFont).value<QFont>();
    if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * scale);
    widget->setFont(font);
}

void ScaleWidget(QWidget* widget, double scale, QPoint offset) {
    Remember(widget);
    const QRect design = widget->property(kDesignGeometry).toRect();
    const QRect scaled(Scaled(design.x(), scale) + offset.x(),
                       Scaled(design.y(), scale) + offset.y(), Scaled(design.width(), scale),
                       Scaled(design.height(), scale));
    if (auto* scene = qobject_cast<ScenePicture*>(widget)) {
        scene->SetScale(scale);
        scene->move(scaled.topLeft());
        return;
    }
    if (widget->property(kDesignFixed).toBool()) widget->setFixedSize(scaled.size());
    widget->setGeometry(scaled);
    ScaleFont(widget, scale);
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->pixmap().isNull())
        label->setScaledContents(scale != 1.0 || label->property(kDesignStretched).toBool());
}

void ScaleChildren(QWidget* parent, double scale, QPoint offset) {
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The title bar is laid out by its window, at the scaled height.
        if (child->isWindow() || qobject_cast<TitleBar*>(child)) continue;
        ScaleWidget(child, scale, offset);
        if (!qobject_cast<ScenePicture*>(child)) ScaleChildren(child, scale, {});
    }
}

// Scroll bars as thick as the rest of the window is scaled: the style's own
// are as thick at any scale, and would take a small list's width from its
// entries.
class ScaledScrollBars : public QProxyStyle {
  public:
    explicit ScaledScrollBars(double scale) : scale_(scale) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_ScrollBarExtent ? std::max(1, Scaled(value, scale_)) : value;
    }

  private:
    double scale_;
};

void ScaleScrollBars(QWidget* window, double scale) {
    const auto bars = window->findChildren<QScrollBar*>();
    if (bars.isEmpty()) return;
    // One style for the window's bars at this scale, the one before let go.
    auto* style = new ScaledScrollBars(scale);
    style->setParent(window);
    for (QScrollBar* bar : bars) {
        QStyle* before = bar->style();
        bar->setStyle(style);
        if (auto* old = dynamic_cast<ScaledScrollBars*>(before); old && old->parent() == window)
            old->deleteLater();
    }
}

// The margins and the spacing the style gave the layout, as they were first.
void ScaleLayout(QLayout* layout, double scale) {
    auto* form = qobject_cast<QFormLayout*>(layout);
    if (!layout->property(kDesignMargins).isValid()) {
        layout->setProperty(kDesignMargins, QVariant::fromValue(layout->contentsMargins()));
        layout->setProperty(kDesignSpacing,
                            form ? QSize(form->horizontalSpacing(), form->verticalSpacing())
                                 : QSize(layout->spacing(), layout->spacing()));
    }
    const QMargins m = layout->property(kDesignMargins).value<QMargins>();
    layout->setContentsMargins(Scaled(m.left(), scale), Scaled(m.top(), scale),
                               Scaled(m.right(), scale), Scaled(m.bottom(), scale));
    const QSize spacing = Scaled(layout->property(kDesignSpacing).toSize(), scale);
    if (form) {
        form->setHorizontalSpacing(spacing.width());
        form->setVerticalSpacing(spacing.height());
    } else {
        layout->setSpacing(spacing.width());
    }
}

}  // namespace

void ScaleLaidOut(QWidget* window, double scale) {
    QList<QWidget*> widgets;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isWindow() && widget->window() == window && !qobject_cast<TitleBar*>(widget))
            widgets << widget;
    }
    // Every design font first: a child's is its parent's until it is given its own.
    for (QWidget* widget : widgets) RememberFont(widget);
    for (QWidget* widget : widgets) ScaleFont(widget, scale);
    for (QLayout* layout : window->findChildren<QLayout*>()) ScaleLayout(layout, scale);
    ScaleScrollBars(window, scale);
}

void ScaleWindowContents(QWidget* window, double scale, QPoint offset) {
    ScaleChildren(window, scale, offset);
    ScaleScrollBars(window, scale);
}

}  // namespace velmora::qt
