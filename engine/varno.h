#pragma once

#include "application.h"
#include "exam_class.h"
#include "exceptions.h"
#include "file_access.h"
#include "fixed_array.h"
#include "ref.h"
#include "types.h"

#include <cstdint>
#include <string>
#include <vector>

class BinaryStream;

// One record of the statistics file, as it is stored: question j's counts and
// history slot j of one examination class.
struct StatisticsRecord {
    std::int32_t correct = 0;
    std::int32_t incorrect = 0;
    double historyDate = 0.0;
    std::int32_t historyCorrect = 0;
    std::int32_t historyIncorrect = 0;

    friend bool operator==(const StatisticsRecord&, const StatisticsRecord&) = default;
};

// The statistics file as this copy last read or wrote it: which file it was
// and what it held. A save compares it with the file it is about to replace.
struct StatisticsFileSeen {
    bool known = false; // false until the file was first read or written
    FileIdentity file; // exists is false when there was no file
    // Class-major, 14 classes of 1000 records; empty when it held nothing.
    std::vector<StatisticsRecord> records;
};

// A pool file that cannot be used for an exam (it goes beyond what a pool can
// hold, or no exam can be drawn from it), raised by SetExam once the user has
// been told which file it is and why; the pool, the exam and the window stay
// as they were.
class PoolUnreadableException final : public OutOfBoundsException {
public:
    using OutOfBoundsException::OutOfBoundsException;
};

// The application object: one for the whole run, reached through App(). It
// owns all exam state. Its engine methods live in engine/, its events and menu
// handlers in app/ (bound to the framework at start-up).
class Varno : public Application {
public:
    Varno();

    // Application events (app/).
    void Event_Close();
    bool Event_UnhandledException(RuntimeException& error);
    void Event_EnableMenuItems();
    void Event_Open();
    // Shows preferencesNotice, if any, once.
    void ShowPreferencesNotice();

    // Menu handlers (app/), in binding order.
    bool _ExamTechnician_Action();
    bool _ExamGeneral_Action();
    bool _ExamExtra_Action();
    bool _FileShowFigures_Action();
    bool _FileShowExam_Action();
    bool _AppleAboutVarno_Action();
    bool _ExamHistory_Action();
    bool _AppleGoToVarnoWebsite_Action();
    bool _AppleCheckForLatestVersion_Action();
    bool _EditClearExamHistories_Action();
    bool _ExamFCCMarine1_Action();
    bool _ExamFCCMarine8_Action();
    bool _ExamFCCMarine3_Action();
    bool _HelpOpenHelp_Action();

    // Engine (engine/).
    std::string GetStringNumber(Integer first, Integer second);
    void SetExam(Integer examClass);
    std::string GetExamQuestion(Integer poolQuestion);
    std::string GetAnswerNumber(Integer poolQuestion, Integer answerNumber);
    Integer GetAnswer(Integer poolQuestion);
    void CreateExam();
    Integer Random(Integer low, Integer high);
    void GradeExam();
    void ReadPrefs();
    // The reading part of ReadPrefs, on a stream already open: fills the five
    // statistics arrays from it and returns whether it held the whole layout.
    bool ReadPrefsFrom(BinaryStream& stream);
    // Throws StatisticsNotSavedException when the file could not be saved.
    // When another copy saved the file since this one read it, this run's
    // new results are added to what that copy saved (or, where they cannot
    // be, kept beside it), and preferencesNotice says which.
    void WritePrefs();
    // False when the class's history is full and the result was not kept.
    bool AddExamResults(Integer right, Integer wrong);
    Integer PickQuestion(Integer section);
    void PutAnswerString(Integer first, Integer second, const std::string& answer1,
        const std::string& answer2, const std::string& answer3, const std::string& answer4,
        Integer third);
    void ParseTestLine(const std::string& line);
    void ParseTest();
    std::string GetQuestionCode(Integer poolQuestion);
    void DumpExam();
    void BuildFileFromResources(
        const std::string& first, Integer second, const std::string& third, Integer fourth);
    void WriteDebugMessage(const std::string& text);
    void CreateSectionExam(Integer section);
    void MyAdjustFile();

    // Why the loaded pool cannot be drawn from, as a message for the user that
    // names the pool file; "" when it can. Works from the pool summary above
    // (the exam length from the pool in `exam`, when there is one), so a pool
    // whose sections overlap, overflow or disagree with its exam length is
    // refused before the drawing could loop or overrun.
    std::string PoolProblem() const;
    // The same for a parsed pool that is not loaded yet, from its own tables:
    // a pool is checked before it replaces the loaded one. Beyond the section
    // tables, every question a section holds and every one Entire Pool shows
    // must have a record in the file and a correct answer 1 to 4, and the pass
    // mark must be 1 to the exam length; the message then names the line.
    std::string PoolProblem(const ExamClass& pool) const;
    // Copies the pool summary of the pool in `exam` (title, pass mark, exam
    // length, section tables) into the exam state: SetExam's step between
    // parsing the pool and drawing from it.
    void CopyPoolSummary();

    // Exam state, in declaration order.
    std::string examFilename;
    std::string examName;
    Integer numberNeeded = 0;
    Integer numberQuestions = 0;
    Integer numberSections = 0;
    FixedArray<Integer, 100> numberInSection;
    FixedArray<Integer, 100> sectionStart;
    FixedArray<Integer, 100> sectionEnd;
    FixedArray<Integer, 100> questionsPerSection;
    FixedArray<Integer, 1000> question;
    FixedArray<Integer, 1000> answer;
    FixedArray2D<Integer, 14, 1000> correct;
    FixedArray2D<Integer, 14, 1001> incorrect;
    Integer classNumber = 0;
    FixedArray2D<double, 14, 1001> historyDate;
    FixedArray2D<Integer, 14, 1001> historyCorrect;
    FixedArray2D<Integer, 14, 1001> historyIncorrect;
    Ref<ExamClass> exam;
    FixedArray<Integer, 200> testQuestion;
    FixedArray<Integer, 200> testAnswer;
    Integer testNumberQuestions = 0;

    // Set by ReadPrefs when it found a statistics file it could not use and
    // moved it aside, and by WritePrefs when it added this run's results to a
    // file another copy saved; the Open and Close events show it to the user
    // once and empty it.
    std::string preferencesNotice;
    StatisticsFileSeen statisticsFileSeen;
};

// Whether a test listens to the debug texts; nobody else does, so they need
// not be built otherwise.
bool DebugMessagesObserved();

// WritePrefs could not save the statistics file; the message says which file,
// where, why, and what became of the old one, in words for the user.
class StatisticsNotSavedException final : public RuntimeException {
public:
    explicit StatisticsNotSavedException(std::string message);
};

// The application object, registered at start-up. NilObjectException when none
// is registered or it is not a Varno.
Varno& App();
