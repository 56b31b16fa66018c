#include "app/number_option.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace vantreel {
namespace {

// Decimal digits only: no sign, no blanks, no base prefix, at most 64 bits.
bool parseDecimal(std::string_view text, std::uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return false;
    value = value * 10 + digit;
  }
  return true;
}

}  // namespace

bool readNumberOption(const char* command, const std::string& option, const std::string& text,
                      std::uint64_t lowest, std::uint64_t highest, std::uint64_t& value) {
  std::uint64_t read = 0;
  if (parseDecimal(text, read) && read >= lowest && read <= highest) {
    value = read;
    return true;
  }
  // Quoted where the value alone would hide what was typed: nothing, or blanks.
  bool plain = !text.empty();
  for (const char c : text) plain = plain && c > ' ' && c < 0x7F;
  const std::string shown = plain ? text : "'" + text + "'";
  std::fflush(stdout);
  std::fprintf(stderr, "vantreel %s: %s %s: must be a decimal number from %llu to %llu\n", command, option.c_str(),
               shown.c_str(), static_cast<unsigned long long>(lowest), static_cast<unsigned long long>(highest));
  return false;
}

std::string optionAsTyped(int argc, char** argv, const std::string& names) {
  std::vector<std::string_view> spellings;
  for (std::string_view rest = names; !rest.empty();) {
    const std::size_t comma = rest.find(',');
    spellings.push_back(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
  }
  std::string_view typed = spellings.empty() ? std::string_view{} : spellings.front();
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    // "--output=x" is the long option too.
    for (const std::string_view name : spellings)
      if (argument == name || (name.starts_with("--") && argument.starts_with(name) &&
                               argument.size() > name.size() && argument[name.size()] == '='))
        typed = name;
  }
  return std::string(typed);
}

}  // namespace vantreel
