#include "format/run_list.h"

namespace vantreel {

std::vector<RunSpan> listRuns(const Board& board) {
  std::vector<RunSpan> runs;
  forEachRun(board, [&runs](const RunSpan& run) { runs.push_back(run); });
  return runs;
}

}  // namespace vantreel
