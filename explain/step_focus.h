#pragma once
// What a picture of a step shades: the cells it narrowed and the runs it is
// about, those holding two or more of its cells, or both runs of a lone cell.
#include <cstdint>
#include <vector>

#include "explain/candidate_grid.h"
#include "explain/step_groups.h"

namespace vantreel {

enum class Focus : std::uint8_t { None, Run, Step };

// One value per board cell.
std::vector<Focus> stepFocus(const CandidateGrid& grid, const StepGroup& group);

}  // namespace vantreel
