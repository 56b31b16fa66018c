#include "platform/console.h"

#include <unistd.h>

namespace vantreel {

bool outputIsTerminal() {
  static const bool terminal = isatty(STDOUT_FILENO) == 1;
  return terminal;
}

bool errorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace vantreel
