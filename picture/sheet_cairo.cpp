#include "picture/sheet_cairo.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include "picture/cairo_drawing.h"

namespace vantreel {
namespace {

// Answers are drawn without their sums, which would be too small to read.
void drawGrid(cairo_t* cr, const SheetPuzzle& puzzle, bool withAnswer, double left, double top, double cell) {
  WhiteCells white;
  if (withAnswer && puzzle.answer.size() >= static_cast<std::size_t>(puzzle.board.cellCount())) white.answer = puzzle.answer.data();
  drawBoard(cr, puzzle.board, white, !withAnswer, left, top, cell);
}

void drawPage(cairo_t* cr, const Paper& paper, const SheetPage& page, int pageNumber, int pageCount,
              const std::vector<SheetPuzzle>& puzzles) {
  const bool answers = page.part == SheetPart::Answers;
  const double mm = kPointsPerMm;
  selectFont(cr, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, kSheetMetrics.margin * mm, (kSheetMetrics.margin + 4) * mm);
  cairo_show_text(cr, answers ? "Answers" : "Cross sum puzzles");
  char number[48];
  std::snprintf(number, sizeof number, "page %d of %d", pageNumber, pageCount);
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 9);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, number, &extents);
  cairo_move_to(cr, (paper.width - kSheetMetrics.margin) * mm - extents.x_advance, (kSheetMetrics.margin + 4) * mm);
  cairo_show_text(cr, number);
  for (const SheetPlacement& placement : page.placements) {
    const SheetPuzzle& puzzle = puzzles[placement.index];
    showCaption(cr, answers ? answerCaption(puzzle) : sheetCaption(puzzle), placement.captionX * mm,
                placement.captionBaseline * mm, answers ? 7.5 : 9, placement.captionWidth * mm);
    drawGrid(cr, puzzle, answers, placement.left * mm, placement.top * mm, placement.cell * mm);
  }
}

}  // namespace

bool writeSheetPdf(std::FILE* out, const std::vector<SheetPuzzle>& puzzles, const Paper& paper, std::string& error) {
  std::vector<GridSize> sizes;
  for (const SheetPuzzle& puzzle : puzzles) sizes.push_back({puzzle.board.width, puzzle.board.height});
  const std::vector<SheetPage> pages = layoutSheet(sizes, paper);
  StreamState state{out};
  cairo_surface_t* surface = createPdfSurface(state, paper, "Cross sum puzzles");
  cairo_t* cr = cairo_create(surface);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const Paper sheet = pagePaper(pages[i], paper);
    // Before anything is drawn on the page, or cairo keeps the old size.
    cairo_pdf_surface_set_size(surface, sheet.width * kPointsPerMm, sheet.height * kPointsPerMm);
    drawPage(cr, sheet, pages[i], static_cast<int>(i) + 1, static_cast<int>(pages.size()), puzzles);
    cairo_show_page(cr);
  }
  return finishSurface(surface, cr, state, error);
}

bool writePuzzleSvg(std::FILE* out, const SheetPuzzle& puzzle, bool withAnswer, std::string& error) {
  // One grid on a sheet of its own size: a fixed cell, a caption band and a margin.
  const double mm = kPointsPerMm;
  const double cell = (withAnswer ? 6.0 : 9.0) * mm, margin = 4.0 * mm, captionBand = 7.0 * mm;
  const double width = puzzle.board.width * cell + 2 * margin;
  const double height = puzzle.board.height * cell + 2 * margin + captionBand;
  StreamState state{out};
  cairo_surface_t* surface = cairo_svg_surface_create_for_stream(writeToFile, &state, width, height);
  cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
  cairo_t* cr = cairo_create(surface);
  showCaption(cr, withAnswer ? answerCaption(puzzle) : sheetCaption(puzzle), width / 2, margin + captionBand - 2 * mm,
              withAnswer ? 7.5 : 9, width - 2 * margin);
  drawGrid(cr, puzzle, withAnswer, margin, margin + captionBand, cell);
  return finishSurface(surface, cr, state, error);
}

}  // namespace vantreel
