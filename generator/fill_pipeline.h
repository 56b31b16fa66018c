#pragma once
// One puzzle by the fill method: on the user's layout, kept exactly, or on
// layouts drawn for a size until one takes a unique filling.
#include <algorithm>
#include <cstdint>

#include "format/board.h"
#include "generator/fill_maker.h"
#include "generator/layout.h"
#include "generator/layout_drawing.h"
#include "generator/random_source.h"

namespace vantreel {

struct FillRequest {
  LayoutGoal goal;                 // the drawn layouts, when there is no layout
  const Layout* layout = nullptr;  // passed checkLayout; shared, not owned
  std::int64_t layoutBudget = kFillWorkBudget;  // work per puzzle of the user's layout
};

// Work given one drawn layout before another is drawn: a layout that takes
// a unique filling mostly takes it within a few dozen repairs, and a fresh
// layout is cheaper than a stubborn one (at 23x17 a budget of 1,000 steps
// per white cell made puzzles four times faster than 12,000). Past 300
// white cells each search costs more, so the budget grows with the square.
inline constexpr std::int64_t kDrawnLayoutStepsPerCell = 1'000;
inline constexpr std::int64_t kDrawnLayoutSquareFrom = 300;
constexpr std::int64_t drawnLayoutBudget(std::int64_t whites) {
  return kDrawnLayoutStepsPerCell * whites * std::max<std::int64_t>(1, whites / kDrawnLayoutSquareFrom);
}

// Every this many drawings, the layout is filled however open it stays.
inline constexpr std::int64_t kOpenLayoutEvery = 64;

// One pipeline per thread.
class FillPipeline {
 public:
  explicit FillPipeline(const FillRequest& request);
  // False only for the user's layout, when its budget found no puzzle;
  // drawn layouts are drawn until one works.
  [[nodiscard]] bool make(RandomSource& random, Board& board, FillStats* stats = nullptr);

 private:
  FillRequest request_;
  FillMaker maker_;
  LayoutDrawer drawer_;
  Layout drawn_;
};

}  // namespace vantreel
