#include "platform/files.h"

#include <sys/stat.h>

#include <cerrno>

namespace vantreel {

bool fileExists(const char* name) {
  struct stat info;
  return stat(name, &info) == 0;
}

std::FILE* createNewFile(const char* name, bool& nameTaken) {
  // "x": exclusive creation, so a file made after the existence test by
  // another program is not overwritten.
  std::FILE* file = std::fopen(name, "wbx");
  nameTaken = file == nullptr && errno == EEXIST;
  return file;
}

}  // namespace vantreel
