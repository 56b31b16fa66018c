#include "generator/fill_pipeline.h"

namespace vantreel {

FillPipeline::FillPipeline(const FillRequest& request) : request_(request) {
  if (request_.layout != nullptr) maker_.load(*request_.layout);
}

bool FillPipeline::make(RandomSource& random, Board& board, FillStats* stats) {
  if (request_.layout != nullptr) return maker_.make(random, kFillWorkBudget, board, stats);
  for (;;) {
    if (!drawer_.draw(random, request_.goal, drawn_)) continue;
    maker_.load(drawn_);
    if (maker_.make(random, kDrawnLayoutBudget, board, stats)) return true;
  }
}

}  // namespace vantreel
