#include "picture/sheet_cairo.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <cerrno>
#include <cstring>

namespace vantreel {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// The font Debian ships in fonts-dejavu-core; naming one font keeps the
// output the same on every machine that has it.
constexpr const char* kFontFamily = "DejaVu Sans";

// Clue cells are dark grey so that the black grid lines between them and the
// plain black blocks stay visible.
constexpr double kClueGrey = 0.22;
constexpr double kDiagonalGrey = 0.75;
constexpr double kThinLineMm = 0.2;
constexpr double kFrameLineMm = 0.7;

struct StreamState {
  std::FILE* out;
  int writeError = 0;  // errno of the first failed write
};

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
  auto* state = static_cast<StreamState*>(closure);
  errno = 0;
  if (std::fwrite(data, 1, length, state->out) != length) {
    if (state->writeError == 0) state->writeError = errno != 0 ? errno : EIO;
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

// Unhinted outlines: the glyphs and their positions do not depend on the
// user's fontconfig settings.
void selectFont(cairo_t* cr, cairo_font_weight_t weight) {
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, weight);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

// Centres the ink of `text` on (x, y).
void showCentred(cairo_t* cr, const char* text, double x, double y) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  cairo_move_to(cr, x - extents.x_bearing - extents.width / 2, y - extents.y_bearing - extents.height / 2);
  cairo_show_text(cr, text);
}

// A line of words centred on x, shrunk when it would run wider than `width`.
void showCaption(cairo_t* cr, const std::string& text, double x, double baseline, double size, double width) {
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  if (extents.x_advance > width) {
    cairo_set_font_size(cr, size * width / extents.x_advance);
    cairo_text_extents(cr, text.c_str(), &extents);
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, x - extents.x_advance / 2, baseline);
  cairo_show_text(cr, text.c_str());
}

// Answer grids leave the sums out: at answer size they would be too small to read.
void drawClue(cairo_t* cr, const Board& board, int p, double x, double y, double cell, bool withSums) {
  cairo_set_source_rgb(cr, kClueGrey, kClueGrey, kClueGrey);
  cairo_rectangle(cr, x, y, cell, cell);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, kDiagonalGrey, kDiagonalGrey, kDiagonalGrey);
  cairo_set_line_width(cr, kThinLineMm * kPointsPerMm);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + cell, y + cell);
  cairo_stroke(cr);
  if (!withSums) return;
  // Down sum in the lower-left half, across sum in the upper-right half.
  cairo_set_source_rgb(cr, 1, 1, 1);
  selectFont(cr, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 0.34 * cell);
  char text[4];
  if (const int down = board.sums[2 * p + 1]; down != 0) {
    std::snprintf(text, sizeof text, "%d", down);
    showCentred(cr, text, x + 0.3 * cell, y + 0.72 * cell);
  }
  if (const int across = board.sums[2 * p]; across != 0) {
    std::snprintf(text, sizeof text, "%d", across);
    showCentred(cr, text, x + 0.7 * cell, y + 0.28 * cell);
  }
}

// The grid with its top-left corner at (left, top), all in points.
void drawGrid(cairo_t* cr, const SheetPuzzle& puzzle, bool withAnswer, double left, double top, double cell) {
  const Board& board = puzzle.board;
  const double width = board.width * cell, height = board.height * cell;
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_rectangle(cr, left, top, width, height);
  cairo_fill(cr);
  for (int row = 0; row < board.height; ++row)
    for (int column = 0; column < board.width; ++column) {
      const int p = row * board.width + column;
      const double x = left + column * cell, y = top + row * cell;
      if (board.kinds[p] == CellKind::Block) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_fill(cr);
      } else if (board.kinds[p] == CellKind::Clue) {
        drawClue(cr, board, p, x, y, cell, !withAnswer);
      } else if (withAnswer && static_cast<std::size_t>(p) < puzzle.answer.size() && puzzle.answer[p] != 0) {
        const char digit[2] = {static_cast<char>('0' + puzzle.answer[p]), '\0'};
        cairo_set_source_rgb(cr, 0, 0, 0);
        selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 0.62 * cell);
        showCentred(cr, digit, x + cell / 2, y + cell / 2);
      }
    }
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_set_line_width(cr, kThinLineMm * kPointsPerMm);
  for (int column = 1; column < board.width; ++column) {
    cairo_move_to(cr, left + column * cell, top);
    cairo_line_to(cr, left + column * cell, top + height);
  }
  for (int row = 1; row < board.height; ++row) {
    cairo_move_to(cr, left, top + row * cell);
    cairo_line_to(cr, left + width, top + row * cell);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, kFrameLineMm * kPointsPerMm);
  cairo_rectangle(cr, left, top, width, height);
  cairo_stroke(cr);
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
  for (const Placement& placement : page.placements) {
    const SheetPuzzle& puzzle = puzzles[placement.index];
    showCaption(cr, answers ? answerCaption(puzzle) : sheetCaption(puzzle), placement.captionX * mm,
                placement.captionBaseline * mm, answers ? 7.5 : 9, placement.captionWidth * mm);
    drawGrid(cr, puzzle, answers, placement.left * mm, placement.top * mm, placement.cell * mm);
  }
}

bool finish(cairo_surface_t* surface, cairo_t* cr, const StreamState& state, std::string& error) {
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (state.writeError != 0) error = std::strerror(state.writeError);
  else if (status != CAIRO_STATUS_SUCCESS) error = cairo_status_to_string(status);
  else return true;
  return false;
}

}  // namespace

bool writeSheetPdf(std::FILE* out, const std::vector<SheetPuzzle>& puzzles, const Paper& paper, std::string& error) {
  std::vector<GridSize> sizes;
  for (const SheetPuzzle& puzzle : puzzles) sizes.push_back({puzzle.board.width, puzzle.board.height});
  const std::vector<SheetPage> pages = layoutSheet(sizes, paper);
  StreamState state{out};
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(writeToFile, &state, paper.width * kPointsPerMm, paper.height * kPointsPerMm);
  // No creation date: the same puzzles give the same file.
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, "Cross sum puzzles");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "vantreel");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
  cairo_t* cr = cairo_create(surface);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const Paper sheet = pagePaper(pages[i], paper);
    // Before anything is drawn on the page, or cairo keeps the old size.
    cairo_pdf_surface_set_size(surface, sheet.width * kPointsPerMm, sheet.height * kPointsPerMm);
    drawPage(cr, sheet, pages[i], static_cast<int>(i) + 1, static_cast<int>(pages.size()), puzzles);
    cairo_show_page(cr);
  }
  return finish(surface, cr, state, error);
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
  return finish(surface, cr, state, error);
}

}  // namespace vantreel
