#pragma once
// The files a drawing command writes: all of them or none, each complete
// under no name before it gets its own, then their names on standard output.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantreel {

struct SheetFile {
  std::string name;
  // Fills the open file; false with `error` in words.
  std::function<bool(std::FILE* out, std::string& error)> write;
};

// True when `name` ends in `suffix` (lower case), letters of either case:
// "Sheet.PDF" is a PDF.
bool hasOutputSuffix(const std::string& name, std::string_view suffix);

// The output name of a drawing command, checked before any work: it ends in
// .pdf or .svg, and --paper (`paperGiven`) goes with a PDF only; `typedOption`
// is how the user spelled -o. False after a message "vantreel COMMAND: ...".
bool checkSheetOutput(const char* command, const std::string& output, bool paperGiven, const std::string& typedOption);

// Refuses a name that is a folder, or (without `force`) one that exists,
// before anything is written; a failure removes the files already named.
// Messages start "vantreel COMMAND: ". True when every file was written.
bool writeSheetFiles(const char* command, const std::vector<SheetFile>& files, bool force);

}  // namespace vantreel
