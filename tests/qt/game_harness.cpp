#include "game_harness.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <map>
#include <vector>

#include "app/slot_lines.h"
#include "app/story_map_rows.h"
#include "world/cp932.h"

namespace velmora::qt::test {

void GuardedPlatform::EndIfAborted() const {
    if (aborted_) throw ProgramEnd{};
}

void GuardedPlatform::WaitNext(Twips at) {
    QtPlatform::WaitNext(at);
    EndIfAborted();
}

YesNo GuardedPlatform::AskYesNo(Twips at) {
    const YesNo answer = QtPlatform::AskYesNo(at);
    EndIfAborted();
    return answer;
}

NameEntry GuardedPlatform::WaitNameDialog() {
    NameEntry entry = QtPlatform::WaitNameDialog();
    EndIfAborted();
    return entry;
}

std::optional<std::string> GuardedPlatform::ChooseFromList(ListOf list,
                                                           const std::vector<std::string>& entries,
                                                           Twips at) {
    auto chosen = QtPlatform::ChooseFromList(list, entries, at);
    EndIfAborted();
    return chosen;
}

std::optional<std::string> GuardedPlatform::ChooseCommand(const std::vector<MenuRow>& rows) {
    auto chosen = QtPlatform::ChooseCommand(rows);
    EndIfAborted();
    return chosen;
}

void GuardedPlatform::WaitPictureClick(const NamedPicture& picture) {
    QtPlatform::WaitPictureClick(picture);
    EndIfAborted();
}

void WriteScenario(const QString& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += EncodeCp932(line).value() + "\r\n";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void WritePicture(const QString& path, QSize size, QColor colour) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    WritePicture(path, picture);
}

// Qt writes no GIF. The pixels go out as codes of one width, each its
// colour's own, a clear code coming before the decoder's table would widen.
void WritePicture(const QString& path, const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> colours;
    std::vector<int> codes;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            codes.push_back(colours.emplace(image.pixel(x, y), colours.size()).first->second);
    }
    ASSERT_LE(colours.size(), 256u);
    int depth = 1;
    while ((1u << depth) < colours.size()) ++depth;
    const int clear = 1 << std::max(2, depth), width = std::max(2, depth) + 1;
    std::string packed;
    uint32_t pending = 0;
    int bits = 0;
    const auto put = [&](int code) {
        pending |= static_cast<uint32_t>(code) << bits;
        for (bits += width; bits >= 8; bits -= 8, pending >>= 8) packed += char(pending & 255);
    };
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i % (clear - 2) == 0) put(clear);
        put(codes[i]);
    }
    put(clear + 1);
    if (bits > 0) packed += char(pending & 255);
    const auto le16 = [](int v) { return std::string{char(v & 255), char(v >> 8)}; };
    std::string gif = "GIF89a" + le16(image.width()) + le16(image.height()) +
                      char(0x80 | (depth - 1)) + std::string(2, '\0');
    std::string table(3u << depth, '\0');
    for (const auto& [rgb, index] : colours) {
        table[3 * index] = char(qRed(rgb));
        table[3 * index + 1] = char(qGreen(rgb));
        table[3 * index + 2] = char(qBlue(rgb));
    }
    gif += table + "," + le16(0) + le16(0) + le16(image.width()) + le16(image.height()) + '\0' +
           char(std::max(2, depth));
    for (size_t at = 0; at < packed.size(); at += 255)
        gif += char(std::min<size_t>(255, packed.size() - at)) + packed.substr(at, 255);
    gif += std::string("\0;", 2);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(gif.data(), static_cast<qint64>(gif.size()));
}

namespace {

// Kumi's scene of the introduction: line n reads "久美：「n」".
std::vector<std::string> NumberedLines(const std::string& speaker, int count) {
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) lines.push_back(speaker + "：「" + std::to_string(n) + "」");
    return lines;
}

}  // namespace

void WriteFixtureGame(const QTemporaryDir& dir) {
    WriteScenario(dir.filePath("kumi01.dat"), NumberedLines("久美", 40));
    WriteScenario(dir.filePath("akira01.dat"), NumberedLines("明", 20));
    WritePicture(dir.filePath("apart.jpg"), {300, 260}, Qt::darkGreen);
    WritePicture(dir.filePath("KUMI1_0.GIF"), {120, 200}, Qt::magenta);
}

void CopyShippedGame(const QTemporaryDir& dir) {
    const QDir data(VELMORA_SHIPPED_DATA);
    for (const QString& name : data.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(data.filePath(name), dir.filePath(name))) << name.toStdString();
    ASSERT_TRUE(QFile::copy(data.filePath("story/storymap.txt"), dir.filePath("storymap.txt")));
}

std::vector<ModalStep> NewGameUntilMenu() {
    return {Answer(false), Answer(false), Next(), Answer(false), Next()};
}

std::vector<ModalStep> Then(std::vector<ModalStep> first, const std::vector<ModalStep>& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

OwnSettingsFolder::OwnSettingsFolder()
    : hadPrevious_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")),
      previous_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.path()));
}

OwnSettingsFolder::~OwnSettingsFolder() {
    if (hadPrevious_) {
        qputenv("XDG_CONFIG_HOME", previous_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

GameHarness::GameHarness()
    : files(dir_.path().toStdString()),
      platform(window, files, music),
      game(platform),
      session(game, window, [this] { platform.CloseAll(); }) {
    QObject::connect(&session, &GameSession::ended, [this](int status) { endedWith = status; });
    WriteFixtureGame(dir_);
    window.show();
}

void GameHarness::ClickMessage(std::vector<ModalStep> steps) {
    script_ = std::make_unique<ModalScript>(std::move(steps), [this] { platform.Abort(); });
    QTest::mouseClick(window.message(), Qt::LeftButton);
}

ReplayHarness::ReplayHarness(bool shipped)
    : files(dir_.path().toStdString()),
      kept(files),
      platform(window, files, music),
      skip(platform, kept.record()),
      rollback(skip,
               [this](Platform& on) { return FollowedGame(on, kept.record(), &skip, &autoSave); }),
      events(rollback),
      session(events, window, [this] { platform.CloseAll(); }),
      comforts(window, session, platform.sound()),
      replay(new Replay(window, session, rollback, skip,
                        [this] { return StoryMapRows(files, kept.record()); })) {
    if (shipped) {
        CopyShippedGame(dir_);
    } else {
        WriteFixtureGame(dir_);
    }
    comforts.Follow(replay);
    platform.AfterEachWait([this] { replay->TakeAskedStep(); });
    window.show();
}

void ReplayHarness::ClickMessage(std::vector<ModalStep> steps) {
    script_ = std::make_unique<ModalScript>(std::move(steps), [this] { platform.Abort(); });
    QTest::mouseClick(window.message(), Qt::LeftButton);
}

void ReplayHarness::PressAtTheTitle(Qt::Key key, std::vector<ModalStep> steps) {
    script_ = std::make_unique<ModalScript>(std::move(steps), [this] { platform.Abort(); });
    QTest::keyClick(&window, key);
}

SlotsHarness::SlotsHarness() : files(folder.path()), platform(window, files, music) {
    folder.WriteSlot("file1", velmora::test::FlagsAt(2, PM, 5, 30), "防波堤", "中村", "ナカ");
    folder.WriteSlot("file3", velmora::test::FlagsAt(4, AM, 10, 0), "ﾃﾆｽｺｰﾄ");
    folder.WriteSlot("file4", velmora::test::FlagsAt(1, AM, 9, 0), "部屋");
    folder.Write("file4_text", "\"部屋\",\"no closing quote\r\n");
    platform.DescribeSlotsWith([this](const std::vector<std::string>& entries) {
        return DescribeSlots(TheStory(), files, entries);
    });
    window.show();
}

}  // namespace velmora::qt::test
