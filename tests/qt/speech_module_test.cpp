// The speech module against speech services of the test's own making: it
// finds a Japanese voice where one is, says the messages in order, answers
// on the program's thread, and never keeps the program waiting for a
// service that does not answer.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QLibrary>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "backends/qt/speech_module.h"

#ifdef VELMORA_SPEECH_MODULE
namespace velmora::qt::test {
namespace {

// A speech service on a socket of its own that answers the protocol's
// lines from its table of voices (by synthesizer) and keeps what it is
// asked to say; a mute one takes the connection and answers nothing until
// it ends.
class FakeService {
  public:
    FakeService(std::map<std::string, std::vector<std::string>> voices, bool mute)
        : voices_(std::move(voices)), mute_(mute) {
        path_ = folder_.filePath("speechd.sock").toStdString();
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        listening_ = socket(AF_UNIX, SOCK_STREAM, 0);
        bind(listening_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listening_, 1);
        thread_ = std::thread([this] { Serve(); });
    }
    // Ends as a service that goes away: the speaker's connection is cut.
    ~FakeService() {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
        shutdown(listening_, SHUT_RDWR);  // no one more is taken
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return accepted_; });
            if (client_ >= 0) shutdown(client_, SHUT_RDWR);
        }
        thread_.join();
        close(listening_);
    }
    std::string address() const { return "unix_socket:" + path_; }

    // What it was asked to say, once it holds `count` texts (a minute at
    // most: only a hang guard).
    std::vector<std::string> Said(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::minutes(1), [&] { return said_.size() >= count; });
        return said_;
    }

  private:
    void Serve() {
        {
            const int client = accept(listening_, nullptr, nullptr);
            const std::lock_guard lock(mutex_);
            client_ = client;
            accepted_ = true;
        }
        changed_.notify_all();
        if (client_ < 0) return;
        if (mute_) {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return ended_; });
        }
        std::string line, module = voices_.begin()->first;
        while (ReadLine(line)) {
            if (line == "GET OUTPUT_MODULE") {
                Reply("251", {module});
            } else if (line == "LIST OUTPUT_MODULES") {
                std::vector<std::string> modules;
                for (const auto& [name, voices] : voices_) modules.push_back(name);
                Reply("250", modules);
            } else if (line.rfind("SET self OUTPUT_MODULE ", 0) == 0) {
                module = line.substr(23);
                Reply("216", {});
            } else if (line == "LIST SYNTHESIS_VOICES") {
                Reply("249", voices_[module]);
            } else if (line == "SPEAK") {
                Reply("230", {});
                std::string text, part;
                while (ReadLine(part) && part != ".") text += (text.empty() ? "" : "\n") + part;
                Reply("225", {"1"});
                const std::lock_guard lock(mutex_);
                said_.push_back(text);
                changed_.notify_all();
            } else {
                Reply("200", {});
            }
        }
        close(client_);
    }
    bool ReadLine(std::string& line) {
        line.clear();
        char c = 0;
        while (read(client_, &c, 1) == 1) {
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return true;
            }
            line += c;
        }
        return false;
    }
    void Reply(const std::string& code, const std::vector<std::string>& lines) {
        std::string reply;
        for (const std::string& each : lines) reply += code + "-" + each + "\r\n";
        reply += code + " OK\r\n";
        (void)!send(client_, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    QTemporaryDir folder_;
    std::string path_;
    std::map<std::string, std::vector<std::string>> voices_;
    bool mute_;
    int listening_ = -1;
    int client_ = -1;
    bool accepted_ = false;  // accept has returned, with client_ or without
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> said_;
    bool ended_ = false;
    std::thread thread_;
};

std::unique_ptr<Speaker> MakeSpeakerFor(const std::string& address) {
    qputenv("SPEECHD_ADDRESS", address.c_str());
    auto make =
        reinterpret_cast<MakeSpeaker>(QLibrary(VELMORA_SPEECH_MODULE).resolve(kMakeSpeaker));
    EXPECT_NE(make, nullptr);
    std::unique_ptr<Speaker> speaker(make ? make() : nullptr);
    qunsetenv("SPEECHD_ADDRESS");
    return speaker;
}

// Whether the speaker found a Japanese voice, told on the program's thread.
bool VoicesKnown(Speaker& speaker) {
    QEventLoop loop;
    std::optional<bool> found;
    speaker.WhenVoicesKnown([&](bool japanese) {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        found = japanese;
        loop.quit();
    });
    if (!found) loop.exec();
    EXPECT_EQ(speaker.hasJapaneseVoice(), *found);
    bool toldAtOnce = false;
    speaker.WhenVoicesKnown([&](bool) { toldAtOnce = true; });
    EXPECT_TRUE(toldAtOnce);
    return *found;
}

TEST(SpeechModule, FindsTheJapaneseVoiceAndSaysEachMessageInOrder) {
    const std::vector<std::string> english = {"English\ten\tnone", "English+Max\ten-GB\tMax"};
    const struct {
        const char* what;
        std::map<std::string, std::vector<std::string>> voices;
        bool japanese;
    } cases[] = {
        {"a second synthesizer speaks Japanese",
         {{"a-english", english}, {"b-japanese", {"Kyoko\tja\tnone"}}},
         true},
        {"no synthesizer speaks Japanese", {{"a-english", english}}, false},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        FakeService service(each.voices, false);
        std::unique_ptr<Speaker> speaker = MakeSpeakerFor(service.address());
        ASSERT_NE(speaker, nullptr);
        speaker->Say("こんにちは");  // waits for the voice
        EXPECT_EQ(VoicesKnown(*speaker), each.japanese);
        speaker->Say("さようなら");
        if (each.japanese) {
            EXPECT_EQ(service.Said(2), (std::vector<std::string>{"こんにちは", "さようなら"}));
        }
    }
}

// No service at all, and one that never answers: the program never waits.
TEST(SpeechModule, NeverKeepsTheProgramWaitingForTheService) {
    EXPECT_FALSE(VoicesKnown(*MakeSpeakerFor("unix_socket:/nonexistent/speechd.sock")));
    FakeService mute({{"a-english", {}}}, true);
    std::unique_ptr<Speaker> speaker = MakeSpeakerFor(mute.address());
    speaker->Say("こんにちは");
    speaker.reset();  // returns while the service still holds its answer
}

}  // namespace
}  // namespace velmora::qt::test
#endif
