#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

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
    std::string name;
    std::FILE* file = createBatchFile(kDate, size, name);
    if (file == nullptr) return "failed: " + name;
    std::fclose(file);
    return name;
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

TEST(BatchSeed, AcceptsOnlyDecimalNumbersThatFitIn32Bits) {
  std::uint32_t seed = 1;
  EXPECT_TRUE(parseSeed("4294967295", seed));
  EXPECT_EQ(seed, 4294967295u);
  EXPECT_TRUE(parseSeed("007", seed));
  EXPECT_EQ(seed, 7u);
  for (const char* bad : {"", "4294967296", "99999999999999999999", "-1", "+1", " 1", "12a", "0x10"})
    EXPECT_FALSE(parseSeed(bad, seed)) << '"' << bad << '"';
}

}  // namespace
}  // namespace vantreel
