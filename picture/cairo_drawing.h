#pragma once
// The cairo drawing that puzzle sheets and step sheets share: fonts, text,
// the grid with its clues, and the stream that takes the file's bytes.
// Built only where cairo is installed.
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "format/board.h"
#include "picture/sheet_layout.h"
#include "picture/step_sheet.h"

namespace vantreel {

inline constexpr double kPointsPerMm = 72.0 / 25.4;

// Where cairo writes; the first failed write is kept for the message.
struct StreamState {
  std::FILE* out;
  int writeError = 0;  // errno of the first failed write
};
cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length);

// The one font, unhinted: the same glyphs and positions on every machine.
void selectFont(cairo_t* cr, cairo_font_weight_t weight);
// Centres the ink of `text` on (x, y).
void showCentred(cairo_t* cr, const char* text, double x, double y);
// A line of words centred on x, shrunk when it would run wider than `width`.
void showCaption(cairo_t* cr, const std::string& text, double x, double baseline, double size, double width);

// What the white cells of a drawn grid show, each array per board cell or null.
struct WhiteCells {
  const std::uint8_t* answer = nullptr;       // a digit, 0 for none
  const std::uint16_t* candidates = nullptr;  // a 9-bit set: one digit large, more small in a 3x3 pattern
  const std::uint8_t* shade = nullptr;        // a CellShade
};

// The grid with its top-left corner at (left, top), all in points; clue sums
// only when `withSums`.
void drawBoard(cairo_t* cr, const Board& board, const WhiteCells& white, bool withSums, double left, double top,
               double cell);

// A PDF surface writing to `state`, titled, with no creation date: the same
// input gives the same file.
cairo_surface_t* createPdfSurface(StreamState& state, const Paper& paper, const char* title);

// Ends the drawing: false with `error` in words when cairo or the stream failed.
bool finishSurface(cairo_surface_t* surface, cairo_t* cr, const StreamState& state, std::string& error);

}  // namespace vantreel
