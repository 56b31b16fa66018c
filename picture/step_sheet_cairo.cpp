#include "picture/step_sheet_cairo.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>

#include "picture/cairo_drawing.h"

namespace vantreel {
namespace {

constexpr double kSentenceSize = 7.0;       // points
constexpr double kSmallestSentence = 5.0;   // a long sentence shrinks to this before it is cut
constexpr double kLineSpacing = 1.25;
constexpr double kTextGapMm = 1.5;          // grid to sentence

// Greedy line breaking at spaces with the current font.
std::vector<std::string> wrapWords(cairo_t* cr, const std::string& text, double width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    const std::string longer = line.empty() ? word : line + " " + word;
    cairo_text_extents_t extents;
    cairo_text_extents(cr, longer.c_str(), &extents);
    if (extents.x_advance > width && !line.empty()) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The sentence in the band under a grid: smaller type for a long one, and
// the last line cut with an ellipsis if even that does not hold it.
void showSentence(cairo_t* cr, const std::string& text, double left, double top, double width, double height) {
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  double size = kSentenceSize;
  std::vector<std::string> lines;
  std::size_t fit = 0;
  for (;; size -= 0.5) {
    cairo_set_font_size(cr, size);
    lines = wrapWords(cr, text, width);
    fit = static_cast<std::size_t>(height / (size * kLineSpacing));
    if (lines.size() <= fit || size <= kSmallestSentence) break;
  }
  if (lines.size() > fit && fit > 0) {
    lines.resize(fit);
    std::string& last = lines.back();
    for (cairo_text_extents_t extents;;) {
      cairo_text_extents(cr, (last + "\u2026").c_str(), &extents);
      const std::size_t space = last.rfind(' ');
      if (extents.x_advance <= width || space == std::string::npos) break;
      last.resize(space);
    }
    last += "\u2026";
  }
  cairo_set_source_rgb(cr, 0, 0, 0);
  for (std::size_t i = 0; i < lines.size() && i < fit; ++i) {
    cairo_move_to(cr, left, top + (i + 0.8) * size * kLineSpacing);
    cairo_show_text(cr, lines[i].c_str());
  }
}

void showTitle(cairo_t* cr, const std::string& title, const std::string& pageWords, double width) {
  const double mm = kPointsPerMm;
  const double baseline = (kSheetMetrics.margin + 4) * mm;
  cairo_set_source_rgb(cr, 0, 0, 0);
  selectFont(cr, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 9);
  double right = (width - kSheetMetrics.margin) * mm;
  if (!pageWords.empty()) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, pageWords.c_str(), &extents);
    cairo_move_to(cr, right - extents.x_advance, baseline);
    cairo_show_text(cr, pageWords.c_str());
    right -= extents.x_advance + 6 * mm;
  }
  selectFont(cr, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 11);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, title.c_str(), &extents);
  const double room = right - kSheetMetrics.margin * mm;
  if (extents.x_advance > room) cairo_set_font_size(cr, 11 * room / extents.x_advance);
  cairo_move_to(cr, kSheetMetrics.margin * mm, baseline);
  cairo_show_text(cr, title.c_str());
}

// One step's picture and sentence in slot `slot` of the page.
void drawStep(cairo_t* cr, const StepSheet& sheet, const StepPicture& step, const StepPageLayout& layout, int slot) {
  const double mm = kPointsPerMm;
  const Board& board = sheet.board;
  const double gridWidth = board.width * layout.cell, gridHeight = board.height * layout.cell;
  const double left = stepSlotLeft(layout, slot), top = stepSlotTop(layout, slot);
  WhiteCells white;
  if (step.candidates.size() >= static_cast<std::size_t>(board.cellCount())) white.candidates = step.candidates.data();
  if (step.shade.size() >= static_cast<std::size_t>(board.cellCount())) white.shade = step.shade.data();
  drawBoard(cr, board, white, true, (left + (layout.slotWidth - gridWidth) / 2) * mm, top * mm, layout.cell * mm);
  const double textTop = top + gridHeight + kTextGapMm;
  showSentence(cr, step.sentence, left * mm, textTop * mm, layout.slotWidth * mm,
               (top + layout.slotHeight - textTop) * mm);
}

int pagesOf(const StepSheet& sheet, const StepPageLayout& layout) {
  const int steps = static_cast<int>(sheet.steps.size());
  return std::max(1, (steps + layout.perPage() - 1) / layout.perPage());
}

}  // namespace

bool writeStepSheetPdf(std::FILE* out, const std::vector<StepSheet>& sheets, const Paper& paper, std::string& error) {
  std::vector<StepPageLayout> layouts;
  int pageCount = 0;
  for (const StepSheet& sheet : sheets) {
    layouts.push_back(layoutStepPage({sheet.board.width, sheet.board.height}, paper));
    pageCount += pagesOf(sheet, layouts.back());
  }
  StreamState state{out};
  cairo_surface_t* surface = createPdfSurface(state, paper, "Solving steps");
  cairo_t* cr = cairo_create(surface);
  int pageNumber = 0;
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const StepSheet& sheet = sheets[s];
    const StepPageLayout& layout = layouts[s];
    const Paper page = layout.landscape ? Paper{paper.height, paper.width} : paper;
    for (int p = 0; p < pagesOf(sheet, layout); ++p) {
      // Before anything is drawn on the page, or cairo keeps the old size.
      cairo_pdf_surface_set_size(surface, page.width * kPointsPerMm, page.height * kPointsPerMm);
      showTitle(cr, sheet.title, "page " + std::to_string(++pageNumber) + " of " + std::to_string(pageCount),
                page.width);
      const std::size_t first = static_cast<std::size_t>(p) * layout.perPage();
      for (std::size_t i = first; i < sheet.steps.size() && i < first + layout.perPage(); ++i)
        drawStep(cr, sheet, sheet.steps[i], layout, static_cast<int>(i - first));
      cairo_show_page(cr);
    }
  }
  return finishSurface(surface, cr, state, error);
}

bool writeStepSheetSvg(std::FILE* out, const StepSheet& sheet, std::string& error) {
  const StepPageLayout layout = layoutStepPage({sheet.board.width, sheet.board.height}, kPaperA4);
  const int steps = std::max<int>(1, static_cast<int>(sheet.steps.size()));
  const int rows = (steps + layout.columns - 1) / layout.columns;
  const double width = layout.landscape ? kPaperA4.height : kPaperA4.width;
  const double height = stepSlotTop(layout, (rows - 1) * layout.columns) + layout.slotHeight + kSheetMetrics.margin;
  StreamState state{out};
  cairo_surface_t* surface =
      cairo_svg_surface_create_for_stream(writeToFile, &state, width * kPointsPerMm, height * kPointsPerMm);
  cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
  cairo_t* cr = cairo_create(surface);
  showTitle(cr, sheet.title, "", width);
  for (std::size_t i = 0; i < sheet.steps.size(); ++i) drawStep(cr, sheet, sheet.steps[i], layout, static_cast<int>(i));
  return finishSurface(surface, cr, state, error);
}

}  // namespace vantreel
