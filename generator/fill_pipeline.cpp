#include "generator/fill_pipeline.h"

#include <algorithm>

namespace vantreel {

FillPipeline::FillPipeline(const FillRequest& request) : request_(request) {
  if (request_.layout != nullptr) maker_.load(*request_.layout);
}

bool FillPipeline::make(RandomSource& random, Board& board, FillStats* stats) {
  if (request_.layout != nullptr) return maker_.make(random, request_.layoutBudget, board, stats);
  for (std::int64_t layouts = 1;; ++layouts) {
    if (!drawer_.draw(random, request_.goal, drawn_)) continue;
    maker_.load(drawn_);
    const std::int64_t whites = std::count(drawn_.white.begin(), drawn_.white.end(), 1);
    // So that no size or density waits for a layout that never comes.
    const double mostOpen = layouts % kOpenLayoutEvery == 0 ? 1.0 : kMostOpenShare;
    if (maker_.make(random, drawnLayoutBudget(whites), board, stats, mostOpen)) return true;
  }
}

}  // namespace vantreel
