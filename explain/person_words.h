#pragma once
// Pieces of the person's wording: digits, cells and runs listed the way one
// writes them in a sentence, where the raw wording has {1,2} and r3c4=7.
#include <string>
#include <vector>

#include "explain/step.h"

namespace vantreel {

// "6, 8 or 9"; with `last` "and", "6, 8 and 9".
std::string digitWords(DigitSet digits, const char* last = "or");
// "r1c4", "r1c4 and r2c4", "r1c4, r2c4 and r3c4".
std::string cellWords(const CandidateGrid& grid, const std::vector<int>& cells);
// A run's size: "23 in 3 cells", or "3 cells with no sum yet".
std::string runSize(const ExplainRun& run);
// What a run leaves one of its cells: "leaves only 1, 2 or 4",
// "allows any digit but 8 and 9", "allows any digit".
std::string runLeaves(DigitSet allowed);
// A run, or what its placed digits leave its open cells, then `predicate`:
// "the down run from r0c4, 23 in 3 cells, can only be {6,8,9}", or "the down
// run from r0c4, 23 in 3 cells, already holds 9, so its other 2 cells add up
// to 14 and can only be {6,8}". Without a predicate the sentence stops at the
// remainder ("so its last cell must hold 3").
std::string runOwes(const CandidateGrid& grid, const ExplainRun& run, const OpenPart& open,
                    const std::string& predicate);
// The open cells as a predicate names them: "its cells", or "them" after a remainder.
inline const char* openCellsWord(const OpenPart& open) { return open.placed != 0 ? "them" : "its cells"; }
// A cell losing `removed` and keeping `left`, said by whichever list is
// shorter: "r2c5 cannot be 1 or 2", "r2c4 can only be 9" (with `mood` "could",
// "could not be", "could only be").
std::string cellLoses(const CandidateGrid& grid, int cell, DigitSet removed, DigitSet left, const char* mood = "can");
// A step's effect on `before` as what would follow: "r3c5 would be 4 and r2c5
// could not be 1 or 2".
std::string wouldFollow(const CandidateGrid& before, const Step& step);

}  // namespace vantreel
