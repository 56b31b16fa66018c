#pragma once
// Drawn layouts for a size: symmetric, connected, runs of 2..9 cells, with
// the white share and run lengths of hand-made puzzles.
#include <array>
#include <cstdint>
#include <vector>

#include "generator/layout.h"
#include "generator/random_source.h"

namespace vantreel {

enum class Symmetry : std::uint8_t { Half, Quarter, Mirror, None };

// Smallest and largest white share (percent) that still draws layouts of runs
// 2..9 cells within a few attempts and fills them within seconds: asked for
// 77 and 78, the drawn 23x17 layouts come near 79% white, and take 3 and
// over 100 seconds a puzzle.
inline constexpr int kLowestWhitePercent = 68;
inline constexpr int kHighestWhitePercent = 76;
inline constexpr int kDefaultWhitePercent = 72;
// Runs of 2, 3, 4 and 5+ cells, in percent of all runs.
inline constexpr std::array<int, 4> kRunSharePercents = {40, 26, 16, 18};

struct LayoutGoal {
  int columns = 11;  // interior
  int rows = 11;
  Symmetry symmetry = Symmetry::Half;  // Quarter needs columns == rows
  int whitePercent = kDefaultWhitePercent;
};

// One drawer per thread: its buffers keep their capacity between layouts.
class LayoutDrawer {
 public:
  // Hill climbing over symmetric groups of cells toward the goal's shares;
  // the faults it leaves are mended by one or two flips near each, then the
  // white cells outside the largest group are made blocks. False
  // when this attempt kept a fault; the caller draws again.
  [[nodiscard]] bool draw(RandomSource& random, const LayoutGoal& goal, Layout& layout);

 private:
  // A line's counts: faults, runs, whites, overrun (lone cells plus, for
  // each line over nine, its cells past the ninth: how far the faults are
  // from mended), then runs of 2, 3, 4 and 5+ cells. One vector, so that a
  // stretch or a whole line is added in one instruction.
  struct LineStats {
    using Counts = std::int16_t __attribute__((vector_size(16)));
    Counts counts{};
    int faults() const { return counts[0]; }
    int runs() const { return counts[1]; }
    int whites() const { return counts[2]; }
    int overrun() const { return counts[3]; }
    int length(int k) const { return counts[4 + k]; }  // runs of 2 + k cells, 5+ for k = 3
  };
  static const std::array<LineStats, kMaxInterior + 1> kStretches;  // what a stretch of each length adds
  // Cells flipped together (whole orbits, each cell once) and the lines
  // they touch with those lines' counts before, so that a flip undoes.
  struct Flip {
    int cells[8];
    int cellCount = 0;
    int lines[16];
    LineStats before[16];
    int lineCount = 0;
  };
  // A line's white cells, bit k for its k-th cell: the stretches beside a
  // flipped cell are two bit scans, not a walk along a long line.
  struct LineBits {
    std::uint64_t words[2] = {0, 0};
    void flip(int at) { words[at >> 6] ^= std::uint64_t{1} << (at & 63); }
    bool has(int at) const { return (words[at >> 6] >> (at & 63) & 1) != 0; }
  };
  int orbitOf(int cell, int* cells) const;
  LineStats countLine(const Layout& layout, int line) const;
  void flipOnLine(int line, int cell);
  void addLine(const LineStats& stats, int sign);
  void flipCell(Layout& layout, int cell);
  double score() const;
  void orbitsOf(int a, int b, Flip& flip) const;
  void applyFlip(Layout& layout, Flip& flip);
  void undoFlip(Layout& layout, const Flip& flip);
  int faultNear(const Layout& layout, int line, int* cells) const;
  [[nodiscard]] bool mendOneFault(Layout& layout);
  [[nodiscard]] bool keepLargestGroup(Layout& layout);

  LayoutGoal goal_;
  double whiteAim_ = 0;    // white cells the climb aims at, past the cut-off groups
  double meanRunAim_ = 0;  // cells per run it aims at
  std::vector<LineStats> lines_;  // rows, then columns
  std::vector<LineBits> bits_;    // the same
  std::vector<std::uint8_t> rowOf_, columnOf_;  // per interior cell
  LineStats total_;
  std::vector<std::int32_t> group_;
  std::vector<std::int32_t> stack_;
};

}  // namespace vantreel
