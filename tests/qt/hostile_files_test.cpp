// The window program over a hostile folder: a saved place that names a path
// opens nothing outside the folder; a pipe, a device, a folder, a socket or a
// dangling link under a picture's or the music's name is refused at once (a
// pipe once froze the window), while a link to a real picture still shows.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QListWidget>
#include <QTemporaryDir>

#include "backends/qt/picture_files.h"
#include "game_harness.h"
#include "tests/hostile_things.h"
#include "world/slot_format.h"

namespace velmora::qt::test {
namespace {

// What the game says on its standard error while alive. The game speaks
// Japanese; the sound module's own English chatter (a machine without a sound
// server says it has no audio device) is not the game's and is left out.
class Warnings {
  public:
    Warnings() {
        seen_.clear();
        previous_ =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
                const bool japanese = std::any_of(text.begin(), text.end(),
                                                  [](QChar c) { return c.unicode() > 0x2fff; });
                if (japanese) seen_ << text;
            });
    }
    ~Warnings() { qInstallMessageHandler(previous_); }
    const QStringList& seen() const { return seen_; }

  private:
    static inline QStringList seen_;
    QtMessageHandler previous_;
};

void Write(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

TEST(HostileFiles, APathInASavedPlaceOpensNothingOutsideTheFolder) {
    GameHarness h;
    QTemporaryDir outside;
    WritePicture(outside.filePath("evil.gif"), {90, 30}, Qt::red);
    const std::string place = "../" + QDir(outside.path()).dirName().toStdString() + "/evil";
    GameState saved;
    saved.Flags = {};
    saved.flag(Flag::Music) = 2;
    saved.flag(Flag::SavedDay) = 2;
    saved.flag(Flag::SavedHour) = 10;
    Write(h.folder() + "/file1", FormatFlagFile(saved.Flags));
    Write(h.folder() + "/file1_text", *FormatTextFile({place, "佐々木", "リュウ君"}));
    const int opened = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(opened, outside.path().toUtf8().constData(), IN_OPEN), 0);

    h.ClickMessage({Answer(true),
                    {"Form5",
                     [](QWidget* form5) {
                         auto* list = form5->findChild<QListWidget*>("List1");
                         list->setCurrentItem(list->findItems("file1", Qt::MatchExactly).first());
                         Press("Command1")(form5);
                     }},
                    Answer(true),
                    Next(),
                    Menu("メイン画面移動")});

    ASSERT_EQ(h.script().failure(), "");
    EXPECT_EQ(h.state().CurrentPlace, place);
    EXPECT_TRUE(h.window.place()->pixmap().isNull());
    char event[4096];
    EXPECT_LT(::read(opened, event, sizeof event), 0) << "a file outside the folder was opened";
    ::close(opened);
}

TEST(HostileFiles, AnythingButAFileAsAPictureOrTheMusicIsRefusedAtOnce) {
    const std::pair<const char*, const char*> things[] = {
        {"pipe", "名前付きパイプ"},
        {"device", "デバイス"},
        {"folder", "フォルダ"},
        {"socket", "ソケット"},
        {"dangling link", "リンク先のファイルがありません"}};
    for (const auto& [what, reason] : things) {
        SCOPED_TRACE(what);
        GameHarness h;
        for (const char* name : {"/hanaya.jpg", "/BGM1.wav"})
            ASSERT_EQ(velmora::test::PlantNotAFile((h.folder() + name).toStdString(), what), "");
        velmora::test::HangGuard guard;
        Warnings warnings;
        h.platform.ShowSidePicture({"hanaya.jpg", ""});
        EXPECT_TRUE(h.window.side()->pixmap().isNull());
        h.platform.sound().PlayLoop("BGM1.wav");
        EXPECT_FALSE(h.platform.sound().playing());
        ASSERT_EQ(warnings.seen().size(), 2) << warnings.seen().join("\n").toStdString();
        EXPECT_TRUE(warnings.seen()[0].startsWith("hanaya.jpg "))
            << warnings.seen()[0].toStdString();
        EXPECT_TRUE(warnings.seen()[0].contains(reason)) << warnings.seen()[0].toStdString();
        EXPECT_TRUE(warnings.seen()[1].startsWith("BGM1.wav ")) << warnings.seen()[1].toStdString();
    }
}

// A wave file's header says how much memory its sound takes; one that claims
// 4 GB in a few bytes once ended the program. The shipped music still plays.
TEST(HostileFiles, AWaveThatClaimsMoreThanItHoldsIsRefused) {
    GameHarness h;
    std::string wave = "RIFF\xf0\xff\xff\xffWAVEfmt ";
    wave += std::string("\x10\0\0\0\x01\0\x02\0\x44\xac\0\0\x10\xb1\x02\0\x04\0\x10\0", 20);
    wave += std::string("data\xf0\xff\xff\xff", 8) + std::string(1000, '\0');
    Write(h.folder() + "/BGM1.wav", wave);
    Warnings warnings;
    h.platform.sound().PlayLoop("BGM1.wav");
    EXPECT_EQ(warnings.seen().size(), 1);

    QFile::remove(h.folder() + "/BGM1.wav");
    ASSERT_TRUE(QFile::copy(VELMORA_SHIPPED_DATA "/BGM1.wav", h.folder() + "/BGM1.wav"));
    h.platform.sound().PlayLoop("BGM1.wav");
    EXPECT_EQ(warnings.seen().size(), 1) << warnings.seen().join("\n").toStdString();
}

// A wave file as the shipped music is (PCM, 22,050 Hz, stereo, 16 bits),
// with `chunks` empty parts before its sound of `sound` bytes; or of
// another sample format, its format part ending in `extension`.
std::string Wave(uint32_t sound, int chunks = 0, uint16_t format = 1, uint16_t bits = 16,
                 const std::string& extension = "") {
    const auto little = [](uint32_t v) {
        return std::string{char(v & 255), char(v >> 8 & 255), char(v >> 16 & 255), char(v >> 24)};
    };
    const uint16_t align = 2 * bits / 8;
    std::string parts = "fmt " + little(static_cast<uint32_t>(16 + extension.size())) +
                        little(format | 2u << 16) + little(22050) + little(22050u * align) +
                        little(align | uint32_t{bits} << 16) + extension;
    for (int i = 0; i < chunks; ++i) parts += "junk" + little(0);
    parts += "data" + little(sound) + std::string(sound, '\0');
    return "RIFF" + little(static_cast<uint32_t>(4 + parts.size())) + "WAVE" + parts;
}

// A wave file with no sound in it (the 44 bytes of an empty data part), one
// too short to loop, one that says nothing of its format, one of more
// parts than a wave file has, and two of samples the module cannot decode
// (the extensible form, floating point: once silence, and a line of the
// module's own): each refused with a message before the module gets it.
// (The empty one once kept the window's thread spinning in the module for
// good; millions of empty parts held it for 20 s.)
TEST(HostileFiles, AWaveWithoutSoundToLoopIsRefusedBeforeTheModuleGetsIt) {
    GameHarness h;
    std::string noFormat = Wave(88200);
    noFormat.replace(12, 4, "junk");
    // PCM samples in the extensible form's format part.
    const std::string extensible(
        "\x16\0\x10\0\x03\0\0\0\x01\0\0\0\0\0\x10\0\x80\0\0\xaa\0\x38\x9b\x71", 24);
    const std::pair<const char*, std::string> waves[] = {
        {"音がありません", Wave(0)},
        {"音がありません", Wave(4)},
        {"音の形式が読めません", noFormat},
        {"音がありません", Wave(88200, 100)},
        {"音の形式が読めません", Wave(88200, 0, 0xFFFE, 16, extensible)},
        {"音の形式が読めません", Wave(176400, 0, 3, 32)}};
    for (const auto& [reason, wave] : waves) {
        Write(h.folder() + "/BGM1.wav", wave);
        Warnings warnings;
        h.platform.sound().PlayLoop("BGM1.wav");
        EXPECT_FALSE(h.platform.sound().playing());
        ASSERT_EQ(warnings.seen().size(), 1) << reason;
        EXPECT_EQ(warnings.seen()[0].toStdString(),
                  std::string("BGM1.wav は音楽として使えません（") + reason + "）。");
    }
    Write(h.folder() + "/BGM1.wav", Wave(88200, 3));  // a second of silence, three empty parts
    Warnings warnings;
    h.platform.sound().PlayLoop("BGM1.wav");
    EXPECT_EQ(warnings.seen().size(), 0) << warnings.seen().join("\n").toStdString();
}

// A JPEG of 520 bytes can declare 5780 × 5780 pixels, 128 MiB to decode: a
// picture declaring more pixels than the game's own ever hold is refused
// before it is decoded. (Its peak memory: bench/hostile_files.)
TEST(HostileFiles, APictureDeclaringMorePixelsThanAnyOfTheGamesIsNeverDecoded) {
    GameHarness h;
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(&buffer, "JPEG"));
    }
    const qsizetype frame = jpeg.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    for (const int at : {5, 7}) {  // the height, then the width: 5780 each
        jpeg[frame + at] = char(5780 >> 8);
        jpeg[frame + at + 1] = char(5780 & 255);
    }
    Write(h.folder() + "/hanaya.jpg", jpeg.toStdString());
    Warnings warnings;
    h.platform.ShowScene({"hanaya.jpg", ""});
    ASSERT_EQ(warnings.seen().size(), 1);
    EXPECT_EQ(warnings.seen()[0].toStdString(),
              "hanaya.jpg は大きすぎる絵です（5780×5780、4194304 画素まで）。");
    // The largest of the game's own pictures still shows.
    QFile::remove(h.folder() + "/hanaya.jpg");
    ASSERT_TRUE(QFile::copy(VELMORA_SHIPPED_DATA "/hitomi_e1.jpg", h.folder() + "/hanaya.jpg"));
    h.platform.ShowScene({"hanaya.jpg", ""});
    EXPECT_EQ(warnings.seen().size(), 1);
}

// A progressive JPEG with `extra` empty scans of its first component added
// before its end (after `before`), each of the few bytes that make the
// decoder go over every block of the picture once more.
QByteArray JpegWithScans(QSize size, int extra, const QByteArray& before = {}) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    writer.write(picture);
    const QByteArray scan("\xff\xda\x00\x08\x01\x01\x00\x00\x00\x00\x00", 11);
    return jpeg.insert(jpeg.size() - 2, before + scan.repeated(extra));
}

// Only what the game's pictures are, JPEG and GIF, is decoded, told by the
// file's first bytes whatever other readers the system has. An SVG document
// as apart.jpg once opened the pipe it linked to (the window frozen for
// good; a PNG it linked to outside the folder was drawn), and a JPEG of
// thousands of empty scans held the window for seconds.
TEST(HostileFiles, APictureIsDecodedOnlyAsAJpegOrAGifOfFewScans) {
    GameHarness h;
    const std::string pipe = (h.folder() + "/not-a-picture").toStdString();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "width=\"300\" height=\"260\"><image xlink:href=\"" +
        pipe + "\" width=\"300\" height=\"260\"/></svg>";
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImage(30, 26, QImage::Format_RGB32).save(&buffer, "PNG");
    const std::pair<std::string, const char*> pictures[] = {
        {"", "空のファイルです"},
        {svg, "JPEG でも GIF でもありません"},
        {"\xff\xd8\xff" + svg, "JPEG として読めません"},
        {"GIF89a" + svg, "GIF として読めません"},
        {png.toStdString(), "JPEG でも GIF でもありません"},
        {JpegWithScans({64, 64}, 1000).toStdString(), "JPEG のスキャンが 100 を超えています"},
        // The decoder reads past stray bytes between the parts to the next marker.
        {JpegWithScans({64, 64}, 1000, QByteArray("\xff\xfe\x00\x03x\x00", 6)).toStdString(),
         "JPEG のスキャンが 100 を超えています"}};
    velmora::test::HangGuard guard;
    for (const auto& [bytes, why] : pictures) {
        Write(h.folder() + "/apart.jpg", bytes);
        Warnings warnings;
        h.platform.ShowSidePicture({"apart.jpg", ""});
        EXPECT_TRUE(h.window.side()->pixmap().isNull()) << why;
        ASSERT_EQ(warnings.seen().size(), 1) << why;
        EXPECT_EQ(warnings.seen()[0].toStdString(),
                  std::string("apart.jpg は絵として使えません（") + why + "）。");
    }
    // Said in the window too, once, the log being out of a player's sight.
    std::vector<std::string> said;
    h.platform.NoticesWith([&said](const std::string& text) { said.push_back(text); });
    Write(h.folder() + "/apart.jpg", png.toStdString());
    for (int twice = 0; twice < 2; ++twice) h.platform.ShowSidePicture({"apart.jpg", ""});
    EXPECT_EQ(said, std::vector<std::string>{
                        "apart.jpg は絵として使えません（JPEG でも GIF でもありません）。"});
    // A progressive JPEG as a picture of the game's may be still shows.
    Write(h.folder() + "/apart.jpg", JpegWithScans({300, 260}, 0).toStdString());
    h.platform.ShowSidePicture({"apart.jpg", ""});
    EXPECT_FALSE(h.window.side()->pixmap().isNull());
}

// Every picture the game ships draws as Qt's own reader draws it.
TEST(HostileFiles, EveryShippedPictureDrawsAsQtDrawsIt) {
    const QDir data(VELMORA_SHIPPED_DATA);
    PosixFiles files(VELMORA_SHIPPED_DATA);
    const QStringList names = data.entryList({"*.jpg", "*.gif"}, QDir::Files);
    ASSERT_GT(names.size(), 40);
    for (const QString& name : names) {
        const QImage shown = LoadPicture(files, name.toStdString());
        EXPECT_FALSE(shown.isNull()) << name.toStdString();
        EXPECT_EQ(shown, QImage(data.filePath(name))) << name.toStdString();
    }
}

// The launcher links the shipped data into the game folder.
TEST(HostileFiles, ALinkToAPictureStillShows) {
    GameHarness h;
    QTemporaryDir shipped;
    WritePicture(shipped.filePath("hanaya.jpg"), {300, 260}, Qt::blue);
    ASSERT_TRUE(QFile::link(shipped.filePath("hanaya.jpg"), h.folder() + "/hanaya.jpg"));
    h.platform.ShowScene({"hanaya.jpg", ""});
    EXPECT_EQ(h.window.scene()->canvas().pixelColor(10, 10), QColor(Qt::blue));
}

}  // namespace
}  // namespace velmora::qt::test
