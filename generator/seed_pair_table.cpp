#include "generator/seed_pair_table.h"

#include <array>

namespace vantreel {
namespace {

constexpr SeedPair kPairs2x2[] = {
    {3, 4},   {4, 3},   {4, 6},   {6, 4},   {14, 16}, {16, 14}, {16, 17}, {17, 16}, {3, 4},
    {4, 3},   {4, 6},   {6, 4},   {14, 16}, {16, 14}, {16, 17}, {17, 16}, {3, 11},  {4, 11},
    {4, 12},  {5, 13},  {6, 14},  {7, 15},  {8, 16},  {9, 16},  {9, 17},  {11, 3},  {11, 4},
    {12, 4},  {13, 5},  {14, 6},  {15, 7},  {16, 8},  {16, 9},  {17, 9}};
constexpr SeedPair kPairs2x3[] = {
    {4, 7},  {4, 7},  {4, 7},  {3, 19}, {4, 19},  {4, 20},  {5, 21},  {6, 22},  {7, 23},  {8, 23},
    {8, 24}, {12, 6}, {12, 7}, {13, 7}, {14, 8},  {15, 9},  {16, 10}, {16, 11}, {16, 23}, {17, 11}};
constexpr SeedPair kPairs2x4[] = {{3, 26},  {4, 26},  {4, 27},  {5, 28},  {6, 29},
                                  {7, 29},  {7, 30},  {13, 10}, {13, 11}, {14, 11},
                                  {15, 12}, {16, 13}, {16, 14}, {17, 14}};
constexpr SeedPair kPairs2x5[] = {{3, 32},  {4, 32},  {4, 33},  {5, 34},  {6, 34},  {6, 35},
                                  {14, 15}, {14, 16}, {15, 16}, {16, 17}, {16, 18}, {17, 18}};
constexpr SeedPair kPairs2x6[] = {{3, 37},  {4, 37},  {4, 38},  {5, 38},  {5, 39},  {6, 38},
                                  {14, 22}, {15, 21}, {15, 22}, {16, 22}, {16, 23}, {17, 23}};
constexpr SeedPair kPairs2x7[] = {{3, 41}, {4, 42}, {16, 28}, {17, 29}};
constexpr SeedPair kPairs2x8[] = {{3, 43},  {3, 44},  {4, 42},  {4, 44},
                                  {16, 36}, {16, 38}, {17, 36}, {17, 37}};
constexpr SeedPair kPairs3x3[] = {{6, 20},  {7, 20},  {7, 21},  {8, 22}, {9, 23},
                                  {10, 23}, {10, 24}, {20, 6},  {20, 7}, {21, 7},
                                  {22, 8},  {23, 9},  {23, 10}, {24, 10}};
constexpr SeedPair kPairs3x4[] = {{6, 27},  {7, 27},  {7, 28},  {8, 29},  {9, 29},  {9, 30},
                                  {21, 10}, {21, 11}, {22, 11}, {23, 12}, {23, 13}, {24, 13}};
constexpr SeedPair kPairs3x5[] = {{6, 33},  {7, 33},  {7, 34},  {8, 34},  {8, 35},
                                  {22, 15}, {22, 16}, {23, 16}, {23, 17}, {24, 17}};
constexpr SeedPair kPairs3x6[] = {{6, 38}, {7, 39}, {23, 21}, {24, 22}};
constexpr SeedPair kPairs3x7[] = {{6, 41}, {6, 42}, {7, 42}, {23, 28}, {24, 28}, {24, 29}};
constexpr SeedPair kPairs4x4[] = {{10, 28}, {11, 28}, {11, 29}, {12, 29}, {12, 30},
                                  {28, 10}, {28, 11}, {29, 11}, {29, 12}, {30, 12}};
constexpr SeedPair kPairs4x5[] = {{10, 34}, {11, 35}, {29, 15}, {30, 16}};
constexpr SeedPair kPairs4x6[] = {{10, 38}, {10, 39}, {11, 39}, {29, 21}, {30, 21}, {30, 22}};

template <std::size_t N>
constexpr SeedPairTable tableOf(const SeedPair (&entries)[N]) {
  return {entries, static_cast<int>(N)};
}

constexpr SeedPairTable kTables[] = {
    tableOf(kPairs2x2), tableOf(kPairs2x3), tableOf(kPairs2x4), tableOf(kPairs2x5),
    tableOf(kPairs2x6), tableOf(kPairs2x7), tableOf(kPairs2x8), tableOf(kPairs3x3),
    tableOf(kPairs3x4), tableOf(kPairs3x5), tableOf(kPairs3x6), tableOf(kPairs3x7),
    tableOf(kPairs4x4), tableOf(kPairs4x5), tableOf(kPairs4x6)};

// [shorter][longer] to an index into kTables, -1 for pairs without a table.
constexpr auto kTableIndex = [] {
  std::array<std::array<int, 10>, 10> index{};
  for (auto& row : index) row.fill(-1);
  int next = 0;
  for (int longer = 2; longer <= 8; ++longer) index[2][longer] = next++;
  for (int longer = 3; longer <= 7; ++longer) index[3][longer] = next++;
  for (int longer = 4; longer <= 6; ++longer) index[4][longer] = next++;
  return index;
}();

}  // namespace

const SeedPairTable* seedPairTableFor(int shorter, int longer) {
  if (shorter < 0 || shorter > 9 || longer < 0 || longer > 9) return nullptr;
  const int index = kTableIndex[shorter][longer];
  return index < 0 ? nullptr : &kTables[index];
}

}  // namespace vantreel
