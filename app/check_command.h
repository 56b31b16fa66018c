#pragma once
// The check command: is each puzzle line of a file a puzzle with exactly one
// solution? Every line is judged on its own.
#include <cstdint>
#include <string>
#include <vector>

#include "format/board.h"
#include "solver/exact_search.h"

namespace vantreel {

// Exit status of a check run; a worse case outranks a milder one.
enum CheckStatus : int { kCheckAllUnique = 0, kCheckInputError = 1, kCheckUsageError = 2, kCheckNotUnique = 3 };

// "r3c5 across: no 3 different digits sum to 4" on a board `width` cells wide.
std::string describeRootFailure(const RootFailure& failure, int width);
// "r2c3,r2c4": the white cells whose digits differ between two fillings.
std::string differingCells(const Board& board, const std::vector<std::uint8_t>& first,
                           const std::vector<std::uint8_t>& second);

// argv[0] is "check".
int runCheck(int argc, char** argv);

}  // namespace vantreel
