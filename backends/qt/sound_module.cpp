// The sound module: one QSoundEffect, which loops a wave file without a gap
// at the seam (a media player leaves a silence at every loop).
#include "backends/qt/sound_module.h"

#include <QSoundEffect>
#include <QUrl>

namespace velmora::qt {
namespace {

class EffectLoop : public SoundLoop {
  public:
    void Play(const char* url) override {
        effect_.setSource(QUrl(QString::fromUtf8(url)));
        effect_.setLoopCount(QSoundEffect::Infinite);
        effect_.play();
    }
    void Stop() override { effect_.stop(); }
    bool playing() const override { return effect_.isPlaying(); }
    void SetVolume(float linear) override { effect_.setVolume(linear); }

  private:
    QSoundEffect effect_;
};

}  // namespace
}  // namespace velmora::qt

extern "C" Q_DECL_EXPORT velmora::qt::SoundLoop* velmora_make_sound_loop() {
    return new velmora::qt::EffectLoop;
}
