#include "app/helper_program.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace vantreel {
namespace {

// This program's own folder, with its final '/'; empty when unknown.
std::string ownFolder() {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  const std::string path(self, static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

const char* helperName(Program program) { return program == Program::Print ? "vantreel-print" : "vantreel-words"; }

// The installed place first, then beside this program: a build tree has no
// libexec folder, and each copy of vantreel runs its own helpers.
int runHelperProgram(const Command& command, char** argv) {
  const std::string folder = ownFolder();
  const std::string installed = folder + VANTREEL_HELPER_FOLDER + "/" + helperName(command.program);
  const std::string beside = folder + helperName(command.program);
  const std::string& program = access(installed.c_str(), X_OK) == 0 ? installed : beside;
  execv(program.c_str(), argv);
  std::fprintf(stderr, "vantreel %s: cannot run %s: %s\n", argv[0], program.c_str(), std::strerror(errno));
  return 1;
}

}  // namespace vantreel
