#include "generator/layout.h"

#include <algorithm>

#include "format/puzzle_link.h"

namespace vantreel {
namespace {

LayoutFault faultAt(int row, int column, std::string reason) {
  return LayoutFault{row + 1, column + 1, std::move(reason)};
}

// Lines the picture reader takes apart: no trailing blanks or CR.
std::string_view trimmed(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

LayoutFault checkLayout(const Layout& layout) {
  const int columns = layout.columns, rows = layout.rows;
  if (columns < 1 || rows < 1 || columns > kMaxInterior || rows > kMaxInterior)
    return faultAt(0, 0, "a layout has 1 to " + std::to_string(kMaxInterior) + " rows and columns");
  auto white = [&](int row, int column) {
    return row >= 0 && column >= 0 && row < rows && column < columns && layout.isWhite(row, column);
  };
  // Lines over nine cells, in reading order of their first cell.
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      if (!white(row, column)) continue;
      for (const bool across : {true, false}) {
        if (across ? white(row, column - 1) : white(row - 1, column)) continue;
        int length = 0;
        while (across ? white(row, column + length) : white(row + length, column)) ++length;
        if (length > kMaxRunLength)
          return faultAt(row, column, "a white line of " + std::to_string(length) + " cells " +
                                          (across ? "across" : "down") + " (at most 9)");
      }
      if (!white(row, column - 1) && !white(row, column + 1) && !white(row - 1, column) && !white(row + 1, column))
        return faultAt(row, column, "a white cell alone in both directions");
    }
  // One group: a flood fill from the first white cell must reach them all.
  std::vector<std::uint8_t> reached(layout.white.size(), 0);
  std::vector<int> stack;
  const auto first = std::find(layout.white.begin(), layout.white.end(), 1);
  if (first == layout.white.end()) return faultAt(0, 0, "no white cell");
  const int start = static_cast<int>(first - layout.white.begin());
  stack.push_back(start);
  reached[start] = 1;
  while (!stack.empty()) {
    const int cell = stack.back();
    stack.pop_back();
    const int row = cell / columns, column = cell % columns;
    const int next[4][2] = {{row, column - 1}, {row, column + 1}, {row - 1, column}, {row + 1, column}};
    for (const auto& [r, c] : next)
      if (white(r, c) && !reached[r * columns + c]) reached[r * columns + c] = 1, stack.push_back(r * columns + c);
  }
  for (int cell = 0; cell < columns * rows; ++cell)
    if (layout.white[cell] && !reached[cell])
      return faultAt(cell / columns, cell % columns,
                     "white cells not connected (this one has no path to row " + std::to_string(start / columns + 1) +
                         ", column " + std::to_string(start % columns + 1) + ")");
  return {};
}

Layout layoutOf(const Board& board) {
  Layout layout{board.width - 1, board.height - 1, {}};
  layout.white.resize(static_cast<std::size_t>(layout.columns) * layout.rows);
  for (int row = 0; row < layout.rows; ++row)
    for (int column = 0; column < layout.columns; ++column)
      layout.white[row * layout.columns + column] =
          board.kinds[(row + 1) * board.width + column + 1] == CellKind::White;
  return layout;
}

bool readLayout(std::string_view text, Layout& layout, std::string& reason) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(trimmed(text.substr(0, end)));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  if (lines.empty()) {
    reason = "no layout in the file";
    return false;
  }
  // A puzzle line or link: its white cells are the layout.
  const std::string_view head = lines[0];
  if (lines.size() == 1 && head.find('/') != std::string_view::npos) {
    Board board;
    const std::string line(head);
    if (!parseLineOrLink(board, line.c_str())) {
      reason = "not a puzzle line or link, nor a picture of '#' and '.'";
      return false;
    }
    if (board.width < 2 || board.height < 2) {
      reason = "the puzzle has no interior cells";
      return false;
    }
    layout = layoutOf(board);
    return true;
  }
  layout.columns = static_cast<int>(head.size());
  layout.rows = static_cast<int>(lines.size());
  if (layout.columns > kMaxInterior || layout.rows > kMaxInterior) {
    reason = "more than " + std::to_string(kMaxInterior) + (layout.rows > kMaxInterior ? " rows" : " columns");
    return false;
  }
  layout.white.assign(static_cast<std::size_t>(layout.columns) * layout.rows, 0);
  for (int row = 0; row < layout.rows; ++row) {
    const std::string_view line = lines[row];
    if (static_cast<int>(line.size()) != layout.columns) {
      reason = "line " + std::to_string(row + 1) + " has " + std::to_string(line.size()) + " cells, line 1 has " +
               std::to_string(layout.columns);
      return false;
    }
    for (int column = 0; column < layout.columns; ++column) {
      if (line[column] != '#' && line[column] != '.') {
        reason = "line " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) +
                 ": not '#' (block) or '.' (white cell)";
        return false;
      }
      layout.white[row * layout.columns + column] = line[column] == '.';
    }
  }
  return true;
}

}  // namespace vantreel
