// vantreel-print: the print command as a program of its own (see sibling_program.h).
#include "app/print_command.h"
#include "app/standard_output.h"

int main(int argc, char** argv) {
  static char word[] = "print";
  argv[0] = word;
  const int status = vantreel::runPrint(argc, argv);
  // A drawing cut off by a full disk or a closed pipe must not look like a success.
  return vantreel::finishStandardOutput() ? status : 1;
}
