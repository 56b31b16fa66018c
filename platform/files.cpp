#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

PendingFile beginPendingFile(const std::string& finalName, std::string& error) {
  PendingFile pending;
  pending.finalName = finalName;
  // A hidden name in the same folder, so that the final rename or link does
  // not cross file systems.
  const std::size_t slash = finalName.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : finalName.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? finalName : finalName.substr(slash + 1);
  std::string pattern = folder + "." + base + ".XXXXXX";
  const int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) {
    error = std::strerror(errno);
    return pending;
  }
  // mkstemp makes the file private; give it the rights a new file gets.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  pending.tempName = pattern;
  pending.file = fdopen(descriptor, "wb");
  if (pending.file == nullptr) {
    error = std::strerror(errno);
    close(descriptor);
    unlink(pending.tempName.c_str());
  }
  return pending;
}

bool closePendingFile(PendingFile& pending, std::string& error) {
  if (pending.file == nullptr) return true;
  const bool written = std::fflush(pending.file) == 0 && std::ferror(pending.file) == 0;
  const int writeError = errno;
  const bool closed = std::fclose(pending.file) == 0;
  pending.file = nullptr;
  if (written && closed) return true;
  error = std::strerror(!written ? writeError : errno);
  return false;
}

bool publishPendingFile(PendingFile& pending, bool replace, bool& nameTaken, std::string& error) {
  nameTaken = false;
  bool published = false;
  const bool closed = closePendingFile(pending, error);
  if (closed && replace) {
    published = std::rename(pending.tempName.c_str(), pending.finalName.c_str()) == 0;
    if (!published) error = std::strerror(errno);
  } else if (closed) {
    // link, unlike rename, fails when the name exists: no window in which
    // another program's file could be replaced.
    published = link(pending.tempName.c_str(), pending.finalName.c_str()) == 0;
    if (!published) {
      nameTaken = errno == EEXIST;
      error = std::strerror(errno);
    }
  }
  if (!published || !replace) unlink(pending.tempName.c_str());
  pending.tempName.clear();
  return published;
}

void discardPendingFile(PendingFile& pending) {
  if (pending.file != nullptr) std::fclose(pending.file);
  pending.file = nullptr;
  if (!pending.tempName.empty()) unlink(pending.tempName.c_str());
}

}  // namespace vantreel
