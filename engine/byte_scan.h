#pragma once

#include <string>
#include <string_view>

// The pool reader's searches, made fast for its many short lines. Both give
// exactly what a byte-by-byte search gives.

// The index of the first CR or LF at or after from, or npos.
std::size_t FindLineEnd(std::string_view text, std::size_t from);

// A pool line without the one CR or LF that ends it, as the reader keeps
// answers and codes.
inline std::string_view WithoutTerminator(std::string_view line)
{
    if (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

// The index of the first of two spaces in a row at or after from, or npos.
std::size_t FindSpaceRun(std::string_view text, std::size_t from);

// The text with every run of spaces cut to its first space.
std::string CollapseSpaceRuns(std::string_view text);

// The same, written to out, which must have room for text.size() bytes (the
// copy may use that room in whole blocks, but never more); returns the length
// of the result.
std::size_t CollapseSpaceRunsInto(std::string_view text, char* out);
