#include "host/codec.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, CyrillicAndSignsBothWays) {
  struct Case {
    const char* bytes;
    const char* utf8;
  } cases[] = {
      {"\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xE5\xF2", "Отсутствует"},
      {"\xA8\xB8", "Ёё"},
      {"\xB9 \x88 \x96", "№ € –"},
      {"COM7 \\\\.\\COM2", "COM7 \\\\.\\COM2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(host::cp1251::toUtf8(c.bytes), c.utf8);
    EXPECT_EQ(host::cp1251::fromUtf8(c.utf8), c.bytes);
  }
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(host::cp1251::fromUtf8(host::cp1251::toUtf8(all)), all);
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(host::cp1251::fromUtf8("a\xE4\xB8\xAD" "b"), "a?b");      // a CJK character
  EXPECT_EQ(host::cp1251::fromUtf8("\xF0\x9F\x98\x80"), "?");         // an emoji
  EXPECT_EQ(host::cp1251::fromUtf8("x\xD0"), "x?");                   // cut sequence
  EXPECT_EQ(host::cp1251::fromUtf8("\xC0\xAF"), "??");                // overlong '/'
  EXPECT_EQ(host::cp1251::fromUtf8("\xED\xA0\x80"), "???");           // surrogate
}

}  // namespace
