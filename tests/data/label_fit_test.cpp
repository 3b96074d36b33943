// Lays out every item of every scenario file the way the message label shows
// it and fails for each one that the label would cut off.
//
// The message label is 450 x 108 pixels, white, word-wrapped plain text in
// bold 12 pt "ＭＳ Ｐゴシック", which the game draws with IPAPGothic. Its
// caption is one space, a line break and the message, so the first line of
// the label is always empty. Items are checked with the default name and
// nickname put in for the first "*" and the first "@".

#include <gtest/gtest.h>
#include <iconv.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QString>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kLabelWidth = 450;
constexpr int kLabelHeight = 108;
constexpr const char* kDefaultName = "佐々木";
constexpr const char* kDefaultNickname = "リュウ君";

std::vector<std::string> ScenarioFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(VELMORA_SCENARIO_DIR, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (entry.is_regular_file() && extension == ".dat") {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Splits a file into items as the game's loader does: items end at an ASCII
// comma or a line end, blanks before an item are skipped, and an item that
// starts with a double quote runs to the next one (the rest of that field is
// dropped). A line end after the last item adds no empty item. No lead or
// trail byte of a double-byte CP932 character is a comma, quote, CR or LF, so
// the bytes can be split before decoding.
std::vector<std::string> SplitItems(const std::string& bytes) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    const std::size_t end = bytes.size();
    auto at_line_end = [&](std::size_t p) { return bytes[p] == '\r' || bytes[p] == '\n'; };
    auto skip_separator = [&](std::size_t& p) {
        if (p >= end) return;
        if (bytes[p] == ',') {
            ++p;
        } else if (bytes[p] == '\r') {
            ++p;
            if (p < end && bytes[p] == '\n') ++p;
        } else if (bytes[p] == '\n') {
            ++p;
        }
    };
    while (pos < end) {
        while (pos < end && bytes[pos] == ' ') ++pos;
        std::string item;
        if (pos < end && bytes[pos] == '"') {
            const std::size_t close = bytes.find('"', pos + 1);
            const std::size_t stop = close == std::string::npos ? end : close;
            item = bytes.substr(pos + 1, stop - pos - 1);
            pos = stop == end ? end : stop + 1;
            while (pos < end && bytes[pos] != ',' && !at_line_end(pos)) ++pos;
        } else {
            const std::size_t start = pos;
            while (pos < end && bytes[pos] != ',' && !at_line_end(pos)) ++pos;
            item = bytes.substr(start, pos - start);
        }
        items.push_back(item);
        skip_separator(pos);
    }
    return items;
}

// CP932 to UTF-8 with glibc's converter; nothing when a byte sequence is not
// valid CP932.
std::optional<QString> DecodeCp932(const std::string& bytes) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input = bytes;
    std::string output(input.size() * 3 + 4, '\0');
    char* in = input.data();
    std::size_t in_left = input.size();
    char* out = output.data();
    std::size_t out_left = output.size();
    const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || in_left != 0) return std::nullopt;
    output.resize(output.size() - out_left);
    return QString::fromUtf8(output.data(), static_cast<qsizetype>(output.size()));
}

// What ShowMessage puts in: the first "*" becomes the name, then the first
// "@" of the result becomes the nickname.
QString WithDefaultNames(QString text) {
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    if (star >= 0) text.replace(star, 1, QString::fromUtf8(kDefaultName));
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at >= 0) text.replace(at, 1, QString::fromUtf8(kDefaultNickname));
    return text;
}

QApplication& App() {
    static int argc = 1;
    static char name[] = "label_fit_test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A stand-in for the game's message label, built the same way.
class MessageLabel {
  public:
    MessageLabel() {
        App();  // before the first widget
        label_ = std::make_unique<QLabel>();
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSizeF(12);
        font.setBold(true);
        label_->setFont(font);
        label_->setTextFormat(Qt::PlainText);
        label_->setWordWrap(true);
        label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label_->setFixedSize(kLabelWidth, kLabelHeight);
    }

    const QLabel& label() const { return *label_; }

    // Height and width that the caption of this message needs at the label's
    // width; the label shows no more than kLabelHeight of it.
    QSize Needed(const QString& message) {
        const QString caption = QStringLiteral(" \n") + message;
        label_->setText(caption);
        const QRect box = label_->fontMetrics().boundingRect(
            QRect(0, 0, kLabelWidth, 100000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
            caption);
        return {box.width(), std::max(box.height(), label_->heightForWidth(kLabelWidth))};
    }

  private:
    std::unique_ptr<QLabel> label_;
};

TEST(LabelFit, ScenarioFolderHoldsFiles) {
    EXPECT_FALSE(ScenarioFiles().empty()) << "no .dat file in " << VELMORA_SCENARIO_DIR;
}

// The measurement means nothing if the face falls back to another font.
TEST(LabelFit, LabelUsesIpaPGothicAtSixteenPixels) {
    MessageLabel label;
    const QFontInfo info(label.label().font());
    EXPECT_EQ(info.family().toStdString(), "IPAPGothic") << "install fonts-ipafont-gothic";
    EXPECT_EQ(info.pixelSize(), 16);
    EXPECT_TRUE(info.bold());
}

// A known-good item and a known-bad one, so the check below is not vacuous.
TEST(LabelFit, MeasureTellsShortFromLong) {
    MessageLabel label;
    const QString short_line = QString::fromUtf8("「短い一行。」");
    EXPECT_LE(label.Needed(short_line).height(), kLabelHeight);
    QString long_line;
    for (int i = 0; i < 200; ++i) long_line += QString::fromUtf8("あ");
    EXPECT_GT(label.Needed(long_line).height(), kLabelHeight);
}

class ScenarioFile : public testing::TestWithParam<std::string> {};

TEST_P(ScenarioFile, EveryItemFitsTheMessageLabel) {
    const std::string name = GetParam();
    std::ifstream in(std::filesystem::path(VELMORA_SCENARIO_DIR) / name, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << name;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> items = SplitItems(bytes);
    ASSERT_FALSE(items.empty()) << name << " holds no item";

    MessageLabel label;
    for (std::size_t index = 0; index < items.size(); ++index) {
        const std::optional<QString> text = DecodeCp932(items[index]);
        if (!text) {
            ADD_FAILURE() << name << " item " << index << ": not valid CP932";
            continue;
        }
        const QString message = WithDefaultNames(*text);
        const QSize needed = label.Needed(message);
        EXPECT_LE(needed.height(), kLabelHeight)
            << name << " item " << index << " needs " << needed.height() << " px of "
            << kLabelHeight << ": " << message.toStdString();
        EXPECT_LE(needed.width(), kLabelWidth)
            << name << " item " << index << " is " << needed.width()
            << " px wide: " << message.toStdString();
    }
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Data, ScenarioFile, testing::ValuesIn(ScenarioFiles()), TestName);

}  // namespace
