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
    std::vector<SectionLine> sections;
    Integer first = 1;
    for (const Integer size : sectionSizes) {
        const Integer s = static_cast<Integer>(sections.size()) + 1;
        sections.push_back({ "1", Str(first), Str(first + size - 1), "S" + Str(s) + " Topic" });
        first += size;
    }
    return PoolFile(1, title, static_cast<Integer>(sectionSizes.size()), sections, first - 1);
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
