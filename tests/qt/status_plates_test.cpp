// The status column and the sky behind it: every time of day stays inside
// its plate, clear of the clock, at every scale and on screens with twice
// the pixels; and the sky's clouds beside the plates end round, not in a
// straight line.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "backends/qt/design_pictures.h"
#include "backends/qt/window_scaler.h"
#include "game_harness.h"

namespace velmora::qt::test {
namespace {

// Where the text may be drawn on the time plate, in design pixels: right of
// the clock icon, inside the plate's border.
constexpr double kClockRight = 21;  // the icon ends at 17.25; a gap a player sees
constexpr double kBorderLeft = 137;

QStringList TimesOfDay() {
    QStringList times;
    for (const char* half : {"AM", "PM"})
        for (int hour = 0; hour <= 12; ++hour)
            for (const char* minute : {"00", "30"})
                times << QString("%1 %2:%3").arg(half).arg(hour).arg(minute);
    times << "PM-1:00"
          << "AM 32767:30";  // from edited saves
    return times;
}

// The columns the text's ink covers, in the plate's design pixels.
std::pair<double, double> InkColumns(TimeLabel* label, double scale, double pixelRatio) {
    QImage ink(label->size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    ink.setDevicePixelRatio(pixelRatio);
    ink.fill(Qt::transparent);
    label->render(&ink, {}, {}, QWidget::DrawChildren);
    int left = ink.width(), right = -1;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (qAlpha(ink.pixel(x, y)) > 40) left = std::min(left, x), right = std::max(right, x);
    const double perDesign = scale * pixelRatio;
    const double labelLeft = label->x() / scale;
    return {labelLeft + left / perDesign, labelLeft + (right + 1) / perDesign};
}

TEST(TimePlate, EveryTimeOfDayFitsInsideThePlateAtEveryScale) {
    GameHarness h;
    TimeLabel* label = h.window.time();
    QStringList outside;
    for (double scale : {1.0, 1.5, 1.9417, 2.0, 2.6238}) {
        h.window.Lay(scale);
        for (double pixelRatio : {1.0, 2.0}) {
            for (const QString& time : TimesOfDay()) {
                h.window.ShowTime(time);
                const auto [left, right] = InkColumns(label, scale, pixelRatio);
                if (left < kClockRight || right > kBorderLeft)
                    outside << QString("%1 at %2x%3: %4..%5")
                                   .arg(time)
                                   .arg(scale)
                                   .arg(pixelRatio)
                                   .arg(left, 0, 'f', 1)
                                   .arg(right, 0, 'f', 1);
            }
        }
    }
    h.window.Lay(1.0);
    EXPECT_TRUE(outside.isEmpty()) << outside.join("\n").toStdString();
}

// A straight edge: a run of cloud-white pixels with sky right below them.
TEST(DesignPictures, TheCloudsBesideThePlatesEndRound) {
    const QImage sky = DesignBackground();
    constexpr int kPlatesRight = 480;
    constexpr int kLongestEdge = 16;
    const auto white = [&sky](int x, int y) { return qGray(sky.pixel(x, y)) > 245; };
    int longest = 0;
    for (int y = 0; y + 1 < 412; ++y) {
        int run = 0;
        for (int x = kPlatesRight; x < 569; ++x) {
            run = white(x, y) && !white(x, y + 1) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_LT(longest, kLongestEdge);
}

}  // namespace
}  // namespace velmora::qt::test
