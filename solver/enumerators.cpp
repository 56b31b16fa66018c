#include "solver/enumerators.h"

namespace vantreel {
namespace {

// Tries every remaining digit of the first cell, lowest first, and hands the
// rest of the run on; no early exit, since every success widens the support.
template <int SearchedCells>
bool fillPrefix(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                std::uint8_t sum) {
  if constexpr (SearchedCells == 0) {
    return completeTriple(masks, cells, support, used, sum);
  } else {
    bool found = false;
    for (DigitSet choices = masks[cells[0]] & ~used; choices != 0; choices &= choices - 1) {
      const DigitSet digit = lowestDigit(choices);
      if (fillPrefix<SearchedCells - 1>(masks, cells + 1, support + 1, used | digit, sum)) {
        support[0] |= digit;
        found = true;
      }
    }
    return found;
  }
}

}  // namespace

bool completeTriple(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                    std::uint8_t sum) {
  const int rest = sum - DigitSumTable[used];
  if (rest < kTripleMinSum || rest > kTripleMaxSum) return false;
  DigitSet b = masks[cells[1]] & ~used;
  DigitSet c = masks[cells[2]] & ~used;
  const DigitSet a = TripleTable[tripleIndex(rest, b, c)] & masks[cells[0]] & ~used;
  b &= TripleTable[tripleIndex(rest, c, a)];
  c &= TripleTable[tripleIndex(rest, a, b)];
  if (c == 0) return false;
  support[0] |= a;
  support[1] |= b;
  support[2] |= c;
  return true;
}

// A run of L cells searches its first L - 3 cells and settles the last three
// by lookups.
const std::array<Enumerator, kMaxRunLength + 1> enumerateCombinations = {
    nullptr, nullptr, nullptr, nullptr, fillPrefix<1>, fillPrefix<2>, fillPrefix<3>, fillPrefix<4>, fillPrefix<5>,
    fillPrefix<6>};

}  // namespace vantreel
