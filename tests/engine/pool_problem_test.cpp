#include "varno.h"

#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class UndrawablePool : public EngineTest { };

struct RefusalCase {
    std::string name;
    PoolSpec pool;
    std::string message; // the refusal after the pool's name
};

PoolSpec WithSections(PoolSpec spec, const std::vector<PoolSection>& sections, Integer examLength)
{
    spec.sections = sections;
    spec.examLength = examLength;
    return spec;
}

TEST_F(UndrawablePool, IsRefusedWithAMessageNamingTheFileAndTheFault)
{
    const PoolSpec twenty = UniformPool({ { 20, 1 } });
    const std::vector<RefusalCase> cases = {
        { "section smaller than its draws", UniformPool({ { 5, 1 }, { 5, 1 }, { 2, 4 } }),
            "section 3 holds 2 questions but the exam draws 4 from it." },
        { "reversed range", WithSections(twenty, { { 1, 1, 5, "a" }, { 2, 9, 6, "b" } }, 3),
            "section 2 holds no questions (it runs from 9 to 6) but the exam draws 2 from it." },
        { "range starting at 0", WithSections(twenty, { { 2, 0, 10, "a" } }, 2),
            "section 1 runs from question 0 to question 10, outside 1 to 1000." },
        { "range beyond 1000", WithSections(twenty, { { 2, 995, 1001, "a" } }, 2),
            "section 1 runs from question 995 to question 1001, outside 1 to 1000." },
        { "overlap that may run dry",
            WithSections(twenty, { { 1, 1, 2, "a" }, { 1, 2, 2, "b" } }, 2),
            "section 2 holds 1 questions, of which earlier sections may already draw 1, but the "
            "exam draws 1 from it." },
        { "negative draw count", WithSections(twenty, { { -1, 1, 5, "a" } }, 0),
            "section 1 draws -1 questions." },
        { "more than 200 draws", UniformPool({ { 150, 100 }, { 150, 101 } }),
            "its sections draw 201 questions, more than the 200 an exam can hold." },
        { "exam length above the draws", WithSections(twenty, { { 3, 1, 10, "a" } }, 4),
            "its exam length is 4 but its sections draw 3 questions." },
        { "exam length below the draws", WithSections(twenty, { { 3, 1, 10, "a" } }, 2),
            "its exam length is 2 but its sections draw 3 questions." },
        { "no sections and no exam length", WithSections(twenty, {}, 0), "it holds no questions." },
        { "sections that draw nothing", WithSections(twenty, { { 0, 1, 20, "a" } }, 0),
            "it holds no questions." },
        // The section pop-up shows a section that draws nothing, and grading
        // counts what it shows: its questions must be there too.
        { "section drawing nothing past the records",
            WithSections(twenty, { { 1, 1, 20, "a" }, { 0, 15, 25, "b" } }, 1),
            "question 21, which section 2 holds, has no record: the file ends at line 168." },
        { "section drawing nothing outside 1 to 1000",
            WithSections(twenty, { { 0, -5, 5000, "a" }, { 1, 1, 20, "b" } }, 1),
            "section 1 runs from question -5 to question 5000, outside 1 to 1000." },
        // Entire Pool runs from question 1 to the last section's end.
        { "entire pool past the records",
            WithSections(twenty, { { 1, 1, 20, "a" }, { 0, 30, 25, "b" } }, 1),
            "question 21, which the entire pool covers, has no record: the file ends at line "
            "168." },
        { "pass mark 0", UniformPool({ { 5, 2 }, { 5, 2 } }, 0),
            "it gives 0 as its pass mark on line 1; it must be 1 to 4, the exam length." },
        { "negative pass mark", UniformPool({ { 5, 2 }, { 5, 2 } }, -3),
            "it gives -3 as its pass mark on line 1; it must be 1 to 4, the exam length." },
        { "pass mark above the exam length", UniformPool({ { 5, 2 }, { 5, 2 } }, 5),
            "it gives 5 as its pass mark on line 1; it must be 1 to 4, the exam length." },
    };
    // A sound pool is loaded and drawn from first; a refused one replaces
    // nothing of it.
    LoadTechPool(UniformPool({ { 4, 2 } }));
    const Ref<ExamClass> loaded = app->exam;
    const Integer drawn = app->question(1);
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Messages().clear();
        EXPECT_THROW(LoadTechPool(c.pool), PoolUnreadableException);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0],
            "The question pool \"TechFile.txt\" cannot be used for an exam: " + c.message);
        EXPECT_EQ(app->exam.Pointer(), loaded.Pointer());
        EXPECT_EQ(app->numberQuestions, 2);
        EXPECT_EQ(app->testNumberQuestions, 2);
        EXPECT_EQ(app->question(1), drawn);

        // The drawing refuses the same pool from its summary.
        auto refused = MakeRef<ExamClass>();
        refused->PopulateExam(1);
        EXPECT_EQ(app->PoolProblem(*refused), Messages()[0]);
        Varno summary;
        summary.exam = refused;
        summary.CopyPoolSummary();
        EXPECT_EQ(summary.PoolProblem(), Messages()[0]);
    }
}

TEST_F(UndrawablePool, DrawableOverlapsAndFullSectionsAreAccepted)
{
    const PoolSpec ten = UniformPool({ { 10, 1 } });
    const std::vector<PoolSpec> pools = {
        // Two sections sharing questions 1 to 3: the second still has 2 left.
        WithSections(ten, { { 1, 1, 3, "a" }, { 2, 1, 3, "b" } }, 3),
        // Sections drawing nothing: one holding no questions, one within the
        // records.
        WithSections(ten, { { 0, 9, 2, "a" }, { 0, 3, 10, "b" }, { 2, 1, 2, "c" } }, 2),
        // Exactly 200 draws, each section drawn whole, all needed to pass.
        UniformPool({ { 100, 100 }, { 100, 100 } }, 200),
    };
    for (std::size_t i = 0; i < pools.size(); ++i) {
        SCOPED_TRACE("pool " + std::to_string(i));
        LoadTechPool(pools[i]);
        EXPECT_EQ(app->PoolProblem(), "");
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(app->testNumberQuestions, pools[i].examLength);
    }
}

TEST_F(UndrawablePool, SummaryWithoutAPoolFileIsNamedPlainly)
{
    app->numberSections = 1;
    app->numberInSection(1) = 3;
    app->sectionStart(1) = 1;
    app->sectionEnd(1) = 2;
    app->numberQuestions = 3;
    EXPECT_EQ(app->PoolProblem(),
        "The question pool cannot be used for an exam: section 1 "
        "holds 2 questions but the exam draws 3 from it.");
    app->numberSections = 101;
    EXPECT_EQ(app->PoolProblem(),
        "The question pool cannot be used for an exam: it has 101 sections, more than 100.");
    // CreateExam refuses on its own too, rather than loop.
    app->numberSections = 1;
    app->CreateExam();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(app->numberQuestions, 0);
}

} // namespace
