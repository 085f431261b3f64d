#include "core/text/NumberText.h"
#include "core/text/Version.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FormatFixed1, WritesOneDecimalAfterRoundingTo12Digits) {
  const struct {
    double value;
    const char* want;
  } cases[] = {
      {0, "0.0"},
      {-0.0, "0.0"},
      {3.5, "3.5"},
      {10, "10.0"},
      {100, "100.0"},
      {-0.5, "-0.5"},
      {0.5, "0.5"},
      {-12, "-12.0"},
      {0.1 + 0.2, "0.3"},
      // 0.15 and 9.95 lie just below the half in binary; the 12 digits make them halves.
      {0.15, "0.2"},
      {9.95, "10.0"},
      {2.25, "2.3"},
      {-2.25, "-2.3"},
      {99.96, "100.0"},
      {0.04, "0.0"},
      {-0.04, "0.0"},
      {0.0449999999999, "0.0"},
      {0.04999999999999, "0.1"},
      {1e-300, "0.0"},
      {123456789012.34, "123456789012.0"},
      {1e15, "1000000000000000.0"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(FormatFixed1(c.value, '.'), c.want);
  }
}

TEST(FormatFixed1, UsesTheGivenSeparator) {
  EXPECT_EQ(FormatFixed1(3.5, ','), "3,5");
  EXPECT_EQ(FormatFixed1(-1234.25, ','), "-1234,3");
}

TEST(VersionText, ShowsNumberAndDate) {
  EXPECT_EQ(VersionText('.'), "0.1 (2009-11-08)");
  EXPECT_EQ(VersionText(','), "0,1 (2009-11-08)");
}

} // namespace
