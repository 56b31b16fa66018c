#include "platform/console.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vantreel {

bool outputIsTerminal() {
  static const bool terminal = isatty(STDOUT_FILENO) == 1;
  return terminal;
}

bool errorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool outputSharesTerminalWithError() {
  struct stat output, error;
  if (isatty(STDOUT_FILENO) != 1 || isatty(STDERR_FILENO) != 1) return false;
  if (fstat(STDOUT_FILENO, &output) != 0 || fstat(STDERR_FILENO, &error) != 0) return false;
  return output.st_rdev == error.st_rdev;
}

}  // namespace vantreel
