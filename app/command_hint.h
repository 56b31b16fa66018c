#pragma once
// The command a mistyped word most likely meant.

namespace vantreel {

// The command word of the table nearest to `word`, when it is close enough to
// be a typing slip (one edit in a short word, two in a longer one; a swap of
// two neighbours counts as one); null otherwise, and for a command word itself.
const char* nearestCommand(const char* word);

// Typing slips between two words: insertions, deletions, changes and swaps of neighbours.
int editDistance(const char* from, const char* to);

}  // namespace vantreel
