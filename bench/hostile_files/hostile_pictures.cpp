// Peak memory of the window program's picture reader over pictures that
// declare far more pixels than their few bytes hold, beside the largest of
// the game's own. Each case loads one picture (LoadPicture, as a scene
// picture is loaded) in a process of its own and reports that process's
// peak resident memory (VmHWM) as it ends.
//
//   velmora_picture_memory DATA_DIR
#include <stdlib.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "backends/qt/picture_files.h"

namespace {

double PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
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

// Loads one picture of `folder` and says how much memory that took.
int LoadOne(const std::string& folder, const std::string& name) {
    const velmora::PosixFiles files(folder);
    const QImage picture = velmora::qt::LoadPicture(files, name);
    std::printf("%.1f|%dx%d\n", PeakMiB(), picture.width(), picture.height());
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
    };
    std::printf("| case | bytes | peak resident memory | decoded |\n|---|---|---|---|\n");
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
        std::printf("| %s | %ju | %s MiB | %s |\n", c.what,
                    static_cast<uintmax_t>(std::filesystem::file_size(path)),
                    line.substr(0, line.find('|')).c_str(),
                    line.substr(line.find('|') + 1, line.find('\n') - line.find('|') - 1).c_str());
    }
    std::filesystem::remove_all(folder);
    return 0;
}
