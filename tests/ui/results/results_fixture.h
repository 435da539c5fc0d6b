#pragma once

#include "program_fixture.h"
#include "text.h"

#include <string>
#include <vector>

// A pool file of consecutive sections of the given sizes, one question drawn
// from each, every line ended by a carriage return. Question n reads
// "Question n?", its answers "Answer n.k", its correct answer ((n - 1) mod 4)
// + 1 and its code "C<n>".
inline std::string ResultsPool(const std::string& title, const std::vector<Integer>& sectionSizes)
{
    std::string text;
    const auto line = [&text](const std::string& content) { text += content + "\r"; };
    line("1");
    line(Str(static_cast<Integer>(sectionSizes.size())));
    line(title);
    line(Str(static_cast<Integer>(sectionSizes.size())));
    Integer first = 1;
    for (const Integer size : sectionSizes) {
        line("1 " + Str(first) + " " + Str(first + size - 1));
        first += size;
    }
    for (std::size_t s = 1; s <= sectionSizes.size(); ++s)
        line("S" + Str(static_cast<Integer>(s)) + " Topic");
    return text + NumberedQuestionRecords(first - 1, "\r");
}

// The results windows' tests: the program with a private resource folder.
class ResultsTest : public ProgramTest {
protected:
    ResultsTest()
        : ProgramTest("results")
    {
    }

    // Loads the pool as the Technician pool, as starting an exam does, with
    // examination class 1 current.
    void LoadPool(const std::string& poolText)
    {
        WriteFileBytes(Root() + "/Resources/TechFile.txt", poolText);
        ForgetResourceFilesForTesting();
        App().SetExam(1);
        App().classNumber = 1;
    }

    template <class W> static std::vector<W*> OpenWindowsOf()
    {
        std::vector<W*> found;
        for (Window* window : Window::OpenWindows()) {
            if (auto* typed = dynamic_cast<W*>(window))
                found.push_back(typed);
        }
        return found;
    }
};
