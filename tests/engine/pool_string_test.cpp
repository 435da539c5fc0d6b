#include "pool_string.h"

#include "byte_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// Texts of every length from 0 to a few blocks, some with runs of spaces, in
// an order that makes the store start new blocks at many different fillings.
std::vector<std::string> MixedTexts()
{
    std::vector<std::string> texts;
    std::uint32_t state = 12345;
    for (int i = 0; i < 3000; ++i) {
        state = state * 1103515245U + 12345U;
        const std::size_t length = (i % 97 == 0) ? 5000 + i : (state >> 16) % 300;
        std::string text;
        for (std::size_t k = 0; k < length; ++k)
            text += ((state >> (k % 13)) & 3U) == 0 ? ' ' : static_cast<char>('a' + (k + i) % 26);
        texts.push_back(std::move(text));
    }
    return texts;
}

TEST(PoolStringStore, EveryKeptTextReadsBackWhateverCameAfterIt)
{
    const std::vector<std::string> texts = MixedTexts();
    PoolStringStore store;
    std::vector<PoolString> kept;
    std::vector<std::string> expected;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i % 3 == 0) {
            kept.push_back(store.KeepCollapsed(texts[i]));
            expected.push_back(CollapseSpaceRuns(texts[i]));
        } else {
            kept.push_back(store.Keep(texts[i]));
            expected.push_back(texts[i]);
        }
        if (i % 500 == 0)
            store.Reserve(i * 7);
    }
    for (std::size_t i = 0; i < kept.size(); ++i)
        ASSERT_EQ(kept[i], expected[i]) << "text " << i;
}

TEST(PoolStringStore, ReservedBytesGoIntoOneBlock)
{
    PoolStringStore store;
    store.Keep("a first text that leaves the first block part used");
    store.Reserve(10000);
    const PoolString first = store.Keep(std::string(6000, 'x'));
    const PoolString second = store.KeepCollapsed(std::string(4000, 'y'));
    // The second follows the first directly: no new block was started.
    EXPECT_EQ(first.view().data() + first.size(), second.view().data());
    EXPECT_EQ(second, std::string(4000, 'y'));
}

TEST(PoolStringStore, MovedFromStoreNoLongerWritesIntoTheBlocksItGaveAway)
{
    PoolStringStore from;
    const PoolString moved = from.Keep("kept before the move");
    PoolStringStore to(std::move(from));
    const PoolString old = from.Keep("written after the move");
    const PoolString taken = to.Keep("written by the new owner");
    EXPECT_EQ(moved, "kept before the move");
    EXPECT_EQ(old, "written after the move");
    EXPECT_EQ(taken, "written by the new owner");

    PoolStringStore assigned;
    assigned = std::move(to);
    const PoolString later = to.Keep("again after a move");
    EXPECT_EQ(assigned.Keep("and by its owner"), "and by its owner");
    EXPECT_EQ(later, "again after a move");
    EXPECT_EQ(taken, "written by the new owner");
}

TEST(PoolString, ReadsAsTheTextItHolds)
{
    PoolStringStore store;
    const PoolString text = store.Keep("A1 Topic");
    const std::string copy = text;
    const std::string_view view = text;
    EXPECT_EQ(copy, "A1 Topic");
    EXPECT_EQ(view, "A1 Topic");
    EXPECT_EQ("[" + text + "]", "[A1 Topic]");
    EXPECT_FALSE(text == store.Keep("A1 Topi"));
    EXPECT_TRUE(PoolString().empty());
    EXPECT_EQ(PoolString().str(), "");
}

} // namespace
