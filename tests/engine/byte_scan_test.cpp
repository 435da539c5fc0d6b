#include "byte_scan.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace {

std::size_t NaiveLineEnd(const std::string& text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n')
            return i;
    }
    return std::string::npos;
}

std::size_t NaiveSpaceRun(const std::string& text, std::size_t from)
{
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (text[i] == ' ' && text[i + 1] == ' ')
            return i;
    }
    return std::string::npos;
}

std::string NaiveCollapse(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == ' ' && i > 0 && text[i - 1] == ' '))
            result.push_back(text[i]);
    }
    return result;
}

} // namespace

// The block-wise searches against a byte-by-byte one, on texts whose line
// ends and spaces fall at every offset within and across the blocks.
TEST(ByteScan, SearchesFindWhatAByteByByteSearchFinds)
{
    std::mt19937 random(7);
    const char alphabet[] = { ' ', ' ', 'a', 'b', '\r', '\n', '\0', '\x80', '\xff' };
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 70, 'x');
        // Sparse texts let the searches run over whole blocks.
        const unsigned density = 1 + random() % 12;
        for (char& byte : text) {
            if (random() % density == 0)
                byte = alphabet[random() % sizeof alphabet];
        }
        const std::size_t from = text.empty() ? 0 : random() % (text.size() + 1);
        ASSERT_EQ(FindLineEnd(text, from), NaiveLineEnd(text, from)) << round;
        ASSERT_EQ(FindSpaceRun(text, from), NaiveSpaceRun(text, from)) << round;
        ASSERT_EQ(CollapseSpaceRuns(text), NaiveCollapse(text)) << round;
        // Room for exactly the text: the sanitizer build sees any store past it.
        const auto room = std::make_unique_for_overwrite<char[]>(text.size());
        const std::size_t length = CollapseSpaceRunsInto(text, room.get());
        ASSERT_EQ(std::string_view(room.get(), length), NaiveCollapse(text)) << round;
    }
}

TEST(ByteScan, RunAcrossABlockBoundaryIsFound)
{
    for (std::size_t at = 0; at + 2 <= 40; ++at) {
        std::string text(40, 'a');
        text[at] = ' ';
        text[at + 1] = ' ';
        EXPECT_EQ(FindSpaceRun(text, 0), at);
        // A search that starts on the second space of the pair finds no run.
        EXPECT_EQ(FindSpaceRun(text, at + 1), std::string::npos);
    }
}
