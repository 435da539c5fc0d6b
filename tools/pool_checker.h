#pragma once

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
};

struct PoolCheckResult {
    std::string title;
    Integer sections = 0;
    Integer questions = 0;
    Integer examLength = 0;
    Integer passMark = 0;
    int drawsChecked = 0;
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
