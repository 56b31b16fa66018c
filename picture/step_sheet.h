#pragma once
// The solving path on paper: one small picture of the grid per step, its
// cells and runs shaded and its candidates pencilled in, the step's sentence
// under it, a few steps to a page. Lengths in millimetres.
#include <cstdint>
#include <string>
#include <vector>

#include "format/board.h"
#include "picture/sheet_layout.h"

namespace vantreel {

enum CellShade : std::uint8_t { kPlainCell = 0, kRunCell = 1, kStepCell = 2 };

struct StepPicture {
  std::vector<std::uint16_t> candidates;  // per board cell after the step: 9-bit sets, 0 off white cells
  std::vector<std::uint8_t> shade;        // per board cell, a CellShade
  std::string sentence;
};

struct StepSheet {
  Board board;
  std::string title;  // above the pictures of every page
  std::vector<StepPicture> steps;
};

// Where the pictures of one page go: the same slots on every page.
struct StepPageLayout {
  bool landscape = false;
  int columns = 1;
  int rows = 1;
  double cell = 0;        // grid cell edge
  double slotWidth = 0;
  double slotHeight = 0;  // grid, then the sentence band
  int perPage() const { return columns * rows; }
};

// Under the grid: room for a few lines of a step's sentence.
inline constexpr double kStepTextHeight = 17.0;
// Small enough for four 11x11 steps on a page, large enough to read pencil marks.
inline constexpr double kStepMinCell = 6.0;
inline constexpr double kStepMaxCell = 9.0;

// The most pictures a page holds with cells of kStepMinCell or more (up to
// three across and four down); a board too large for that gets a page of its
// own, turned when that gives it larger cells.
StepPageLayout layoutStepPage(GridSize board, const Paper& paper);

// Top-left corner of slot `index` (0 for the first on the page), below the page title.
inline double stepSlotLeft(const StepPageLayout& layout, int index) {
  return kSheetMetrics.margin + (index % layout.columns) * (layout.slotWidth + kSheetMetrics.gap);
}
inline double stepSlotTop(const StepPageLayout& layout, int index) {
  return kSheetMetrics.margin + kSheetMetrics.titleHeight + (index / layout.columns) * (layout.slotHeight + kSheetMetrics.gap);
}

}  // namespace vantreel
