#pragma once

#include <array>
#include <string>
#include <vector>

// The answer key of a shipped question pool, read straight from its file the
// way someone checking the program by hand would read it: independently of the
// program's own reader, so the session can compare what the screen shows and
// counts with what the pool says.
struct PoolQuestion {
    int number = 0; // 1-based position in the pool
    std::string code;
    std::string text;
    int correctAnswer = 0;
    std::array<std::string, 4> answers;
};

struct PoolKey {
    int passMark = 0;
    int examLength = 0;
    std::string title;
    struct Section {
        int draw = 0;
        int first = 0;
        int last = 0;
        std::string label;
    };
    std::vector<Section> sections;
    std::vector<PoolQuestion> questions;

    // nullptr when no question bears the code.
    const PoolQuestion* ByCode(const std::string& code) const;
};

// Reads the pool file; the key is empty (no questions) when the file is
// missing or cut short.
PoolKey ReadPoolKey(const std::string& path);
