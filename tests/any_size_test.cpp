#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <random>
#include <set>
#include <string>

#include "format/puzzle_line.h"
#include "generator/batch.h"
#include "generator/fill_pipeline.h"
#include "generator/layout.h"
#include "generator/layout_drawing.h"
#include "solver/solution_count.h"

namespace vantreel {
namespace {

Layout pictureLayout(const std::vector<std::string>& rows) {
  Layout layout{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}};
  for (const std::string& row : rows)
    for (const char c : row) layout.white.push_back(c == '.');
  return layout;
}

// An independent reading of the rules: every maximal white line in both
// directions, with union-find for the groups.
struct Reference {
  bool tooLong = false, aloneBothWays = false, split = false, empty = true;
  std::array<int, 10> lengths{};  // index 1..9 by length, [0] lines over nine
  int whites = 0;
};
Reference referenceOf(const Layout& layout) {
  Reference r;
  const int w = layout.columns, h = layout.rows;
  std::vector<int> parent(w * h);
  std::iota(parent.begin(), parent.end(), 0);
  auto root = [&](int x) {
    while (parent[x] != x) x = parent[x] = parent[parent[x]];
    return x;
  };
  auto white = [&](int row, int column) {
    return row >= 0 && row < h && column >= 0 && column < w && layout.white[row * w + column];
  };
  for (int row = 0; row < h; ++row)
    for (int column = 0; column < w; ++column) {
      if (!white(row, column)) continue;
      r.empty = false;
      ++r.whites;
      if (white(row, column + 1)) parent[root(row * w + column)] = root(row * w + column + 1);
      if (white(row + 1, column)) parent[root(row * w + column)] = root((row + 1) * w + column);
      if (!white(row, column - 1) && !white(row, column + 1) && !white(row - 1, column) && !white(row + 1, column))
        r.aloneBothWays = true;
    }
  for (int pass = 0; pass < 2; ++pass)
    for (int line = 0; line < (pass == 0 ? h : w); ++line) {
      int run = 0;
      for (int k = 0; k <= (pass == 0 ? w : h); ++k) {
        if (pass == 0 ? white(line, k) : white(k, line)) {
          ++run;
          continue;
        }
        if (run > 9) r.tooLong = true, ++r.lengths[0];
        else if (run > 0) ++r.lengths[run];
        run = 0;
      }
    }
  std::set<int> roots;
  for (int p = 0; p < w * h; ++p)
    if (layout.white[p]) roots.insert(root(p));
  r.split = roots.size() > 1;
  return r;
}

TEST(LayoutCheck, AgreesWithAReferenceOnRandomLayouts) {
  std::mt19937 random(5);
  int accepted = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    Layout layout{1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 12), {}};
    const int share = 50 + static_cast<int>(random() % 45);
    for (int p = 0; p < layout.columns * layout.rows; ++p) layout.white.push_back(static_cast<int>(random() % 100) < share);
    const Reference reference = referenceOf(layout);
    const bool refused = reference.tooLong || reference.aloneBothWays || reference.split || reference.empty;
    const LayoutFault fault = checkLayout(layout);
    ASSERT_EQ(static_cast<bool>(fault), refused) << trial << ": " << fault.reason;
    accepted += !refused;
    if (fault && !reference.empty) {
      // The named cell is white, inside the layout.
      ASSERT_GE(fault.row, 1);
      ASSERT_LE(fault.row, layout.rows);
      ASSERT_LE(fault.column, layout.columns);
      EXPECT_TRUE(layout.isWhite(fault.row - 1, fault.column - 1)) << fault.reason;
    }
  }
  EXPECT_GT(accepted, 100);  // both answers are exercised
}

TEST(LayoutCheck, NamesTheRowColumnAndReason) {
  EXPECT_EQ(checkLayout(pictureLayout({"#..........", "#.........."})).reason,
            "a white line of 10 cells across (at most 9)");
  const LayoutFault alone = checkLayout(pictureLayout({"..#", "..#", "#.#"}));
  EXPECT_EQ(alone.reason, "");  // r3c2 has the column above it
  const LayoutFault lone = checkLayout(pictureLayout({"..##", "..#.", "####"}));
  EXPECT_EQ(lone.row, 2);
  EXPECT_EQ(lone.column, 4);
  EXPECT_EQ(lone.reason, "a white cell alone in both directions");
  const LayoutFault split = checkLayout(pictureLayout({"..#..", "..#.."}));
  EXPECT_EQ(split.row, 1);
  EXPECT_EQ(split.column, 4);
  EXPECT_NE(split.reason.find("not connected"), std::string::npos);
  EXPECT_EQ(checkLayout(pictureLayout({"###"})).reason, "no white cell");
}

TEST(LayoutReading, TakesPicturesAndPuzzleLinesAndNamesWhatIsWrong) {
  Layout layout;
  std::string reason;
  ASSERT_TRUE(readLayout("\xEF\xBB\xBF#..\r\n...  \n..#\n\n\n", layout, reason)) << reason;
  EXPECT_EQ(layout.columns, 3);
  EXPECT_EQ(layout.rows, 3);
  EXPECT_EQ(layout.white, (std::vector<std::uint8_t>{0, 1, 1, 1, 1, 1, 1, 1, 0}));
  // A puzzle line and its link give the board's white cells.
  Board board;
  ASSERT_TRUE(parseBoard(board, "1/4/3/l60.m.07l.4636"));
  for (const char* line : {"1/4/3/l60.m.07l.4636", "https://puzz.link/p?kakuro/4/3/l60.m.07l.4636"}) {
    ASSERT_TRUE(readLayout(line, layout, reason)) << reason;
    EXPECT_EQ(layout.white, layoutOf(board).white);
    EXPECT_EQ(layout.columns, 4);
  }
  EXPECT_FALSE(readLayout("#..\n..\n", layout, reason));
  EXPECT_EQ(reason, "line 2 has 2 cells, line 1 has 3");
  EXPECT_FALSE(readLayout("#..\n.x.\n", layout, reason));
  EXPECT_EQ(reason, "line 2, column 2: not '#' (block) or '.' (white cell)");
  EXPECT_FALSE(readLayout("#..\n\n...\n", layout, reason));
  EXPECT_FALSE(readLayout("\n\n", layout, reason));
  EXPECT_EQ(reason, "no layout in the file");
  EXPECT_FALSE(readLayout(std::string(127, '.'), layout, reason));
}

// The cell a symmetry maps (row, column) to, written out for each kind.
int imageOf(Symmetry symmetry, int columns, int rows, int row, int column) {
  switch (symmetry) {
    case Symmetry::Half: return (rows - 1 - row) * columns + columns - 1 - column;
    case Symmetry::Quarter: return column * columns + columns - 1 - row;
    case Symmetry::Mirror: return row * columns + columns - 1 - column;
    default: return row * columns + column;
  }
}

TEST(LayoutDrawing, DrawsValidSymmetricLayoutsOfEverySize) {
  LayoutDrawer drawer;
  Layout layout;
  const struct { int columns, rows; Symmetry symmetry; } goals[] = {
      {3, 3, Symmetry::Half},    {4, 7, Symmetry::Half},     {12, 12, Symmetry::Quarter}, {9, 6, Symmetry::Mirror},
      {10, 8, Symmetry::None},   {45, 30, Symmetry::Half},   {60, 40, Symmetry::Half},
      // Big boards end their climb with a few lone cells or overlong lines,
      // which only the mending after it removes.
      {100, 100, Symmetry::Half}, {126, 126, Symmetry::Quarter}, {90, 60, Symmetry::Mirror}, {80, 50, Symmetry::None}};
  for (const auto& goal : goals) {
    RandomSource random(static_cast<std::uint32_t>(goal.columns * 1000 + goal.rows), Sharing::Owned);
    int attempts = 0;
    while (!drawer.draw(random, LayoutGoal{goal.columns, goal.rows, goal.symmetry, kDefaultWhitePercent}, layout))
      ASSERT_LT(++attempts, 10) << goal.columns << "x" << goal.rows;
    const Reference reference = referenceOf(layout);
    EXPECT_FALSE(reference.tooLong || reference.aloneBothWays || reference.split || reference.empty);
    EXPECT_EQ(reference.lengths[1], 0) << "drawn layouts have no one-cell runs";
    for (int row = 0; row < goal.rows; ++row)
      for (int column = 0; column < goal.columns; ++column)
        ASSERT_EQ(layout.white[row * goal.columns + column],
                  layout.white[imageOf(goal.symmetry, goal.columns, goal.rows, row, column)]);
  }
}

// Over many default 23x17 layouts the white share and the shares of runs of
// 2, 3, 4 and 5+ cells stay within five points of hand-made puzzles', and
// runs average near their 3.25 cells (layouts with longer runs seldom take a
// unique filling); --white moves the density.
TEST(LayoutDrawing, SharesAreCloseToHandMadePuzzles) {
  LayoutDrawer drawer;
  Layout layout;
  for (const int white : {kDefaultWhitePercent, kLowestWhitePercent, kHighestWhitePercent}) {
    double whites = 0, runs = 0;
    std::array<double, 4> lengths{};
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
      RandomSource random(puzzleSeed(seed, 0), Sharing::Owned);
      while (!drawer.draw(random, LayoutGoal{23, 17, Symmetry::Half, white}, layout)) {
      }
      const Reference reference = referenceOf(layout);
      whites += reference.whites / (23.0 * 17.0);
      for (int length = 2; length <= 9; ++length) {
        lengths[std::min(length, 5) - 2] += reference.lengths[length];
        runs += reference.lengths[length];
      }
    }
    EXPECT_NEAR(100 * whites / 40, white, 5);
    if (white != kDefaultWhitePercent) continue;
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(100 * lengths[k] / runs, kRunSharePercents[k], 5) << "runs of " << k + 2;
    EXPECT_NEAR(2 * whites * 23 * 17 / runs, 3.25, 0.15);
  }
}

// Solutions by brute force over every filling with no digit twice in a run.
int bruteForceCount(const Board& board) {
  const std::vector<RunSpan> runs = listRuns(board);
  std::vector<int> whites;
  for (int p = 0; p < board.cellCount(); ++p)
    if (board.kinds[p] == CellKind::White) whites.push_back(p);
  std::vector<int> digits(board.cellCount(), 0);
  int found = 0;
  auto fits = [&](bool complete) {
    for (const RunSpan& run : runs) {
      int sum = 0, mask = 0, open = 0;
      for (int k = 0; k < run.length; ++k) {
        const int d = digits[run.cell(k)];
        if (d == 0) {
          ++open;
          continue;
        }
        if (mask >> d & 1) return false;
        mask |= 1 << d, sum += d;
      }
      if (sum > run.sum || (open == 0 && sum != run.sum) || (complete && open > 0)) return false;
    }
    return true;
  };
  auto walk = [&](auto& self, std::size_t k) -> void {
    if (found > 2) return;
    if (k == whites.size()) {
      found += fits(true);
      return;
    }
    for (int d = 1; d <= 9; ++d) {
      digits[whites[k]] = d;
      if (fits(false)) self(self, k + 1);
    }
    digits[whites[k]] = 0;
  };
  walk(walk, 0);
  return found;
}

TEST(FillMethod, KeepsTheLayoutAndMakesPuzzlesWithOneSolution) {
  const std::vector<std::vector<std::string>> pictures = {
      {"#..", "...", "..#"}, {"..", ".."}, {"##..", "#...", "...#", "..##"}, {"...#", "....", "#...", "#.#."}};
  for (const auto& picture : pictures) {
    const Layout layout = pictureLayout(picture);
    ASSERT_FALSE(checkLayout(layout)) << picture[0];
    FillPipeline pipeline(FillRequest{{}, &layout});
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
      RandomSource random(seed, Sharing::Owned);
      Board board;
      ASSERT_TRUE(pipeline.make(random, board));
      EXPECT_EQ(layoutOf(board).white, layout.white);
      EXPECT_EQ(bruteForceCount(board), 1) << picture[0] << " seed " << seed;
    }
  }
}

TEST(FillMethod, DrawnPuzzlesAreUniqueAndTheSameOnAnyThreadCount) {
  SequenceRequest request{1, 9, 0, 6, 1, Method::Fill, FillRequest{LayoutGoal{9, 8, Symmetry::Half, 72}, nullptr}};
  std::vector<std::string> lines[2];
  for (const int threads : {1, 2}) {
    request.threads = threads;
    ASSERT_TRUE(makeSequence(request, [&](std::uint64_t, const Board& board) {
      const SolutionCount count = countSolutions(board, 2);
      EXPECT_EQ(count.found, 1);
      EXPECT_FALSE(count.budgetExceeded);
      EXPECT_EQ(board.width, 10);
      EXPECT_EQ(board.height, 9);
      char* text = nullptr;
      std::size_t size = 0;
      std::FILE* out = open_memstream(&text, &size);
      writeBoard(out, board);
      std::fclose(out);
      lines[threads - 1].emplace_back(text, size);
      std::free(text);
      return true;
    }));
  }
  EXPECT_EQ(lines[0], lines[1]);
  EXPECT_EQ(std::set<std::string>(lines[0].begin(), lines[0].end()).size(), lines[0].size());
}

// A layout run that gives up at one position still delivers every puzzle
// before it, on any thread count, and nothing after it.
// Asked to, the maker gives a layout up once its first tightened filling
// stays open, before any search; unasked, the same seed makes a puzzle.
TEST(FillMethod, GivesUpAnOpenLayoutOnlyWhenAsked) {
  const Layout layout = pictureLayout({"#....##", "......#", "..#....", "....#..", "#......", "##....#"});
  FillMaker maker;
  maker.load(layout);
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    Board board;
    FillStats stats;
    RandomSource asked(seed, Sharing::Owned);
    EXPECT_FALSE(maker.make(asked, kFillWorkBudget, board, &stats, -1.0));
    EXPECT_EQ(stats.fillings, 1);
    EXPECT_EQ(stats.searches, 0);
    RandomSource unasked(seed, Sharing::Owned);
    EXPECT_TRUE(maker.make(unasked, kFillWorkBudget, board));
  }
}

TEST(FillMethod, AGivenUpLayoutKeepsThePuzzlesBeforeIt) {
  const Layout layout = pictureLayout({"#....##", "......#", "..#....", "....#..", "#......", "##....#"});
  ASSERT_FALSE(checkLayout(layout));
  const std::uint64_t seed = 7, positions = 12;
  // The smallest budget at which some early positions succeed and a later one fails.
  for (std::int64_t budget = 1 << 22; budget >= 1 << 6; budget /= 2) {
    FillPipeline pipeline(FillRequest{{}, &layout, budget});
    std::uint64_t firstFailure = positions;
    for (std::uint64_t i = 0; i < positions && firstFailure == positions; ++i) {
      RandomSource random(puzzleSeed(seed, i), Sharing::Owned);
      Board board;
      if (!pipeline.make(random, board)) firstFailure = i;
    }
    if (firstFailure == 0 || firstFailure == positions) continue;
    for (const int threads : {1, 2}) {
      SequenceRequest request{1, seed, 0, positions, threads, Method::Fill, FillRequest{{}, &layout, budget}};
      std::vector<std::uint64_t> delivered;
      bool gaveUp = false;
      EXPECT_FALSE(makeSequence(
          request, [&](std::uint64_t position, const Board&) { return delivered.push_back(position), true; },
          &gaveUp));
      EXPECT_TRUE(gaveUp);
      std::vector<std::uint64_t> expected(firstFailure);
      std::iota(expected.begin(), expected.end(), 0);
      EXPECT_EQ(delivered, expected) << "threads " << threads << ", budget " << budget;
    }
    return;
  }
  FAIL() << "no budget gave a run that succeeds first and gives up later";
}

}  // namespace
}  // namespace vantreel
