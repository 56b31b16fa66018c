// The solver reads the triple table, which the program builds at start-up.
#include <gtest/gtest.h>

#include "tables/digit_tables.h"

namespace {

class TripleTableEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { vantreel::buildTripleTable(); }
};

[[maybe_unused]] ::testing::Environment* const kTripleTable =
    ::testing::AddGlobalTestEnvironment(new TripleTableEnvironment);

}  // namespace
