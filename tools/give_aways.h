#pragma once

#include <string>
#include <vector>

class ExamClass;

// A pair of questions for a reviewer to read side by side: the key of one
// shares rare words or amounts with the stem of the other, so the stem may
// give the key away, or the key may answer the other question.
struct GiveAway {
    std::string keyCode; // the question whose key is shared ("8A06")
    std::string key;
    std::string stemCode; // the question whose stem shares it ("8A03")
    std::string stem;
    std::string shared; // what they share: "council, notify, technology (3 of 4)", ...
};

// A word or amount is rare when at most this many questions of the pool hold
// it, in the stem or a choice.
inline constexpr int kMostQuestionsWithRareToken = 3;

// The pairs of a parsed, structurally sound pool, by key question, then by
// stem question. A key's tokens are its words of four letters or more (not
// common English, with plural and -ing, -ed endings taken off) and its
// amounts (a number and the word after it: "50-ohm" and "50 ohms" are one),
// leaving out those its own stem holds. The key and another stem are a pair
// when
// - two or more of the key's rare words that none of its distractors holds,
//   and at least three quarters of them, are in the stem;
// - a rare amount of the key that none of its distractors holds is in the
//   stem, or two of the key's amounts are;
// - or such a rare amount is the difference of two amounts of the same unit
//   in the stem (90 and 9 nautical miles give away 81 nautical miles).
std::vector<GiveAway> FindGiveAways(const ExamClass& pool);
