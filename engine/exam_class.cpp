#include "exam_class.h"

#include "application.h"
#include "byte_scan.h"
#include "resource_files.h"
#include "text.h"
#include "varno.h"

#include <string_view>

namespace {

// Field `position` (1-based) of a section line split at every single space;
// two spaces in a row hold an empty field, and a field that is not there is
// empty too. Both read as 0.
std::string_view SectionField(std::string_view line, std::size_t position)
{
    std::size_t begin = 0;
    for (std::size_t field = 1; field < position; ++field) {
        const std::size_t space = line.find(' ', begin);
        if (space == std::string_view::npos)
            return {};
        begin = space + 1;
    }
    const std::size_t end = line.find(' ', begin);
    return line.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

} // namespace

void ExamClass::PopulateExam(Integer examClass)
{
    // An examination class without a pool leaves the object empty; no file is
    // touched for it.
    if (examClass < 1 || examClass > 6)
        return;

    // Classes 5 and 6 are Elements 8 and 3: the order of the Exam menu, not of
    // the element numbers.
    struct PoolSource {
        std::string (*text)();
        const char* file;
    };
    static const PoolSource kPools[] = {
        { TechFile, "TechFile.txt" },
        { GeneralFile, "GeneralFile.txt" },
        { ExtraFile, "ExtraFile.txt" },
        { fccelement1, "fccelement1.txt" },
        { fccelement8, "fccelement8.txt" },
        { fccelement3, "fccelement3.txt" },
    };
    const PoolSource& source = kPools[examClass - 1];
    const std::string text = source.text();
    poolFile = source.file;
    PopulateFromText(text);
}

void ExamClass::PopulateFromText(const std::string& text)
{
    questionState = 0;
    gettingQuestionNumber = 1;
    gettingQuestions = false;
    lineNumber = 1;
    beginsWithByteOrderMark = text.starts_with("\xEF\xBB\xBF");

    // Every text the parse keeps is a part of one line, so one block the size
    // of the whole text holds them all.
    texts_.Reserve(text.size());

    // Every CR and every LF ends a line and stays with it; a CR LF pair is two
    // lines. Bytes after the last line end are no line at all.
    const std::string_view bytes(text);
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t end = FindLineEnd(bytes, begin);
        if (end == std::string_view::npos)
            break;
        ProcessLine(bytes.substr(begin, end - begin + 1));
        ++lineNumber;
        begin = end + 1;
    }

    // Only a running program has somewhere to send its debug text; a tool that
    // parses pools on its own has nothing to tell.
    auto* app = dynamic_cast<Varno*>(Application::CurrentOrNull());
    if (app != nullptr && DebugMessagesObserved())
        app->WriteDebugMessage("questions read: " + Str(gettingQuestionNumber - 1));
}

void ExamClass::ProcessLine(std::string_view line)
{
    if (gettingQuestions) {
        const Integer n = gettingQuestionNumber;
        switch (questionState) {
        case 0:
            question(n) = texts_.Keep(WithoutTerminator(line));
            questionState = 1;
            break;
        case 1:
            questionCorrectAnswer(n) = Val(line);
            questionState = 2;
            break;
        case 2:
            questionPic(n) = Val(line);
            questionState = 3;
            break;
        case 3:
        case 4:
        case 5:
        case 6:
            // One pass copies the answer and cuts its runs of spaces.
            questionAnswer(n, questionState - 2) = texts_.KeepCollapsed(line);
            ++questionState;
            break;
        default:
            questionNumber(n) = texts_.Keep(line);
            ++gettingQuestionNumber;
            questionState = 0;
            break;
        }
    }

    // The header tests, each on its own. N may be any number a pool line holds,
    // so the ranges are tested without ever computing N + 4 or 2N + 4.
    const Integer lineNo = lineNumber;
    if (lineNo == 1)
        minCorrect = Val(line);
    if (lineNo == 2)
        numQuestions = Val(line);
    if (lineNo == 3)
        name.assign(WithoutTerminator(line));
    if (lineNo == 4)
        numSections = Val(line);
    const Integer n = numSections;
    if (lineNo >= 5 && lineNo - 4 <= n) {
        const Integer section = lineNo - 4;
        numInSection(section) = Val(SectionField(line, 1));
        sectionStart(section) = Val(SectionField(line, 2));
        sectionEnd(section) = Val(SectionField(line, 3));
    }
    // N + 5 <= L <= 2N + 4 can only hold for 0 < N < L.
    if (n > 0 && n < lineNo && lineNo - 4 - n >= 1 && lineNo - 4 - n <= n)
        sectionPrefix(lineNo - 4 - n) = texts_.Keep(WithoutTerminator(line));
    // L = 2N + 4, that is L - 4 even and half of it N.
    if ((lineNo - 4) % 2 == 0 && (lineNo - 4) / 2 == n)
        gettingQuestions = true;
}

std::string ExamClass::StripExtraSpaces(std::string_view text)
{
    return CollapseSpaceRuns(text);
}

PoolString ExamClass::Keep(std::string_view text)
{
    return texts_.Keep(text);
}
