#include "give_aways.h"

#include "exam_class.h"
#include "pool_checker.h"
#include "written_pool.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// Questions Q1 to Q8 hold one give-away of each kind, key in the odd one,
// stem in the even one. The others look alike but give nothing away: a word
// many questions hold (Q9, Q10), an amount the key repeats from its own stem
// (Q11, Q12), words the key shares with its distractors (Q14, Q15), and an
// answer worked out from its own stem (Q16).
std::vector<WrittenQuestion> Questions()
{
    return {
        { "Before transmitting on 2200 meters, what must an amateur do?",
            { "Notify the Utilities Technology Council first", "Ask the power company",
                "Register with the FCC", "Pass another examination" },
            1 },
        { "After notifying the Utilities Technology Council, how long must one wait?",
            { "30 days", "10 days", "60 days", "90 days" }, 2 },
        { "What is the unambiguous range at a pulse rate of 1000 per second?",
            { "40 nautical miles", "81 nautical miles", "162 nautical miles", "12 nautical miles" },
            2 },
        { "A coastline 90 nautical miles away shows an echo 9 nautical miles away. What is it?",
            { "A second-trace echo", "A side-lobe echo", "A multiple echo", "An indirect echo" },
            3 },
        { "Why is the matching section 70.7 ohms?",
            { "It is the average of 50 ohms and 100 ohms",
                "It is the square root of 50 ohms times 100 ohms", "It has the lowest loss",
                "It gives an SWR of 1.41 to 1" },
            2 },
        { "What does a 70.7-ohm quarter-wave line show a 50-ohm line when it ends in a "
          "100-ohm load?",
            { "50 ohms", "100 ohms", "70.7 ohms", "200 ohms" }, 1 },
        { "What is the most carrier power of a VHF ship station?",
            { "50 watts", "100 watts", "10 watts", "25 watts" }, 4 },
        { "A ship's transmitter is limited to 25 watts. How can it reach farther?",
            { "Mount its aerial higher", "Use a lower band", "Add a preamplifier",
                "Narrow the filter" },
            1 },
        { "What holds a VHF aerial up?",
            { "A guyed tower", "The antenna mast", "A ground radial", "A loading coil" }, 2 },
        { "How high is the antenna mast of a coast station?",
            { "About 30 meters", "About 3 meters", "About 300 meters", "About 1 meter" }, 1 },
        { "Who may call on 146.52 MHz, the national simplex frequency?",
            { "Any licensee on 146.52 MHz", "Only repeater owners", "Only net control",
                "Nobody but emergency stations" },
            1 },
        { "Which antenna gain is quoted for 146.52 MHz?", { "dBi", "dBd", "dBm", "dBc" }, 1 },
        { "Which antenna is omnidirectional?", { "A vertical", "A Yagi", "A dish", "A quad" }, 1 },
        { "How does a 500 kHz signal mostly travel by day?",
            { "Ground wave propagation path", "Sky wave propagation path",
                "Space wave propagation path", "Ducted wave propagation path" },
            1 },
        { "Which wave takes a propagation path along the surface?",
            { "The surface wave", "The sky wave", "The space wave", "The direct wave" }, 1 },
        { "A 12-volt supply feeds a regulator that drops 5 volts. What is its output?",
            { "17 volts", "7 volts", "2.4 volts", "60 volts" }, 2 },
    };
}

std::map<std::pair<std::string, std::string>, std::string> PairsOf(
    const std::vector<GiveAway>& giveAways)
{
    std::map<std::pair<std::string, std::string>, std::string> pairs;
    for (const GiveAway& giveAway : giveAways)
        pairs[{ giveAway.keyCode, giveAway.stemCode }] = giveAway.shared;
    return pairs;
}

} // namespace

TEST(GiveAways, EachKindIsListedWithWhatTheQuestionsShare)
{
    ExamClass pool;
    pool.PopulateFromText(WrittenPool(Questions()));
    const std::vector<GiveAway> giveAways = FindGiveAways(pool);
    const std::map<std::pair<std::string, std::string>, std::string> expected {
        { { "Q1", "Q2" }, "council, notify, technology, utility (4 of 5)" },
        { { "Q3", "Q4" }, "81 nautical = 90 - 9 nautical" },
        { { "Q5", "Q6" }, "50 ohm, 100 ohm" },
        { { "Q7", "Q8" }, "25 watt" },
    };
    EXPECT_EQ(PairsOf(giveAways), expected);
    ASSERT_FALSE(giveAways.empty());
    EXPECT_EQ(giveAways[0].key, "Notify the Utilities Technology Council first");
    EXPECT_EQ(giveAways[0].stem, Questions()[1].stem);
}

// The listing is for a reviewer: it leaves a sound pool sound.
TEST(GiveAways, TheCheckerListsThemOnlyWhenAskedAndFindsNothingWrong)
{
    PoolCheckOptions options;
    options.draws = 1;
    options.lengthExams = 0;
    options.answerCues = false;
    EXPECT_TRUE(CheckPoolText(WrittenPool(Questions()), 1, options).giveAways.empty());

    options.giveAways = true;
    const PoolCheckResult result = CheckPoolText(WrittenPool(Questions()), 1, options);
    EXPECT_EQ(result.giveAways.size(), 4u);
    EXPECT_TRUE(result.findings.empty());
}
