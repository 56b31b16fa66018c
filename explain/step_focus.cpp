#include "explain/step_focus.h"

namespace vantreel {

std::vector<Focus> stepFocus(const CandidateGrid& grid, const StepGroup& group) {
  std::vector<Focus> focus(grid.candidates.size(), Focus::None);
  std::vector<int> held(grid.runs.size(), 0);
  for (const int cell : group.cells)
    for (const int run : grid.runOf[cell])
      if (run != kNoRun) ++held[run];
  for (std::size_t run = 0; run < held.size(); ++run) {
    if (held[run] < 2 && !(group.cells.size() == 1 && held[run] == 1)) continue;
    for (int i = 0; i < grid.runs[run].length; ++i) focus[grid.runs[run].cells[i]] = Focus::Run;
  }
  for (const int cell : group.cells) focus[cell] = Focus::Step;
  return focus;
}

}  // namespace vantreel
