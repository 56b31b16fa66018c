#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "picture/sheet_layout.h"
#include "picture/step_sheet.h"

namespace vantreel {
namespace {

// Puzzles on the first page for a batch of one size.
int firstPageCount(GridSize size, const Paper& paper) {
  return static_cast<int>(layoutSheet(std::vector<GridSize>(30, size), paper).front().placements.size());
}

TEST(SheetLayout, PutsFourElevenByElevenOrTwoFifteenByFifteenOnAPage) {
  for (const Paper& paper : {kPaperA4, kPaperLetter}) {
    EXPECT_EQ(firstPageCount({12, 12}, paper), 4);
    EXPECT_EQ(firstPageCount({16, 16}, paper), 2);
    EXPECT_EQ(firstPageCount({20, 16}, paper), 2);
    EXPECT_EQ(firstPageCount({24, 18}, paper), 1);
  }
}

// A grid with its caption band, in millimetres.
struct Box {
  double left, top, right, bottom;
};

Box boxOf(const SheetPlacement& placement, GridSize size) {
  return {placement.left, placement.top - kSheetMetrics.captionHeight, placement.left + size.columns * placement.cell,
          placement.top + size.rows * placement.cell};
}

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Checks every page of a layout against the rules a printed sheet needs.
void expectSoundSheet(const std::vector<GridSize>& sizes, const Paper& paper) {
  const std::vector<SheetPage> pages = layoutSheet(sizes, paper);
  std::vector<int> order[2];
  bool answersBegun = false;
  for (const SheetPage& page : pages) {
    const Paper sheet = pagePaper(page, paper);
    const bool answers = page.part == SheetPart::Answers;
    EXPECT_TRUE(answers || !answersBegun) << "a puzzle page after the answers";
    answersBegun = answersBegun || answers;
    const PartMetrics& metrics = answers ? kAnswerMetrics : kPuzzleMetrics;
    ASSERT_FALSE(page.placements.empty());
    for (std::size_t i = 0; i < page.placements.size(); ++i) {
      const SheetPlacement& placement = page.placements[i];
      const GridSize size = sizes[placement.index];
      order[answers].push_back(placement.index);
      const Box box = boxOf(placement, size);
      const double slack = 1e-9;
      EXPECT_GE(box.left, kSheetMetrics.margin - slack);
      EXPECT_GE(box.top, kSheetMetrics.margin + kSheetMetrics.titleHeight - slack);
      EXPECT_LE(box.right, sheet.width - kSheetMetrics.margin + slack);
      EXPECT_LE(box.bottom, sheet.height - kSheetMetrics.margin + slack);
      EXPECT_LE(placement.cell, metrics.maxCell);
      // Only a grid alone on its page may have cells below the legible size.
      if (page.placements.size() > 1) {
        EXPECT_GE(placement.cell, metrics.minCell);
      }
      for (std::size_t j = 0; j < i; ++j)
        EXPECT_FALSE(overlap(box, boxOf(page.placements[j], sizes[page.placements[j].index])))
            << "grids " << page.placements[j].index << " and " << placement.index;
    }
  }
  for (const std::vector<int>& part : order) {
    ASSERT_EQ(part.size(), sizes.size());
    for (std::size_t i = 0; i < part.size(); ++i) EXPECT_EQ(part[i], static_cast<int>(i));
  }
}

TEST(SheetLayout, KeepsGridsOnThePageApartAndInFileOrderForMixedSizes) {
  std::mt19937 random(42);
  for (int trial = 0; trial < 60; ++trial) {
    std::vector<GridSize> sizes(1 + random() % 25);
    for (GridSize& size : sizes) {
      const int columns = static_cast<int>(2 + random() % 30), rows = static_cast<int>(2 + random() % 30);
      size = trial % 3 == 0 ? GridSize{12, 12} : GridSize{columns, rows};
    }
    expectSoundSheet(sizes, trial % 2 ? kPaperLetter : kPaperA4);
  }
}

TEST(SheetLayout, GivesABoardTooLargeForLegibleCellsAPageOfItsOwn) {
  const std::vector<GridSize> sizes{{12, 12}, {127, 127}, {12, 12}};
  expectSoundSheet(sizes, kPaperA4);
  const std::vector<SheetPage> pages = layoutSheet(sizes, kPaperA4);
  ASSERT_EQ(pages.size(), 6u);  // the large board splits the small ones onto pages of their own
  EXPECT_EQ(pages[1].placements.size(), 1u);
  EXPECT_LT(pages[1].placements[0].cell, kPuzzleMetrics.minCell);
}

// A 45x30 interior (46x31 with the border) gets about 4 mm cells upright, over 5 mm turned.
TEST(SheetLayout, TurnsTheLoneWideBoardWhenItsCellsGrowAndKeepsTheRestUpright) {
  const std::vector<SheetPage> wide = layoutSheet({{46, 31}}, kPaperA4);
  ASSERT_FALSE(wide.empty());
  EXPECT_TRUE(wide.front().landscape);
  EXPECT_GT(wide.front().placements.front().cell, 5.0);
  const Paper turned = pagePaper(wide.front(), kPaperA4);
  EXPECT_DOUBLE_EQ(turned.width, kPaperA4.height);
  for (const SheetPlacement& placement : wide.front().placements)
    EXPECT_LE(placement.left + 46 * placement.cell, turned.width - kSheetMetrics.margin + 1e-9);
  // Tall, square and small boards: every page stays upright.
  for (const GridSize size : {GridSize{31, 46}, GridSize{40, 40}, GridSize{12, 12}, GridSize{20, 16}})
    for (const SheetPage& page : layoutSheet(std::vector<GridSize>(5, size), kPaperA4))
      EXPECT_FALSE(page.landscape) << size.columns << "x" << size.rows;
}

// Step pictures stay on the page and apart, with cells large enough for
// pencil marks whenever a page holds more than one; a board too large for
// that gets a page of its own, turned when it is wide.
TEST(StepSheetLayout, KeepsPicturesOnThePageApartAndLegible) {
  for (const Paper& paper : {kPaperA4, kPaperLetter})
    for (const GridSize size : {GridSize{5, 4}, {12, 12}, {16, 16}, {24, 18}, {31, 31}, {46, 31}, {127, 127}}) {
      const StepPageLayout layout = layoutStepPage(size, paper);
      const Paper page = layout.landscape ? Paper{paper.height, paper.width} : paper;
      if (layout.perPage() > 1) {
        EXPECT_GE(layout.cell, kStepMinCell);
      }
      EXPECT_LE(layout.cell, kStepMaxCell);
      for (int slot = 0; slot < layout.perPage(); ++slot) {
        const double left = stepSlotLeft(layout, slot), top = stepSlotTop(layout, slot);
        EXPECT_GE(left, kSheetMetrics.margin - 1e-9);
        EXPECT_LE(left + layout.slotWidth, page.width - kSheetMetrics.margin + 1e-9);
        EXPECT_LE(top + layout.slotHeight, page.height - kSheetMetrics.margin + 1e-9);
        EXPECT_LE(size.columns * layout.cell, layout.slotWidth + 1e-9);
        EXPECT_LE(size.rows * layout.cell + kStepTextHeight, layout.slotHeight + 1e-9);
        if (slot % layout.columns != 0) {
          EXPECT_GE(left, stepSlotLeft(layout, slot - 1) + layout.slotWidth + kSheetMetrics.gap - 1e-9);
        }
      }
    }
  EXPECT_EQ(layoutStepPage({12, 12}, kPaperA4).perPage(), 4);
  const StepPageLayout wide = layoutStepPage({46, 31}, kPaperA4);
  EXPECT_EQ(wide.perPage(), 1);
  EXPECT_TRUE(wide.landscape);
  EXPECT_FALSE(layoutStepPage({127, 127}, kPaperA4).landscape);
}

}  // namespace
}  // namespace vantreel
