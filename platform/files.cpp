#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdlib>

#include "platform/signals.h"

namespace vantreel {
namespace {

// Linking an unnamed file goes through its /proc entry, which needs no privilege.
bool canLinkUnnamedFiles() { return access("/proc/self/fd", X_OK) == 0; }

}  // namespace

bool fileExists(const char* name) {
  struct stat info;
  return lstat(name, &info) == 0;
}

bool isDirectory(const char* name) {
  struct stat info;
  return stat(name, &info) == 0 && S_ISDIR(info.st_mode);
}

bool NewFile::open(const std::string& folder, int& error) {
  discard();
  folder_ = folder.empty() ? "." : folder;
  int fd = -1;
#ifdef O_TMPFILE
  if (canLinkUnnamedFiles()) {
    fd = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // A file system without unnamed files falls back to a hidden temporary name.
    if (fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      error = errno;
      return false;
    }
  }
#endif
  if (fd < 0) {
    std::string pattern = folder_ + "/.vantreel-XXXXXX";
    fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
      error = errno;
      return false;
    }
    // mkostemp makes the file private; a finished puzzle file is an ordinary one.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    temporaryName_ = pattern;
    removeOnInterrupt(temporaryName_.c_str());
  }
  stream_ = fdopen(fd, "wb");
  if (stream_ == nullptr) {
    error = errno;
    ::close(fd);
    discard();
    return false;
  }
  synced_ = false;
  return true;
}

bool NewFile::flushed(int& error) {
  if (synced_) return true;
  if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) {
    error = errno != 0 ? errno : EIO;
    return false;
  }
  if (fsync(fileno(stream_)) != 0 && errno != EINVAL) {
    error = errno;
    return false;
  }
  synced_ = true;
  return true;
}

bool NewFile::finish(const std::string& name, int& error) {
  errno = 0;
  if (stream_ == nullptr) {
    error = EBADF;
    return false;
  }
  if (!flushed(error)) return false;
  // link() and linkat() fail with EEXIST instead of replacing a file.
  int linked;
  if (temporaryName_.empty()) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fileno(stream_));
    linked = linkat(AT_FDCWD, path, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
  } else {
    linked = link(temporaryName_.c_str(), name.c_str());
  }
  if (linked != 0) {
    error = errno;
    return false;
  }
  discard();
  return true;
}

bool NewFile::finishReplacing(const std::string& name, int& error) {
  errno = 0;
  if (stream_ == nullptr) {
    error = EBADF;
    return false;
  }
  if (isDirectory(name.c_str())) {
    error = EISDIR;
    return false;
  }
  if (!flushed(error)) return false;
  // An unnamed file first gets a hidden name beside its target, which
  // rename() then moves over the old file; rename never leaves the name empty.
  if (temporaryName_.empty()) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/fd/%d", fileno(stream_));
    for (int attempt = 0;; ++attempt) {
      std::string hidden = folder_ + "/.vantreel-XXXXXX";
      const int placeholder = mkostemp(hidden.data(), O_CLOEXEC);
      if (placeholder < 0) {
        error = errno;
        return false;
      }
      ::close(placeholder);
      unlink(hidden.c_str());
      if (linkat(AT_FDCWD, path, AT_FDCWD, hidden.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temporaryName_ = hidden;
        removeOnInterrupt(temporaryName_.c_str());
        break;
      }
      // Another program took the name between unlink and linkat: draw again.
      if (errno != EEXIST || attempt == 100) {
        error = errno;
        return false;
      }
    }
  }
  if (rename(temporaryName_.c_str(), name.c_str()) != 0) {
    error = errno;
    return false;
  }
  // The name now belongs to the finished file: nothing of ours to remove.
  forgetOnInterrupt();
  temporaryName_.clear();
  discard();
  return true;
}

void NewFile::discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  if (!temporaryName_.empty()) {
    unlink(temporaryName_.c_str());
    forgetOnInterrupt();
    temporaryName_.clear();
  }
}

void guardStandardDescriptors() {
  // Opened for the wrong direction: the number is taken, and every read or
  // write through it fails as it would on a closed descriptor.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
      const int taken = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
      if (taken >= 0 && taken != fd) ::close(taken);
    }
}

}  // namespace vantreel
