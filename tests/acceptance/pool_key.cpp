#include "pool_key.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

// Lines end at a line feed, a carriage return, or both together.
std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

int Number(const std::string& text)
{
    try {
        return std::stoi(text);
    } catch (...) {
        return -1;
    }
}

} // namespace

const PoolQuestion* PoolKey::ByCode(const std::string& code) const
{
    for (const PoolQuestion& question : questions) {
        if (question.code == code)
            return &question;
    }
    return nullptr;
}

PoolKey ReadPoolKey(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::vector<std::string> lines = Lines(bytes);

    PoolKey key;
    if (lines.size() < 4)
        return key;
    key.passMark = Number(lines[0]);
    key.examLength = Number(lines[1]);
    key.title = lines[2];
    const int sectionCount = Number(lines[3]);
    std::size_t next = 4;
    if (sectionCount < 0 || lines.size() < next + 2 * static_cast<std::size_t>(sectionCount))
        return key;
    for (int s = 0; s < sectionCount; ++s) {
        std::istringstream numbers(lines[next++]);
        PoolKey::Section section;
        numbers >> section.draw >> section.first >> section.last;
        key.sections.push_back(section);
    }
    for (PoolKey::Section& section : key.sections)
        section.label = lines[next++];

    // Each question: text, correct answer, figure, four answers, code.
    constexpr std::size_t kLinesPerQuestion = 8;
    while (next + kLinesPerQuestion <= lines.size()) {
        PoolQuestion question;
        question.number = static_cast<int>(key.questions.size()) + 1;
        question.text = lines[next];
        question.correctAnswer = Number(lines[next + 1]);
        for (std::size_t a = 0; a < 4; ++a)
            question.answers[a] = lines[next + 3 + a];
        question.code = lines[next + 7];
        key.questions.push_back(question);
        next += kLinesPerQuestion;
    }
    return key;
}
