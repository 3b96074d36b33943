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

#include "platform/qt/picture_files.h"

namespace {

double PeakMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}

// A picture of 8 × 8 pixels whose header then says it has width × height.
QByteArray Declaring(const char* format, int width, int height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(8, 8, QImage::Format_RGB32).save(&buffer, format);
    const auto put16 = [&](qsizetype at, int value, bool big) {
        bytes[at + (big ? 0 : 1)] = char(value >> 8);
        bytes[at + (big ? 1 : 0)] = char(value & 255);
    };
    if (QByteArray(format) == "JPEG") {
        const qsizetype frame = bytes.indexOf("\xff\xc0");
        put16(frame + 5, height, true);
        put16(frame + 7, width, true);
    } else {  // GIF: the screen's size, then the one image's
        put16(6, width, false);
        put16(8, height, false);
        const qsizetype image = bytes.indexOf(',', 13);
        put16(image + 5, width, false);
        put16(image + 7, height, false);
    }
    return bytes;
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
        {"a JPEG declaring 5780 × 5780", "bomb.jpg", Declaring("JPEG", 5780, 5780)},
        {"a GIF declaring 8000 × 8000", "bomb.gif", Declaring("GIF", 8000, 8000)},
    };
    std::printf("| case | bytes | peak resident memory | decoded |\n|---|---|---|---|\n");
    for (const auto& c : cases) {
        const std::string path = folder + "/" + c.name;
        if (!c.bytes.isEmpty()) std::ofstream(path, std::ios::binary) << c.bytes.toStdString();
        const std::string command =
            "'" + std::string(argv[0]) + "' --one '" + folder + "' " + c.name + " 2>/dev/null";
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
