#pragma once
// Puzzle sheets drawn with cairo: one PDF of puzzle and answer pages, or one
// SVG of a single puzzle or answer. Built only where cairo is installed.
#include <cstdio>
#include <string>
#include <vector>

#include "picture/sheet_layout.h"
#include "picture/sheet_puzzle.h"

namespace vantreel {

// Each writer fills `out` (opened for binary writing) and does not close it.
// False with `error` in words when cairo or the file failed.
[[nodiscard]] bool writeSheetPdf(std::FILE* out, const std::vector<SheetPuzzle>& puzzles, const Paper& paper,
                                 std::string& error);
[[nodiscard]] bool writePuzzleSvg(std::FILE* out, const SheetPuzzle& puzzle, bool withAnswer, std::string& error);

}  // namespace vantreel
