// Scenario files missing from the game folder: with each one removed in
// turn, whole routes through the four days still reach the digest and the
// end, and every scene that wanted the file names it in a notice.
#include <gtest/gtest.h>

#include <set>

#include "tests/engine/harness.h"

namespace velmora {
namespace {

const char* const kPlaces[] = {"アパート",   "防波堤",      "弁当屋",           "公園",
                               "明の家",     "セルビア",    "パソコンショップ", "学校",
                               "ひとみの家", "テニスコート"};

// A player who goes round the places in turn, answering questions with
// `answers` in turn, until the digest ends the game. Answers a prompt
// cannot take are asked again, so any answer fits any prompt.
test::Decisions Route(std::vector<std::string> answers, int rounds,
                      std::vector<std::string> places = {}) {
    if (places.empty()) places.assign(std::begin(kPlaces), std::end(kPlaces));
    const size_t n = places.size();
    test::Decisions d = {"no", "no", answers[0]};
    for (int r = 0; r < rounds; ++r) {
        for (size_t p = 0; p < n; ++p) {
            d.push_back(places[(p * (r % 3 + 1) + r) % n]);
            for (size_t a = 0; a < 3; ++a) d.push_back(answers[(r + p + a) % answers.size()]);
        }
    }
    return d;
}

const std::vector<test::Decisions>& Routes() {
    static const std::vector<test::Decisions> routes = {
        Route({"yes"}, 60),
        Route({"no"}, 60),
        Route({"yes", "no", "no"}, 60),
        Route({"no", "yes"}, 60),
        // to the friends' gathering on Day 2, and Satsuki's days after it
        Route({"yes"}, 300, {"アパート", "防波堤"}),
        Route({"yes"}, 300, {"アパート", "防波堤", "公園"}),
    };
    return routes;
}

const char* const kFiles[] = {"akira01",  "akira02",  "akira03", "hitomi01", "hitomi02",
                              "hitomi03", "kaori01",  "kaori02", "kumi01",   "kumi02",
                              "ryouko01", "SATUKI01", "satuki02"};

// Each route played with every file there.
const std::vector<test::Trace>& Whole() {
    static const std::vector<test::Trace> traces = [] {
        std::vector<test::Trace> t;
        for (const test::Decisions& route : Routes()) t.push_back(Play(test::GameFolder(), route));
        return t;
    }();
    return traces;
}

bool Finished(const test::Trace& t) {
    return t.ended && t.Has("MSG これから先の展開は、ダイジェストでお知らせします。");
}

TEST(MissingData, EveryRouteReachesTheDigestWithAllFiles) {
    std::set<std::string> used;
    for (const test::Trace& t : Whole()) {
        EXPECT_TRUE(Finished(t)) << t.Text();
        for (const char* f : kFiles) {
            if (!t.ItemsOf(f).empty()) used.insert(f);
        }
    }
    // The routes between them play lines of every file.
    EXPECT_EQ(used.size(), std::size(kFiles));
    for (const char* f : kFiles) EXPECT_TRUE(used.count(f)) << f;
}

TEST(MissingData, WithEachFileMissingEveryRouteStillEndsAndNamesTheFile) {
    for (const char* f : kFiles) {
        const std::string file = std::string(f) + ".dat";
        const std::string notice = "MSG ＜シナリオファイル「" + file + "」が見つかりません。＞";
        int named = 0;
        for (size_t r = 0; r < Routes().size(); ++r) {
            const test::Decisions& route = Routes()[r];
            const bool wanted = !Whole()[r].ItemsOf(f).empty();
            test::GameFolder folder;
            folder.Remove(file);
            const test::Trace t = Play(folder, route);
            EXPECT_TRUE(Finished(t)) << file << " missing:\n" << t.Text();
            EXPECT_EQ(t.Has(notice), wanted) << file;
            EXPECT_TRUE(t.ItemsOf(f).empty()) << file;
            named += t.Has(notice);
        }
        EXPECT_GT(named, 0) << "no route wanted " << file;
    }
}

}  // namespace
}  // namespace velmora
