// The light of the hour over the places' pictures: which light the clock
// brings, how it is painted (a sky of its own colours, the sea after it,
// stars and lit windows after dark, not a grey veil), that it follows the
// clock over a picture already shown without touching what line mode
// painted into it, that it never falls on the title or the digest, nor on
// the message, which reads at 4.5 : 1 or more in every light.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "game_harness.h"
#include "player/scene_light.h"

namespace velmora::qt::test {
namespace {

TEST(SceneLight, TheClockShownDecidesTheLight) {
    const std::pair<const char*, Light> hours[] = {
        {"AM 0:00", Light::Night},  {"AM 4:30", Light::Night},  {"AM 5:00", Light::Dawn},
        {"AM 6:00", Light::Dawn},   {"AM 6:30", Light::Day},    {"PM 0:00", Light::Day},
        {"PM 4:00", Light::Day},    {"PM 4:30", Light::LowSun}, {"PM 5:30", Light::LowSun},
        {"PM 6:00", Light::Sunset}, {"PM 6:30", Light::Sunset}, {"PM 7:00", Light::Dusk},
        {"PM 7:30", Light::Dusk},   {"PM 8:00", Light::Night},  {"PM 11:30", Light::Night},
    };
    for (const auto& [time, light] : hours) EXPECT_EQ(LightOf("bouhatei.jpg", time), light) << time;
    // Only the places' pictures: never the title, the digest's pictures, a
    // portrait; nor a time that cannot be read.
    for (const char* other :
         {"title.JPG", "title.jpg", "kaori3.jpg", "hitomi3.jpg", "ryouko2.jpg", "kumi1.gif", ""}) {
        EXPECT_EQ(LightOf(other, "PM 9:00"), Light::Day) << other;
    }
    for (const char* unread : {"", "PM 6", "XM 6:00", "PM 12:00", "PM 6:15", "PM -1:00"}) {
        EXPECT_EQ(LightOf("heya.jpg", unread), Light::Day) << unread;
    }
}

class LightOverTheTown : public testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"bouhatei.jpg", "heya.jpg", "kaori3.jpg"}) {
            ASSERT_TRUE(
                QFile::copy(QString(VELMORA_SHIPPED_DATA) + "/" + name, h.folder() + "/" + name));
        }
    }
    // The scene box after the game shows this picture at this time.
    QImage Shown(const char* picture, const char* time) {
        h.platform.ShowClock({"", time, "", "", "", ""});
        h.platform.ShowScene({picture, ""});
        return h.window.scene()->canvas().copy();
    }
    QImage Day(const char* picture) {
        return QImage(h.folder() + "/" + picture).convertToFormat(QImage::Format_RGB32);
    }
    GameHarness h;
};

// The mean colour of a part of a picture, 0..255 a channel.
QColor Mean(const QImage& image, QRect part) {
    double r = 0, g = 0, b = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.red();
            g += c.green();
            b += c.blue();
        }
    }
    const double n = part.width() * part.height();
    return QColor(int(r / n), int(g / n), int(b / n));
}

const QRect kSkyOverTheSea(0, 90, 120, 25);  // the breakwater's sky, low over the horizon
const QRect kSea(0, 130, 40, 40);            // open sea, left of the breakwater

TEST_F(LightOverTheTown, NoonKeepsTheDayPictureAndSunsetTurnsSkyAndSeaRed) {
    EXPECT_EQ(Shown("bouhatei.jpg", "PM 0:00"), Day("bouhatei.jpg"));
    const QColor daySky = Mean(Day("bouhatei.jpg"), kSkyOverTheSea);
    EXPECT_GT(daySky.blue(), daySky.red());

    const QImage sunset = Shown("bouhatei.jpg", "PM 6:00");
    const QColor sky = Mean(sunset, kSkyOverTheSea), sea = Mean(sunset, kSea);
    EXPECT_GT(sky.red(), sky.blue() + 60) << sky.name().toStdString();
    EXPECT_GT(sea.red(), sea.blue() + 40) << sea.name().toStdString();
}

TEST_F(LightOverTheTown, NightIsADeepBlueWithStarsNotAGreyVeil) {
    const QImage night = Shown("bouhatei.jpg", "PM 9:00");
    const QColor sky = Mean(night, QRect(0, 0, 300, 110));
    EXPECT_LT(sky.value(), 90);
    EXPECT_GT(sky.blue(), sky.red() + 25) << sky.name().toStdString();  // coloured, not grey
    int stars = 0;
    for (int y = 0; y < 110; ++y) {
        for (int x = 0; x < 300; ++x) stars += night.pixelColor(x, y).value() > 170;
    }
    EXPECT_GT(stars, 20);
    // The lighthouse is lit: brighter than the sky around it.
    EXPECT_GT(Mean(night, QRect(240, 64, 12, 6)).value(), sky.value() + 80);
}

TEST_F(LightOverTheTown, TheRoomAtNightHasANightWindowAndItsLampOn) {
    const QImage night = Shown("heya.jpg", "PM 10:30");
    const QColor window = Mean(night, QRect(160, 35, 40, 40));
    const QColor wall = Mean(night, QRect(10, 10, 20, 20));
    EXPECT_LT(window.value(), 90);
    EXPECT_GT(window.blue(), window.red());
    EXPECT_GT(wall.red(), wall.blue());  // lamplight, warm
    EXPECT_LT(wall.value(), Mean(Day("heya.jpg"), QRect(10, 10, 20, 20)).value());
}

TEST_F(LightOverTheTown, TheLightFollowsTheClockAndKeepsWhatLineModePainted) {
    WritePicture(h.folder() + "/kumi1.gif", {300, 260}, QColor(0, 255, 255));
    QImage portrait(h.folder() + "/kumi1.gif");
    QPainter(&portrait).fillRect(100, 100, 40, 60, QColor(200, 30, 30));
    WritePicture(h.folder() + "/kumi1.gif", portrait);

    const QImage evening = Shown("heya.jpg", "PM 5:30");
    h.platform.PaintPortraitIntoScene({"kumi1.gif", ""});
    h.platform.ShowClock({"", "PM 8:00", "", "", "", ""});
    const QImage& night = h.window.scene()->canvas();
    EXPECT_EQ(night.pixelColor(120, 130), QColor(200, 30, 30));  // the portrait, unlit
    EXPECT_NE(night.pixelColor(10, 10), evening.pixelColor(10, 10));
    // The same light as a picture shown at that hour, around the portrait.
    const QImage shownAtNight = Shown("heya.jpg", "PM 8:00");
    EXPECT_EQ(night.pixelColor(10, 10), shownAtNight.pixelColor(10, 10));
}

// The relative luminance of a colour and the contrast of two, as the web's
// accessibility guidelines reckon them.
double Luminance(QColor c) {
    const auto channel = [](double v) {
        v /= 255;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

TEST_F(LightOverTheTown, TheMessageReadsAtFourAndAHalfToOneInEveryLight) {
    for (const char* time : {"PM 0:00", "AM 5:00", "PM 4:30", "PM 6:00", "PM 7:00", "PM 9:00"}) {
        SCOPED_TRACE(time);
        Shown("bouhatei.jpg", time);
        h.platform.SetMessageCaption("佐々木：「今日もいい天気だ。」");
        const QImage message = h.window.message()->grab().toImage();
        const QColor ground = message.pixelColor(2, 2);
        double darkest = 1, lightest = 0;
        for (int y = 0; y < message.height(); ++y) {
            for (int x = 0; x < message.width(); ++x) {
                darkest = std::min(darkest, Luminance(message.pixelColor(x, y)));
                lightest = std::max(lightest, Luminance(message.pixelColor(x, y)));
            }
        }
        EXPECT_EQ(Luminance(ground), lightest);  // the text is the darker
        EXPECT_GE((lightest + 0.05) / (darkest + 0.05), 4.5);
    }
}

TEST_F(LightOverTheTown, TheDigestAndTheTitleKeepTheirOwnColours) {
    EXPECT_EQ(Shown("kaori3.jpg", "PM 9:00"), Day("kaori3.jpg"));
    h.platform.ShowDesignPictures();
    const QImage title = h.window.scene()->canvas().copy();
    h.platform.ShowClock({"", "PM 9:00", "", "", "", ""});
    EXPECT_EQ(h.window.scene()->canvas(), title);
}

}  // namespace
}  // namespace velmora::qt::test
