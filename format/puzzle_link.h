#pragma once
// puzz.link links: the web editor's address for a cross sum puzzle, whose
// "?kakuro/COLS/ROWS/BODY" tail is our puzzle line without its level.
#include <cstddef>
#include <string_view>

namespace vantreel {

// Where COLS starts: just after the first "?kakuro/", whatever host and page
// come before it; npos when the text is no link.
std::size_t linkTailStart(std::string_view text);
inline bool isPuzzleLink(std::string_view text) { return linkTailStart(text) != std::string_view::npos; }

}  // namespace vantreel
