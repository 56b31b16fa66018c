#include "app/commands.h"

#include <cstring>

namespace vantreel {

void printCommandList(std::FILE* out) {
  std::fputs("commands (FILE may be - for standard input):\n", out);
  for (const Command& command : kCommands<Program::Vantreel>) {
    // A summary after a long usage goes on a line of its own.
    const int width = static_cast<int>(std::strlen(command.usage));
    if (width <= 20) std::fprintf(out, "  vantreel %-20s %s\n", command.usage, command.summary);
    else std::fprintf(out, "  vantreel %s\n%32s%s\n", command.usage, "", command.summary);
  }
  std::fputs("see also: man vantreel\n", out);
}

}  // namespace vantreel
