#pragma once
#include <cstdio>

namespace vantreel {

// True when anything (file, folder, other entry) has this name.
bool fileExists(const char* name);

// Opens a new file for binary writing; never replaces an existing one.
// On failure returns null and sets `nameTaken` when the name now exists.
std::FILE* createNewFile(const char* name, bool& nameTaken);

}  // namespace vantreel
