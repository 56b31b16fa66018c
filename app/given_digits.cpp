#include "app/given_digits.h"

#include <algorithm>

namespace vantreel {
namespace {

bool isSeparator(char c) { return c == ',' || c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads one to three decimal digits at `at`.
bool readIndex(std::string_view text, std::size_t& at, int& value) {
  std::size_t start = at;
  value = 0;
  while (at < text.size() && isDigit(text[at]) && at - start < 3) value = value * 10 + (text[at++] - '0');
  return at > start && !(at < text.size() && isDigit(text[at]));
}

bool readLetter(std::string_view text, std::size_t& at, char lower) {
  if (at >= text.size() || (text[at] != lower && text[at] != lower - 'a' + 'A')) return false;
  ++at;
  return true;
}

void skipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
}

}  // namespace

bool parseGivenDigits(std::string_view text, std::vector<GivenDigit>& givens, std::string& bad) {
  std::size_t at = 0;
  for (;;) {
    while (at < text.size() && isSeparator(text[at])) ++at;
    if (at == text.size()) return true;
    const std::size_t start = at;
    GivenDigit given{};
    bool fits = readLetter(text, at, 'r') && readIndex(text, at, given.row) && readLetter(text, at, 'c') &&
                readIndex(text, at, given.column);
    if (fits) {
      skipBlanks(text, at);
      fits = at < text.size() && text[at] == '=';
      ++at;
      skipBlanks(text, at);
      fits = fits && at < text.size() && text[at] >= '1' && text[at] <= '9';
      ++at;
      fits = fits && (at >= text.size() || isSeparator(text[at]));
    }
    if (!fits) {
      // The item as far as it was read, and on to the next separator.
      std::size_t end = std::min(at, text.size());
      while (end < text.size() && !isSeparator(text[end])) ++end;
      bad = std::string(text.substr(start, end - start));
      return false;
    }
    given.digit = text[at - 1] - '0';
    givens.push_back(given);
  }
}

bool parseGivenFile(std::string_view text, std::vector<GivenDigit>& givens, std::string& bad) {
  const bool isList = text.find('=') != std::string_view::npos;
  int row = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (isList) {
      if (!line.empty() && line.front() == '#') continue;
      if (!parseGivenDigits(line, givens, bad)) return false;
      continue;
    }
    ++row;
    int column = 0;
    for (const char c : line) {
      if (c == ' ' || c == '\t') continue;
      ++column;
      if (c >= '1' && c <= '9') givens.push_back({row, column, c - '0'});
    }
  }
  return true;
}

}  // namespace vantreel
