// The boundary between the program and its speech module (the desktop's
// speech service), loaded only when the player asks for spoken messages.
#pragma once

#include <functional>

namespace velmora::qt {

class Speaker {
  public:
    virtual ~Speaker() = default;
    // Says the text in a Japanese voice; nothing without one.
    virtual void Say(const char* utf8) = 0;
    // False until the speech service has listed its voices: that can take
    // seconds, so it is done away from the windows.
    virtual bool hasJapaneseVoice() const = 0;
    // Called on the program's thread once the voices are known (at once if
    // they already are), with whether a Japanese one is among them.
    virtual void WhenVoicesKnown(std::function<void(bool japanese)> then) = 0;
};

using MakeSpeaker = Speaker* (*)();
inline constexpr const char* kMakeSpeaker = "velmora_make_speaker";
inline constexpr const char* kSpeechModule = "velmora-speech";

}  // namespace velmora::qt
