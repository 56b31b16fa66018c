#include "solver/enumerators.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "tables/combination_table.h"

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

// Cells matched to distinct digits: digitOf[cell] as a one-digit set,
// cellOf[digit index] the cell holding it.
struct Matching {
  DigitSet digitOf[kMaxRunLength];
  std::int8_t cellOf[9];
};

// Kuhn's augmenting path from `cell` through digits not yet visited.
bool augment(const DigitSet* options, int cell, DigitSet& visited, Matching& matching) {
  for (DigitSet rest = options[cell] & ~visited; rest != 0; rest &= rest - 1) {
    const DigitSet digit = lowestDigit(rest);
    visited |= digit;
    const int index = std::countr_zero(digit);
    const int holder = matching.cellOf[index];
    if (holder < 0 || augment(options, holder, visited, matching)) {
      matching.cellOf[index] = static_cast<std::int8_t>(cell);
      matching.digitOf[cell] = digit;
      return true;
    }
  }
  return false;
}

// Support of `length` cells that must take exactly the digits of one
// combination: a perfect matching, then every digit on an alternating cycle
// through its cell (the cells mutually reachable when each cell points to the
// holders of its other digits). ORs into `found`; false without a matching.
bool supportOfCombination(const DigitSet* options, int length, DigitSet* found) {
  Matching matching;
  std::fill_n(matching.cellOf, 9, std::int8_t{-1});
  for (int cell = 0; cell < length; ++cell) {
    DigitSet visited = 0;
    if (!augment(options, cell, visited, matching)) return false;
  }
  unsigned reach[kMaxRunLength];
  for (int cell = 0; cell < length; ++cell) {
    unsigned holders = 0;
    for (DigitSet rest = options[cell] & ~matching.digitOf[cell]; rest != 0; rest &= rest - 1)
      holders |= 1u << matching.cellOf[std::countr_zero(rest)];
    reach[cell] = holders;
  }
  for (int via = 0; via < length; ++via)
    for (int cell = 0; cell < length; ++cell)
      if (reach[cell] >> via & 1) reach[cell] |= reach[via];
  for (int cell = 0; cell < length; ++cell) {
    DigitSet digits = matching.digitOf[cell];
    for (DigitSet rest = options[cell] & ~digits; rest != 0; rest &= rest - 1) {
      const DigitSet digit = lowestDigit(rest);
      if (reach[matching.cellOf[std::countr_zero(digit)]] >> cell & 1) digits |= digit;
    }
    found[cell] |= digits;
  }
  return true;
}

template <int Length>
bool enumerateByMatching(const CandidateMask* masks, const std::uint16_t* cells, DigitSet* support, DigitSet used,
                         std::uint8_t sum) {
  const int rest = sum - DigitSumTable[used];
  if (rest < 0 || rest > kMaxSum) return false;
  DigitSet held[Length], present = 0;
  for (int k = 0; k < Length; ++k) {
    held[k] = masks[cells[k]] & ~used;
    present |= held[k];
  }
  DigitSet found[Length] = {};
  bool any = false;
  for (const DigitSet combination : combinationsOf(Length, rest)) {
    if ((combination & present) != combination) continue;
    DigitSet options[Length];
    for (int k = 0; k < Length; ++k) options[k] = held[k] & combination;
    any |= supportOfCombination(options, Length, found);
  }
  if (!any) return false;
  for (int k = 0; k < Length; ++k) support[k] |= found[k];
  return true;
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
    enumerateRun<5>, enumerateRun<6>, enumerateByMatching<7>, enumerateByMatching<8>, enumerateByMatching<9>};

}  // namespace vantreel
