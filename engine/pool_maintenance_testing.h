#pragma once

#include "types.h"

#include <string>

// What ParseTestLine makes of one line of a pool text in the other layout.
// The method itself keeps nothing; tests look at the values through this.
struct TestLineValues {
    bool isQuestion = false;
    std::string code; // up to and including the first space
    Integer correct = 0; // 1 to 4 for (A) to (D), the later letter winning
};

TestLineValues ReadTestLine(const std::string& line);
