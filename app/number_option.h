#pragma once
// Numeric options of every command, read one way: decimal digits only, inside
// a range that the message names, never rounded or clamped.
#include <cstdint>
#include <string>

namespace vantreel {

// True with `value` set when `text` is a decimal number in lowest..highest.
// Otherwise false after "vantreel COMMAND: OPTION TEXT: must be a decimal
// number from LOWEST to HIGHEST" on standard error; OPTION as typed.
bool readNumberOption(const char* command, const std::string& option, const std::string& text,
                      std::uint64_t lowest, std::uint64_t highest, std::uint64_t& value);

// The same for a narrower type: its range must fit in it.
template <class Number>
bool readNumberOption(const char* command, const std::string& option, const std::string& text, Number lowest,
                      Number highest, Number& value) {
  std::uint64_t wide = 0;
  if (!readNumberOption(command, option, text, static_cast<std::uint64_t>(lowest),
                        static_cast<std::uint64_t>(highest), wide))
    return false;
  value = static_cast<Number>(wide);
  return true;
}

// The spelling of an option on this command line ("--output" or "-o"), the
// last one given, or the first of `names` (as CLI11 lists them: "-o,--output").
std::string optionAsTyped(int argc, char** argv, const std::string& names);

}  // namespace vantreel
