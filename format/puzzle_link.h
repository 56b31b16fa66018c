#pragma once
// puzz.link links: the web editor's address for a cross sum puzzle, whose
// "?kakuro/COLS/ROWS/BODY" tail is our puzzle line without its level.
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "format/board.h"

namespace vantreel {

// Where COLS starts: just after the first "?kakuro/", whatever host and page
// come before it; npos when the text is no link.
std::size_t linkTailStart(std::string_view text);
inline bool isPuzzleLink(std::string_view text) { return linkTailStart(text) != std::string_view::npos; }

// The lenient reader for a puzzle line or a link (level 0); false on
// malformed text, as parseBoard; `used` as there, counted in `line`.
[[nodiscard]] bool parseLineOrLink(Board& board, const char* line, std::size_t* used = nullptr);

// Appends "https://puzz.link/p?kakuro/COLS/ROWS/BODY", newline included.
void writeLink(std::FILE* out, const Board& board);

}  // namespace vantreel
