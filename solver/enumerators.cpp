#include "solver/enumerators.h"

#include <cstring>

namespace vantreel {
namespace {

// Outcome of completing the run after a prefix, keyed by the prefix's digit
// set (its size tells the position): 0 not yet known, 1 no filling, 2 found.
// A repeated prefix set would only OR the same digits into the same later
// accumulators again, so its first outcome is all that is needed.
using PrefixMemo = std::uint8_t[kSetCount];

// Tries every remaining digit of the first cell, lowest first, and hands the
// rest of the run on; no early exit, since every success widens the support.
template <int SearchedCells, bool Remember>
bool fillPrefix(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                std::uint8_t sum, PrefixMemo& memo) {
  if constexpr (Remember)
    if (memo[used] != 0) return memo[used] == 2;
  bool found = false;
  if constexpr (SearchedCells == 0) {
    found = completeTriple(masks, cells, support, used, sum);
  } else {
    for (DigitSet choices = masks[cells[0]] & ~used; choices != 0; choices &= choices - 1) {
      const DigitSet digit = lowestDigit(choices);
      if (fillPrefix<SearchedCells - 1, Remember>(masks, cells + 1, support + 1, used | digit, sum, memo)) {
        support[0] |= digit;
        found = true;
      }
    }
  }
  if constexpr (Remember) memo[used] = found ? 2 : 1;
  return found;
}

// A run of Length cells searches its first Length - 3 cells and settles the
// last three by lookups.
// Short runs repeat too few prefixes for the memo to pay for its clearing.
template <int Length>
bool enumerateRun(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                  std::uint8_t sum) {
  constexpr bool kRemember = Length >= 6;
  PrefixMemo memo;
  if constexpr (kRemember) std::memset(memo, 0, sizeof memo);
  return fillPrefix<Length - 3, kRemember>(masks, cells, support, used, sum, memo);
}

}  // namespace

bool completeTriple(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                    std::uint8_t sum) {
  const int rest = sum - DigitSumTable[used];
  if (rest < kTripleMinSum || rest > kTripleMaxSum) return false;
  DigitSet b = masks[cells[1]] & ~used;
  DigitSet c = masks[cells[2]] & ~used;
  const DigitSet a = tripleDigits(rest, b, c) & masks[cells[0]] & ~used;
  b &= tripleDigits(rest, c, a);
  c &= tripleDigits(rest, a, b);
  if (c == 0) return false;
  support[0] |= a;
  support[1] |= b;
  support[2] |= c;
  return true;
}

const std::array<Enumerator, kMaxRunLength + 1> enumerateCombinations = {
    nullptr,         nullptr,         nullptr,         nullptr,         enumerateRun<4>,
    enumerateRun<5>, enumerateRun<6>, enumerateRun<7>, enumerateRun<8>, enumerateRun<9>};

}  // namespace vantreel
