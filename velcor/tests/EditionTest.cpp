#include "app/Edition.h"

#include <gtest/gtest.h>

namespace {

using velcor::Edition;

TEST(Edition, Words) {
  struct Case {
    const char* text;
    std::optional<Edition> edition;
  } cases[] = {
      {"plain", Edition{}},
      {"vending", Edition{true, false, false}},
      {"parking", Edition{false, true, false}},
      {"service", Edition{false, false, true}},
      {"vending+parking+service", Edition{true, true, true}},
      {"plain+vending", Edition{true, false, false}},
      {"", std::nullopt},
      {"Vending", std::nullopt},
      {"vending+", std::nullopt},
      {"vending service", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(velcor::parseEdition(c.text), c.edition) << c.text;

  ::setenv("VELCOR_EDITION", "parking+service", 1);
  EXPECT_EQ(velcor::startEdition(), (Edition{false, true, true}));
  ::setenv("VELCOR_EDITION", "nonsense", 1);
  EXPECT_EQ(velcor::startEdition(), Edition{});  // this build's default
  ::unsetenv("VELCOR_EDITION");
}

}  // namespace
