#pragma once

#include <string>

// A full pool text: 1000 questions in 50 sections of 20, 4 drawn from each
// (an exam of 200), lines ended by carriage returns.
std::string ThousandQuestionPool();

// The same 1000 questions in one section, 200 drawn from it.
std::string OneSectionPool();
