#pragma once

#include "give_aways.h"
#include "types.h"

#include <cstdint>
#include <string>
#include <vector>

class ExamClass;
class Varno;

// Checks question pool files the way the program will use them: parsed by the
// program's own reader, then drawn from by the program's own exam drawing.
// Findings are readable sentences; an empty list means the pool is good.

// The examination class (1 to 6) whose pool file bears this name
// ("TechFile.txt" is 1, ...), or 0 for any other name.
Integer ExamClassOfPoolFile(const std::string& fileName);

// The six pool file names, in examination class order.
const std::vector<std::string>& PoolFileNames();

// Checks a parsed pool's header against its sections and every question
// record: exam length = sum of draws <= 200, pass mark within the exam, a
// title, section ranges in order from question 1 without gaps or overlaps and
// covering every record, each section holding its draw count and having a
// label, correct answers 1 to 4, four non-empty answers, non-empty texts,
// unique codes and figure numbers 0 or 1001 to 1016.
std::vector<std::string> CheckPoolStructure(const ExamClass& pool);

// What is wrong with the exam the application object has just drawn from
// this pool: its length, an entry outside its section or repeated, a section
// short of its draw count, an answer already set, a saved copy that differs.
// Empty when it is a proper exam.
std::vector<std::string> CheckDrawnExam(const Varno& app, const ExamClass& pool);

struct PoolCheckOptions {
    // Exams drawn per pool, each with its own seed.
    int draws = 300;
    // The first seed; the draws use firstSeed, firstSeed + 1, ...
    std::uint64_t firstSeed = 1;
    // Exams simulated to see how far the lengths of the choices give the key
    // away; 0 leaves that check out.
    int lengthExams = 20000;
    // Whether the other test-wise cues (middle values, absolute words) are
    // measured and held to their bounds.
    bool answerCues = true;
    // Whether the pairs of questions that may give each other away are
    // listed for a reviewer. They are notes, not findings.
    bool giveAways = false;
};

// How much the lengths of the choices give away. A candidate who has learnt
// nothing and always picks the longest (or the shortest) choice should do
// little better than one who guesses.
struct AnswerLengthFigures {
    // Shares of the pool's questions whose key is strictly longer (shorter)
    // than each of the other three choices.
    double keyLongestShare = 0;
    double keyShortestShare = 0;

    // A candidate who always picks the longest (shortest) choice, a tie
    // settled by a coin, over exams drawn as the program draws them for a
    // first run: each section's questions picked evenly, none twice.
    struct Strategy {
        double averageScore = 0; // right answers over the exam length, 0 to 1
        double passRate = 0; // share of the exams with the pass mark or more
    };
    Strategy longest;
    Strategy shortest;
    int exams = 0;
};

// The most a pool may give away: the key strictly longest or strictly
// shortest in at most 30 % of questions, and neither strategy passing 0.5 %
// of exams or averaging more than 35 %.
inline constexpr double kMostKeyLengthShare = 0.30;
inline constexpr double kMostStrategyPassRate = 0.005;
inline constexpr double kMostStrategyAverage = 0.35;

// The figures of a parsed, structurally sound pool over `exams` simulated
// exams (the simulation repeats itself for a seed).
AnswerLengthFigures MeasureAnswerLengths(const ExamClass& pool, int exams, std::uint64_t seed = 1);

// A finding for each figure over its bound; empty when the lengths give
// nothing away.
std::vector<std::string> AnswerLengthFindings(const AnswerLengthFigures& figures);

// Two more habits a test-wise candidate brings to the exam: in a question
// whose choices are amounts, avoid the smallest and the largest; avoid a
// choice with an absolute word in it ("always", "never", "only", ...).
struct AnswerCueFigures {
    // Questions measured; 0 when the cues were not measured.
    int questions = 0;

    // Numeric questions: after the words all four choices begin with, each
    // choice is a number and a unit (one SI prefix may differ), and the four
    // amounts differ. The share of them whose key is one of the two middle
    // amounts; a guess among the middle two would win that often.
    int numericQuestions = 0;
    double keyMiddleShare = 0;

    // The average score, 0 to 1, of a candidate who picks at random among the
    // choices without an absolute word; where none or all four have one, the
    // candidate guesses among all four (0.25).
    double absoluteFreeScore = 0;
};

// The most a pool may give away this way: the key a middle amount in at most
// 60 % of the numeric questions (judged once there are 10 of them), and
// picking among the choices without an absolute word scoring at most 25 %.
inline constexpr int kFewestNumericQuestionsJudged = 10;
inline constexpr double kMostKeyMiddleShare = 0.60;
inline constexpr double kMostAbsoluteFreeScore = 0.25;

// The figures of a parsed, structurally sound pool.
AnswerCueFigures MeasureAnswerCues(const ExamClass& pool);

// A finding for each figure over its bound.
std::vector<std::string> AnswerCueFindings(const AnswerCueFigures& figures);

struct PoolCheckResult {
    std::string title;
    Integer sections = 0;
    Integer questions = 0;
    Integer examLength = 0;
    Integer passMark = 0;
    int drawsChecked = 0;
    AnswerLengthFigures lengths; // exams is 0 when they were not measured
    AnswerCueFigures cues; // questions is 0 when they were not measured
    std::vector<GiveAway> giveAways;
    std::vector<std::string> findings;
};

// Checks pool text as the pool of examination class examClass (1 to 6): its
// structure, then a drawing of options.draws exams through a Varno of its
// own, whose resource folder is a temporary copy holding just this text. Any
// application object registered before is registered again afterwards.
PoolCheckResult CheckPoolText(
    const std::string& text, Integer examClass, const PoolCheckOptions& options = {});

// Reads the file and checks it as the pool of the examination class its name
// gives (a file of another name is checked as a Technician pool).
PoolCheckResult CheckPoolFile(const std::string& path, const PoolCheckOptions& options = {});
