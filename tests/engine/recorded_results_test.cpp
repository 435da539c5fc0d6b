// The pool reader, the exam drawing and the statistics file give exactly the
// results recorded here: every parsed field, every drawn exam for a seed (with
// the same Rnd calls and the same debug texts) and every byte of the file.
// The digests were recorded from the straightforward first versions of these
// steps; a faster version must reproduce them bit for bit.

#include "varno.h"

#include "debug_messages_testing.h"
#include "engine_test_support.h"
#include "folder_item.h"
#include "random.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

// FNV-1a over bytes; enough to tell any change in what is described.
class Digest {
public:
    Digest& Add(std::string_view bytes)
    {
        for (const unsigned char byte : bytes) {
            value_ ^= byte;
            value_ *= 0x100000001b3ULL;
        }
        // A separator, so that "ab" + "c" and "a" + "bc" differ.
        value_ ^= 0xFF;
        value_ *= 0x100000001b3ULL;
        return *this;
    }
    Digest& Add(Integer number) { return Add(std::to_string(number)); }
    Digest& Add(double number)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", number);
        return Add(std::string_view(text));
    }

    std::string Hex() const
    {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value_));
        return text;
    }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

// Every field of a parsed pool, every array element included.
std::string PoolDigest(const ExamClass& pool)
{
    Digest digest;
    digest.Add(pool.name).Add(pool.minCorrect).Add(pool.numQuestions).Add(pool.numSections);
    digest.Add(pool.lineNumber).Add(Integer(pool.gettingQuestions)).Add(pool.questionState);
    digest.Add(pool.gettingQuestionNumber);
    for (Integer s = 0; s <= 100; ++s) {
        digest.Add(pool.numInSection(s)).Add(pool.sectionStart(s)).Add(pool.sectionEnd(s));
        digest.Add(pool.sectionPrefix(s));
    }
    for (Integer n = 0; n <= 1000; ++n) {
        digest.Add(pool.question(n)).Add(pool.questionCorrectAnswer(n)).Add(pool.questionPic(n));
        digest.Add(pool.questionNumber(n));
        for (Integer a = 0; a <= 4; ++a)
            digest.Add(pool.questionAnswer(n, a));
    }
    return digest.Hex();
}

// A pool of `questions` questions in sections of `perSection`, drawing
// `draws` from each, its lines ended by turns with the given line ends. Some
// answers hold runs of spaces, some lines a leading space or a tab.
std::string GeneratedPool(int questions, int perSection, int draws,
    const std::vector<std::string>& lineEnds, bool spaceRuns)
{
    std::size_t turn = 0;
    std::string text;
    auto line
        = [&](const std::string& content) { text += content + lineEnds[turn++ % lineEnds.size()]; };
    const int sections = (questions + perSection - 1) / perSection;
    line(std::to_string(sections * draws * 3 / 4));
    line(std::to_string(sections * draws));
    line("Generated pool of " + std::to_string(questions));
    line(std::to_string(sections));
    for (int s = 0; s < sections; ++s)
        line(std::to_string(draws) + " " + std::to_string(s * perSection + 1) + " "
            + std::to_string(std::min(questions, (s + 1) * perSection)));
    for (int s = 0; s < sections; ++s)
        line("G" + std::to_string(s + 1) + " Topic number " + std::to_string(s + 1));
    for (int q = 1; q <= questions; ++q) {
        line("What is the answer to generated question " + std::to_string(q) + "?");
        line(std::to_string(q % 4 + 1));
        line(q % 9 == 0 ? "1003" : "0");
        for (int k = 1; k <= 4; ++k) {
            std::string answer
                = "Answer " + std::to_string(k) + " of question " + std::to_string(q);
            if (spaceRuns && (q + k) % 3 == 0)
                answer = "  Answer   " + std::to_string(k) + "  with\truns  " + std::to_string(q)
                    + "  ";
            line(answer);
        }
        line("G" + std::to_string(q));
    }
    return text;
}

struct ParseCase {
    const char* name;
    std::string text;
};

std::vector<ParseCase> ParseCases()
{
    const std::vector<std::string> cr = { "\r" };
    const std::vector<std::string> lf = { "\n" };
    const std::vector<std::string> mixed = { "\r", "\n", "\n", "\r" };
    const std::vector<std::string> mixedWithPairs = { "\r", "\n", "\r\n", "\n", "\r" };
    std::vector<ParseCase> cases = {
        { "100 questions, CR", GeneratedPool(100, 5, 1, cr, false) },
        { "500 questions, LF", GeneratedPool(500, 10, 2, lf, false) },
        { "1000 questions, CR, space runs", GeneratedPool(1000, 20, 4, cr, true) },
        { "1000 questions, mixed line ends", GeneratedPool(1000, 20, 4, mixed, true) },
        { "1000 questions, CR LF pairs among other line ends",
            GeneratedPool(1000, 20, 4, mixedWithPairs, true) },
        { "300 questions, CR LF pairs", GeneratedPool(300, 10, 1, { "\r\n" }, false) },
        { "empty", "" },
        { "no line end at all", "35 35 Technician" },
        { "cut inside a record", GeneratedPool(40, 10, 1, lf, true).substr(0, 1500) },
        { "binary bytes", std::string("\x00\xff\r\n\x01 \x02  \x03\r\r", 12) },
    };
    // The fuzzer's seed inputs: heads of real pools, with every kind of line end.
    for (const char* seed :
        { "ExtraFile_head", "GeneralFile_head", "TechFile_head", "TechFile_head_cr",
            "TechFile_head_crlf", "fccelement1_head", "fccelement3_head", "fccelement8_head" }) {
        cases.push_back({ seed,
            ReadFileBytes(std::string(VARNO_SOURCE_DIR) + "/fuzz/corpus/pool_reader/" + seed) });
    }
    return cases;
}

// Prints the digests a case gives, in the table's own form, when they differ
// from the recorded ones, so that a deliberate change can be recorded anew.
void ExpectRecorded(const std::vector<std::pair<std::string, std::string>>& recorded,
    const std::vector<std::pair<std::string, std::string>>& actual)
{
    EXPECT_EQ(recorded, actual) << [&] {
        std::string table;
        for (const auto& [name, digest] : actual)
            table += "        { \"" + name + "\", \"" + digest + "\" },\n";
        return "Digests now:\n" + table;
    }();
}

class RecordedResults : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        SetDebugMessageObserver([this](const std::string& text) { debugTexts.push_back(text); });
    }
    void TearDown() override
    {
        SetDebugMessageObserver({});
        EngineTest::TearDown();
    }

    // The debug texts since the last call, as one digest.
    std::string TakeDebugTexts()
    {
        Digest digest;
        for (const std::string& text : debugTexts)
            digest.Add(text);
        debugTexts.clear();
        return digest.Hex();
    }

    std::vector<std::string> debugTexts;
};

// Right-answer counts for class 1 under which exams are drawn.
enum class Counts { None, Spread, Large, OneOpenPerSection };

void SetCounts(Varno& app, Counts counts)
{
    std::uint64_t state = 88172645463325252ULL;
    for (Integer q = 1; q <= 1000; ++q) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        switch (counts) {
        case Counts::None:
            app.correct(1, q) = 0;
            break;
        case Counts::Spread:
            app.correct(1, q) = q % 7;
            break;
        case Counts::Large:
            app.correct(1, q) = static_cast<Integer>(state % 1000000);
            break;
        case Counts::OneOpenPerSection:
            // Known questions weigh 2 against the unknown one's two thousand
            // million: after it is drawn, the redraws give up and pick among
            // the open questions.
            app.correct(1, q) = (q % 20 == 1) ? 0 : 2000000000;
            break;
        }
    }
}

} // namespace

TEST_F(RecordedResults, ParsedPoolsAreFieldForField)
{
    const std::vector<std::pair<std::string, std::string>> recorded = {
        { "100 questions, CR", "e87d91c55c561e44 fd5117847b084928" },
        { "500 questions, LF", "70bfabf10bdbe9ef 7e3fbf6322e9dd2c" },
        { "1000 questions, CR, space runs", "b783ffa3996cd85a 7b9ccd1d113b14be" },
        { "1000 questions, mixed line ends", "10cfabbff1c39d90 7b9ccd1d113b14be" },
        { "1000 questions, CR LF pairs among other line ends",
            "f53c20d4ab3d6901 cbf29ce484222325 stopped: index 1001 outside 0..1000" },
        { "300 questions, CR LF pairs", "90e64ab407b68bc9 3c035e6c1afad65d" },
        { "empty", "067bcae14af667f6 7c379d9b436b5099" },
        { "no line end at all", "067bcae14af667f6 7c379d9b436b5099" },
        { "cut inside a record", "c0a45e021a149ee5 7c559d9b43844e28" },
        { "binary bytes", "bd521d84e4bcd139 7c379d9b436b5099" },
        { "ExtraFile_head", "879bb8baae9101b1 7c319d9b4366e4eb" },
        { "GeneralFile_head", "f6c5e3fccac5c00b 7c319d9b4366e4eb" },
        { "TechFile_head", "87dbc602a1f07bd5 7c319d9b4366e4eb" },
        { "TechFile_head_cr", "7fe119fb56d0717d 7c419d9b4373a51e" },
        { "TechFile_head_crlf", "2f5b6f1d79f93269 8ee386d398f2a007" },
        { "fccelement1_head", "181999f30e2a2e50 7c319d9b4366e4eb" },
        { "fccelement3_head", "80ef75e73e4a3069 7c319d9b4366e4eb" },
        { "fccelement8_head", "343bf72b9c373546 7c319d9b4366e4eb" },
    };
    std::vector<std::pair<std::string, std::string>> actual;
    for (const ParseCase& c : ParseCases()) {
        // Too many records end the reading with an exception, half-way; what
        // was read up to there counts as well.
        ExamClass pool;
        std::string stopped;
        try {
            pool.PopulateFromText(c.text);
        } catch (const std::exception& error) {
            stopped = std::string(" stopped: ") + error.what();
        }
        actual.emplace_back(c.name, PoolDigest(pool) + " " + TakeDebugTexts() + stopped);
    }
    ExpectRecorded(recorded, actual);
}

TEST_F(RecordedResults, DrawnExamsAreEntryForEntry)
{
    const std::vector<std::pair<std::string, std::string>> recorded = {
        { "50 sections of 20, 4 each, no counts", "1c8464ac90bf1c88 890c4b26ea21415b" },
        { "50 sections of 20, 4 each, spread counts", "0cdd12881ba63aaf 4f679de1255267e3" },
        { "50 sections of 20, 4 each, large counts", "bd0d1baf4480e4af 5d2ac76d1be58225" },
        { "50 sections of 20, 4 each, one open per section", "714777a422b55bb8 72d2ec76d45ed6d1" },
        { "one section of 1000, 200 drawn, no counts", "a0dc0605b63d7b41 5c716f7dfe36bc93" },
        { "one section of 1000, 200 drawn, spread counts", "1699ac9c125c8de6 ff981a396d0b5077" },
        { "one section of 1000, 200 drawn, large counts", "05334f7803ad23dc 2521f7b4137f3b6f" },
        { "one section of 1000, 200 drawn, one open per section",
            "06cb9ca6954765a7 4e82b458eee86391" },
        { "100 sections of 5, 2 each, no counts", "db37ee63bf1bfedc 6c7388052d20ed07" },
        { "100 sections of 5, 2 each, spread counts", "6d072b4f01f88ed9 1dbcb0cfff9d7c34" },
        { "100 sections of 5, 2 each, large counts", "af1ca4f09cb7b1fc 71cc802e16efa162" },
        { "100 sections of 5, 2 each, one open per section", "1243d565fa8e5713 c792b4a218c445c0" },
    };
    const struct {
        const char* name;
        std::string text;
    } pools[] = {
        { "50 sections of 20, 4 each", GeneratedPool(1000, 20, 4, { "\r" }, false) },
        { "one section of 1000, 200 drawn", GeneratedPool(1000, 1000, 200, { "\r" }, false) },
        { "100 sections of 5, 2 each", GeneratedPool(500, 5, 2, { "\n" }, false) },
    };
    const struct {
        const char* name;
        Counts counts;
    } countSets[] = { { "no counts", Counts::None }, { "spread counts", Counts::Spread },
        { "large counts", Counts::Large }, { "one open per section", Counts::OneOpenPerSection } };

    std::vector<std::pair<std::string, std::string>> actual;
    for (const auto& pool : pools) {
        app->exam = MakeRef<ExamClass>();
        app->exam->PopulateFromText(pool.text);
        app->classNumber = 1;
        app->CopyPoolSummary();
        for (const auto& countSet : countSets) {
            SetCounts(*app, countSet.counts);
            TakeDebugTexts();
            Digest exams;
            for (std::uint64_t seed = 1; seed <= 40; ++seed) {
                SeedRnd(seed);
                app->CreateExam();
                exams.Add(app->numberQuestions).Add(app->testNumberQuestions);
                for (Integer n = 1; n <= app->numberQuestions; ++n)
                    exams.Add(app->question(n)).Add(app->answer(n)).Add(app->testQuestion(n));
                // The same number of Rnd calls: the next value is the same.
                exams.Add(Rnd());
            }
            actual.emplace_back(std::string(pool.name) + ", " + countSet.name,
                exams.Hex() + " " + TakeDebugTexts());
        }
    }
    ExpectRecorded(recorded, actual);
}

TEST_F(RecordedResults, StatisticsFileIsByteForByte)
{
    const std::vector<std::pair<std::string, std::string>> recorded = {
        { "state 0", "7d42925ba4e86ce5 3ef398b78bf4f808" },
        { "state 1", "8bca294528bc3013 f232eba1e56ff28a" },
        { "state 2", "6e6d3eb35fa0ea82 2d70c3a08df76695" },
    };
    const std::string file = SpecialFolder::Preferences()->Child("Varno Preferences")->NativePath();
    std::vector<std::pair<std::string, std::string>> actual;
    for (int state = 0; state < 3; ++state) {
        std::uint64_t bits = 0x9E3779B97F4A7C15ULL * static_cast<std::uint64_t>(state + 1);
        auto next = [&bits] {
            bits ^= bits << 13;
            bits ^= bits >> 7;
            bits ^= bits << 17;
            return bits;
        };
        for (Integer c = 1; c <= 14; ++c) {
            for (Integer j = 1; j <= 1000; ++j) {
                const bool zero = state == 0;
                // Counts beyond 32 bits keep their low 32; dates of every kind.
                app->correct(c, j)
                    = zero ? 0 : static_cast<Integer>(next() >> (state == 2 ? 0 : 40));
                app->incorrect(c, j) = zero ? 0 : -static_cast<Integer>(next() % 100000);
                const double dates[] = { 0.0, -0.0, 3.3e9 + j, 1e300, -1e-310, 1.5 };
                app->historyDate(c, j) = zero ? 0.0 : dates[next() % 6];
                app->historyCorrect(c, j) = zero ? 0 : static_cast<Integer>(next() % 201);
                app->historyIncorrect(c, j) = zero ? 0 : static_cast<Integer>(next() % 201);
            }
        }
        SeedRnd(static_cast<std::uint64_t>(state) + 7);
        app->WritePrefs();
        Digest written;
        written.Add(ReadFileBytes(file)).Add(Rnd());

        Varno reader;
        Application::Register(&reader);
        reader.ReadPrefs();
        Application::Register(app);
        Digest read;
        for (Integer c = 0; c <= 14; ++c) {
            for (Integer j = 0; j <= 1000; ++j) {
                read.Add(reader.correct(c, j)).Add(reader.incorrect(c, j));
                read.Add(reader.historyDate(c, j)).Add(reader.historyCorrect(c, j));
                read.Add(reader.historyIncorrect(c, j));
            }
        }
        actual.emplace_back("state " + std::to_string(state), written.Hex() + " " + read.Hex());
    }
    ExpectRecorded(recorded, actual);
}
