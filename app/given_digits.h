#pragma once
// The digits a person has filled in, as typed after explain's --given:
// "r2c3=4,r5c6=9", "R2C3=4 r5c6 = 9", commas and spaces both separating.
#include <string>
#include <string_view>
#include <vector>

namespace vantreel {

// A digit by interior row and column (clue row and column are 0).
struct GivenDigit {
  int row, column, digit;
};

// False at the first item that is not rROWcCOLUMN=DIGIT (letters of either
// case, a digit 1..9, at most three digits of row or column); `bad` is that
// item as typed, as far as it was read and on to the next separator.
// `givens` keeps the items before it.
bool parseGivenDigits(std::string_view text, std::vector<GivenDigit>& givens, std::string& bad);

// A partly filled grid as a person writes it: one line per interior row from
// r1, one character per interior cell from c1 (blanks ignored), a digit 1..9
// for a filled cell and anything else ('.', '_', '#') for the rest. A file
// holding '=' is read as the rROWcCOLUMN=DIGIT list instead, lines starting
// with '#' left out. False, with `bad` set, for a list item that does not read.
bool parseGivenFile(std::string_view text, std::vector<GivenDigit>& givens, std::string& bad);

}  // namespace vantreel
