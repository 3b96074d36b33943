#include "backends/qt/speech_service.h"

#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace velmora::qt {

namespace {

// What a service may answer at most: a line, and the lines of one reply
// (espeak-ng lists some 13,000 voices).
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kMostLines = 200000;
constexpr char kUnixSocket[] = "unix_socket:";

// The user's service, started as its client library starts it: it stands
// ready, listening, when this returns.
void StartService(const std::string& socket) {
    const char* argv[] = {
        "speech-dispatcher", "--spawn", "--communication-method", "unix_socket", "--socket-path",
        socket.c_str(),      nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return;
    int status = 0;
    waitpid(pid, &status, 0);
}

}  // namespace

ServiceAddress SpeechServiceAddress() {
    if (const char* given = std::getenv("SPEECHD_ADDRESS")) {
        const std::string address = given;
        if (address.rfind(kUnixSocket, 0) != 0) return {};
        return {.socket = address.substr(std::strlen(kUnixSocket)), .ownDefault = false};
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return {};
    return {.socket = std::string(runtime) + "/speech-dispatcher/speechd.sock", .ownDefault = true};
}

SpeechService::~SpeechService() {
    if (socket_ < 0) return;
    Send("QUIT\r\n");
    close(socket_);
}

bool SpeechService::Connect(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    socket_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) return false;
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
        return true;
    close(socket_);
    socket_ = -1;
    return false;
}

bool SpeechService::Open(const ServiceAddress& address) {
    if (!Connect(address.socket)) {
        if (!address.ownDefault) return false;
        StartService(address.socket);
        if (!Connect(address.socket)) return false;
    }
    const char* user = std::getenv("USER");
    return Ask(std::string("SET self CLIENT_NAME ") + (user && *user ? user : "player") +
               ":velmora:messages")
               .ok &&
           Ask("SET self PRIORITY message").ok;
}

// The synthesizer in use is asked first: where it speaks Japanese, no
// other is asked for its voices.
bool SpeechService::ChooseJapaneseVoice() {
    std::vector<std::string> modules = Ask("GET OUTPUT_MODULE").lines;
    for (const std::string& module : Ask("LIST OUTPUT_MODULES").lines) {
        if (modules.empty() || module != modules.front()) modules.push_back(module);
    }
    for (const std::string& module : modules) {
        if (!Ask("SET self OUTPUT_MODULE " + module).ok) continue;
        for (const std::string& voice : Ask("LIST SYNTHESIS_VOICES").lines) {
            // NAME \t LANGUAGE \t VARIANT
            const auto tab = voice.find('\t');
            if (tab == std::string::npos) continue;
            const std::string language = voice.substr(tab + 1, voice.find('\t', tab + 1) - tab - 1);
            if (language != "ja" && language.rfind("ja-", 0) != 0) continue;
            return Ask("SET self LANGUAGE ja").ok &&
                   Ask("SET self SYNTHESIS_VOICE " + voice.substr(0, tab)).ok;
        }
    }
    return false;
}

void SpeechService::Say(const std::string& utf8) {
    Ask("CANCEL self");
    if (!Ask("SPEAK").ok) return;
    // The text's lines end in CR LF; one that starts with a dot has it
    // doubled, as a lone dot ends the text.
    std::string text;
    std::size_t from = 0;
    while (from <= utf8.size()) {
        std::size_t end = utf8.find('\n', from);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '.') text += '.';
        text += line + "\r\n";
        from = end + 1;
    }
    Ask(text + ".");
}

bool SpeechService::Send(const std::string& text) {
    for (std::size_t sent = 0; sent < text.size();) {
        const ssize_t n = send(socket_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

bool SpeechService::ReadLine(std::string& line) {
    for (;;) {
        const auto end = buffer_.find("\r\n", start_);
        if (end != std::string::npos) {
            line.assign(buffer_, start_, end - start_);
            start_ = end + 2;
            return true;
        }
        if (buffer_.size() - start_ > kLongestLine) return false;
        buffer_.erase(0, start_);
        start_ = 0;
        char chunk[65536];
        const ssize_t n = recv(socket_, chunk, sizeof chunk, 0);
        if (n <= 0) return false;
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

// A reply is lines "CODE-TEXT", the last "CODE TEXT"; a code from 200 to
// 299 is success.
SpeechService::Reply SpeechService::Ask(const std::string& command) {
    Reply reply;
    if (socket_ < 0 || !Send(command + "\r\n")) return reply;
    std::string line;
    while (ReadLine(line) && line.size() >= 4 && reply.lines.size() < kMostLines) {
        if (line[3] == ' ') {
            reply.ok = line[0] == '2';
            return reply;
        }
        reply.lines.push_back(line.substr(4));
    }
    // A reply cut off or out of bounds: the service is not spoken to again.
    close(socket_);
    socket_ = -1;
    return reply;
}

}  // namespace velmora::qt
