#include "pool_checker.h"

#include "application.h"
#include "byte_scan.h"
#include "exam_class.h"
#include "folder_item.h"
#include "message_sink.h"
#include "random.h"
#include "resource_files_testing.h"
#include "text.h"
#include "varno.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr Integer kMostSections = 100;
constexpr Integer kMostQuestions = 1000;
constexpr Integer kMostExamQuestions = 200;
constexpr Integer kFirstFigure = 1001;
constexpr Integer kLastFigure = 1016;

bool Blank(const std::string& text)
{
    return std::all_of(
        text.begin(), text.end(), [](unsigned char c) { return c == ' ' || c == '\t'; });
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// "question 12 (T1A12)", or just "question 12" when it has no code.
std::string QuestionName(const ExamClass& pool, Integer number)
{
    const std::string code = std::string(WithoutTerminator(pool.questionNumber(number)));
    return "question " + Str(number) + (code.empty() ? std::string() : " (" + code + ")");
}

// The previously registered application object comes back when the check is
// done, whatever happens during it.
class RegistrationGuard final {
public:
    explicit RegistrationGuard(Application* replacement)
        : previous_(Application::CurrentOrNull())
    {
        Application::Register(replacement);
    }
    ~RegistrationGuard() { Application::Register(previous_); }
    RegistrationGuard(const RegistrationGuard&) = delete;
    RegistrationGuard& operator=(const RegistrationGuard&) = delete;

private:
    Application* previous_;
};

// A resource folder of its own for the pool under check: <root>/Resources
// holds the pool under its class's file name, and the program's executable is
// said to be <root>/bin/varno, so the accessors find it there.
class ScratchInstall final {
public:
    ScratchInstall()
    {
        std::error_code error;
        const fs::path base = fs::temp_directory_path(error);
        std::random_device entropy;
        for (int attempt = 0; attempt < 100 && root_.empty(); ++attempt) {
            const fs::path candidate = base / ("varno-pool-check-" + std::to_string(entropy()));
            if (fs::create_directory(candidate, error))
                root_ = candidate;
        }
    }
    ~ScratchInstall()
    {
        std::error_code ignored;
        if (!root_.empty())
            fs::remove_all(root_, ignored);
    }
    ScratchInstall(const ScratchInstall&) = delete;
    ScratchInstall& operator=(const ScratchInstall&) = delete;

    bool Ready() const { return !root_.empty(); }

    bool Place(const std::string& fileName, const std::string& text) const
    {
        std::error_code error;
        fs::create_directories(root_ / "Resources", error);
        fs::create_directories(root_ / "bin", error);
        std::ofstream out(root_ / "Resources" / fileName, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return static_cast<bool>(out);
    }

    std::string Executable() const { return (root_ / "bin" / "varno").string(); }

private:
    fs::path root_;
};

} // namespace

std::vector<std::string> CheckDrawnExam(const Varno& app, const ExamClass& pool)
{
    std::vector<std::string> findings;
    auto report = [&](const std::string& finding) { findings.push_back(finding); };

    if (app.numberQuestions != pool.numQuestions) {
        report("it has " + Str(app.numberQuestions) + " questions instead of the exam length "
            + Str(pool.numQuestions));
        return findings;
    }
    if (app.testNumberQuestions != pool.numQuestions)
        report("its saved copy has " + Str(app.testNumberQuestions) + " questions instead of "
            + Str(pool.numQuestions));

    std::set<Integer> seen;
    Integer entry = 1;
    for (Integer s = 1; s <= pool.numSections; ++s) {
        for (Integer j = 1; j <= pool.numInSection(s); ++j, ++entry) {
            if (entry > app.numberQuestions) {
                report("section " + Str(s) + " got only " + Str(j - 1) + " of its "
                    + Str(pool.numInSection(s)) + " questions");
                return findings;
            }
            const Integer q = app.question(entry);
            if (q < pool.sectionStart(s) || q > pool.sectionEnd(s))
                report("entry " + Str(entry) + " is question " + Str(q) + ", outside section "
                    + Str(s) + " (" + Str(pool.sectionStart(s)) + " to " + Str(pool.sectionEnd(s))
                    + ")");
            if (!seen.insert(q).second)
                report("entry " + Str(entry) + " repeats question " + Str(q));
            if (app.answer(entry) != 0 || app.testAnswer(entry) != 0)
                report("entry " + Str(entry) + " starts with an answer set");
            if (app.testQuestion(entry) != q)
                report("entry " + Str(entry) + " differs in the saved copy");
        }
    }
    if (entry - 1 != app.numberQuestions)
        report("it holds " + Str(app.numberQuestions) + " entries but the sections draw "
            + Str(entry - 1));
    return findings;
}

const std::vector<std::string>& PoolFileNames()
{
    static const std::vector<std::string> names = { "TechFile.txt", "GeneralFile.txt",
        "ExtraFile.txt", "fccelement1.txt", "fccelement8.txt", "fccelement3.txt" };
    return names;
}

Integer ExamClassOfPoolFile(const std::string& fileName)
{
    const auto& names = PoolFileNames();
    const auto found = std::find(names.begin(), names.end(), fileName);
    return found == names.end() ? 0 : static_cast<Integer>(found - names.begin()) + 1;
}

std::vector<std::string> CheckPoolStructure(const ExamClass& pool)
{
    std::vector<std::string> findings;
    auto finding = [&](const std::string& text) { findings.push_back(text); };

    const Integer records = pool.gettingQuestionNumber - 1;
    if (pool.questionState != 0)
        finding("the file ends in the middle of question record " + Str(records + 1)
            + ", after line " + Str(pool.questionState) + " of its 8");
    if (!pool.gettingQuestions)
        finding("the file ends inside its header: no question record was reached");
    if (WithoutTerminator(pool.name).empty() || Blank(pool.name))
        finding("the title (line 3) is empty");

    if (pool.numSections < 1 || pool.numSections > kMostSections) {
        finding("line 4 gives " + Str(pool.numSections) + " sections; a pool needs 1 to "
            + Str(kMostSections));
        return findings;
    }
    if (records < 1) {
        finding("the pool holds no complete question record");
        return findings;
    }

    Integer draws = 0;
    Integer expectedStart = 1;
    for (Integer s = 1; s <= pool.numSections; ++s) {
        const std::string section = "section " + Str(s) + " " + Quoted(pool.sectionPrefix(s));
        const Integer first = pool.sectionStart(s);
        const Integer last = pool.sectionEnd(s);
        const Integer draw = pool.numInSection(s);
        draws += draw;
        if (pool.sectionPrefix(s).empty() || Blank(pool.sectionPrefix(s)))
            finding("section " + Str(s) + " has an empty label");
        if (draw < 0)
            finding(section + " draws " + Str(draw) + " questions");
        if (first != expectedStart)
            finding(section + " starts at question " + Str(first)
                + "; after the sections before it, it must start at " + Str(expectedStart)
                + (first > expectedStart ? " (a gap)" : " (an overlap)"));
        if (last < first) {
            finding(section + " runs backwards, from " + Str(first) + " to " + Str(last));
        } else if (last - first + 1 < draw) {
            finding(section + " holds " + Str(last - first + 1) + " questions but an exam draws "
                + Str(draw) + " from it");
        }
        expectedStart = std::max(expectedStart, last + 1);
    }
    const Integer lastCovered = pool.sectionEnd(pool.numSections);
    if (lastCovered != records)
        finding("the sections end at question " + Str(lastCovered) + " but the file holds "
            + Str(records) + " questions");
    if (records > kMostQuestions)
        finding("the file holds " + Str(records) + " questions, more than " + Str(kMostQuestions));

    if (pool.numQuestions != draws)
        finding("the exam length (line 2) is " + Str(pool.numQuestions) + " but the sections draw "
            + Str(draws));
    if (draws > kMostExamQuestions)
        finding("the sections draw " + Str(draws) + " questions, more than an exam holds ("
            + Str(kMostExamQuestions) + ")");
    if (pool.minCorrect < 1 || pool.minCorrect > pool.numQuestions)
        finding("the pass mark (line 1) is " + Str(pool.minCorrect)
            + ", not between 1 and the exam length " + Str(pool.numQuestions));

    std::map<std::string, Integer> codes;
    const Integer checked = std::min(records, kMostQuestions);
    for (Integer n = 1; n <= checked; ++n) {
        const std::string name = QuestionName(pool, n);
        if (pool.question(n).empty() || Blank(pool.question(n)))
            finding(name + " has no text");
        const Integer correct = pool.questionCorrectAnswer(n);
        if (correct < 1 || correct > 4)
            finding(name + " gives " + Str(correct) + " as its correct answer, not 1 to 4");
        const Integer figure = pool.questionPic(n);
        if (figure != 0 && (figure < kFirstFigure || figure > kLastFigure))
            finding(name + " names figure " + Str(figure) + ", not 0 or " + Str(kFirstFigure)
                + " to " + Str(kLastFigure));
        std::set<std::string> answers;
        for (Integer a = 1; a <= 4; ++a) {
            const std::string answer = std::string(WithoutTerminator(pool.questionAnswer(n, a)));
            if (answer.empty() || Blank(answer))
                finding(name + " has an empty answer " + Str(a));
            else if (!answers.insert(answer).second)
                finding(name + " has answer " + Str(a) + " twice");
        }
        const std::string code = std::string(WithoutTerminator(pool.questionNumber(n)));
        if (code.empty() || Blank(code)) {
            finding("question " + Str(n) + " has no code");
        } else {
            const auto [earlier, inserted] = codes.emplace(code, n);
            if (!inserted)
                finding(name + " has the same code as question " + Str(earlier->second));
        }
    }
    return findings;
}

namespace {

// Characters as the candidate sees them: UTF-8 continuation bytes are not
// counted.
std::size_t ShownLength(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

// What one length strategy makes of one question: whether the key is among
// the choices it would pick, and how many choices tie there.
struct StrategyPick {
    bool keyAmongPicks = false;
    int picks = 1;
};

StrategyPick PickByLength(const std::array<std::size_t, 4>& lengths, int key, bool longest)
{
    const auto extreme = longest ? *std::max_element(lengths.begin(), lengths.end())
                                 : *std::min_element(lengths.begin(), lengths.end());
    StrategyPick pick;
    pick.picks = static_cast<int>(std::count(lengths.begin(), lengths.end(), extreme));
    pick.keyAmongPicks = lengths[static_cast<std::size_t>(key)] == extreme;
    return pick;
}

std::string Percent(double share, int decimals = 1)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f %%", decimals, share * 100.0);
    return text;
}

} // namespace

AnswerLengthFigures MeasureAnswerLengths(const ExamClass& pool, int exams, std::uint64_t seed)
{
    AnswerLengthFigures figures;
    const Integer records = std::min(pool.gettingQuestionNumber - 1, kMostQuestions);
    if (records < 1 || exams < 1 || pool.numQuestions < 1)
        return figures;

    // Index 0 stays unused, as pool question numbers start at 1.
    std::vector<StrategyPick> longest(static_cast<std::size_t>(records) + 1);
    std::vector<StrategyPick> shortest(longest.size());
    Integer keyLongest = 0;
    Integer keyShortest = 0;
    for (Integer n = 1; n <= records; ++n) {
        std::array<std::size_t, 4> lengths {};
        for (Integer a = 1; a <= 4; ++a)
            lengths[static_cast<std::size_t>(a - 1)]
                = ShownLength(std::string(WithoutTerminator(pool.questionAnswer(n, a))));
        const int key
            = static_cast<int>(std::clamp<Integer>(pool.questionCorrectAnswer(n), 1, 4)) - 1;
        longest[static_cast<std::size_t>(n)] = PickByLength(lengths, key, true);
        shortest[static_cast<std::size_t>(n)] = PickByLength(lengths, key, false);
        keyLongest += longest[static_cast<std::size_t>(n)].keyAmongPicks
            && longest[static_cast<std::size_t>(n)].picks == 1;
        keyShortest += shortest[static_cast<std::size_t>(n)].keyAmongPicks
            && shortest[static_cast<std::size_t>(n)].picks == 1;
    }
    figures.keyLongestShare = static_cast<double>(keyLongest) / static_cast<double>(records);
    figures.keyShortestShare = static_cast<double>(keyShortest) / static_cast<double>(records);

    std::mt19937_64 random(seed);
    auto settles = [&random](const StrategyPick& pick) {
        if (!pick.keyAmongPicks)
            return false;
        return pick.picks == 1 || std::uniform_int_distribution<int>(1, pick.picks)(random) == 1;
    };
    std::vector<Integer> candidates;
    Integer longestTotal = 0;
    Integer shortestTotal = 0;
    int longestPasses = 0;
    int shortestPasses = 0;
    for (int exam = 0; exam < exams; ++exam) {
        Integer longestScore = 0;
        Integer shortestScore = 0;
        for (Integer s = 1; s <= pool.numSections; ++s) {
            candidates.clear();
            for (Integer q = pool.sectionStart(s); q <= std::min(pool.sectionEnd(s), records); ++q)
                candidates.push_back(q);
            const std::size_t draw = static_cast<std::size_t>(std::clamp<Integer>(
                pool.numInSection(s), 0, static_cast<Integer>(candidates.size())));
            // The first `draw` places of a partial shuffle: an even pick
            // without repeats, as the program's redraws give on a first run.
            for (std::size_t i = 0; i < draw; ++i) {
                const std::size_t j
                    = std::uniform_int_distribution<std::size_t>(i, candidates.size() - 1)(random);
                std::swap(candidates[i], candidates[j]);
                const auto question = static_cast<std::size_t>(candidates[i]);
                longestScore += settles(longest[question]);
                shortestScore += settles(shortest[question]);
            }
        }
        longestTotal += longestScore;
        shortestTotal += shortestScore;
        longestPasses += longestScore >= pool.minCorrect;
        shortestPasses += shortestScore >= pool.minCorrect;
    }
    const double examQuestions
        = static_cast<double>(exams) * static_cast<double>(pool.numQuestions);
    figures.longest.averageScore = static_cast<double>(longestTotal) / examQuestions;
    figures.shortest.averageScore = static_cast<double>(shortestTotal) / examQuestions;
    figures.longest.passRate = static_cast<double>(longestPasses) / exams;
    figures.shortest.passRate = static_cast<double>(shortestPasses) / exams;
    figures.exams = exams;
    return figures;
}

std::vector<std::string> AnswerLengthFindings(const AnswerLengthFigures& figures)
{
    std::vector<std::string> findings;
    const struct {
        const char* longerOrShorter;
        const char* strategy;
        double keyShare;
        AnswerLengthFigures::Strategy result;
    } sides[] = {
        { "longer", "longest", figures.keyLongestShare, figures.longest },
        { "shorter", "shortest", figures.keyShortestShare, figures.shortest },
    };
    for (const auto& side : sides) {
        if (side.keyShare > kMostKeyLengthShare)
            findings.push_back(std::string("the correct answer is ") + side.longerOrShorter
                + " than every other choice in " + Percent(side.keyShare)
                + " of the questions (at most " + Percent(kMostKeyLengthShare) + ")");
        if (side.result.passRate >= kMostStrategyPassRate)
            findings.push_back(std::string("always picking the ") + side.strategy
                + " choice passes " + Percent(side.result.passRate) + " of "
                + std::to_string(figures.exams) + " exams (it must stay under "
                + Percent(kMostStrategyPassRate) + ")");
        if (side.result.averageScore > kMostStrategyAverage)
            findings.push_back(std::string("always picking the ") + side.strategy
                + " choice scores " + Percent(side.result.averageScore) + " on average (at most "
                + Percent(kMostStrategyAverage) + ")");
    }
    return findings;
}

namespace {

// The choices of question n, without the reader's line terminators.
std::array<std::string, 4> Choices(const ExamClass& pool, Integer n)
{
    std::array<std::string, 4> choices;
    for (Integer a = 1; a <= 4; ++a)
        choices[static_cast<std::size_t>(a - 1)]
            = std::string(WithoutTerminator(pool.questionAnswer(n, a)));
    return choices;
}

// The index (0 to 3) of the key of question n among its choices.
int KeyIndex(const ExamClass& pool, Integer n)
{
    return static_cast<int>(std::clamp<Integer>(pool.questionCorrectAnswer(n), 1, 4)) - 1;
}

bool AsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool HasAbsoluteWord(const std::string& text)
{
    static const std::set<std::string> absolutes = { "always", "never", "only", "all", "any",
        "exactly", "cannot", "none", "every", "must", "no" };
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && AsciiLetter(text[i])) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
            continue;
        }
        if (absolutes.count(word) != 0)
            return true;
        word.clear();
    }
    return false;
}

// What a candidate who picks at random among the choices without an absolute
// word scores on one question.
double AbsoluteFreeScore(const std::array<std::string, 4>& choices, int key)
{
    int free = 0;
    bool keyFree = false;
    for (int i = 0; i < 4; ++i) {
        if (!HasAbsoluteWord(choices[static_cast<std::size_t>(i)])) {
            ++free;
            keyFree = keyFree || i == key;
        }
    }
    if (free == 0 || free == 4)
        return 0.25;
    return keyFree ? 1.0 / free : 0.0;
}

// The code points of UTF-8 text (the pool texts are written from Unicode
// strings, so every sequence is whole).
std::u32string CodePoints(std::string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < text.size(); ++k)
            point = (point << 6)
                | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        points.push_back(point);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return points;
}

// Unicode white space, as a units column may hold a no-break space.
bool Space(char32_t c)
{
    return (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x20) || c == 0x85 || c == 0xA0
        || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

bool Digit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// The value of one SI prefix, or 0 for a character that is none.
double PrefixValue(char32_t c)
{
    switch (c) {
    case U'p':
        return 1e-12;
    case U'n':
        return 1e-9;
    case U'u':
    case U'\u00B5': // micro sign
    case U'\u03BC': // Greek mu
        return 1e-6;
    case U'm':
        return 1e-3;
    case U'k':
        return 1e3;
    case U'M':
        return 1e6;
    case U'G':
        return 1e9;
    case U'T':
        return 1e12;
    default:
        return 0;
    }
}

// An amount as a choice states it: "-1,234.5 kHz", "0.5 A", ".25", "12V".
struct Amount {
    double number = 0;
    std::u32string unit; // what follows the number and one optional space, trimmed
};

// Reads the amount the text begins with: a sign (- + or the minus sign), then
// digits, where 1 to 3 leading digits may be followed by groups of a comma and
// three digits, then a fraction; or a sign and a bare fraction. Anything may
// follow as the unit; no number at the start is no amount.
std::optional<Amount> LeadingAmount(const std::u32string& text)
{
    auto digitsFrom = [&text](std::size_t from) {
        std::size_t end = from;
        while (end < text.size() && Digit(text[end]))
            ++end;
        return end - from;
    };
    auto fractionAt = [&](std::size_t at) {
        return at < text.size() && text[at] == U'.' && digitsFrom(at + 1) > 0;
    };
    std::string number; // plain ASCII for from_chars
    std::size_t at = 0;
    if (at < text.size() && (text[at] == U'-' || text[at] == U'+' || text[at] == U'\u2212')) {
        if (text[at] != U'+')
            number += '-';
        ++at;
    }
    auto take = [&](std::size_t count) {
        for (std::size_t k = 0; k < count; ++k)
            number += static_cast<char>(text[at + k]);
        at += count;
    };
    const std::size_t whole = digitsFrom(at);
    if (whole > 0) {
        take(whole);
        // A thousands group is only read after at most three digits:
        // "12,345" is 12345, but "1234,567" is 1234 followed by ",567".
        while (whole <= 3 && at < text.size() && text[at] == U',' && digitsFrom(at + 1) >= 3) {
            ++at;
            take(3);
        }
    } else if (fractionAt(at)) {
        number += '0';
    } else {
        return std::nullopt;
    }
    if (fractionAt(at)) {
        take(1);
        take(digitsFrom(at));
    }
    Amount amount;
    std::from_chars(number.data(), number.data() + number.size(), amount.number);
    if (at < text.size() && Space(text[at]))
        ++at;
    std::size_t first = at;
    std::size_t last = text.size();
    while (first < last && Space(text[first]))
        ++first;
    while (last > first && Space(text[last - 1]))
        --last;
    amount.unit = text.substr(first, last - first);
    return amount;
}

std::vector<std::string_view> SplitAtSpaces(std::string_view text)
{
    std::vector<std::string_view> words;
    for (std::size_t begin = 0;;) {
        const std::size_t space = text.find(' ', begin);
        words.push_back(
            text.substr(begin, space == std::string_view::npos ? space : space - begin));
        if (space == std::string_view::npos)
            return words;
        begin = space + 1;
    }
}

// The four amounts of a numeric question, in choice order, or nothing when
// the question is not one: "At 14.2 MHz" ... "At 14.35 MHz" are read past
// their common words, and "500 mA" and "0.2 A" are read in amperes.
std::optional<std::array<double, 4>> NumericValues(const std::array<std::string, 4>& choices)
{
    std::array<std::vector<std::string_view>, 4> words;
    for (std::size_t i = 0; i < 4; ++i)
        words[i] = SplitAtSpaces(choices[i]);
    // The common leading words, always leaving every choice a word of its own.
    std::size_t common = 0;
    auto sharesNextWord = [&] {
        for (std::size_t i = 0; i < 4; ++i) {
            if (words[i].size() <= common + 1 || words[i][common] != words[0][common])
                return false;
        }
        return true;
    };
    while (sharesNextWord())
        ++common;

    std::array<Amount, 4> amounts;
    for (std::size_t i = 0; i < 4; ++i) {
        std::string rest;
        for (std::size_t w = common; w < words[i].size(); ++w)
            rest += (w == common ? "" : " ") + std::string(words[i][w]);
        const std::optional<Amount> amount = LeadingAmount(CodePoints(rest));
        if (!amount)
            return std::nullopt;
        amounts[i] = *amount;
    }

    // The unit the four agree on: the unit as written, or what is left when
    // one SI prefix is taken off a unit of two characters or more. Of two
    // candidates, the one written out in more choices wins ("m" for "m" and
    // "km"), a tie going to the first in code point order.
    auto multiplierFor = [](const Amount& amount, const std::u32string& unit) -> double {
        if (amount.unit == unit)
            return 1;
        if (amount.unit.size() >= 2 && amount.unit.compare(1, std::u32string::npos, unit) == 0)
            return PrefixValue(amount.unit[0]);
        return 0;
    };
    std::vector<std::u32string> candidates { amounts[0].unit };
    if (amounts[0].unit.size() >= 2 && PrefixValue(amounts[0].unit[0]) != 0)
        candidates.push_back(amounts[0].unit.substr(1));
    std::sort(candidates.begin(), candidates.end());
    std::optional<std::u32string> unit;
    int mostWrittenOut = -1;
    for (const std::u32string& candidate : candidates) {
        if (!std::all_of(amounts.begin(), amounts.end(),
                [&](const Amount& amount) { return multiplierFor(amount, candidate) != 0; }))
            continue;
        const auto writtenOut = static_cast<int>(std::count_if(amounts.begin(), amounts.end(),
            [&](const Amount& amount) { return amount.unit == candidate; }));
        if (writtenOut > mostWrittenOut) {
            unit = candidate;
            mostWrittenOut = writtenOut;
        }
    }
    if (!unit)
        return std::nullopt;

    std::array<double, 4> values {};
    for (std::size_t i = 0; i < 4; ++i)
        values[i] = amounts[i].number * multiplierFor(amounts[i], *unit);
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t j = i + 1; j < 4; ++j) {
            if (values[i] == values[j])
                return std::nullopt;
        }
    }
    return values;
}

} // namespace

AnswerCueFigures MeasureAnswerCues(const ExamClass& pool)
{
    AnswerCueFigures figures;
    const Integer records = std::min(pool.gettingQuestionNumber - 1, kMostQuestions);
    if (records < 1)
        return figures;
    int keyMiddle = 0;
    double scores = 0;
    for (Integer n = 1; n <= records; ++n) {
        const std::array<std::string, 4> choices = Choices(pool, n);
        const int key = KeyIndex(pool, n);
        scores += AbsoluteFreeScore(choices, key);
        if (const auto values = NumericValues(choices)) {
            ++figures.numericQuestions;
            const double keyValue = (*values)[static_cast<std::size_t>(key)];
            keyMiddle += keyValue > *std::min_element(values->begin(), values->end())
                && keyValue < *std::max_element(values->begin(), values->end());
        }
    }
    figures.questions = static_cast<int>(records);
    figures.keyMiddleShare = figures.numericQuestions == 0
        ? 0
        : static_cast<double>(keyMiddle) / figures.numericQuestions;
    figures.absoluteFreeScore = scores / static_cast<double>(records);
    return figures;
}

std::vector<std::string> AnswerCueFindings(const AnswerCueFigures& figures)
{
    std::vector<std::string> findings;
    if (figures.numericQuestions >= kFewestNumericQuestionsJudged
        && figures.keyMiddleShare > kMostKeyMiddleShare)
        findings.push_back("the correct answer is neither the smallest nor the largest amount in "
            + Percent(figures.keyMiddleShare) + " of the "
            + std::to_string(figures.numericQuestions) + " numeric questions (at most "
            + Percent(kMostKeyMiddleShare) + ")");
    if (figures.absoluteFreeScore > kMostAbsoluteFreeScore)
        findings.push_back("picking among the choices without an absolute word (always, never, "
                           "only, ...) scores "
            + Percent(figures.absoluteFreeScore, 2) + " on average (at most "
            + Percent(kMostAbsoluteFreeScore, 2) + ")");
    return findings;
}

PoolCheckResult CheckPoolText(
    const std::string& text, Integer examClass, const PoolCheckOptions& options)
{
    PoolCheckResult result;
    if (examClass < 1 || examClass > static_cast<Integer>(PoolFileNames().size())) {
        result.findings.push_back("examination class " + Str(examClass) + " has no pool file");
        return result;
    }

    ExamClass pool;
    try {
        pool.PopulateFromText(text);
    } catch (const std::exception& error) {
        result.findings.push_back(std::string("the program's reader stops on it: ") + error.what()
            + " (more than " + Str(kMostSections) + " sections or " + Str(kMostQuestions)
            + " questions?)");
        return result;
    }
    result.title = pool.name;
    result.sections = pool.numSections;
    result.questions = pool.gettingQuestionNumber - 1;
    result.examLength = pool.numQuestions;
    result.passMark = pool.minCorrect;
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        result.findings.push_back("the last line has no line end, so the program ignores it");
    for (const std::string& finding : CheckPoolStructure(pool))
        result.findings.push_back(finding);
    if (!result.findings.empty())
        return result; // the drawing is only meaningful for a sound pool
    if (options.lengthExams > 0) {
        result.lengths = MeasureAnswerLengths(pool, options.lengthExams, options.firstSeed);
        for (const std::string& finding : AnswerLengthFindings(result.lengths))
            result.findings.push_back(finding);
    }
    if (options.answerCues) {
        result.cues = MeasureAnswerCues(pool);
        for (const std::string& finding : AnswerCueFindings(result.cues))
            result.findings.push_back(finding);
    }
    if (options.giveAways)
        result.giveAways = FindGiveAways(pool);

    ScratchInstall install;
    if (!install.Ready()
        || !install.Place(PoolFileNames()[static_cast<std::size_t>(examClass - 1)], text)) {
        result.findings.push_back("cannot make a scratch resource folder to draw exams from");
        return result;
    }

    Varno app;
    RegistrationGuard registration(&app);
    app.SetExecutableFile(MakeRef<FolderItem>(install.Executable()));
    ForgetResourceFilesForTesting();
    app.classNumber = examClass;

    auto* recorder = dynamic_cast<RecordingMessageSink*>(&CurrentMessageSink());
    const std::size_t messagesBefore = recorder ? recorder->messages.size() : 0;
    std::mt19937_64 weights(options.firstSeed);
    // A broken drawing repeats itself for every seed; a few exams tell enough.
    constexpr int kBadExamsShown = 3;
    int badExams = 0;
    try {
        for (int draw = 0; draw < options.draws; ++draw) {
            const std::uint64_t seed = options.firstSeed + static_cast<std::uint64_t>(draw);
            // Every other exam is drawn with a made-up record of right
            // answers, so the weighting takes part as it does for a user
            // with a history; the rest with none, as on a first run.
            for (Integer n = 1; n <= result.questions; ++n)
                app.correct(examClass, n)
                    = draw % 2 == 0 ? 0 : static_cast<Integer>(weights() % 25);
            SeedRnd(seed);
            try {
                app.SetExam(examClass);
            } catch (const PoolUnreadableException& refusal) {
                result.findings.push_back(
                    "the program refuses to draw from it: " + refusal.Message());
                break;
            }
            if (draw == 0) {
                if (app.examName != pool.name)
                    result.findings.push_back("the program read the title " + Quoted(app.examName)
                        + " from its resource folder, not " + Quoted(pool.name));
            }
            const std::vector<std::string> wrong = CheckDrawnExam(app, pool);
            if (!wrong.empty() && ++badExams <= kBadExamsShown) {
                const std::size_t shown = std::min<std::size_t>(wrong.size(), 5);
                for (std::size_t i = 0; i < shown; ++i)
                    result.findings.push_back(
                        "exam drawn with seed " + std::to_string(seed) + ": " + wrong[i]);
            }
            ++result.drawsChecked;
        }
        if (badExams > kBadExamsShown)
            result.findings.push_back(std::to_string(badExams) + " of "
                + std::to_string(result.drawsChecked) + " drawn exams were wrong");
    } catch (const std::exception& error) {
        result.findings.push_back(std::string("drawing an exam failed: ") + error.what());
    }
    if (recorder && recorder->messages.size() > messagesBefore) {
        for (std::size_t i = messagesBefore; i < recorder->messages.size(); ++i)
            result.findings.push_back(
                "the program showed the message " + Quoted(recorder->messages[i]));
    }
    ForgetResourceFilesForTesting();
    return result;
}

PoolCheckResult CheckPoolFile(const std::string& path, const PoolCheckOptions& options)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        PoolCheckResult result;
        result.findings.push_back("cannot be read");
        return result;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Integer examClass = ExamClassOfPoolFile(fs::path(path).filename().string());
    return CheckPoolText(text, examClass == 0 ? 1 : examClass, options);
}
