#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class PoolStringStore;

// One text of a parsed pool (a question, an answer, a code, a section label).
// The bytes live in the pool object's own text store, which the pool reader
// fills in a few large blocks instead of one heap block per text; a PoolString
// is valid as long as the pool it came from. It reads as a std::string or a
// std::string_view; only a pool's store makes one (ExamClass::Keep).
class PoolString final {
public:
    PoolString() = default;

    std::string_view view() const { return text_; }
    std::string str() const { return std::string(text_); }
    operator std::string_view() const { return text_; }
    operator std::string() const { return str(); }

    bool empty() const { return text_.empty(); }
    std::size_t size() const { return text_.size(); }

    friend bool operator==(const PoolString& left, const PoolString& right)
    {
        return left.text_ == right.text_;
    }
    friend bool operator==(const PoolString& left, std::string_view right)
    {
        return left.text_ == right;
    }
    friend std::string operator+(const std::string& left, const PoolString& right)
    {
        return left + std::string(right.text_);
    }
    friend std::string operator+(const PoolString& left, const std::string& right)
    {
        return std::string(left.text_) + right;
    }
    friend std::ostream& operator<<(std::ostream& out, const PoolString& text)
    {
        return out << text.text_;
    }

private:
    friend class PoolStringStore;
    explicit PoolString(std::string_view text)
        : text_(text)
    {
    }

    std::string_view text_ = std::string_view("", 0);
};

// Where a pool's texts live: a few large blocks, filled front to back. Blocks
// are never moved or freed before the store is, so every PoolString handed out
// stays valid however often the pool is filled again. A store that is moved
// from is left empty.
class PoolStringStore final {
public:
    PoolStringStore() = default;
    PoolStringStore(PoolStringStore&& other) noexcept;
    PoolStringStore& operator=(PoolStringStore&& other) noexcept;

    // Makes sure that texts of up to bytes bytes in all, each kept or
    // collapsed, go into one block.
    void Reserve(std::size_t bytes);
    // A copy of text.
    PoolString Keep(std::string_view text);
    // A copy of text with every run of spaces cut to its first space.
    PoolString KeepCollapsed(std::string_view text);

private:
    char* Room(std::size_t bytes);

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};
