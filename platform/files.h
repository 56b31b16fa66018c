#pragma once
#include <cstdio>
#include <string>

namespace vantreel {

// True when anything (file, folder, other entry) has this name.
bool fileExists(const char* name);
// True when the name is a folder, or a link to one.
bool isDirectory(const char* name);

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
  // As finish, but an existing file of that name is replaced in one step
  // (rename over it): at every moment the name holds the old or the new file.
  // A folder of that name is never replaced (EISDIR).
  bool finishReplacing(const std::string& name, int& error);
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

}  // namespace vantreel
