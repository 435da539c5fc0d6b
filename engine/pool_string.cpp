#include "pool_string.h"

#include "byte_scan.h"

#include <algorithm>
#include <cstring>
#include <utility>

PoolStringStore::PoolStringStore(PoolStringStore&& other) noexcept
    : blocks_(std::move(other.blocks_))
    , next_(std::exchange(other.next_, nullptr))
    , left_(std::exchange(other.left_, 0))
{
}

PoolStringStore& PoolStringStore::operator=(PoolStringStore&& other) noexcept
{
    if (this != &other) {
        blocks_ = std::move(other.blocks_);
        other.blocks_.clear();
        next_ = std::exchange(other.next_, nullptr);
        left_ = std::exchange(other.left_, 0);
    }
    return *this;
}

void PoolStringStore::Reserve(std::size_t bytes)
{
    Room(bytes);
}

PoolString PoolStringStore::Keep(std::string_view text)
{
    char* const out = Room(text.size());
    if (!text.empty())
        std::memcpy(out, text.data(), text.size());
    next_ += text.size();
    left_ -= text.size();
    return PoolString(std::string_view(out, text.size()));
}

PoolString PoolStringStore::KeepCollapsed(std::string_view text)
{
    char* const out = Room(text.size());
    const std::size_t length = CollapseSpaceRunsInto(text, out);
    next_ += length;
    left_ -= length;
    return PoolString(std::string_view(out, length));
}

char* PoolStringStore::Room(std::size_t bytes)
{
    if (left_ < bytes) [[unlikely]] {
        // Small blocks for texts kept one at a time; a parse reserves its
        // whole text at once.
        constexpr std::size_t kSmallestBlock = 4096;
        const std::size_t size = std::max(bytes, kSmallestBlock);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        next_ = blocks_.back().get();
        left_ = size;
    }
    return next_;
}
