// The explorer over the real engine: every scene of the story can be
// played, each shortest route really plays its scene when replayed from the
// title, and the scenes that the story's gates keep apart never share a
// route while those that may follow each other do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/album_pictures.h"
#include "places/town.h"
#include "player/album.h"
#include "tools/routes/completeness.h"
#include "tools/routes/continuity.h"
#include "tools/routes/exclusions.h"
#include "tools/routes/explorer.h"
#include "tools/routes/merge_check.h"
#include "tools/routes/replay_script.h"

namespace velmora::routes {
namespace {

class Routes : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        x_ = new Exploration(Explore());
        ex_ = new Exclusions(FindExclusions(*x_));
    }
    static void TearDownTestSuite() {
        delete ex_;
        delete x_;
    }
    static int Id(const std::string& name) {
        const int id = x_->story.Index(name);
        if (id < 0) ADD_FAILURE() << "no event " << name;
        return std::max(id, 0);
    }
    static bool Apart(const std::string& a, const std::string& b) {
        return ex_->Of(Id(a)) >> Id(b) & 1;
    }
    static Exploration* x_;
    static Exclusions* ex_;
};

Exploration* Routes::x_ = nullptr;
Exclusions* Routes::ex_ = nullptr;

TEST_F(Routes, EveryEventPlaysOnSomeRouteAndItsShortestRouteReplaysIt) {
    for (int e = 0; e < x_->story.count(); ++e) {
        SCOPED_TRACE(x_->story.list()[e].name);
        ASSERT_NE(x_->events[e].decisions, kUnreached);
        const ReplayScript script = ScriptOf(TheStory(), x_->RouteTo(e));
        EXPECT_TRUE(PlaysInOrder(script.trace, ExpectedLines(x_->story, e, x_->events[e].items)));
    }
}

TEST_F(Routes, EveryTransitionPlaysAlikeOnTheRealUnmergedState) {
    EXPECT_EQ(CheckMerging(*x_), "");
}

TEST_F(Routes, ScenesBehindOppositeGatesNeverShareARoute) {
    EXPECT_TRUE(Apart("park P3", "park P4"));            // gathering or not
    EXPECT_TRUE(Apart("apartment A1", "apartment A3"));  // likewise on Day 4
    EXPECT_TRUE(Apart("breakwater B1", "breakwater B2"));
    EXPECT_TRUE(Apart("park P1", "serubia S1"));  // one first meeting
    EXPECT_TRUE(Apart("start invitation NO", "apartment R1"));
    EXPECT_TRUE(Apart("start invitation NO", "breakwater B1"));
    for (const char* yesOnly : {"tennis court T2", "hitomi house H2", "serubia S5"}) {
        EXPECT_TRUE(Apart("park P1 NO", yesOnly)) << yesOnly;
        EXPECT_FALSE(Apart("park P1 YES", yesOnly)) << yesOnly;
    }
}

TEST_F(Routes, ScenesThatMayFollowEachOtherShareARoute) {
    EXPECT_FALSE(Apart("serubia S2", "serubia S3"));
    EXPECT_FALSE(Apart("breakwater B4", "hitomi house H2"));
    EXPECT_FALSE(Apart("apartment A3", "apartment R3"));
    EXPECT_FALSE(Apart("apartment A1", "apartment R3"));
    EXPECT_FALSE(Apart("apartment A2", "breakwater B3"));
    EXPECT_FALSE(Apart("digest", "serubia S5"));
}

TEST_F(Routes, ItemsTheProgramSpeaksItselfAreNeverShown) {
    EXPECT_FALSE(x_->shown.test(ItemOf("kumi01", 31)));  // Kumi's parting line
    for (int i = 53; i <= 58; ++i) EXPECT_FALSE(x_->shown.test(ItemOf("hitomi03", i))) << i;
    EXPECT_TRUE(x_->shown.test(ItemOf("hitomi03", 59)));
    EXPECT_TRUE(x_->shown.test(ItemOf("kumi02", 79)));  // the end of Kumi's Day 4 evening
}

// Every place's scene a player can look at (in view while the game waits),
// in the light its hour lays over it, has its tile in the album: one seen on
// some route and missing there could never be looked at again; and every
// tile of a place is one some route shows.
TEST_F(Routes, EveryLightAPlayerSeesAPlaceInIsInTheAlbum) {
    std::set<std::string> album, places, seen;
    for (const album::Picture& picture : TheAlbum()) album.insert(picture.key);
    for (const NamedPicture& scene : Scenes(TheStory())) places.insert(scene.file);
    for (const std::string& view : x_->views) {
        const std::string file = view.substr(0, view.find('|'));
        if (!places.count(file)) continue;  // the title's picture, an event's own
        const std::string key = album::Key(file, LightOf(file, view.substr(view.find('|') + 1)));
        EXPECT_TRUE(album.count(key)) << view << " (" << key << ") is not in the album";
        seen.insert(key);
    }
    // ... and no tile of a place stays blank for ever.
    for (const album::Picture& picture : TheAlbum()) {
        if (!places.count(picture.file)) continue;
        EXPECT_TRUE(seen.count(picture.key)) << picture.key << ": no route shows it";
    }
    EXPECT_GT(x_->views.size(), 100u);
}

// The continuity ledger holds on every route (tools/routes/continuity.h),
// and accounts for every line that names what it must (completeness.h).
TEST_F(Routes, TheStoryReadsTrueOnEveryRoute) {
    const LedgerCheck check = CheckLedger(*x_, VELMORA_DATA);
    for (const std::string& slip : check.slips) ADD_FAILURE() << slip;
    const Accounting& a = check.accounting;
    for (const std::string& line : a.unaccounted) ADD_FAILURE() << "nobody accounts for " << line;
    std::printf("%d lines name what the ledger accounts for; %d of them exempted\n", a.looked,
                a.exempted);
    EXPECT_GT(a.looked, 0);
}

// The explorer has no rules of its own: a guard changed where the place
// declares it changes what the game plays and what the explorer finds. A
// town of the park alone keeps the search small.
TEST(RoutesFollowTheStory, AChangedGuardMovesItsSceneAndItsFlagRule) {
    Story parkOnly = TheStory();
    parkOnly.places = {kPark};
    Story moved = parkOnly;
    Event& afternoon = moved.places[0].events[1];
    ASSERT_STREQ(afternoon.id, "park P2");
    afternoon.guard = Flag::HitomiBreakwaterDay == 0 && Day(2) && During(PM, 3, PM, 7);

    const Exploration park = Explore(parkOnly);
    const int p2 = park.story.Index("park P2");
    EXPECT_EQ(park.story.places(), std::vector<std::string>{"公園"});
    EXPECT_EQ(ClockText(park.events[p2].earliestClock), "Day 1 PM 3:00");
    EXPECT_EQ(ClockText(Explore(moved).events[p2].earliestClock), "Day 2 PM 3:00");

    const auto expiry = [](const Story& story) {
        for (const FlagRule& rule : FlagRulesOf(story)) {
            if (rule.flag == Flag::HitomiBreakwaterDay) return ClockText(rule.expiry);
        }
        return std::string("never tested");
    };
    EXPECT_EQ(expiry(parkOnly), "Day 1 PM 7:30");
    EXPECT_EQ(expiry(moved), "Day 2 PM 7:30");
}

}  // namespace
}  // namespace velmora::routes
