// The pictures of the main window: line mode paints only the portrait's
// pixels that are not exactly light cyan, even rows before odd rows; the
// prepared portrait layer moves in and out of view; missing or broken files
// show nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>

#include "game_harness.h"

namespace velmora::qt::test {
namespace {

const QColor kLightCyan(0, 255, 255);
const QColor kScene(0, 100, 0);
const QColor kCharacter(200, 0, 0);
const QColor kAlmostCyan(0, 255, 254);  // not the background colour
const QRect kFigure(50, 40, 60, 100);

// A portrait larger than the scene: light cyan around a red figure, one
// almost-cyan pixel, and a red column beyond the scene's 300 pixels.
void WritePortrait(const QString& path) {
    QImage portrait(320, 280, QImage::Format_RGB32);
    portrait.fill(kLightCyan);
    QPainter painter(&portrait);
    painter.fillRect(kFigure, kCharacter);
    painter.fillRect(305, 0, 10, 280, kCharacter);
    painter.end();
    portrait.setPixelColor(200, 201, kAlmostCyan);
    WritePicture(path, portrait);
}

// Keeps a copy of the scene as it is painted on screen between the passes.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(ScenePicture* scene) : scene_(scene) { scene->installEventFilter(this); }
    QImage seen;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && seen.isNull()) seen = scene_->canvas().copy();
        return false;
    }

  private:
    ScenePicture* scene_;
};

TEST(LineMode, PaintsOnlyPixelsThatAreNotLightCyanEvenRowsFirst) {
    GameHarness h;
    WritePortrait(h.folder() + "/kumi1.gif");
    WritePicture(h.folder() + "/scene.jpg", {300, 260}, kScene);
    ScenePicture* scene = h.window.scene();
    h.platform.ShowScene({"scene.jpg", "公園"});
    QApplication::processEvents();  // the scene's own paint happens before the test watches

    FirstPaint between(scene);
    h.platform.PaintPortraitIntoScene({"kumi1.gif", "久美"});
    const QImage& after = scene->canvas();
    EXPECT_EQ(scene->accessibleName(), "公園、久美");  // the character is now part of the scene

    EXPECT_EQ(after.pixelColor(kFigure.topLeft()), kCharacter);
    EXPECT_EQ(after.pixelColor(kFigure.bottomRight()), kCharacter);
    EXPECT_EQ(after.pixelColor(0, 0), kScene);
    EXPECT_EQ(after.pixelColor(299, 259), kScene);
    EXPECT_EQ(after.pixelColor(200, 201), kAlmostCyan);
    ASSERT_FALSE(between.seen.isNull());
    EXPECT_EQ(between.seen.pixelColor(60, 50), kCharacter);  // even row
    EXPECT_EQ(between.seen.pixelColor(60, 51), kScene);      // odd row, not yet
    EXPECT_EQ(between.seen.pixelColor(200, 201), kScene);
}

TEST(PortraitLayer, ShowsThePreparedPictureAtTheLeftAndHidesItBeyondTheScene) {
    GameHarness h;
    QLabel* layer = h.window.scene()->layer();
    h.platform.ShowPreparedPortrait({"kumi1_0.gif", "久美"});  // KUMI1_0.GIF in the folder
    EXPECT_EQ(layer->pos(), QPoint(0, 0));
    EXPECT_EQ(layer->pixmap().size(), QSize(120, 200));
    EXPECT_EQ(layer->accessibleName(), "久美");
    h.platform.HidePortraitLayer();
    EXPECT_EQ(layer->pos(), QPoint(500, 0));
    EXPECT_EQ(layer->pixmap().size(), QSize(120, 200));
    EXPECT_EQ(layer->accessibleName(), "");  // out of view, not read out
}

TEST(MissingPictures, ShowNothingInTheirControl) {
    GameHarness h;
    QFile broken(h.folder() + "/broken.gif");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("GIF89a, but nothing after it");
    broken.close();

    h.platform.ShowScene({"broken.gif", ""});
    const QImage& canvas = h.window.scene()->canvas();
    EXPECT_EQ(canvas.pixelColor(10, 10), QColor(255, 255, 192));
    h.platform.PaintPortraitIntoScene({"missing.gif", ""});
    EXPECT_EQ(canvas.pixelColor(10, 10), QColor(255, 255, 192));

    h.platform.ShowSidePicture({"missing.jpg", ""});
    EXPECT_TRUE(h.window.side()->pixmap().isNull());
    const QPixmap datePlate = h.window.date()->pixmap();
    h.platform.ShowClock({"", "PM 0:30", "nowhere.gif", "", "", ""});
    EXPECT_EQ(h.window.date()->pixmap().cacheKey(), datePlate.cacheKey());  // kept
    EXPECT_EQ(h.window.time()->text(), "PM 0:30");
    EXPECT_TRUE(h.window.place()->pixmap().isNull());
}

}  // namespace
}  // namespace velmora::qt::test
