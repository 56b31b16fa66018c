#include "platform/console.h"

#include <unistd.h>

namespace vantreel {

bool outputIsTerminal() {
  static const bool terminal = isatty(STDOUT_FILENO) == 1;
  return terminal;
}

}  // namespace vantreel
