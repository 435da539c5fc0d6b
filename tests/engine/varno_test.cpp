#include "varno.h"

#include "engine_test_support.h"
#include "exceptions.h"

#include <gtest/gtest.h>

namespace {

class ExamState : public EngineTest { };

TEST_F(ExamState, AppIsTheRegisteredVarno)
{
    EXPECT_EQ(&App(), app);
    app->classNumber = 4;
    EXPECT_EQ(App().classNumber, 4);
}

TEST_F(ExamState, AppRaisesNilObjectWithoutAVarno)
{
    Application::Register(nullptr);
    EXPECT_THROW(App(), NilObjectException);
    Application plain;
    Application::Register(&plain);
    EXPECT_THROW(App(), NilObjectException);
    Application::Register(nullptr);
}

TEST_F(ExamState, NewObjectHoldsZerosAndNoPool)
{
    const Varno fresh;
    EXPECT_EQ(fresh.classNumber, 0);
    EXPECT_EQ(fresh.numberQuestions, 0);
    EXPECT_EQ(fresh.numberSections, 0);
    EXPECT_EQ(fresh.testNumberQuestions, 0);
    EXPECT_TRUE(fresh.examFilename.empty());
    EXPECT_TRUE(fresh.examName.empty());
    EXPECT_TRUE(fresh.exam.IsNil());
    for (Integer i : { 0, 1, 500, 1000 }) {
        EXPECT_EQ(fresh.question(i), 0);
        EXPECT_EQ(fresh.answer(i), 0);
        EXPECT_EQ(fresh.correct(14, i), 0);
        EXPECT_EQ(fresh.historyDate(1, i), 0.0);
    }
    EXPECT_EQ(fresh.incorrect(14, 1001), 0);
    EXPECT_EQ(fresh.testQuestion(200), 0);
    EXPECT_EQ(fresh.sectionEnd(100), 0);
}

TEST_F(ExamState, ArraysKeepTheirDeclaredBounds)
{
    EXPECT_THROW(app->question(1001), OutOfBoundsException);
    EXPECT_THROW(app->testQuestion(201), OutOfBoundsException);
    EXPECT_THROW(app->sectionStart(101), OutOfBoundsException);
    EXPECT_THROW(app->correct(1, 1001), OutOfBoundsException);
    EXPECT_THROW(app->correct(15, 1), OutOfBoundsException);
    EXPECT_NO_THROW(app->incorrect(14, 1001));
    EXPECT_NO_THROW(app->historyDate(14, 1001));
    EXPECT_THROW(app->historyCorrect(1, -1), OutOfBoundsException);
}

TEST_F(ExamState, LookUpsBeforeTheFirstExamRaiseNilObject)
{
    EXPECT_THROW(app->GetExamQuestion(1), NilObjectException);
    EXPECT_THROW(app->GetAnswerNumber(1, 1), NilObjectException);
    EXPECT_THROW(app->GetAnswer(1), NilObjectException);
    EXPECT_THROW(app->GetQuestionCode(1), NilObjectException);
}

TEST_F(ExamState, LookUpsReturnThePoolElementsAsStored)
{
    PoolSpec spec = UniformPool({ { 3, 1 }, { 2, 1 } });
    spec.questions[1].answers[2] = "spaced   out";
    LoadTechPool(spec);

    EXPECT_EQ(app->GetExamQuestion(2), "Question 2");
    EXPECT_EQ(app->GetAnswerNumber(2, 3), "spaced out\r");
    EXPECT_EQ(app->GetAnswer(2), 2);
    EXPECT_EQ(app->GetAnswer(5), 1);
    EXPECT_EQ(app->GetQuestionCode(5), "C5\r");
}

TEST_F(ExamState, LookUpsAtUnusedElementsGiveEmptyValues)
{
    LoadTechPool(UniformPool({ { 4, 2 } }));
    EXPECT_EQ(app->GetAnswer(0), 0);
    EXPECT_EQ(app->GetExamQuestion(0), "");
    EXPECT_EQ(app->GetAnswerNumber(1, 0), "");
    EXPECT_EQ(app->GetExamQuestion(1000), "");
    EXPECT_EQ(app->GetQuestionCode(1000), "");
}

TEST_F(ExamState, LookUpsOutsideTheBoundsRaiseOutOfBounds)
{
    LoadTechPool(UniformPool({ { 4, 2 } }));
    EXPECT_THROW(app->GetAnswerNumber(1, 5), OutOfBoundsException);
    EXPECT_THROW(app->GetAnswerNumber(1, -1), OutOfBoundsException);
    EXPECT_THROW(app->GetExamQuestion(1001), OutOfBoundsException);
    EXPECT_THROW(app->GetAnswer(-1), OutOfBoundsException);
    EXPECT_THROW(app->GetQuestionCode(1001), OutOfBoundsException);
}

TEST_F(ExamState, GetStringNumberIsAlwaysEmpty)
{
    EXPECT_EQ(app->GetStringNumber(998, 1), "");
    EXPECT_EQ(app->GetStringNumber(-5, 70), "");
}

} // namespace
