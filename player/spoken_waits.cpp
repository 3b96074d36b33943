#include "player/spoken_waits.h"

namespace velmora::spoken {

namespace {

std::string Joined(const std::string& first, const std::string& then) {
    if (first.empty()) return then;
    if (then.empty()) return first;
    return first + "\n" + then;
}

}  // namespace

const char* HowToAnswer(Wait wait) {
    switch (wait) {
        case Wait::kQuestion:
            return "Y で「はい」、N で「いいえ」。Tab か矢印で選んでから Enter でも答えられます。";
        case Wait::kList:
            return "上下の矢印で選び、Enter で決めます。";
        case Wait::kMenu:
            return "矢印か Tab で選び、Enter で決めます。";
        case Wait::kName:
            return "名前とニックネームを入れて Enter で決めます。";
        case Wait::kNext:
            break;
    }
    return "";
}

Told Teller::Tell(Wait wait, const std::string& message, const std::string& caption,
                  const std::string& plateNews) {
    if (wait == Wait::kNext) {
        told_ = message;
        return {"", Joined(plateNews, message)};
    }
    const bool toldAtNext = !told_.empty() && told_ == message;
    told_.clear();
    // The name window follows the question it answers: it tells only itself.
    // The plates' news come before how to answer: after a load the menu is
    // the first to wait on the game loaded.
    if (toldAtNext || message.empty() || wait == Wait::kName)
        return {caption, Joined(plateNews, HowToAnswer(wait))};
    const auto lineEnd = message.find('\n');
    const std::string rest = lineEnd == std::string::npos ? "" : message.substr(lineEnd + 1);
    return {message.substr(0, lineEnd), Joined(plateNews, Joined(rest, HowToAnswer(wait)))};
}

}  // namespace velmora::spoken
