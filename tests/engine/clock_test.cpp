// The clock: half an hour at a time, carries, what the plates show, and the
// step into Day 5 that ends the playable days.
#include <gtest/gtest.h>

#include <sstream>

#include "backends/posix/posix_files.h"
#include "backends/tty/trace_platform.h"
#include "presentation/clock_display.h"
#include "shell/form1.h"

namespace velmora {
namespace {

struct Bench {
    std::ostringstream out;
    PosixFiles files{"/nonexistent"};
    TracePlatform platform{out, [](const std::string&) { return std::string(); }, files};
    Form1 form{platform};

    void Set(int day, int half, int hour, int minute) {
        GameState& s = form.state();
        s.Day = static_cast<int16_t>(day);
        s.Half = static_cast<int16_t>(half);
        s.Hour = static_cast<int16_t>(hour);
        s.Minute = static_cast<int16_t>(minute);
    }
    std::string Time() const { return TimeText(form.state()); }
};

TEST(AdvanceClock, CarriesMinutesHoursHalvesAndDays) {
    Bench b;
    b.Set(1, AM, 11, 30);
    AdvanceClock(b.form);
    EXPECT_EQ(b.Time(), "PM 0:00");
    b.Set(1, PM, 11, 30);
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Day, 2);
    EXPECT_EQ(b.Time(), "AM 0:00");
}

TEST(AdvanceClock, TwentyFourStepsAreTwelveHours) {
    Bench b;
    b.Set(1, AM, 9, 0);
    for (int i = 0; i < 24; ++i) AdvanceClock(b.form);
    EXPECT_EQ(b.Time(), "PM 9:00");
    for (int i = 0; i < 24; ++i) AdvanceClock(b.form);
    EXPECT_EQ(b.Time(), "AM 9:00");
    EXPECT_EQ(b.form.state().Day, 2);
}

TEST(AdvanceClock, EveryStepRedrawsThePlates) {
    Bench b;
    b.Set(3, PM, 2, 0);
    AdvanceClock(b.form);
    EXPECT_EQ(b.out.str(), "CLOCK 日付３.gif|PM 2:30|アパート.gif\n");
}

TEST(AdvanceClock, OddMinutesFromAnEditedSaveStillMoveInHalfHours) {
    Bench b;
    b.Set(1, AM, 9, 15);
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Minute, 45);
    AdvanceClock(b.form);  // 75 carries and resets
    EXPECT_EQ(b.form.state().Minute, 0);
    EXPECT_EQ(b.form.state().Hour, 10);
}

TEST(AdvanceClock, ValuesAtTheSixteenBitLimitsNeverOverflow) {
    Bench b;
    b.Set(1, AM, 32767, 32767);
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Minute, 0);
    EXPECT_EQ(b.form.state().Hour, 0);
    EXPECT_EQ(b.form.state().Half, PM);
    b.Set(2, 32767, 11, 30);  // the half carries, the day goes on
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Day, 3);
    b.Set(-32768, AM, 0, -32768);
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Minute, -32738);
}

TEST(AdvanceClock, TheStepIntoDayFiveEndsTheDaysAndPlaysTheDigest) {
    Bench b;
    b.Set(4, PM, 11, 30);
    EXPECT_THROW(AdvanceClock(b.form), ProgramEnd);
    const std::string out = b.out.str();
    EXPECT_EQ(out.rfind("SOUND stop\nMSG 残念ながら、容量の関係で体験版はここまでです。\nNEXT?\n"
                        "MSG これから先の展開は、ダイジェストでお知らせします。\nNEXT?\n",
                        0),
              0u)
        << out;
    EXPECT_NE(out.find("MSG ＴＨＥ  ＥＮＤ\nNEXT?\n"), std::string::npos);
    EXPECT_NE(out.find("PICTURE? hitomi_e1.jpg\nNEXT?\nPICTURE? kaori_e1.jpg\nNEXT?\n"),
              std::string::npos);
}

// The digest's words follow the route: Hitomi thanks the hero for the
// pendant only where he bought it, Ryouko thanks a regular for coming.
TEST(AdvanceClock, TheDigestRemembersThePendantAndTheRegular) {
    for (const bool lived : {false, true}) {
        Bench b;
        b.form.state().flag(Flag::HitomisAnswer) = lived ? 3 : 2;
        b.form.state().flag(Flag::BentoTalks) = lived ? 2 : 1;
        b.Set(4, PM, 11, 30);
        EXPECT_THROW(AdvanceClock(b.form), ProgramEnd);
        const std::string out = b.out.str();
        EXPECT_EQ(out.find("ペンダント") != std::string::npos, lived) << out;
        EXPECT_EQ(out.find("いつもお店に来てくれて") != std::string::npos, lived) << out;
        EXPECT_EQ(out.find("知り合ったばかり") != std::string::npos, !lived) << out;
    }
}

TEST(AdvanceClock, AnEditedDayNineStaysUntilTheNextDayChange) {
    Bench b;
    b.Set(9, AM, 10, 0);
    AdvanceClock(b.form);
    EXPECT_EQ(b.form.state().Day, 9);
    b.Set(9, PM, 11, 30);
    EXPECT_THROW(AdvanceClock(b.form), ProgramEnd);
}

TEST(ClockFace, EveryHalfHourOfADay) {
    GameState s;
    for (int half = 0; half < 2; ++half) {
        for (int hour = 0; hour < 12; ++hour) {
            for (int minute : {0, 30}) {
                s.Half = static_cast<int16_t>(half);
                s.Hour = static_cast<int16_t>(hour);
                s.Minute = static_cast<int16_t>(minute);
                const std::string want = std::string(half ? "PM " : "AM ") + std::to_string(hour) +
                                         (minute ? ":30" : ":00");
                EXPECT_EQ(TimeText(s), want);
            }
        }
    }
}

TEST(ClockFace, OddValuesOfAnEditedSave) {
    GameState s;
    s.Half = 5;  // anything but 0 reads as the afternoon
    s.Hour = -3;
    s.Minute = 15;  // only 30 shows as 30
    EXPECT_EQ(TimeText(s), "PM-3:00");
    s.Day = 9;
    EXPECT_EQ(ClockFaceOf(s, NamedPlates(TheStory())).datePicture,
              "");  // the plate keeps its picture
    s.Day = 8;
    EXPECT_EQ(ClockFaceOf(s, NamedPlates(TheStory())).datePicture, "日付８.gif");
    s.CurrentPlace = "ﾃﾆｽｺｰﾄ";
    EXPECT_EQ(ClockFaceOf(s, NamedPlates(TheStory())).placePicture, "ﾃﾆｽｺｰﾄ.gif");
}

// A screen reader reads the plates as words, only the plates shown.
TEST(ClockFace, ThePlatesReadAsWords) {
    GameState s;
    s.Day = 1;
    s.Half = AM;
    s.Hour = 9;
    s.Minute = 0;
    s.CurrentPlace = "アパート";
    ClockFace face = ClockFaceOf(s, NamedPlates(TheStory()));
    EXPECT_EQ(face.dateWords + " " + face.timeWords + " " + face.placeWords,
              "4月1日 午前9時 アパート");
    s.Day = 3;
    s.Half = PM;
    s.Hour = 1;
    s.Minute = 30;
    s.CurrentPlace = "ﾃﾆｽｺｰﾄ";
    face = ClockFaceOf(s, NamedPlates(TheStory()));
    EXPECT_EQ(face.dateWords + " " + face.timeWords + " " + face.placeWords,
              "4月3日 午後1時30分 テニスコート");
    s.Day = 9;
    s.CurrentPlace = "/etc/passwd";
    face = ClockFaceOf(s, NamedPlates(TheStory()));
    EXPECT_EQ(face.dateWords + "|" + face.placeWords, "|");
}

// A saved game names its place in free text: a place the game never goes
// to, a path among them, shows no plate and opens no file.
TEST(ClockFace, APlaceTheGameNeverGoesToShowsNoPlate) {
    GameState s;
    for (const char* place : {"../../../../x/evil", "/etc/passwd", "花屋", "", "a|b"}) {
        s.CurrentPlace = place;
        EXPECT_EQ(ClockFaceOf(s, NamedPlates(TheStory())).placePicture, "") << place;
    }
}

// The CLOCK line of velmora-tty parts its fields with "|": a field's own "|"
// and its control characters are escaped, so the line always has three.
TEST(ClockFace, TheClockLineEscapesWhatItPrints) {
    Bench b;
    b.platform.ShowClock({"a|b.gif", "PM\x1b[2J", "", "", "", ""});
    EXPECT_EQ(b.out.str(), "CLOCK a\\|b.gif|PM\\x1B[2J|-\n");
}

}  // namespace
}  // namespace velmora
