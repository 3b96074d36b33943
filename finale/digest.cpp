// PlayDigestFinale: the playable days are over. Three scenes of the days
// that follow, the two ending pictures, the makers' last words, and the
// program ends.
#include "finale/digest.h"

namespace velmora {
namespace {

constexpr const char* kClickNext = "Please Click NEXT...";

struct DigestScene {
    int16_t day, half, hour;
    const char* picture;
    std::vector<const char*> lines;
};

const DigestScene kScenes[] = {
    {6,
     PM,
     1,
     "hitomi3.jpg",
     {"*：「ひとみ、あのさ……。」", "ひとみ：「お願い……。今日は、何も言わないで。」",
      "*：「…………。」", "ひとみ：「せめて今日だけは、悲しい気持ちになりたくないの。」",
      "*：「…………。」"}},
    {7,
     AM,
     11,
     "ryouko2.jpg",
     {"涼子：「*君……。本当に、ありがとう。」",
      "*：「オレは、お礼を言われるようなことは何もしてないよ。」",
      "涼子：「ううん。私……*君のこと、本当に好きになっちゃった。」"}},
    {7,
     PM,
     9,
     "kaori3.jpg",
     {"「泣き疲れた香織は、ときどき小さくしゃくりあげるだけになっていた。」", "香織：「…………。」",
      "*：「香織。オレ、お前に伝えたい格言がひとつだけあるんだ。」", "香織：「……格言？」",
      "*：「耐えられないほど悲しいときは、思いきり嘆いて、泣いたっていい。」",
      "*：「でも……それに負けたり、逃げ出したりしちゃいけないんだ。」", "香織：「…………。」",
      "*：「……わかるか？」", "香織：「……うん。」"}},
};

}  // namespace

void PlayDigestFinale(Visit& v) {
    Game& game = v.game();
    GameState& s = game.state();
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
        for (const char* line : scene.lines) v.Say(line);
        game.ClearScenePicture();
        game.ShowTitlePicture();
        v.Say(kClickNext);
    }
    for (const char* ending : {"hitomi_e1.jpg", "kaori_e1.jpg"}) {
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
