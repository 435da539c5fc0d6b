#pragma once

#include "fixed_array.h"
#include "pool_string.h"
#include "types.h"

#include <string>
#include <string_view>

// One parsed question pool: title, pass mark, exam length, section tables and,
// per question, its text, four answers, correct-answer number, figure number
// and code. Arrays are used from index 1. The texts live in the object's own
// store, so a pool is copied only by parsing it again.
class ExamClass {
public:
    ExamClass() = default;
    ExamClass(const ExamClass&) = delete;
    ExamClass& operator=(const ExamClass&) = delete;
    ExamClass(ExamClass&&) = default;
    ExamClass& operator=(ExamClass&&) = default;

    std::string name;
    Integer minCorrect = 0;
    Integer numQuestions = 0;
    Integer numSections = 0;
    FixedArray<Integer, 100> numInSection;
    FixedArray<Integer, 100> sectionStart;
    FixedArray<Integer, 100> sectionEnd;
    FixedArray<PoolString, 100> sectionPrefix;
    FixedArray<PoolString, 1000> question;
    FixedArray<Integer, 1000> questionCorrectAnswer;
    FixedArray<Integer, 1000> questionPic;
    FixedArray<PoolString, 1000> questionNumber;
    FixedArray2D<PoolString, 1000, 4> questionAnswer;
    Integer lineNumber = 0;
    bool gettingQuestions = false;
    Integer questionState = 0;
    Integer gettingQuestionNumber = 0;
    // The pool file the text came from ("TechFile.txt"); empty when the pool
    // was parsed from text handed in directly. Messages about the pool name it.
    std::string poolFile;
    // Whether the text began with a UTF-8 byte-order mark, which an editor may
    // put in front of line 1 and which turns the pass mark into 0. The text is
    // parsed as it stands; the pool check refuses it.
    bool beginsWithByteOrderMark = false;

    // Fills the pool from the pool text of examination class 1 to 6; any other
    // class leaves it empty without reading a file.
    void PopulateExam(Integer examClass);
    // Parses a whole pool text, byte for byte, as PopulateExam does with the
    // text of a pool file (tools and tests hand in any bytes).
    void PopulateFromText(const std::string& text);
    // Parses one line, terminator included, as line lineNumber of the file.
    void ProcessLine(std::string_view line);
    std::string StripExtraSpaces(std::string_view text);

    // A copy of text in this pool's store, to put in one of its arrays.
    PoolString Keep(std::string_view text);

private:
    PoolStringStore texts_;
};
