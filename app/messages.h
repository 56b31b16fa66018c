#pragma once
// Wording that several commands share, so that they say a thing one way.
#include <string>

namespace vantreel {

// "1 line", "2 lines": a count with its noun, plural by the regular -s.
std::string counted(long count, const char* noun);
// The reason given for a line too long to be a puzzle line, in KiB as the documents say.
std::string overLongReason();
// How messages name an input: "standard input" for "-", else the name itself.
std::string inputName(const std::string& fileName);
// "vantreel COMMAND: no puzzle in NAME" on standard error, for an input without a puzzle line.
void reportNoPuzzle(const char* command, const std::string& fileName);

}  // namespace vantreel
