#include "picture/step_sheet.h"

#include <algorithm>

namespace vantreel {
namespace {

// The slots of a `columns` x `rows` page, or a zero cell when they do not fit.
StepPageLayout tryLayout(GridSize board, const Paper& paper, int columns, int rows) {
  const SheetMetrics& m = kSheetMetrics;
  StepPageLayout layout;
  layout.columns = columns;
  layout.rows = rows;
  layout.slotWidth = (paper.width - 2 * m.margin - (columns - 1) * m.gap) / columns;
  layout.slotHeight = (paper.height - 2 * m.margin - m.titleHeight - (rows - 1) * m.gap) / rows;
  const double gridHeight = layout.slotHeight - kStepTextHeight;
  if (gridHeight <= 0) return layout;
  layout.cell = std::min({kStepMaxCell, layout.slotWidth / board.columns, gridHeight / board.rows});
  return layout;
}

}  // namespace

StepPageLayout layoutStepPage(GridSize board, const Paper& paper) {
  StepPageLayout best;
  for (int columns = 1; columns <= 3; ++columns)
    for (int rows = 1; rows <= 4; ++rows) {
      const StepPageLayout layout = tryLayout(board, paper, columns, rows);
      if (layout.cell < kStepMinCell) continue;
      if (layout.perPage() > best.perPage() || (layout.perPage() == best.perPage() && layout.cell > best.cell))
        best = layout;
    }
  if (best.cell >= kStepMinCell) return best;
  // One picture a page, on the side that gives it the larger cells.
  best = tryLayout(board, paper, 1, 1);
  StepPageLayout turned = tryLayout(board, {paper.height, paper.width}, 1, 1);
  turned.landscape = true;
  return turned.cell > best.cell ? turned : best;
}

}  // namespace vantreel
