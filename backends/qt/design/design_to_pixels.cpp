// Build-time tool: decodes one picture of data/design/ into the pixels the
// window draws, so the program never decodes its design at start.
// Usage: design_to_pixels <picture> <output>
// The output is a 16-byte header (width, height, QImage::Format, 0 as
// little-endian 32-bit words) followed by the rows, 4 bytes a pixel.
#include <QImage>

#include <array>
#include <cstdint>
#include <cstdio>

namespace {

int Fail(const char* what, const char* file) {
    std::fprintf(stderr, "design_to_pixels: %s %s\n", what, file);
    return 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) return Fail("usage: design_to_pixels <picture> <output>", "");
    QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull()) return Fail("cannot decode", argv[1]);
    picture = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const std::array<std::uint32_t, 4> header = {std::uint32_t(picture.width()),
                                                 std::uint32_t(picture.height()),
                                                 std::uint32_t(picture.format()), 0};
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out) return Fail("cannot write", argv[2]);
    bool written = std::fwrite(header.data(), sizeof header, 1, out) == 1;
    for (int row = 0; row < picture.height() && written; ++row)
        written = std::fwrite(picture.constScanLine(row), 4, picture.width(), out) ==
                  std::size_t(picture.width());
    return std::fclose(out) == 0 && written ? 0 : Fail("cannot write", argv[2]);
}
