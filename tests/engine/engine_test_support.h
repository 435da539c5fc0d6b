#pragma once

#include "program_fixture.h"
#include "types.h"
#include "varno.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// Pools are built as bytes, the way the pool files hold them.
struct PoolQuestion {
    std::string text;
    Integer correct = 1;
    Integer picture = 0;
    std::array<std::string, 4> answers;
    std::string code;
};

struct PoolSection {
    Integer draws = 0;
    Integer first = 0;
    Integer last = 0;
    std::string label;
};

struct PoolSpec {
    Integer passMark = 0;
    Integer examLength = 0;
    std::string title;
    std::vector<PoolSection> sections;
    std::vector<PoolQuestion> questions;
};

// The pool file for spec, every line ended by lineEnd.
std::string PoolText(const PoolSpec& spec, const std::string& lineEnd = "\r");

// Consecutive sections of the given sizes and draw counts; question n reads
// "Question n", its answers "Answer n.k", correct answer ((n - 1) mod 4) + 1,
// code "C<n>". The exam length is the sum of the draws.
struct SizeAndDraws {
    Integer size;
    Integer draws;
};
PoolSpec UniformPool(const std::vector<SizeAndDraws>& sections, Integer passMark = 1);

// A registered Varno whose executable lies in a fresh folder, with an empty
// resource folder beside it; the resource accessors start as in a new run and
// the message sink's record is empty. No debug message observer is left over
// from another test.
class EngineTest : public ProgramTest {
protected:
    EngineTest()
        : ProgramTest("engine")
    {
    }

    void SetUp() override;
    void TearDown() override;

    // Writes a file into the resource folder.
    void WriteResource(const std::string& name, const std::string& bytes) const;
    // Writes the pool as TechFile.txt and loads it as examination class 1, as
    // a fresh run would (the accessor reads the new file).
    void LoadTechPool(const PoolSpec& spec);

    std::vector<std::string>& Messages() const;

    Varno* const app = &Program();
    std::string rootFolder;
    std::string resourceFolder;
};
