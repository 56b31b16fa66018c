#include "app/sibling_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace vantreel {
namespace {

// The program is looked for in this program's own folder, so a build tree
// and an installed copy each run their own.
int runSiblingProgram(const char* name, char** argv) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string program = name;
  if (length > 0) {
    const std::string path(self, static_cast<std::size_t>(length));
    program = path.substr(0, path.rfind('/') + 1) + program;
  }
  execv(program.c_str(), argv);
  std::fprintf(stderr, "vantreel %s: cannot run %s: %s\n", argv[0], program.c_str(), std::strerror(errno));
  return 1;
}

}  // namespace

int runPrintProgram(int, char** argv) { return runSiblingProgram("vantreel-print", argv); }

int runWordsProgram(int, char** argv) { return runSiblingProgram("vantreel-words", argv); }

}  // namespace vantreel
