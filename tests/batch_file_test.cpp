#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/batch_file.h"

namespace vantreel {
namespace {

const LocalDate kDate{2026, 12, 5};

// Each test runs in a fresh folder of its own.
class BatchFile : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    char pattern[] = "/tmp/vantreel_batch_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(folder_);
  }
  static std::string create(int size) {
    std::string name = firstFreeBatchName(kDate, size);
    NewFile file;
    int error = 0;
    if (!startBatchFile(file, error)) return "failed: " + name;
    std::fputs("puzzle\n", file.stream());
    if (!finishBatchFile(file, kDate, size, name, error)) return "failed to write: " + name;
    return name;
  }
  static std::vector<std::string> folderEntries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::filesystem::path home_, folder_;
};

TEST_F(BatchFile, TakesTheFirstFreeNumberOfTheDayAndSize) {
  EXPECT_EQ(create(2), "20261205_01(size2).dat");
  EXPECT_EQ(create(2), "20261205_02(size2).dat");
  EXPECT_EQ(create(2), "20261205_03(size2).dat");
  EXPECT_EQ(create(1), "20261205_01(size1).dat");
  EXPECT_EQ(batchFileName({987, 1, 9}, 7, 3), "09870109_07(size3).dat");
}

TEST_F(BatchFile, FillsAGapNeverReplacesAFileAndGoesPastNinetyNine) {
  std::ofstream("20261205_02(size3).dat") << "kept\n";
  EXPECT_EQ(create(3), "20261205_01(size3).dat");
  EXPECT_EQ(create(3), "20261205_03(size3).dat");
  std::string text;
  std::getline(std::ifstream("20261205_02(size3).dat"), text);
  EXPECT_EQ(text, "kept");
  for (int n = 1; n <= 99; ++n) std::ofstream(batchFileName(kDate, n, 4));
  EXPECT_EQ(create(4), "20261205_100(size4).dat");
}

TEST_F(BatchFile, ReportsAFolderThatCannotTakeFiles) {
  std::filesystem::remove_all(folder_);  // gone from under us
  EXPECT_EQ(create(1), "failed: 20261205_01(size1).dat");
}

TEST_F(BatchFile, AppearsOnlyWhenCompleteUnderTheNameThatIsFreeThen) {
  NewFile file;
  int error = 0;
  ASSERT_TRUE(startBatchFile(file, error));
  std::fputs("whole\n", file.stream());
  EXPECT_TRUE(folderEntries().empty() || folderEntries()[0].rfind(".vantreel-", 0) == 0);
  // Another run took number 01 while this one was working.
  std::ofstream("20261205_01(size1).dat") << "other\n";
  std::string name;
  ASSERT_TRUE(finishBatchFile(file, kDate, 1, name, error));
  EXPECT_EQ(name, "20261205_02(size1).dat");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"20261205_01(size1).dat", "20261205_02(size1).dat"}));
  std::string text;
  std::getline(std::ifstream(name), text);
  EXPECT_EQ(text, "whole");
  std::getline(std::ifstream("20261205_01(size1).dat"), text);
  EXPECT_EQ(text, "other");
}

TEST_F(BatchFile, ADiscardedFileLeavesNothingBehind) {
  {
    NewFile file;
    int error = 0;
    ASSERT_TRUE(startBatchFile(file, error));
    std::fputs("half a batch\n", file.stream());
  }
  EXPECT_TRUE(folderEntries().empty());
}

TEST_F(BatchFile, ReplacesAFileInOneStepButNeverAFolder) {
  std::ofstream("sheet.pdf") << "old\n";
  NewFile file;
  int error = 0;
  ASSERT_TRUE(file.open(".", error));
  std::fputs("new\n", file.stream());
  // Until the new file is complete the old one is there, whole.
  std::string text;
  std::getline(std::ifstream("sheet.pdf"), text);
  EXPECT_EQ(text, "old");
  ASSERT_TRUE(file.finishReplacing("sheet.pdf", error)) << error;
  std::getline(std::ifstream("sheet.pdf"), text);
  EXPECT_EQ(text, "new");
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"sheet.pdf"}));

  std::filesystem::create_directory("d.pdf");
  ASSERT_TRUE(file.open(".", error));
  std::fputs("new\n", file.stream());
  EXPECT_FALSE(file.finishReplacing("d.pdf", error));
  EXPECT_EQ(error, EISDIR);
  file.discard();
  EXPECT_TRUE(std::filesystem::is_directory("d.pdf"));
  EXPECT_EQ(folderEntries(), (std::vector<std::string>{"d.pdf", "sheet.pdf"}));
}

TEST(BatchSeed, AcceptsOnlyDecimalNumbersThatKeepTheirBatchApart) {
  std::uint32_t seed = 1;
  EXPECT_TRUE(parseSeed("2147483647", seed));
  EXPECT_EQ(seed, 2147483647u);
  EXPECT_TRUE(parseSeed("007", seed));
  EXPECT_EQ(seed, 7u);
  // 2^31 + 5 would make the batch of 5 again.
  for (const char* bad : {"", "2147483648", "2147483653", "4294967295", "99999999999999999999", "-1", "+1", " 1",
                          "12a", "0x10"})
    EXPECT_FALSE(parseSeed(bad, seed)) << '"' << bad << '"';
}

}  // namespace
}  // namespace vantreel
