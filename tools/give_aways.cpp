#include "give_aways.h"

#include "byte_scan.h"
#include "exam_class.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>
#include <utility>

namespace {

// Words that say nothing about a topic: English function words and the
// phrasing of questions and answers. Amounts are not followed by one of
// these as their unit either.
const std::set<std::string>& CommonWords()
{
    static const std::set<std::string> words = { "a", "an", "and", "as", "at", "by", "for", "in",
        "is", "it", "of", "on", "or", "per", "than", "the", "to", "about", "above", "after",
        "again", "against", "also", "although", "among", "another", "answer", "because", "been",
        "before", "being", "below", "between", "both", "cannot", "could", "does", "doing", "down",
        "during", "each", "either", "else", "ever", "every", "from", "further", "have", "having",
        "here", "however", "into", "itself", "just", "least", "less", "like", "made", "make",
        "many", "more", "most", "much", "must", "near", "need", "neither", "never", "none", "only",
        "other", "over", "same", "should", "since", "some", "such", "that", "their", "them", "then",
        "there", "these", "they", "this", "those", "though", "through", "under", "until", "upon",
        "used", "uses", "using", "very", "what", "when", "where", "whether", "which", "while",
        "whom", "whose", "will", "with", "within", "without", "would", "your", "yours", "always",
        "following", "true", "false", "correct", "best", "describes", "described", "means",
        "called" };
    return words;
}

constexpr std::size_t kShortestWord = 4;

// The most question records the program's reader holds.
constexpr Integer kMostQuestions = 1000;

bool Letter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool EndsWith(const std::string& word, std::string_view ending)
{
    return word.size() >= ending.size()
        && word.compare(word.size() - ending.size(), ending.size(), ending) == 0;
}

// A lower-case word with its plural or -ing or -ed ending taken off, so
// "notifying" meets "notify" and "ohms" meets "ohm".
std::string Stem(std::string_view text)
{
    const std::string word = Lower(text);
    if (word.size() > 5 && EndsWith(word, "ies"))
        return word.substr(0, word.size() - 3) + "y";
    if (word.size() > 6 && EndsWith(word, "ing"))
        return word.substr(0, word.size() - 3);
    if (word.size() > 5 && EndsWith(word, "ed"))
        return word.substr(0, word.size() - 2);
    if (word.size() > 3 && EndsWith(word, "s") && !EndsWith(word, "ss"))
        return word.substr(0, word.size() - 1);
    return word;
}

using Amount = std::pair<double, std::string>; // the number and the stem of its unit

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Shown(const Amount& amount)
{
    return Number(amount.first) + " " + amount.second;
}

struct Tokens {
    std::set<std::string> words;
    std::set<Amount> amounts;

    void Add(const Tokens& other)
    {
        words.insert(other.words.begin(), other.words.end());
        amounts.insert(other.amounts.begin(), other.amounts.end());
    }
};

Tokens TokensOf(std::string_view text)
{
    Tokens tokens;
    auto wordChar = [](char c) { return Letter(c) || Digit(c) || c == '_'; };
    auto runEnd = [&text](std::size_t from, bool (*kind)(char)) {
        while (from < text.size() && kind(text[from]))
            ++from;
        return from;
    };
    for (std::size_t i = 0; i < text.size();) {
        if (Letter(text[i])) {
            const std::size_t end = runEnd(i, Letter);
            const std::string_view word = text.substr(i, end - i);
            if (word.size() >= kShortestWord && CommonWords().count(Lower(word)) == 0)
                tokens.words.insert(Stem(word));
            i = end;
            continue;
        }
        // A number not glued to a word or a decimal point before it:
        // "1,200.5", then a space or a hyphen and its unit word.
        if (!Digit(text[i]) || (i > 0 && (wordChar(text[i - 1]) || text[i - 1] == '.'))) {
            ++i;
            continue;
        }
        std::string number;
        std::size_t end = runEnd(i, Digit);
        number.append(text.substr(i, end - i));
        while (end + 3 < text.size() && text[end] == ',' && Digit(text[end + 1])
            && Digit(text[end + 2]) && Digit(text[end + 3])) {
            number.append(text.substr(end + 1, 3));
            end += 4;
        }
        if (end + 1 < text.size() && text[end] == '.' && Digit(text[end + 1])) {
            const std::size_t fractionEnd = runEnd(end + 1, Digit);
            number.append(text.substr(end, fractionEnd - end));
            end = fractionEnd;
        }
        if (end + 1 < text.size() && (text[end] == ' ' || text[end] == '-')
            && Letter(text[end + 1])) {
            const std::size_t unitEnd = runEnd(end + 1, Letter);
            const std::string_view unit = text.substr(end + 1, unitEnd - end - 1);
            if (CommonWords().count(Lower(unit)) == 0) {
                double value = 0;
                std::from_chars(number.data(), number.data() + number.size(), value);
                tokens.amounts.emplace(value, Stem(unit));
            }
            end = unitEnd;
        }
        i = end;
    }
    return tokens;
}

struct Question {
    std::string code;
    std::string stemText;
    std::string keyText;
    Tokens stem;
    Tokens key;
    Tokens distractors;
};

std::string Joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

// What the key's tokens share with another stem, or nothing.
std::vector<std::string> Shared(const std::set<std::string>& keyWords,
    const std::set<Amount>& keyAmounts, const std::set<Amount>& rareKeyAmounts, const Tokens& stem)
{
    std::vector<std::string> reasons;
    std::vector<std::string> words;
    for (const std::string& word : keyWords) {
        if (stem.words.count(word) != 0)
            words.push_back(word);
    }
    if (words.size() >= 2 && 4 * words.size() >= 3 * keyWords.size())
        reasons.push_back(Joined(words, ", ") + " (" + std::to_string(words.size()) + " of "
            + std::to_string(keyWords.size()) + ")");

    std::vector<std::string> amounts;
    bool rare = false;
    for (const Amount& amount : keyAmounts) {
        if (stem.amounts.count(amount) != 0) {
            amounts.push_back(Shown(amount));
            rare = rare || rareKeyAmounts.count(amount) != 0;
        }
    }
    if (rare || amounts.size() >= 2)
        reasons.push_back(Joined(amounts, ", "));

    for (const Amount& amount : rareKeyAmounts) {
        for (const Amount& larger : stem.amounts) {
            for (const Amount& smaller : stem.amounts) {
                if (larger.second == amount.second && smaller.second == amount.second
                    && smaller.first != larger.first
                    && std::abs(larger.first - smaller.first - amount.first) < 1e-9)
                    reasons.push_back(
                        Shown(amount) + " = " + Number(larger.first) + " - " + Shown(smaller));
            }
        }
    }
    return reasons;
}

} // namespace

std::vector<GiveAway> FindGiveAways(const ExamClass& pool)
{
    const Integer records = std::min(pool.gettingQuestionNumber - 1, kMostQuestions);
    std::vector<Question> questions;
    std::map<std::string, int> wordQuestions;
    std::map<Amount, int> amountQuestions;
    for (Integer n = 1; n <= records; ++n) {
        Question question;
        question.code = std::string(WithoutTerminator(pool.questionNumber(n)));
        question.stemText = std::string(WithoutTerminator(pool.question(n)));
        question.stem = TokensOf(question.stemText);
        const Integer key = std::clamp<Integer>(pool.questionCorrectAnswer(n), 1, 4);
        for (Integer a = 1; a <= 4; ++a) {
            const std::string choice = std::string(WithoutTerminator(pool.questionAnswer(n, a)));
            if (a == key) {
                question.keyText = choice;
                question.key = TokensOf(choice);
            } else {
                question.distractors.Add(TokensOf(choice));
            }
        }
        Tokens all = question.stem;
        all.Add(question.key);
        all.Add(question.distractors);
        for (const std::string& word : all.words)
            ++wordQuestions[word];
        for (const Amount& amount : all.amounts)
            ++amountQuestions[amount];
        questions.push_back(std::move(question));
    }

    std::vector<GiveAway> pairs;
    for (const Question& keyQuestion : questions) {
        // What the key says beyond its own stem; what tells it from its
        // distractors, and is rare, counts most.
        std::set<std::string> keyWords;
        for (const std::string& word : keyQuestion.key.words) {
            if (keyQuestion.stem.words.count(word) == 0
                && keyQuestion.distractors.words.count(word) == 0
                && wordQuestions.at(word) <= kMostQuestionsWithRareToken)
                keyWords.insert(word);
        }
        std::set<Amount> keyAmounts;
        std::set<Amount> rareKeyAmounts;
        for (const Amount& amount : keyQuestion.key.amounts) {
            if (keyQuestion.stem.amounts.count(amount) != 0)
                continue;
            keyAmounts.insert(amount);
            if (keyQuestion.distractors.amounts.count(amount) == 0
                && amountQuestions.at(amount) <= kMostQuestionsWithRareToken)
                rareKeyAmounts.insert(amount);
        }
        for (const Question& stemQuestion : questions) {
            if (&stemQuestion == &keyQuestion)
                continue;
            const std::vector<std::string> reasons
                = Shared(keyWords, keyAmounts, rareKeyAmounts, stemQuestion.stem);
            if (!reasons.empty())
                pairs.push_back({ keyQuestion.code, keyQuestion.keyText, stemQuestion.code,
                    stemQuestion.stemText, Joined(reasons, "; ") });
        }
    }
    return pairs;
}
