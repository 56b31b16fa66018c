#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/files.h"

namespace vantreel {
namespace {

class PendingFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vantreel_pending_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string path(const char* name) const { return (folder_ / name).string(); }
  static std::string contentOf(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void write(const std::string& name, const char* text) const { std::ofstream(name, std::ios::binary) << text; }
  // Names in the folder, hidden temporary files included.
  int entryCount() const {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder_), {}));
  }
  PendingFile begin(const std::string& name, const char* text) {
    std::string error;
    PendingFile pending = beginPendingFile(name, error);
    EXPECT_NE(pending.file, nullptr) << error;
    if (pending.file != nullptr) std::fputs(text, pending.file);
    return pending;
  }

  std::filesystem::path folder_;
};

TEST_F(PendingFileTest, AppearsOnlyWhenPublishedWithTheRightsOfANewFile) {
  const std::string name = path("sheet.pdf");
  PendingFile pending = begin(name, "whole");
  EXPECT_FALSE(fileExists(name.c_str()));
  bool nameTaken = true;
  std::string error;
  ASSERT_TRUE(publishPendingFile(pending, false, nameTaken, error)) << error;
  EXPECT_FALSE(nameTaken);
  EXPECT_EQ(contentOf(name), "whole");
  EXPECT_EQ(entryCount(), 1);
  struct stat info;
  ASSERT_EQ(stat(name.c_str(), &info), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(PendingFileTest, KeepsAnExistingFileUnlessToldToReplaceIt) {
  const std::string name = path("sheet.pdf");
  write(name, "old");
  PendingFile refused = begin(name, "new");
  bool nameTaken = false;
  std::string error;
  EXPECT_FALSE(publishPendingFile(refused, false, nameTaken, error));
  EXPECT_TRUE(nameTaken);
  EXPECT_EQ(contentOf(name), "old");
  EXPECT_EQ(entryCount(), 1);

  PendingFile forced = begin(name, "new");
  EXPECT_TRUE(publishPendingFile(forced, true, nameTaken, error)) << error;
  EXPECT_EQ(contentOf(name), "new");
  EXPECT_EQ(entryCount(), 1);
}

TEST_F(PendingFileTest, DiscardLeavesNothingBehind) {
  PendingFile pending = begin(path("sheet.pdf"), "part");
  discardPendingFile(pending);
  EXPECT_EQ(entryCount(), 0);
  std::string error;
  EXPECT_EQ(beginPendingFile(path("no/such/folder.pdf"), error).file, nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vantreel
