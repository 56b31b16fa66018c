#include "picture/cairo_drawing.h"

#include <cairo-pdf.h>

#include <bit>
#include <cerrno>
#include <cstring>

namespace vantreel {
namespace {

// The font Debian ships in fonts-dejavu-core; naming one font keeps the
// output the same on every machine that has it.
constexpr const char* kFontFamily = "DejaVu Sans";

// Clue cells are dark grey so that the black grid lines between them and the
// plain black blocks stay visible.
constexpr double kClueGrey = 0.22;
constexpr double kDiagonalGrey = 0.75;
constexpr double kThinLineMm = 0.2;
constexpr double kFrameLineMm = 0.7;

// Light enough that pencilled digits stay black on them.
constexpr double kShades[3][3] = {{1, 1, 1}, {0.84, 0.91, 1.0}, {1.0, 0.87, 0.45}};

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

void drawDigit(cairo_t* cr, int digit, double x, double y, double cell) {
  const char text[2] = {static_cast<char>('0' + digit), '\0'};
  cairo_set_source_rgb(cr, 0, 0, 0);
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 0.62 * cell);
  showCentred(cr, text, x + cell / 2, y + cell / 2);
}

// Pencil marks where a person writes them: 1 top left, 9 bottom right.
void drawCandidates(cairo_t* cr, std::uint16_t candidates, double x, double y, double cell) {
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 0.27 * cell);
  for (int digit = 1; digit <= 9; ++digit) {
    if ((candidates & (1u << (digit - 1))) == 0) continue;
    const char text[2] = {static_cast<char>('0' + digit), '\0'};
    const int row = (digit - 1) / 3, column = (digit - 1) % 3;
    showCentred(cr, text, x + (column + 0.5) * cell / 3, y + (row + 0.5) * cell / 3);
  }
}

}  // namespace

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
  auto* state = static_cast<StreamState*>(closure);
  errno = 0;
  if (std::fwrite(data, 1, length, state->out) != length) {
    if (state->writeError == 0) state->writeError = errno != 0 ? errno : EIO;
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

void selectFont(cairo_t* cr, cairo_font_weight_t weight) {
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL, weight);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void showCentred(cairo_t* cr, const char* text, double x, double y) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text, &extents);
  cairo_move_to(cr, x - extents.x_bearing - extents.width / 2, y - extents.y_bearing - extents.height / 2);
  cairo_show_text(cr, text);
}

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

void drawBoard(cairo_t* cr, const Board& board, const WhiteCells& white, bool withSums, double left, double top,
               double cell) {
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
        continue;
      }
      if (board.kinds[p] == CellKind::Clue) {
        drawClue(cr, board, p, x, y, cell, withSums);
        continue;
      }
      if (white.shade != nullptr && white.shade[p] != kPlainCell && white.shade[p] <= kStepCell) {
        const double* rgb = kShades[white.shade[p]];
        cairo_set_source_rgb(cr, rgb[0], rgb[1], rgb[2]);
        cairo_rectangle(cr, x, y, cell, cell);
        cairo_fill(cr);
      }
      if (white.answer != nullptr && white.answer[p] != 0) {
        drawDigit(cr, white.answer[p], x, y, cell);
      } else if (white.candidates != nullptr && white.candidates[p] != 0) {
        if (std::has_single_bit(white.candidates[p])) drawDigit(cr, std::countr_zero(white.candidates[p]) + 1, x, y, cell);
        else drawCandidates(cr, white.candidates[p], x, y, cell);
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

cairo_surface_t* createPdfSurface(StreamState& state, const Paper& paper, const char* title) {
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(writeToFile, &state, paper.width * kPointsPerMm, paper.height * kPointsPerMm);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "vantreel");
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
  return surface;
}

bool finishSurface(cairo_surface_t* surface, cairo_t* cr, const StreamState& state, std::string& error) {
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

}  // namespace vantreel
