#include "world/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace velmora {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    // Opening a converter loads and sets up glibc's conversion tables, which
    // costs far more than converting a scenario file; each thread keeps one
    // of each kind open and puts it back to its initial state before use.
    static Converter& Decoder() {
        thread_local Converter decoder("UTF-8", "CP932");
        decoder.Reset();
        return decoder;
    }
    static Converter& Encoder() {
        thread_local Converter encoder("CP932", "UTF-8");
        encoder.Reset();
        return encoder;
    }
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at the first byte it cannot
    // take, leaving *in pointing at it.
    bool Run(const char** in, size_t* inLeft, std::string* out) {
        char buffer[1024];
        while (*inLeft > 0) {
            char* to = buffer;
            size_t toLeft = sizeof buffer;
            size_t r = iconv(cd_, const_cast<char**>(in), inLeft, &to, &toLeft);
            out->append(buffer, to);
            if (r == static_cast<size_t>(-1) && errno != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                return false;
            }
        }
        return true;
    }

  private:
    void Reset() {
        if (ok()) iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }

    iconv_t cd_;
};

}  // namespace

std::string DecodeCp932(std::string_view bytes, bool* clean) {
    if (clean) *clean = true;
    Converter& conv = Converter::Decoder();
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const char* in = bytes.data();
    size_t left = bytes.size();
    while (conv.ok() && !conv.Run(&in, &left, &out)) {
        out.append(kReplacement);  // one bad byte at a time, then go on
        ++in;
        --left;
        if (clean) *clean = false;
    }
    return out;
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
    Converter& conv = Converter::Encoder();
    std::string out;
    const char* in = utf8.data();
    size_t left = utf8.size();
    if (!conv.ok() || !conv.Run(&in, &left, &out)) return std::nullopt;
    return out;
}

}  // namespace velmora
