#pragma once
// First clue stage: sum pairs for crossing runs that fix their shared cell.
#include "generator/generator_context.h"
#include "generator/seed_pair_table.h"

namespace vantreel {

// Takes the trial in `scratch` (a copy of `work` with new sums written) into
// `work` when propagation keeps it consistent. Leaves lastSurplus as
// measured, also for a rejected trial; sets `solved` when the grid is done.
[[nodiscard]] bool settleTrial(GeneratorContext& context, bool& solved);

// The across run of `acrossCell` and the down run of `downCell` share a cell.
bool runsCross(const ClueCell& acrossCell, const ClueCell& downCell, int width);

// Writes the pair into the two runs of `scratch`: the shorter run takes the
// first sum, the across run when both are as long.
void writeSeedPair(WatchedGrid& scratch, const ClueCell& acrossCell, const ClueCell& downCell,
                   const SeedPair& pair);

// Draws crossing runs and gives them a pair of sums until the attempt or
// success budget is spent or the grid is solved. Always true.
bool seedCrossingPairs(GeneratorContext& context, bool& solved);

}  // namespace vantreel
