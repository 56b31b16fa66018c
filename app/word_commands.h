#pragma once
// The newer commands: a full word followed by at least one argument.
// They print only their results on standard output (no time line).

namespace vantreel {

// argv[0] is the command word; returns the exit status.
using WordCommandRun = int (*)(int argc, char** argv);

struct WordCommand {
  const char* word;
  WordCommandRun run;  // null while the command is not built
};

// The command named by `word` exactly, or null.
const WordCommand* findWordCommand(const char* word);

}  // namespace vantreel
