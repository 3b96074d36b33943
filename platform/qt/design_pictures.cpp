#include "platform/qt/design_pictures.h"

#include <future>
#include <thread>

// The resources sit in a static library: nothing would pull them in without
// this call, which must stand outside any namespace.
static void RegisterDesignResources() {
    Q_INIT_RESOURCE(design);
}

namespace velmora::qt {

namespace {

struct Preloaded {
    std::shared_future<QImage> background;
    std::shared_future<QImage> titleArt;
};

Preloaded& Pending() {
    static Preloaded pending;
    return pending;
}

QImage Decode(const char* resource) {
    RegisterDesignResources();
    return QImage(resource);
}

QImage Take(const std::shared_future<QImage>& preloaded, const char* resource) {
    return preloaded.valid() ? preloaded.get() : Decode(resource);
}

constexpr const char* kBackground = ":/design/background.png";
constexpr const char* kTitleArt = ":/design/title_art.jpg";
constexpr const char* kPortraitLayer = ":/design/portrait_layer.png";

}  // namespace

void PreloadDesignPictures() {
    RegisterDesignResources();
    std::promise<QImage> background, titleArt;
    Preloaded& pending = Pending();
    pending.background = background.get_future().share();
    pending.titleArt = titleArt.get_future().share();
    // Only what the first frame shows: the transparent portrait layer would
    // take the processor from the main thread and is decoded after it.
    // QImage may be decoded on any thread.
    std::thread([background = std::move(background), titleArt = std::move(titleArt)]() mutable {
        background.set_value(QImage(kBackground));
        titleArt.set_value(QImage(kTitleArt));
    }).detach();
}

QImage DesignBackground() {
    return Take(Pending().background, kBackground);
}
QImage DesignTitleArt() {
    return Take(Pending().titleArt, kTitleArt);
}
QImage DesignPortraitLayer() {
    return Decode(kPortraitLayer);
}

}  // namespace velmora::qt
