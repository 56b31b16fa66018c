#include "app/sheet_files.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files.h"

namespace vantreel {
namespace {

// --force renames the new file over an existing one, which stays whole until then.
bool writeOne(const SheetFile& file, bool force, std::string& error) {
  NewFile fresh;
  int code = 0;
  if (!fresh.open(std::filesystem::path(file.name).parent_path().string(), code)) {
    error = std::strerror(code);
    return false;
  }
  if (!file.write(fresh.stream(), error)) return false;
  if (force ? fresh.finishReplacing(file.name, code) : fresh.finish(file.name, code)) return true;
  error = code == EEXIST ? "made by another program meanwhile" : std::strerror(code);
  return false;
}

}  // namespace

bool hasOutputSuffix(const std::string& name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[name.size() - suffix.size() + i])) != suffix[i]) return false;
  return true;
}

bool checkSheetOutput(const char* command, const std::string& output, bool paperGiven, const std::string& typedOption) {
  if (paperGiven && !hasOutputSuffix(output, ".pdf")) {
    std::fprintf(stderr, "vantreel %s: --paper sets the page size of a PDF sheet: give it with %s OUT.pdf\n", command,
                 typedOption.c_str());
    return false;
  }
  if (!output.empty() && !hasOutputSuffix(output, ".pdf") && !hasOutputSuffix(output, ".svg")) {
    std::fprintf(stderr, "vantreel %s: %s: the output name must end in .pdf or .svg\n", command, output.c_str());
    return false;
  }
  return true;
}

bool writeSheetFiles(const char* command, const std::vector<SheetFile>& files, bool force) {
  for (const SheetFile& file : files)
    if (isDirectory(file.name.c_str())) {
      std::fprintf(stderr, "vantreel %s: %s: %s; nothing written\n", command, file.name.c_str(), std::strerror(EISDIR));
      return false;
    }
  if (!force)
    for (const SheetFile& file : files)
      if (fileExists(file.name.c_str())) {
        std::fprintf(stderr, "vantreel %s: %s exists; nothing written (--force replaces it)\n", command,
                     file.name.c_str());
        return false;
      }
  // One file at a time: a puzzle file may make hundreds.
  std::string error;
  for (std::size_t named = 0; named < files.size(); ++named)
    if (!writeOne(files[named], force, error)) {
      std::fprintf(stderr, "vantreel %s: %s: %s; nothing written\n", command, files[named].name.c_str(), error.c_str());
      for (std::size_t i = 0; i < named; ++i) std::remove(files[i].name.c_str());
      return false;
    }
  for (const SheetFile& file : files) std::printf("%s\n", file.name.c_str());
  return true;
}

}  // namespace vantreel
