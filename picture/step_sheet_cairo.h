#pragma once
// Step sheets drawn with cairo: a PDF of every explained puzzle, or one SVG
// picture of one puzzle's steps. Built only where cairo is installed.
#include <cstdio>
#include <string>
#include <vector>

#include "picture/sheet_layout.h"
#include "picture/step_sheet.h"

namespace vantreel {

// Each writer fills `out` (opened for binary writing) and does not close it.
// False with `error` in words when cairo or the file failed.
[[nodiscard]] bool writeStepSheetPdf(std::FILE* out, const std::vector<StepSheet>& sheets, const Paper& paper,
                                     std::string& error);
// The pictures in rows as on an A4 page, as many rows as the steps need.
[[nodiscard]] bool writeStepSheetSvg(std::FILE* out, const StepSheet& sheet, std::string& error);

}  // namespace vantreel
