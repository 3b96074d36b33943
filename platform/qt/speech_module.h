// The boundary between the program and its speech module: Qt's
// text-to-speech, loaded only when the player asks for spoken messages.
#pragma once

namespace velmora::qt {

class Speaker {
  public:
    virtual ~Speaker() = default;
    // Says the text in a Japanese voice; nothing without one.
    virtual void Say(const char* utf8) = 0;
    virtual bool hasJapaneseVoice() const = 0;
};

using MakeSpeaker = Speaker* (*)();
inline constexpr const char* kMakeSpeaker = "velmora_make_speaker";
inline constexpr const char* kSpeechModule = "velmora-speech";

}  // namespace velmora::qt
