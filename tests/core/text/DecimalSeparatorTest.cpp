#include "core/text/DecimalSeparator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

TEST(DecimalSeparatorFrom, TakesOnlyACommaOrAFullStop) {
  const struct {
    const char* text;
    std::optional<char> want;
  } cases[] = {
      {",", ','},           {".", '.'},
      {"", std::nullopt},   {";", std::nullopt},
      {",,", std::nullopt}, {"\xD9\xAB", std::nullopt}, // the Arabic decimal separator in UTF-8
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DecimalSeparatorFrom(c.text), c.want);
  }
}

TEST(LocaleDecimalSeparator, ReadsTheLocaleAndLeavesNumbersInTheCLocale) {
  ASSERT_EQ(::setenv("LC_ALL", "C.UTF-8", 1), 0);
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  ::unsetenv("LC_ALL");
}

} // namespace
