// 続きから in the window program: the game as velmora plays it writes its
// automatic save at the menu; at the next start C (or the offer's button)
// brings back what loading that save from the list brings back, window for
// window and the game's state, and the offer goes once the game begins.
#include <gtest/gtest.h>

#include <QFile>
#include <QListWidget>
#include <QTest>

#include "backends/qt/continue_offer.h"
#include "game_harness.h"

namespace velmora::qt::test {
namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The names of the last `count` windows met.
std::vector<QString> Last(const std::vector<MetWindow>& met, size_t count) {
    std::vector<QString> names;
    for (size_t i = met.size() - std::min(count, met.size()); i < met.size(); ++i)
        names.push_back(met[i].name);
    return names;
}

class AutoSaveTest : public ::testing::Test {
  private:
    OwnSettingsFolder settings_;
};

TEST_F(AutoSaveTest, ContinueAtTheTitleBringsBackWhatLoadingTheAutomaticSaveDoes) {
    const ModalStep goOut{"Form5", Press("Command1")};
    QByteArray flags, text;
    {
        ReplayHarness evening;
        evening.ClickMessage(Then(NewGameUntilMenu(), {Menu("BGM"), Answer(false), Menu("アパート"),
                                                       Next(), goOut, Menu("メイン画面移動")}));
        ASSERT_EQ(evening.script().failure().toStdString(), "");
        flags = Read(evening.dir_.path() + "/auto");
        text = Read(evening.dir_.path() + "/auto_text");
        ASSERT_FALSE(flags.isEmpty());
    }
    const std::vector<ModalStep> resumed = {Next(), Menu("BGM"), Answer(false),
                                            Menu("メイン画面移動")};

    // One game at a time, as the program plays one: each ends before the next.
    std::vector<QString> continuedWindows;
    GameState continuedState;
    {
        ReplayHarness continued;
        Write(continued.dir_.path() + "/auto", flags);
        Write(continued.dir_.path() + "/auto_text", text);
        continued.session.OfferContinue("auto");
        auto* offer = new ContinueOffer(continued.window, continued.session, "4月1日");
        continued.PressAtTheTitle(Qt::Key_C, resumed);
        ASSERT_EQ(continued.script().failure().toStdString(), "");
        EXPECT_TRUE(offer->isHidden());
        const std::vector<MetWindow>& met = continued.script().met();
        ASSERT_EQ(met.size(), resumed.size());
        EXPECT_TRUE(met.front().message.contains("オートセーブデータをロードしました。"))
            << met.front().message.toStdString();
        continuedWindows = Last(met, resumed.size());
        continuedState = static_cast<Form1&>(continued.rollback.game()).state();
    }

    ReplayHarness loaded;
    Write(loaded.dir_.path() + "/file1", flags);
    Write(loaded.dir_.path() + "/file1_text", text);
    loaded.ClickMessage(Then({Answer(true),
                              {"Form5",
                               [](QWidget* form5) {
                                   auto* list = form5->findChild<QListWidget*>("List1");
                                   list->setCurrentRow(0);
                                   Press("Command1")(form5);
                               }},
                              Answer(true)},
                             resumed));
    ASSERT_EQ(loaded.script().failure().toStdString(), "");

    // The game resumed the same way, window for window, from the same state.
    EXPECT_EQ(continuedWindows, Last(loaded.script().met(), resumed.size()));
    const GameState& a = continuedState;
    const GameState& b = static_cast<Form1&>(loaded.rollback.game()).state();
    EXPECT_EQ(a.Flags, b.Flags);
    EXPECT_EQ(std::tie(a.Day, a.Half, a.Hour, a.Minute, a.CurrentPlace),
              std::tie(b.Day, b.Half, b.Hour, b.Minute, b.CurrentPlace));
}

}  // namespace
}  // namespace velmora::qt::test
