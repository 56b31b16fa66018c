#include "app/cli_options.h"

#include <cstdio>

namespace vantreel {

bool parseOptions(CLI::App& options, int argc, char** argv, int& status) {
  try {
    options.parse(argc, argv);
    return true;
  } catch (const CLI::CallForHelp&) {
    std::fputs(options.help().c_str(), stdout);
    status = 0;
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "vantreel %s: %s\n", argv[0], error.what());
    status = 2;
  }
  return false;
}

}  // namespace vantreel
