// speech-dispatcher, the desktop's speech service (the one a screen reader
// speaks through), spoken to in its own line protocol over its socket. Its
// client library reads a list of voices in time that grows with the square
// of its length: with espeak-ng's thousands of voices that took seconds.
// Every call blocks until the service answers: the speech module makes them
// on a thread of its own.
#pragma once

#include <string>
#include <vector>

namespace velmora::qt {

// Where the service listens: $SPEECHD_ADDRESS ("unix_socket:PATH"), else the
// socket in $XDG_RUNTIME_DIR; "" where neither says.
struct ServiceAddress {
    std::string socket;
    bool ownDefault = false;  // the user's own service, started when it is not running
};
ServiceAddress SpeechServiceAddress();

class SpeechService {
  public:
    SpeechService() = default;
    ~SpeechService();
    SpeechService(const SpeechService&) = delete;
    SpeechService& operator=(const SpeechService&) = delete;

    // Connected and introduced; the user's own service is started first
    // when it is not running.
    bool Open(const ServiceAddress& address);
    // The first Japanese voice of the service's synthesizers (the one in use
    // first), chosen for what is said; false when none has one.
    bool ChooseJapaneseVoice();
    // Stops what is being said and says the text.
    void Say(const std::string& utf8);

  private:
    struct Reply {
        bool ok = false;
        std::vector<std::string> lines;  // the lines' text, without their codes
    };
    bool Connect(const std::string& socket);
    Reply Ask(const std::string& command);
    bool Send(const std::string& text);
    bool ReadLine(std::string& line);

    int socket_ = -1;
    std::string buffer_;     // what was read and not yet taken,
    std::size_t start_ = 0;  // from here
};

}  // namespace velmora::qt
