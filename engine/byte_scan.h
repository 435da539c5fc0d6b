#pragma once

#include <string>
#include <string_view>

// The pool reader's searches, made fast for its many short lines. Both give
// exactly what a byte-by-byte search gives.

// The index of the first CR or LF at or after from, or npos.
std::size_t FindLineEnd(std::string_view text, std::size_t from);

// The index of the first of two spaces in a row at or after from, or npos.
std::size_t FindSpaceRun(std::string_view text, std::size_t from);

// The text with every run of spaces cut to its first space.
std::string CollapseSpaceRuns(std::string_view text);

// The same, written to out, which must have room for the text; nothing is
// written past the length returned, or at most up to the text's own length.
std::size_t CollapseSpaceRunsInto(std::string_view text, char* out);
