// What a screen reader reads of the scene and the portrait: the place, the
// character, never a file's name.
#include <gtest/gtest.h>

#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "presentation/pictures.h"
#include "replay/forwarding_platform.h"
#include "shell/story.h"

namespace velmora {
namespace {

// The pictures as the game hands them to the window.
class Recorder final : public ForwardingPlatform {
  public:
    std::vector<NamedPicture> shown;

    void ShowScene(const NamedPicture& scene) override { shown.push_back(scene); }
    void ShowPreparedPortrait(const NamedPicture& prepared) override { shown.push_back(prepared); }
    void PaintPortraitIntoScene(const NamedPicture& portrait) override {
        shown.push_back(portrait);
    }
    void ShowSidePicture(const NamedPicture& side) override { shown.push_back(side); }

  private:
    Platform& front() override { return trace_; }
    std::ostringstream out_;
    PosixFiles files_{"/nonexistent"};
    TracePlatform trace_{out_, [](const std::string&) { return std::string(); }, files_};
};

TEST(PictureWords, TheSceneIsItsPlaceThePortraitItsCharacterAndNoFileIsReadOut) {
    GameState s;
    Recorder platform;
    Pictures pictures(platform, s, NamedPlates(TheStory()), Scenes(TheStory()));
    pictures.ShowScenePicture("kouen.jpg");
    pictures.ShowPortrait("kumi1.gif");  // the prepared picture, named by her
    s.flag(Flag::PortraitMode) = 1;
    pictures.ShowPortrait("akira1.gif");  // line mode paints the file itself
    pictures.ShowPlacePicture("heya.jpg");
    pictures.ShowScenePicture("title.JPG");  // the digest's last picture, in capitals
    pictures.ShowScenePicture("../../etc/passwd");
    pictures.ShowScenePicture("");
    const std::vector<NamedPicture> expected = {{"kouen.jpg", "公園"},
                                                {"kumi1_0.gif", "久美"},
                                                {"akira1.gif", "明"},
                                                {"heya.jpg", "部屋"},
                                                {"title.JPG", kDesignSceneWords},
                                                {"../../etc/passwd", "絵"},
                                                {"", "絵"}};
    ASSERT_EQ(platform.shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(platform.shown[i].file, expected[i].file);
        EXPECT_EQ(platform.shown[i].words, expected[i].words) << expected[i].file;
    }
    EXPECT_EQ(pictures.Words("hitomi3.jpg"), "部屋にいるひとみ");  // a still, described
    EXPECT_EQ(pictures.Words("kouen.jpg.evil"), "絵");
}

}  // namespace
}  // namespace velmora
