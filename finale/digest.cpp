// PlayDigestFinale: the playable days are over. Three scenes of the days
// that follow, the two ending pictures, the makers' last words, and the
// program ends.
#include "finale/digest.h"

namespace velmora {
namespace {

constexpr const char* kClickNext = "Please Click NEXT...";

// A line of a digest scene, and its words for a player who lived what the
// scene remembers (the pendant given to Hitomi, the bento shop's regular).
struct DigestLine {
    const char* text;
    const char* lived = nullptr;  // nullptr: the same words on every route
};

struct DigestScene {
    int16_t day, half, hour;
    const char* picture;
    std::optional<FlagTest> remembers;  // what of the route the scene remembers, if anything
    std::vector<DigestLine> lines;
};

const DigestScene kScenes[] = {
    // Hitomi's birthday: on the route that bought it, she has the pendant.
    {6,
     PM,
     1,
     "hitomi3.jpg",
     Flag::HitomisAnswer >= 3,
     {{"*：「相原、あのさ……。」", "*：「相原、あのさ……。誕生日の……」"},
      {"ひとみ：「お願い……。今日は、何も言わないで。」",
       "ひとみ：「ペンダント、ありがとう。ほんとにうれしかった。……だから、お願い。今日は、何も言わ"
       "ないで。」"},
      {"*：「…………。」"},
      {"ひとみ：「せめて今日だけは、悲しい気持ちになりたくないの。」",
       "ひとみ：「せめて誕生日の今日だけは、悲しい気持ちになりたくないの。」"},
      {"*：「…………。」"}}},
    // Ryouko thanks a hero who has been her regular, or one she met only in
    // the days after the spring break's first four.
    {7,
     AM,
     11,
     "ryouko2.jpg",
     Flag::BentoTalks >= 2,
     {{"涼子：「*君……。この何日か、ずっとそばにいてくれて、本当にありがとう。」",
       "涼子：「*君……。いつもお店に来てくれて、本当にありがとう。」"},
      {"*：「オレは、お礼を言われるようなことは何もしてないよ。」"},
      {"涼子：「ううん。わたし……知り合ったばかりなのに、*君のこと、本当に好きになっちゃった。」",
       "涼子：「ううん。わたし……*君のこと、本当に好きになっちゃった。」"}}},
    {7,
     PM,
     9,
     "kaori3.jpg",
     std::nullopt,
     {{"「泣き疲れた香織は、ときどき小さくしゃくりあげるだけになっていた。」"},
      {"香織：「…………。」"},
      {"*：「香織。オレ、お前に伝えたい格言がひとつだけあるんだ。」"},
      {"香織：「……格言？」"},
      {"*：「耐えられないほど悲しいときは、思いきり嘆いて、泣いたっていい。」"},
      {"*：「でも……それに負けたり、逃げ出したりしちゃいけないんだ。」"},
      {"香織：「…………。」"},
      {"*：「……わかるか？」"},
      {"香織：「……うん。」"}}},
};

// The two ending pictures, each waiting for its click.
constexpr const char* kEndings[] = {"hitomi_e1.jpg", "kaori_e1.jpg"};

}  // namespace

std::vector<std::string> DigestPictures() {
    std::vector<std::string> pictures;
    for (const DigestScene& scene : kScenes) pictures.emplace_back(scene.picture);
    for (const char* ending : kEndings) pictures.emplace_back(ending);
    return pictures;
}

// The end of the playable days is told within the digest, so that whoever
// follows the story knows the days are over before the first word of it.
void PlayDigestFinale(Visit& v) {
    Game& game = v.game();
    GameState& s = game.state();
    v.Say("残念ながら、容量の関係で体験版はここまでです。");
    v.Say("これから先の展開は、ダイジェストでお知らせします。");
    game.ClearScenePicture();
    game.ShowTitlePicture();
    v.Say(kClickNext);
    for (const DigestScene& scene : kScenes) {
        s.CurrentPlace = "部屋";
        s.Minute = 0;
        s.Day = scene.day;
        s.Hour = scene.hour;
        s.Half = scene.half;
        game.UpdateClockDisplay();
        game.ShowPlacePicture("heya.jpg");
        game.ShowScenePicture(scene.picture);
        const bool lived = scene.remembers && Holds(*scene.remembers, s);
        for (const DigestLine& line : scene.lines)
            v.Say(lived && line.lived ? line.lived : line.text);
        game.ClearScenePicture();
        game.ShowTitlePicture();
        v.Say(kClickNext);
    }
    for (const char* ending : kEndings) {
        s.PictureFile = ending;
        game.ShowForm7();
    }
    game.ShowScenePicture("title.JPG");
    v.Say("＜最後まで遊んでくれてありがとう。またいつか、別のバージョンでお会いしましょう！＞");
    v.Say("＜制作　ヴェルモラ制作室　ホームページ　https://velmora.example.org/＞");
    v.Say("＜(C) 2026 ヴェルモラ制作室＞");
    v.Say("ＴＨＥ  ＥＮＤ");
    game.EndProgram();
}

const Event kDigest{"digest", {}, {}, PlayDigestFinale};

}  // namespace velmora
