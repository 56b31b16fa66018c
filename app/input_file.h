#pragma once
// Opening the file a command reads its puzzles from.
#include <cstdio>
#include <string>

namespace vantreel {

// The input behind a command-line name; "-" is standard input.
struct InputFile {
  std::FILE* file = nullptr;  // null when it could not be opened
  std::string reason;         // why not, in the system's words
  bool owned = false;         // closed by closeInput
};

// Opens a file for reading; a folder is refused like a missing file.
InputFile openInput(const char* name);
void closeInput(InputFile& input);
// The standard output line of every command whose file would not open, and
// the system's reason (InputFile::reason) on standard error.
void printOpenFailure(const char* name, const char* reason = nullptr);

}  // namespace vantreel
