#pragma once
// Option parsing for the newer commands, with CLI11.
#include <CLI/CLI.hpp>

namespace vantreel {

// Parses argv (argv[0] is the command word). False when the command must end
// now with `status`: 0 after printing its help, 2 after reporting a malformed
// command line on standard error.
bool parseOptions(CLI::App& options, int argc, char** argv, int& status);

}  // namespace vantreel
