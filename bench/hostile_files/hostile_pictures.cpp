// What the window program's picture reader costs over pictures a hostile
// folder may hold, beside the largest of the game's own: pictures that
// declare far more pixels than their few bytes hold, a progressive JPEG of
// the most pixels the game decodes, the same with thousands of empty scans
// (each makes the decoder go over the whole picture again), and an SVG
// document drawing a large picture it holds. Each case
// loads one picture (LoadPicture, as a scene picture is loaded) in a
// process of its own and reports the CPU time of the load and that
// process's peak resident memory (VmHWM) as it ends.
//
//   velmora_hostile_pictures DATA_DIR
#include <stdlib.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "backends/posix/posix_files.h"
#include "backends/qt/picture_files.h"

namespace {

double PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

double CpuMs() {
    rusage used{};
    ::getrusage(RUSAGE_SELF, &used);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(used.ru_utime) + ms(used.ru_stime);
}

// A JPEG of 8 × 8 pixels whose frame header then says width × height.
QByteArray JpegDeclaring(int width, int height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB32).save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf("\xff\xc0");
    for (const auto& [at, value] : {std::pair{frame + 5, height}, std::pair{frame + 7, width}}) {
        bytes[at] = char(value >> 8);
        bytes[at + 1] = char(value & 255);
    }
    return bytes;
}

// A GIF of a few bytes (two colours, one code of picture data) whose screen
// and only image say width × height.
QByteArray GifDeclaring(int width, int height) {
    const char size[] = {char(width & 255), char(width >> 8), char(height & 255),
                         char(height >> 8)};
    QByteArray gif("GIF89a");
    gif.append(size, 4).append("\x80\0\0\0\0\0\xff\xff\xff", 9).append(",\0\0\0\0", 5);
    return gif.append(size, 4).append("\0\x02\x02\x44\x01\0;", 8);
}

// A progressive JPEG of 2048 × 2048 pixels, the most the game decodes, of
// a picture with detail everywhere; with `scans` empty scans of its first
// component added before its end (eleven bytes each).
QByteArray LargestJpeg(int scans) {
    QImage picture(2048, 2048, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) row[x] = qRgb(x * 7 ^ y, y * 3 + x, (x * y) >> 4);
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(90);
    writer.write(picture);
    const QByteArray scan("\xff\xda\x00\x08\x01\x01\x00\x00\x00\x00\x00", 11);
    return jpeg.insert(jpeg.size() - 2, scan.repeated(scans));
}

// An SVG document of the scene's size, drawing a PNG of 8000 × 4000 pixels
// given in its own bytes.
QByteArray SvgDrawing8000By4000() {
    QImage inside(8000, 4000, QImage::Format_RGB32);
    inside.fill(Qt::darkBlue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    inside.save(&buffer, "PNG");
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"300\" height=\"260\"><image width=\"300\" height=\"260\" "
           "xlink:href=\"data:image/png;base64," +
           png.toBase64() + "\"/></svg>";
}

// Loads one picture of `folder` and says what that took.
int LoadOne(const std::string& folder, const std::string& name) {
    velmora::PosixFiles files(folder);
    const double before = CpuMs();
    const QImage picture = velmora::qt::LoadPicture(files, name);
    const double took = CpuMs() - before;
    std::printf("%.1f|%.0f|%dx%d\n", PeakMiB(), took, picture.width(), picture.height());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::string(argv[1]) == "--one") return LoadOne(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA_DIR\n", argv[0]);
        return 2;
    }
    std::string folder = std::filesystem::temp_directory_path() / "velmora-pictures-XXXXXX";
    if (!::mkdtemp(folder.data())) return 1;
    std::filesystem::copy_file(std::string(argv[1]) + "/hitomi_e1.jpg", folder + "/shipped.jpg",
                               std::filesystem::copy_options::overwrite_existing);
    const struct {
        const char* what;
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"the largest shipped picture, 609 × 425 (for comparison)", "shipped.jpg", {}},
        {"a JPEG declaring 5780 × 5780", "bomb.jpg", JpegDeclaring(5780, 5780)},
        {"a GIF declaring 4000 × 4000", "bomb.gif", GifDeclaring(4000, 4000)},
        {"a progressive JPEG of 2048 × 2048", "large.jpg", LargestJpeg(0)},
        {"the same with 20,000 empty scans", "scans.jpg", LargestJpeg(20000)},
        {"an SVG document as a .jpg, drawing a PNG of 8000 × 4000 it holds", "drawing.jpg",
         SvgDrawing8000By4000()},
    };
    std::printf(
        "| case | bytes | CPU time | peak resident memory | decoded |\n|---|---|---|---|---|\n");
    for (const auto& c : cases) {
        const std::string path = folder + "/" + c.name;
        if (!c.bytes.isEmpty()) std::ofstream(path, std::ios::binary) << c.bytes.toStdString();
        // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) of a
        // string literal added before a temporary.
        std::string command = "'";
        command.append(argv[0]).append("' --one '").append(folder).append("' ");
        command.append(c.name).append(" 2>/dev/null");
        char said[64] = {};
        FILE* one = ::popen(command.c_str(), "r");
        if (!one || !std::fgets(said, sizeof said, one)) return 1;
        ::pclose(one);
        const std::string line(said);
        const size_t first = line.find('|'), second = line.find('|', first + 1);
        std::printf("| %s | %ju | %s ms | %s MiB | %s |\n", c.what,
                    static_cast<uintmax_t>(std::filesystem::file_size(path)),
                    line.substr(first + 1, second - first - 1).c_str(),
                    line.substr(0, first).c_str(),
                    line.substr(second + 1, line.find('\n') - second - 1).c_str());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
