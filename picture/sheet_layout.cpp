#include "picture/sheet_layout.h"

#include <algorithm>

namespace vantreel {
namespace {

// A page split into columns × rows equal slots, and the cell edge a grid
// of a given size gets in one slot.
struct Arrangement {
  int columns = 1;
  int rows = 1;
  double cell = 0;
  int capacity() const { return columns * rows; }
};

constexpr int kMaxSlotColumns = 6, kMaxSlotRows = 8;

double usableWidth(const Paper& paper) { return paper.width - 2 * kSheetMetrics.margin; }
double usableHeight(const Paper& paper) {
  return paper.height - 2 * kSheetMetrics.margin - kSheetMetrics.titleHeight;
}
double slotWidth(const Paper& paper, int columns) {
  return (usableWidth(paper) - (columns - 1) * kSheetMetrics.gap) / columns;
}
double slotHeight(const Paper& paper, int rows) {
  return (usableHeight(paper) - (rows - 1) * kSheetMetrics.gap) / rows;
}

// The arrangement with the most slots whose cells stay at least minCell;
// a board too large for that gets a page of its own with smaller cells.
Arrangement chooseArrangement(GridSize size, const Paper& paper, const PartMetrics& metrics) {
  Arrangement best;
  best.cell = std::min({metrics.maxCell, slotWidth(paper, 1) / size.columns,
                        (slotHeight(paper, 1) - kSheetMetrics.captionHeight) / size.rows});
  for (int columns = 1; columns <= kMaxSlotColumns; ++columns)
    for (int rows = 1; rows <= kMaxSlotRows; ++rows) {
      if (slotWidth(paper, columns) < metrics.minSlotWidth) break;
      const double cell = std::min({metrics.maxCell, slotWidth(paper, columns) / size.columns,
                                    (slotHeight(paper, rows) - kSheetMetrics.captionHeight) / size.rows});
      if (cell < metrics.minCell) continue;
      const Arrangement candidate{columns, rows, cell};
      if (candidate.capacity() > best.capacity() ||
          (candidate.capacity() == best.capacity() && candidate.cell > best.cell))
        best = candidate;
    }
  return best;
}

GridSize boundingSize(GridSize a, GridSize b) { return {std::max(a.columns, b.columns), std::max(a.rows, b.rows)}; }

// Fills pages in order; a page takes the next grid while an arrangement for
// the largest grid on it still has a slot free, so mixed sizes share pages
// only when all of them stay legible.
void addPages(std::vector<SheetPage>& pages, SheetPart part, const std::vector<GridSize>& sizes, const Paper& paper,
              const PartMetrics& metrics) {
  std::size_t first = 0;
  while (first < sizes.size()) {
    GridSize bound = sizes[first];
    Arrangement arrangement = chooseArrangement(bound, paper, metrics);
    std::size_t end = first + 1;
    while (end < sizes.size()) {
      const GridSize wider = boundingSize(bound, sizes[end]);
      const Arrangement next = chooseArrangement(wider, paper, metrics);
      if (next.capacity() < static_cast<int>(end - first) + 1) break;
      bound = wider;
      arrangement = next;
      ++end;
    }
    // A board too large to share an upright page goes on the turned paper when
    // that gives it larger cells; boards not wider than tall never gain, so they stay upright.
    SheetPage page{part, {}};
    const Paper upright = paper;
    const Paper turned{paper.height, paper.width};
    if (end - first == 1 && sizes[first].columns > sizes[first].rows &&
        chooseArrangement(sizes[first], paper, metrics).capacity() == 1) {
      const Arrangement sideways = chooseArrangement(sizes[first], turned, metrics);
      if (sideways.cell > arrangement.cell) {
        arrangement = sideways;
        page.landscape = true;
      }
    }
    const Paper& sheet = page.landscape ? turned : upright;
    const double width = slotWidth(sheet, arrangement.columns), height = slotHeight(sheet, arrangement.rows);
    for (std::size_t i = first; i < end; ++i) {
      const int slot = static_cast<int>(i - first);
      const double slotLeft = kSheetMetrics.margin + (slot % arrangement.columns) * (width + kSheetMetrics.gap);
      const double slotTop = kSheetMetrics.margin + kSheetMetrics.titleHeight +
                             (slot / arrangement.columns) * (height + kSheetMetrics.gap);
      const double gridWidth = sizes[i].columns * arrangement.cell;
      const double blockHeight = kSheetMetrics.captionHeight + sizes[i].rows * arrangement.cell;
      SheetPlacement placement;
      placement.index = static_cast<int>(i);
      placement.cell = arrangement.cell;
      // Centred in the slot, so that the rows of a page spread evenly down it.
      placement.left = slotLeft + (width - gridWidth) / 2;
      placement.top = slotTop + (height - blockHeight) / 2 + kSheetMetrics.captionHeight;
      placement.captionX = slotLeft + width / 2;
      placement.captionBaseline = placement.top - 2.0;
      placement.captionWidth = width;
      page.placements.push_back(placement);
    }
    pages.push_back(std::move(page));
    first = end;
  }
}

}  // namespace

std::vector<SheetPage> layoutSheet(const std::vector<GridSize>& sizes, const Paper& paper) {
  std::vector<SheetPage> pages;
  addPages(pages, SheetPart::Puzzles, sizes, paper, kPuzzleMetrics);
  addPages(pages, SheetPart::Answers, sizes, paper, kAnswerMetrics);
  return pages;
}

}  // namespace vantreel
