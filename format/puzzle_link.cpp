#include "format/puzzle_link.h"

#include <string>

#include "format/puzzle_line.h"

namespace vantreel {
namespace {

// puzz.link and pzv.jp, http or https, "p?" or "p.html?", or no host at all:
// every form ends in this marker, so it alone says "link".
constexpr std::string_view kLinkMarker = "?kakuro/";

}  // namespace

std::size_t linkTailStart(std::string_view text) {
  // An address holds no NUL byte; the lenient reader, which sees a line only
  // up to its first NUL, must find the same link as the strict one.
  const std::size_t marker = text.substr(0, text.find('\0')).find(kLinkMarker);
  return marker == std::string_view::npos ? marker : marker + kLinkMarker.size();
}

bool parseLineOrLink(Board& board, const char* line, std::size_t* used) {
  const std::string_view text(line);
  const std::size_t tail = linkTailStart(text);
  if (tail == std::string_view::npos) return parseBoard(board, line, used);
  // The tail is a puzzle line without its level field.
  const std::string puzzleLine = "0/" + std::string(text.substr(tail));
  if (!parseBoard(board, puzzleLine.c_str(), used)) return false;
  if (used != nullptr) *used += tail - 2;
  return true;
}

void writeLink(std::FILE* out, const Board& board) {
  std::fprintf(out, "https://puzz.link/p?kakuro/%d/%d/", board.width - 1, board.height - 1);
  writeBoardBody(out, board);
  std::fprintf(out, "\n");
}

}  // namespace vantreel
