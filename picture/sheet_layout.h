#pragma once
// Where puzzles and answers go on printed pages; all lengths in millimetres.
#include <string>
#include <vector>

namespace vantreel {

struct Paper {
  double width;
  double height;
};
inline constexpr Paper kPaperA4{210.0, 297.0};
inline constexpr Paper kPaperLetter{215.9, 279.4};
// "letter", or A4 for anything else: --paper's values are checked where they are read.
inline Paper paperNamed(const std::string& name) { return name == "letter" ? kPaperLetter : kPaperA4; }

// Cells of a board, border included.
struct GridSize {
  int columns;
  int rows;
};

// One grid on a page: its top-left corner, its cell edge, and the baseline
// of its caption, centred above it.
struct SheetPlacement {
  int index;  // into the sizes handed to layoutSheet
  double left;
  double top;
  double cell;
  double captionX;
  double captionBaseline;
  double captionWidth;  // the slot's width: the caption never runs wider
};

enum class SheetPart { Puzzles, Answers };

struct SheetPage {
  SheetPart part;
  std::vector<SheetPlacement> placements;
  bool landscape = false;  // the paper turned: width and height swapped
};

// The paper a page is drawn on.
inline Paper pagePaper(const SheetPage& page, const Paper& paper) {
  return page.landscape ? Paper{paper.height, paper.width} : paper;
}

// Shared by the layout and the drawing.
struct SheetMetrics {
  double margin = 12.0;       // paper edge to the page title and the grids
  double titleHeight = 8.0;   // page title band at the top
  double gap = 6.0;           // between neighbouring slots
  double captionHeight = 6.0; // band above each grid
};
inline constexpr SheetMetrics kSheetMetrics{};

// Cell edges and slot widths for each part: puzzle cells must take a pencil,
// answer cells only need readable digits; a slot must hold its caption.
struct PartMetrics {
  double minCell;
  double maxCell;
  double minSlotWidth;
};
inline constexpr PartMetrics kPuzzleMetrics{7.0, 12.0, 55.0};
inline constexpr PartMetrics kAnswerMetrics{4.5, 6.0, 35.0};

// Puzzle pages in file order, then answer pages in the same order.
std::vector<SheetPage> layoutSheet(const std::vector<GridSize>& sizes, const Paper& paper);

}  // namespace vantreel
