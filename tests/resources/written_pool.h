#pragma once

#include <array>
#include <string>
#include <vector>

// A question as a test writes it: the stem, the four choices in the order the
// pool lists them, and the position (1 to 4) of the key.
struct WrittenQuestion {
    std::string stem;
    std::array<std::string, 4> choices;
    int key = 1;
};

// The pool text of one section that holds the questions and draws one of
// them, coded Q1, Q2, ... in order.
inline std::string WrittenPool(const std::vector<WrittenQuestion>& questions)
{
    const std::string count = std::to_string(questions.size());
    std::string text = "1\n1\nWritten Pool\n1\n1 1 " + count + "\nW1 Written\n";
    for (std::size_t n = 0; n < questions.size(); ++n) {
        const WrittenQuestion& question = questions[n];
        text += question.stem + "\n" + std::to_string(question.key) + "\n0\n";
        for (const std::string& choice : question.choices)
            text += choice + "\n";
        text += "Q" + std::to_string(n + 1) + "\n";
    }
    return text;
}
