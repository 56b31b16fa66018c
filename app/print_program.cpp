#include "app/print_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace vantreel {

int runPrintProgram(int, char** argv) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string program = "vantreel-print";
  if (length > 0) {
    const std::string path(self, static_cast<std::size_t>(length));
    program = path.substr(0, path.rfind('/') + 1) + program;
  }
  execv(program.c_str(), argv);
  std::fprintf(stderr, "vantreel print: cannot run %s: %s\n", program.c_str(), std::strerror(errno));
  return 1;
}

}  // namespace vantreel
