#pragma once

#include "message_sink.h"
#include "program_fixture.h"
#include "types.h"
#include "varno.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

class Window1;

// Pools are written as bytes, the way the pool files hold them.
struct TestQuestion {
    std::string text;
    Integer correct = 1;
    std::array<std::string, 4> answers;
    std::string code;
};

struct TestSection {
    Integer draws = 0;
    Integer first = 0;
    Integer last = 0;
    std::string label;
};

struct TestPool {
    Integer passMark = 0;
    Integer examLength = 0;
    std::string title;
    std::vector<TestSection> sections;
    std::vector<TestQuestion> questions;
};

// The pool file of pool, every line ended by a carriage return.
std::string PoolText(const TestPool& pool);

// Question n reads "Question n?", its answers "Answer n.k", its code "T0A<n>"
// and its correct answer ((n - 1) mod 4) + 1.
TestQuestion NumberedQuestion(Integer n);

// Six questions in three sections: 2 drawn from 1-3 ("T1 Commission rules"),
// 1 from 4-5 ("T2 Operating procedures"), 1 from 6-6 ("T3 Radio waves");
// exam length 4, pass mark 3, title "Test Pool".
TestPool SmallPool();

// A registered Varno with the program's menu bar, whose executable lies in a
// fresh folder with its own resource folder holding the two mark pictures;
// the resource accessors start as in a new run, the message sink's record is
// empty, and exceptions that reach the application's UnhandledException event
// are recorded instead of shown. Every window still open at the end is closed.
class ExamWindowTest : public ProgramTest {
protected:
    ExamWindowTest()
        : ProgramTest("exam")
    {
    }

    void SetUp() override;

    void WriteResource(const std::string& name, const std::string& bytes) const;
    void WritePool(const TestPool& pool) const; // as TechFile.txt
    // What the shell does for an exam choice: classNumber, accessor, Init.
    class Window1& StartExam(Integer examClass = 1);
    // Closes the score dialog that grading opened; false when none was open.
    bool CloseScoreDialog();

    std::vector<std::string>& Messages() const;

    Varno& app = Program();
    std::string resourceFolder;
    const std::vector<std::string>& unhandled = Unhandled();
};
