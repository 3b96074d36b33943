// The completeness check on one small scene: Akira at the PC shop, whose
// lines name him, the morning, his jacket and a hospital. (The shipped
// ledger over every route is checked in explorer_test.cpp.)
#include <gtest/gtest.h>

#include "tools/routes/completeness.h"

namespace velmora::routes {
namespace {

constexpr const char* kLedger =
    "word 朝 any AM 5:00 AM 11:30\n"
    "word 三日目 3 AM 0:00 PM 11:30\n"
    "fact hospital じいちゃんは入院中\n"
    "thing jacket 上着\n"
    "person akira 明\n"
    "outfit akira jacket\n"
    "event pc shop P2\n";
constexpr const char* kWords =
    "person 明 akira\n"
    "time 朝 朝\n"
    "time 明日 三日目\n"
    "worn 上着 jacket\n"
    "elsewhere 病院 hospital\n"
    "not 説明\n";

struct Case {
    const char* entry;  // the lines of the scene's entry
    std::vector<SceneLine> lines;
    std::vector<std::string> portraits;
    const char* said;  // what the check says: nobody's lines, then its problems
};

std::string Says(const Case& c) {
    std::vector<std::string> problems;
    const Ledger ledger = ReadLedger(std::string(kLedger) + c.entry, &problems);
    const std::vector<LookedFor> words = ReadLookedFor(kWords, &problems);
    const Accounting a = Account({{"pc shop P2", false, c.lines, c.portraits}}, words, ledger);
    std::string out;
    for (const std::string& line : problems) out += line + "\n";
    for (const std::string& line : a.unaccounted) out += line + "\n";
    for (const std::string& line : a.problems) out += line + "\n";
    return out + std::to_string(a.exempted) + " exempted";
}

TEST(Completeness, EveryLineThatNamesWhatTheLedgerKnowsIsAccountedFor) {
    const SceneLine morning{"akira02#2", "明：「こんな朝っぱらから、お前がパソコン屋とは」"};
    const SceneLine jacket{"kaori01#43", "明：「オレは上着なんて持ってきてねえしよ。」"};
    const SceneLine snow{"akira02#12", "*：「明日は雪か。……説明しろよ。」"};
    const SceneLine hospital{"kaori02#33", "香織：「じいちゃん、まだ病院なんだけどさ。」"};
    const SceneLine own{"", "佐々木：「明のやつは、朝から入りびたってるらしいけど。」"};
    const Case cases[] = {
        // Each word by a line of its kind: present, named, worn, known.
        {"  comes akira\n  names 朝 三日目\n  wears akira jacket\n  assumes hospital\n",
         {morning, jacket, snow, hospital},
         {"明"},
         "0 exempted"},
        {"", {morning}, {}, "akira02#2 (pc shop P2): 明 (a person), 朝 (a time)\n0 exempted"},
        // 明日 is a day, not Akira; 説明 is neither.
        {"", {snow}, {}, "akira02#12 (pc shop P2): 明日 (a time)\n0 exempted"},
        {"  comes akira\n",
         {jacket},
         {},
         "kaori01#43 (pc shop P2): 上着 (a thing worn)\n0 exempted"},
        // A mention that reads true either way, exempted; a line of the
        // program's own by a piece of it.
        {"  except kaori02#33 news or not\n", {hospital}, {}, "1 exempted"},
        {"  except \"明のやつは\" his habit\n", {own}, {}, "1 exempted"},
        {"",
         {own},
         {},
         "\"佐々木：「明のやつは、朝から入りびたってるらしい…\" (pc shop P2): 明 (a person), "
         "朝 (a time)\n0 exempted"},
        // Exemptions that are not needed, or name nothing the scene shows.
        {"  comes akira\n  except kaori01#44 why\n",
         {jacket},
         {},
         "kaori01#43 (pc shop P2): 上着 (a thing worn)\n"
         "pc shop P2 exempts kaori01#44, which it never shows\n0 exempted"},
        {"  names 朝\n  comes akira\n  except akira02#2 why\n",
         {morning},
         {},
         "pc shop P2: akira02#2 needs no exemption: its entry accounts for its words\n0 exempted"},
        // The portrait shown: present, and never without what it wears.
        {"  comes akira\n  lacks akira jacket\n",
         {jacket},
         {"明"},
         "pc shop P2 says akira has no jacket, which 明's portrait wears\n0 exempted"},
        {"",
         {},
         {"明"},
         "pc shop P2 shows 明's portrait, but its entry has no comes akira\n0 exempted"},
    };
    for (const Case& c : cases) EXPECT_EQ(Says(c), c.said) << c.entry;
}

}  // namespace
}  // namespace velmora::routes
