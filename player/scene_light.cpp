#include "player/scene_light.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace velmora {
namespace {

// --- which light at which hour ---

// "PM 6:30" -> the half hour of the day (37); -1 when it is not a time.
int HalfHourOf(std::string_view time) {
    if (time.size() < 7 || time[2] != ' ') return -1;
    const std::string_view half = time.substr(0, 2);
    if (half != "AM" && half != "PM") return -1;
    int hour = 0;
    size_t i = 3;
    for (; i < time.size() && time[i] >= '0' && time[i] <= '9'; ++i)
        hour = hour * 10 + time[i] - '0';
    const std::string_view minutes = time.substr(i);
    if (i == 3 || hour > 11 || (minutes != ":00" && minutes != ":30")) return -1;
    return (half == "PM" ? 24 : 0) + hour * 2 + (minutes == ":30" ? 1 : 0);
}

// Early April by the sea: first light from AM 5:00, the sun up by half past
// six; low and golden from half past four, setting at six, dark by eight.
Light LightAt(int halfHour) {
    if (halfHour < 0) return Light::Day;
    if (halfHour < 10) return Light::Night;   // to AM 4:30
    if (halfHour < 13) return Light::Dawn;    // AM 5:00 to 6:00
    if (halfHour < 33) return Light::Day;     // AM 6:30 to PM 4:00
    if (halfHour < 36) return Light::LowSun;  // PM 4:30 to 5:30
    if (halfHour < 38) return Light::Sunset;  // PM 6:00 and 6:30
    if (halfHour < 40) return Light::Dusk;    // PM 7:00 and 7:30
    return Light::Night;
}

// --- the pictures: where their sky, water, sun and lamps are ---

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    bool Holds(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    // How far a point lies outside the box (0 inside), in pixels.
    float Distance(int px, int py) const {
        const int dx = std::max({x - px, 0, px - (x + w - 1)});
        const int dy = std::max({y - py, 0, py - (y + h - 1)});
        return static_cast<float>(std::max(dx, dy)) + 0.4f * static_cast<float>(std::min(dx, dy));
    }
};

// How a lit shape shines after dark: glass lit from behind, a room whose
// own colours stay warm under its lamps, a sign or a lamp that keeps its
// day colours.
enum class Shine { Glass, Room, Sign };

struct Lamp {
    Box box;
    Shine shine;
    float reach;  // how far its glow spreads, in pixels
};

struct LitScene {
    const char* file;
    Box sky;            // sky- and cloud-coloured pixels reached from its top row take the sky
    int horizon;        // where the sky's colours end
    Box water;          // the sea or a pond, which mirrors the sky
    float mirror;       // how much of the sky's colour the water takes
    int sunX;           // where the sun goes down (the picture's west)
    bool sunSeen;       // the sun itself shows on an open horizon
    bool indoors;       // the hero's room: the sky only through its window, its own lamp at night
    uint32_t litByDay;  // the colour of windows already lit by day (0: none)
    std::vector<Lamp> lamps;
};

// Places as tools/art/scenes.py draws them: the sky's box and the horizon,
// the water, the sun's side, the lamps.
const std::vector<LitScene>& Scenes() {
    // clang-format off
    static const std::vector<LitScene> scenes = {
        {"apart.jpg", {0, 0, 300, 230}, 230, {}, 0, 282, false, false, 0xFFF1B8,
         {{{128, 196, 44, 34}, Shine::Glass, 16}}},
        {"heya.jpg", {152, 31, 116, 58}, 90, {152, 91, 116, 28}, 1, 246, true, true, 0,
         {{{256, 96, 24, 13}, Shine::Sign, 110}}},
        {"bouhatei.jpg", {0, 0, 300, 120}, 120, {0, 121, 300, 139}, 1, 74, true, false, 0,
         {{{238, 62, 16, 10}, Shine::Sign, 34}}},
        {"hokabenya.jpg", {}, 0, {}, 0, 300, false, false, 0,
         {{{14, 40, 272, 156}, Shine::Room, 22}, {{0, 0, 300, 34}, Shine::Sign, 8}}},
        {"kouen.jpg", {0, 0, 300, 118}, 118, {68, 155, 164, 38}, 0.45f, 30, false, false, 0, {}},
        {"akira.jpg", {0, 0, 300, 196}, 190, {}, 0, 282, false, false, 0,
         {{{80, 106, 36, 24}, Shine::Glass, 12}, {{176, 106, 36, 24}, Shine::Glass, 12},
          {{84, 156, 50, 28}, Shine::Glass, 14}, {{182, 170, 8, 8}, Shine::Sign, 12}}},
        {"serubia.jpg", {0, 0, 300, 50}, 50, {}, 0, 276, false, false, 0,
         {{{92, 26, 116, 40}, Shine::Sign, 18},
          {{20, 74, 26, 20}, Shine::Glass, 6}, {{54, 74, 26, 20}, Shine::Glass, 6},
          {{88, 74, 26, 20}, Shine::Glass, 6}, {{122, 74, 26, 20}, Shine::Glass, 6},
          {{156, 74, 26, 20}, Shine::Glass, 6}, {{190, 74, 26, 20}, Shine::Glass, 6},
          {{224, 74, 26, 20}, Shine::Glass, 6}, {{258, 74, 26, 20}, Shine::Glass, 6},
          {{118, 104, 64, 42}, Shine::Glass, 18},
          {{24, 106, 74, 30}, Shine::Sign, 10}, {{200, 106, 74, 30}, Shine::Sign, 10}}},
        {"pasokon.jpg", {0, 0, 300, 20}, 20, {}, 0, 300, false, false, 0,
         {{{0, 20, 300, 40}, Shine::Sign, 10}, {{14, 72, 186, 150}, Shine::Room, 18},
          {{214, 84, 70, 140}, Shine::Glass, 16}}},
        {"gakkou.jpg", {0, 0, 300, 184}, 184, {}, 0, 290, false, false, 0,
         {{{262, 170, 10, 14}, Shine::Glass, 22}}},
        {"hanaya.jpg", {0, 0, 300, 22}, 22, {}, 0, 290, false, false, 0,
         {{{60, 30, 180, 34}, Shine::Sign, 12}, {{16, 110, 170, 90}, Shine::Room, 18},
          {{200, 110, 84, 118}, Shine::Glass, 16}}},
        {"tenisu.jpg", {0, 0, 300, 114}, 114, {}, 0, 282, false, false, 0, {}},
    };
    // clang-format on
    return scenes;
}

// --- colours ---

struct Rgb {
    float r = 0, g = 0, b = 0;
};

Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

Rgb Lerp(Rgb a, Rgb b, float t) {
    return a * (1 - t) + b * t;
}

// Light laid on like thin paint: it brightens, never past white.
Rgb Screen(Rgb a, Rgb light, float amount) {
    const auto one = [&](float x, float l) { return 1 - (1 - x) * (1 - l * amount); };
    return {one(a.r, light.r), one(a.g, light.g), one(a.b, light.b)};
}

constexpr Rgb Hex(uint32_t c) {
    return {static_cast<float>(c >> 16 & 0xFF) / 255, static_cast<float>(c >> 8 & 0xFF) / 255,
            static_cast<float>(c & 0xFF) / 255};
}

Rgb FromPixel(uint32_t p) {
    return Hex(p & 0xFFFFFF);
}

uint32_t ToPixel(Rgb c) {
    const auto byte = [](float v) {
        return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255 + 0.5f);
    };
    return 0xFF000000u | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

float Luma(Rgb c) {
    return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b;
}

// A light's colours: its sky from the top down to the horizon, its clouds,
// the colour it lends the land and the land's shadows, the sun, and how
// bright the lamps and the stars are.
struct Style {
    Rgb skyTop, skyMid, skyLow;
    Rgb cloudLit, cloudShade;
    Rgb seaFar, seaNear;
    Rgb land, shadow;
    Rgb room;  // the hero's room: daylight through the window, or his lamp
    Rgb sun;
    float sunGlow;    // 0: no sun
    float sunHeight;  // its height over the horizon, as a share of the sky
    float lamps;
    float stars;
};

const Style& StyleOf(Light light) {
    static const std::array<Style, 5> styles = {{
        // Dawn: the east going pale gold under a violet sky.
        {.skyTop = Hex(0x3A4A86),
         .skyMid = Hex(0xA88CB8),
         .skyLow = Hex(0xF6C9A4),
         .cloudLit = Hex(0xFFD8C8),
         .cloudShade = Hex(0x9A8CB6),
         .seaFar = Hex(0xD8AEBE),
         .seaNear = Hex(0x4E5A8C),
         .land = {0.80f, 0.78f, 0.90f},
         .shadow = {0.82f, 0.78f, 1.0f},
         .room = {0.74f, 0.72f, 0.86f},
         .sun = Hex(0xFFD8A0),
         .sunGlow = 0.40f,
         .sunHeight = 0.02f,
         .lamps = 0.45f,
         .stars = 0.20f},
        // Low sun: the blue holds, the light turns gold.
        {.skyTop = Hex(0x64A4D8),
         .skyMid = Hex(0xA9CBE2),
         .skyLow = Hex(0xF6E0B4),
         .cloudLit = Hex(0xFFF2DC),
         .cloudShade = Hex(0xD6D2DE),
         .seaFar = Hex(0xE6D6B4),
         .seaNear = Hex(0x3A82B4),
         .land = {1.0f, 0.93f, 0.80f},
         .shadow = {0.92f, 0.88f, 1.0f},
         .room = {1.0f, 0.92f, 0.80f},
         .sun = Hex(0xFFDCA0),
         .sunGlow = 0.30f,
         .sunHeight = 0.45f,
         .lamps = 0.0f,
         .stars = 0.0f},
        // Sunset: a red sea under an orange sky.
        {.skyTop = Hex(0x3E3F82),
         .skyMid = Hex(0xC8628A),
         .skyLow = Hex(0xFFA24E),
         .cloudLit = Hex(0xFFC08C),
         .cloudShade = Hex(0xA85C86),
         .seaFar = Hex(0xF2683E),
         .seaNear = Hex(0x8A2444),
         .land = {1.0f, 0.72f, 0.58f},
         .shadow = {0.74f, 0.58f, 0.96f},
         .room = {1.0f, 0.74f, 0.58f},
         .sun = Hex(0xFFC86A),
         .sunGlow = 0.62f,
         .sunHeight = 0.10f,
         .lamps = 0.25f,
         .stars = 0.0f},
        // Dusk: the last red along the horizon, the lamps coming on.
        {.skyTop = Hex(0x171D4E),
         .skyMid = Hex(0x4C3C78),
         .skyLow = Hex(0xC46A6A),
         .cloudLit = Hex(0x98668A),
         .cloudShade = Hex(0x3A385E),
         .seaFar = Hex(0xA4566C),
         .seaNear = Hex(0x262250),
         .land = {0.50f, 0.46f, 0.68f},
         .shadow = {0.70f, 0.70f, 1.0f},
         .room = {0.78f, 0.64f, 0.58f},
         .sun = Hex(0xE88060),
         .sunGlow = 0.30f,
         .sunHeight = -0.04f,
         .lamps = 0.85f,
         .stars = 0.40f},
        // Night: deep blue, stars, lit windows.
        {.skyTop = Hex(0x090D2C),
         .skyMid = Hex(0x141E4A),
         .skyLow = Hex(0x2C3A6E),
         .cloudLit = Hex(0x4A5482),
         .cloudShade = Hex(0x20264C),
         .seaFar = Hex(0x28345E),
         .seaNear = Hex(0x0C1232),
         .land = {0.30f, 0.34f, 0.58f},
         .shadow = {0.80f, 0.85f, 1.0f},
         .room = {0.70f, 0.58f, 0.50f},
         .sun = {},
         .sunGlow = 0.0f,
         .sunHeight = 0.0f,
         .lamps = 1.0f,
         .stars = 1.0f},
    }};
    return styles[static_cast<size_t>(light) - 1];
}

const Rgb kLampLight = Hex(0xFFD98A);

// --- brush texture: deterministic, the same on every front end ---

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                 seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    return h ^ (h >> 15);
}

float Unit(uint32_t h) {
    return static_cast<float>(h & 0xFFFF) / 65535.0f;
}

// Smooth noise in -1..1 over cells of w x h pixels: strokes, when wide.
float Stroke(int x, int y, int w, int h, uint32_t seed) {
    const int cx = x / w, cy = y / h;
    const float fx = static_cast<float>(x % w) / static_cast<float>(w);
    const float fy = static_cast<float>(y % h) / static_cast<float>(h);
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float top = Unit(Hash(cx, cy, seed)) * (1 - sx) + Unit(Hash(cx + 1, cy, seed)) * sx;
    const float bottom =
        Unit(Hash(cx, cy + 1, seed)) * (1 - sx) + Unit(Hash(cx + 1, cy + 1, seed)) * sx;
    return (top * (1 - sy) + bottom * sy) * 2 - 1;
}

// --- the painting ---

bool SkyColoured(Rgb c) {
    const bool blue = c.b > c.r + 0.08f && c.b > 0.62f && c.g > 0.55f;
    const bool cloud = std::min({c.r, c.g, c.b}) > 0.88f;
    return blue || cloud;
}

// Window glass: pale and bluish, not its frame nor what stands before it.
bool Glass(Rgb c) {
    return c.b > c.r + 0.05f && Luma(c) > 0.55f;
}

bool WaterColoured(Rgb c) {
    return c.b > c.r + 0.16f;
}

// The sky reached from the top row of the picture's sky box through sky
// and cloud colours: not the white of a wall or a sign standing in it.
std::vector<uint8_t> SkyOf(ConstPixelView base, const Box& sky) {
    std::vector<uint8_t> mask(static_cast<size_t>(kSceneWidth * kSceneHeight), 0);
    std::vector<int> todo;
    const auto visit = [&](int x, int y) {
        if (!sky.Holds(x, y) || x >= base.width || y >= base.height) return;
        uint8_t& m = mask[static_cast<size_t>(y * kSceneWidth + x)];
        if (m || !SkyColoured(FromPixel(base.pixels[static_cast<long>(y) * base.stride + x]))) {
            return;
        }
        m = 1;
        todo.push_back(y * kSceneWidth + x);
    };
    for (int x = sky.x; x < sky.x + sky.w; ++x) visit(x, sky.y);
    while (!todo.empty()) {
        const int at = todo.back();
        todo.pop_back();
        const int x = at % kSceneWidth, y = at / kSceneWidth;
        visit(x - 1, y);
        visit(x + 1, y);
        visit(x, y - 1);
        visit(x, y + 1);
    }
    return mask;
}

class Painter {
  public:
    Painter(const LitScene& scene, const Style& style, Light light)
        : scene_(scene), style_(style), light_(light) {
        const float skyTop = static_cast<float>(scene.sky.y);
        sunY_ = static_cast<float>(scene.horizon) -
                style.sunHeight * (static_cast<float>(scene.horizon) - skyTop);
        sunX_ = static_cast<float>(light == Light::Dawn ? kSceneWidth - scene.sunX : scene.sunX);
    }

    Rgb Sky(int x, int y, Rgb base) const;
    Rgb Water(int x, int y, Rgb base) const;
    Rgb Land(Rgb base) const;
    Rgb Lamplit(int x, int y, Rgb c) const;
    Rgb Glow(int x, int y, Rgb c, bool sky) const;
    Rgb Lamps(int x, int y, Rgb base, Rgb c) const;

  private:
    Rgb SkyAt(float t, int x, int y) const;
    float SunFalloff(int x, int y, float reach) const;

    const LitScene& scene_;
    const Style& style_;
    Light light_;
    float sunX_ = 0, sunY_ = 0;
};

// The sky's gradient at depth t (0 at the top, 1 on the horizon), laid on
// in broad horizontal strokes.
Rgb Painter::SkyAt(float t, int x, int y) const {
    t = std::clamp(t, 0.0f, 1.0f);
    const Rgb c = t < 0.55f ? Lerp(style_.skyTop, style_.skyMid, t / 0.55f)
                            : Lerp(style_.skyMid, style_.skyLow, (t - 0.55f) / 0.45f);
    const float brush = 0.045f * Stroke(x, y, 38, 6, 1) + 0.02f * Stroke(x, y, 11, 3, 2);
    return c * (1 + brush);
}

Rgb Painter::Sky(int x, int y, Rgb base) const {
    const float span = static_cast<float>(std::max(1, scene_.horizon - scene_.sky.y));
    Rgb c = SkyAt(static_cast<float>(y - scene_.sky.y) / span, x, y);
    // Clouds keep their shapes and take the light's colours, lit on one
    // side and shaded on the other as a brush would leave them.
    const float white = std::clamp((std::min({base.r, base.g, base.b}) - 0.86f) / 0.1f, 0.0f, 1.0f);
    if (white > 0) {
        const float side = 0.5f + 0.5f * Stroke(x, y, 14, 5, 3);
        c = Lerp(c, Lerp(style_.cloudShade, style_.cloudLit, side), white);
    }
    if (style_.stars > 0 && white < 0.2f) {
        const uint32_t h = Hash(x, y, 7);
        if (Unit(h) < 0.0035f * style_.stars) {
            const float bright = 0.55f + 0.45f * Unit(h >> 16);
            c = Lerp(c, Hex(0xFFF8E6), bright * style_.stars);
        }
    }
    return c;
}

// The water gives back the sky above the horizon, darker with depth, its
// waves kept as lighter strokes, and a path of light under the sun.
Rgb Painter::Water(int x, int y, Rgb base) const {
    const float depth = std::clamp(
        static_cast<float>(y - scene_.water.y) / static_cast<float>(scene_.water.h), 0.0f, 1.0f);
    const float brush = 0.05f * Stroke(x, y, 30, 4, 5);
    Rgb c = Lerp(style_.seaFar, style_.seaNear, std::sqrt(depth)) * (1 + brush);
    c = c * (0.9f + 0.6f * (Luma(base) - 0.5f));
    if (style_.sunGlow > 0) {
        const float width = 5 + 0.45f * static_cast<float>(y - scene_.water.y);
        const float dx = (static_cast<float>(x) - sunX_) / width;
        const float path = 1 / (1 + dx * dx * dx * dx);
        const float ripple = Stroke(x, y, 5, 2, 4) > 0.15f ? 1.0f : 0.35f;
        c = Screen(c, style_.sun, style_.sunGlow * path * ripple);
    }
    return Lerp(Land(base), c, scene_.mirror);
}

Rgb Painter::Land(Rgb base) const {
    const Rgb lit = base * (scene_.indoors ? style_.room : style_.land);
    const float dark = (1 - Luma(base)) * (1 - Luma(base));
    return Lerp(lit, lit * style_.shadow, dark);
}

// After dark a room is lit by its lamp alone: the farther, the dimmer.
Rgb Painter::Lamplit(int x, int y, Rgb c) const {
    if (!scene_.indoors || scene_.lamps.empty() || style_.lamps < 0.5f) return c;
    const Box& lamp = scene_.lamps.front().box;
    const float d = lamp.Distance(x, y) / 150;
    return c * (0.72f + 0.28f / (1 + d * d));
}

float Painter::SunFalloff(int x, int y, float reach) const {
    const float dx = (static_cast<float>(x) - sunX_) / reach;
    const float dy = (static_cast<float>(y) - sunY_) / reach;
    return 1 / (1 + dx * dx + dy * dy);
}

// The sun's warmth over everything near it; the disc itself where the
// horizon is open.
Rgb Painter::Glow(int x, int y, Rgb c, bool sky) const {
    if (style_.sunGlow <= 0) return c;
    c = Screen(c, style_.sun, style_.sunGlow * SunFalloff(x, y, scene_.indoors ? 40.0f : 70.0f));
    if (sky && scene_.sunSeen && light_ != Light::LowSun) {
        const float dx = static_cast<float>(x) - sunX_, dy = static_cast<float>(y) - sunY_;
        const float r2 = dx * dx + dy * dy, radius = scene_.indoors ? 6.0f : 10.0f;
        const float edge = std::clamp(radius - std::sqrt(r2), 0.0f, 1.5f) / 1.5f;
        c = Lerp(c, Hex(0xFFF2C0), 0.92f * edge);
    }
    return c;
}

// Windows, rooms and lamps after dark, and the glow they spill round them.
Rgb Painter::Lamps(int x, int y, Rgb base, Rgb c) const {
    if (style_.lamps <= 0) return c;
    const float lamps = style_.lamps;
    const bool lit = scene_.litByDay && std::abs(Luma(base) - Luma(Hex(scene_.litByDay))) < 0.05f &&
                     base.r > base.b + 0.12f;
    if (lit) c = Lerp(c, kLampLight * (0.9f + 0.1f * Luma(base)), lamps);
    for (const Lamp& lamp : scene_.lamps) {
        if (lamp.box.Holds(x, y)) {
            if (lamp.shine == Shine::Glass && Glass(base)) {
                c = Lerp(c, kLampLight * (0.8f + 0.25f * Luma(base)), lamps);
            } else if (lamp.shine == Shine::Room) {
                c = Lerp(c, base * Hex(0xFFF0D8), lamps);
            } else if (lamp.shine == Shine::Sign) {
                c = Lerp(c, base, 0.85f * lamps);
            }
        } else {
            const float d = lamp.box.Distance(x, y) / lamp.reach;
            c = Screen(c, kLampLight, 0.45f * lamps / (1 + d * d * 3));
        }
    }
    return c;
}

}  // namespace

int LitPicture(std::string_view sceneFile) {
    const std::vector<LitScene>& scenes = Scenes();
    for (size_t i = 0; i < scenes.size(); ++i) {
        if (sceneFile == scenes[i].file) return static_cast<int>(i);
    }
    return -1;
}

Light LightOf(std::string_view sceneFile, std::string_view timeText) {
    return LitPicture(sceneFile) < 0 ? Light::Day : LightAt(HalfHourOf(timeText));
}

void PaintLight(PixelView scene, int picture, Light light) {
    const std::vector<LitScene>& scenes = Scenes();
    if (light == Light::Day || picture < 0 || picture >= static_cast<int>(scenes.size())) return;
    const LitScene& lit = scenes[static_cast<size_t>(picture)];
    const int width = std::min(scene.width, kSceneWidth);
    const int height = std::min(scene.height, kSceneHeight);
    // The day picture as it was: every pixel is painted from it.
    std::vector<uint32_t> day(static_cast<size_t>(kSceneWidth * kSceneHeight), 0);
    for (int y = 0; y < height; ++y) {
        std::copy_n(scene.pixels + static_cast<long>(y) * scene.stride, width,
                    day.begin() + static_cast<long>(y) * kSceneWidth);
    }
    const ConstPixelView base{day.data(), width, height, kSceneWidth};
    const std::vector<uint8_t> sky = SkyOf(base, lit.sky);
    const Painter painter(lit, StyleOf(light), light);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb b = FromPixel(day[static_cast<size_t>(y * kSceneWidth + x)]);
            const bool isSky = sky[static_cast<size_t>(y * kSceneWidth + x)] != 0;
            Rgb c = isSky                                       ? painter.Sky(x, y, b)
                    : lit.water.Holds(x, y) && WaterColoured(b) ? painter.Water(x, y, b)
                                                                : painter.Land(b);
            c = painter.Glow(x, y, c, isSky);
            if (!isSky) c = painter.Lamplit(x, y, c);
            c = painter.Lamps(x, y, b, c);
            scene.pixels[static_cast<long>(y) * scene.stride + x] = ToPixel(c);
        }
    }
}

void SceneLighting::ShowScene(const std::string& file) {
    scene_ = file;
    Update();
}

bool SceneLighting::ShowClock(const ClockFace& face) {
    time_ = face.timeText;
    return Update();
}

bool SceneLighting::Update() {
    const Light light = LightOf(scene_, time_);
    const bool changed = light != light_;
    light_ = light;
    return changed;
}

}  // namespace velmora
