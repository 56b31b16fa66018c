#pragma once
#include <cstdio>
#include <string>

namespace vantreel {

// True when anything (file, folder, other entry) has this name.
bool fileExists(const char* name);

// A file that is written without a name and gets one only when it is
// complete, so an interrupted or failed run leaves nothing behind.
class NewFile {
 public:
  NewFile() = default;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile() { discard(); }

  // Starts the file in `folder`. False with `error` (an errno value) when the
  // folder cannot take a file.
  bool open(const std::string& folder, int& error);
  std::FILE* stream() const { return stream_; }
  // Flushes and syncs the contents, then gives the file `name`, never
  // replacing anything: false with EEXIST when the name is taken (the file
  // stays open for another name), or with the write error.
  bool finish(const std::string& name, int& error);
  // Drops the file and anything that holds its contents.
  void discard();

 private:
  bool flushed(int& error);
  std::FILE* stream_ = nullptr;
  std::string folder_;
  std::string temporaryName_;  // empty while the file has no name at all
  bool synced_ = false;
};

// Makes descriptors 0, 1 and 2 occupied even when the caller closed them, so
// a file we open never takes their number; using such a stream still fails.
void guardStandardDescriptors();

// Output that appears whole or not at all: written to a temporary file beside
// the final name, then given that name in one step.
struct PendingFile {
  std::FILE* file = nullptr;  // null when the temporary file could not be made
  std::string tempName;
  std::string finalName;
};

// Makes the temporary file; on failure `error` holds the reason.
PendingFile beginPendingFile(const std::string& finalName, std::string& error);
// Closes the finished file, so that many can wait for their names without
// holding a descriptor each. On failure `error` holds the reason.
bool closePendingFile(PendingFile& pending, std::string& error);
// Closes the file if still open and gives it its final name; without `replace`
// an existing file is never replaced (`nameTaken`). On failure the temporary
// file is gone.
bool publishPendingFile(PendingFile& pending, bool replace, bool& nameTaken, std::string& error);
// Closes and removes the temporary file.
void discardPendingFile(PendingFile& pending);

}  // namespace vantreel
