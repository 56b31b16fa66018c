#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/signals.h"

namespace vantreel {
namespace {

// Runs `body` in a child process; returns its wait status.
template <typename Body>
int inChild(Body body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

TEST(Interrupts, RemoveTheTemporaryFileAndEndByTheSignal) {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
    const std::string path = std::filesystem::temp_directory_path() / ("vantreel_signal_" + std::to_string(getpid()));
    std::ofstream(path) << "half a batch\n";
    const int status = inChild([&] {
      removeOnInterrupt(path.c_str());
      std::raise(signalNumber);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber;
    EXPECT_FALSE(std::filesystem::exists(path)) << signalNumber;
  }
}

TEST(Interrupts, LeaveAFileAloneOnceForgotten) {
  const std::string path = std::filesystem::temp_directory_path() / ("vantreel_kept_" + std::to_string(getpid()));
  std::ofstream(path) << "finished batch\n";
  const int status = inChild([&] {
    removeOnInterrupt(path.c_str());
    forgetOnInterrupt();
    std::raise(SIGINT);
  });
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
  EXPECT_TRUE(std::filesystem::exists(path));
  std::filesystem::remove(path);
}

TEST(StandardDescriptors, AClosedOneIsTakenButFailsEveryWrite) {
  const int status = inChild([] {
    close(STDOUT_FILENO);
    guardStandardDescriptors();
    // A new file must not become standard output.
    NewFile file;
    int error = 0;
    if (!file.open(std::filesystem::temp_directory_path(), error) || fileno(file.stream()) == STDOUT_FILENO) _exit(1);
    if (write(STDOUT_FILENO, "x", 1) != -1) _exit(2);
    _exit(0);
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace vantreel
