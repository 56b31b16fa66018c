#include "tables/digit_tables.h"

namespace vantreel {

alignas(1 << 21) std::uint16_t TripleTable[kTripleEntries];

// An entry is an OR over the digits x of A of a term that depends only on
// (s, x, B). So the row of A is the row of A without its lowest digit OR-ed
// with that digit's term: one vectorisable OR per entry instead of up to nine
// pair lookups.
void buildTripleTable() {
  SetRow terms[9];
  for (int sum = kTripleMinSum; sum <= kTripleMaxSum; ++sum) {
    for (int digit = 1; digit <= 9; ++digit) {
      const DigitSet x = DigitSet(1 << (digit - 1));
      const int rest = sum - digit;
      for (int b = 0; b < kSetCount; ++b)
        terms[digit - 1][b] = (rest >= kPairMinSum && rest <= kPairMaxSum)
                                  ? DigitSet(PairTable[rest - kPairMinSum][b & ~x] & ~x)
                                  : DigitSet(0);
    }
    std::uint16_t* block = TripleTable + tripleIndex(sum, 0, 0);
    for (int a = 1; a < kSetCount; ++a) {
      const DigitSet* term = terms[DigitSumTable[lowestDigit(DigitSet(a))] - 1].data();
      const std::uint16_t* previous = block + ((a & (a - 1)) << 9);
      std::uint16_t* row = block + (a << 9);
      for (int b = 0; b < kSetCount; ++b) row[b] = previous[b] | term[b];
    }
  }
}

}  // namespace vantreel
