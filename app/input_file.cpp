#include "app/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "format/puzzle_link.h"

namespace vantreel {

InputFile openInput(const char* name) {
  InputFile input;
  if (std::strcmp(name, "-") == 0) {
    input.file = stdin;
    return input;
  }
  // A link on the command line is the input itself: a file of one puzzle.
  if (isPuzzleLink(name)) {
    input.file = fmemopen(const_cast<char*>(name), std::strlen(name), "r");
    if (input.file == nullptr) input.reason = std::strerror(errno);
    input.owned = input.file != nullptr;
    return input;
  }
  input.file = std::fopen(name, "rb");
  if (input.file == nullptr) {
    input.reason = std::strerror(errno);
    return input;
  }
  input.owned = true;
  struct stat info;
  if (fstat(fileno(input.file), &info) != 0 || S_ISDIR(info.st_mode)) {
    input.reason = std::strerror(S_ISDIR(info.st_mode) ? EISDIR : errno);
    closeInput(input);
  }
  return input;
}

void closeInput(InputFile& input) {
  if (input.owned && input.file != nullptr) std::fclose(input.file);
  input.file = nullptr;
  input.owned = false;
}

void printOpenFailure(const char* name, const char* reason) {
  std::printf("failed to open: %s\n", name);
  if (reason == nullptr) return;
  std::fflush(stdout);
  std::fprintf(stderr, "vantreel: %s: %s\n", name, reason);
}

}  // namespace vantreel
