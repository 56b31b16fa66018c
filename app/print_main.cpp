// vantreel-print: the print command as a program of its own (see print_program.h).
#include "app/print_command.h"

int main(int argc, char** argv) {
  static char word[] = "print";
  argv[0] = word;
  return vantreel::runPrint(argc, argv);
}
