#pragma once
// The link command: every puzzle line of a file as a puzz.link link.

namespace vantreel {

// argv[0] is "link". Exit status: 0, 1 for an unreadable input or a
// malformed line (the other lines are still written), 2 for a bad command line.
int runLink(int argc, char** argv);

}  // namespace vantreel
