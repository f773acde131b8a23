#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/files.h"

namespace {

using velcor::IniFile;
using namespace std::string_literals;

IniFile parse(const std::string& text) { return IniFile::fromBytes("t.ini", text); }

TEST(IniFile, ReadingRules) {
  auto ini = parse(
      "orphan=before any section\r\n"
      "  [ Main Settings ]  \r\n"
      "; comment=1\r\n"
      "\r\n"
      "  Key One  =  spaced value  \n"
      "key one=second occurrence\r"
      "Empty=\r\n"
      "Blank= \r\n"
      "no equals sign here\r\n"
      "Eq=a=b;c\r\n"
      "[main settings]\r\n"
      "Later=from the repeated section\r\n"
      "[\xC4\xF0\xF3\xE3\xEE\xE9]\r\n"
      "\xCA\xEB\xFE\xF7=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5\r\n"s);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  } cases[] = {
      {"Main Settings", "Key One", "spaced value"},
      {"MAIN SETTINGS", "KEY ONE", "spaced value"},  // first occurrence, any case
      {"Main Settings", "Empty", ""},                // present but empty: not the default
      {"Main Settings", "Blank", ""},
      {"Main Settings", "Eq", "a=b;c"},
      {"Main Settings", "Later", "from the repeated section"},
      {"Main Settings", "no equals sign here", "<default>"},
      {"Main Settings", "; comment", "<default>"},
      {"Main Settings", "orphan", "<default>"},
      {"", "orphan", "<default>"},
      {"другой", "КЛЮЧ", "Значение"},  // Cyrillic names compare without case too
  };
  for (const auto& c : cases) EXPECT_EQ(ini.readString(c.section, c.key, "<default>"), c.expected) << c.key;
  EXPECT_EQ(ini.readSection("main settings"), (std::vector<std::string>{"Key One", "Empty", "Blank", "Eq", "Later"}));
  EXPECT_TRUE(ini.readSection("missing").empty());
}

TEST(IniFile, WritingRules) {
  auto ini = parse("[B]\r\nx=1\r\nkeep me\r\ny=2\r\n[A]\r\n");
  ini.writeString("b", "X", "changed");  // in place
  ini.writeString("B", "z", " ");         // appended to its section
  ini.writeInteger("C", "n", -42);        // new section at the end
  ini.writeString("A", "v", "line\r\nbreak");
  EXPECT_EQ(ini.toBytes(),
            "[B]\r\nX=changed\r\nkeep me\r\ny=2\r\nz= \r\n\r\n[A]\r\nv=line  break\r\n\r\n[C]\r\nn=-42\r\n\r\n");

  ini.deleteKey("B", "y");
  ini.eraseSection("a");
  ini.writeString("Текст", "Порт", "Отсутствует");
  EXPECT_EQ(ini.toBytes(),
            "[B]\r\nX=changed\r\nkeep me\r\nz= \r\n\r\n[C]\r\nn=-42\r\n\r\n"
            "[\xD2\xE5\xEA\xF1\xF2]\r\n\xCF\xEE\xF0\xF2=\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xE5\xF2\r\n\r\n");
  EXPECT_EQ(ini.readString("B", "z", "d"), " ");  // as written, but not once read back
  EXPECT_EQ(parse(ini.toBytes()).readString("B", "z", "d"), "");

  ini.clear();
  EXPECT_EQ(ini.toBytes(), "");
}

TEST(IniFile, FilesOnDisk) {
  host::testing::TempDir dir;
  IniFile missing(dir / "missing.ini");
  EXPECT_EQ(missing.readString("S", "k", "default"), "default");
  missing.writeString("S", "k", "v");
  missing.updateFile();
  EXPECT_EQ(host::readFile(dir / "missing.ini"), "[S]\r\nk=v\r\n\r\n");

  host::setFileAttributes(dir / "missing.ini", host::kAttrReadOnly);
  missing.writeString("S", "k", "other");
  EXPECT_THROW(missing.updateFile(), host::FileError);
  EXPECT_EQ(host::readFile(dir / "missing.ini"), "[S]\r\nk=v\r\n\r\n");

  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_THROW(IniFile(dir / "folder.ini"), host::FileError);
}

TEST(IniFile, GarbageAndLargeFilesLoad) {
  std::string garbage;
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  auto ini = parse(garbage);
  auto again = parse(ini.toBytes());
  EXPECT_EQ(again.toBytes(), ini.toBytes());

  // 100 MB of one section with a million keys: still one read per key.
  std::string big = "[S]\r\n";
  big.reserve(100u << 20);
  for (int i = 0; big.size() < (100u << 20); ++i) big += "key" + std::to_string(i) + "=" + std::string(80, 'v') + "\r\n";
  auto large = parse(big);
  EXPECT_EQ(large.readString("S", "key0", ""), std::string(80, 'v'));
  EXPECT_EQ(large.readString("S", "KEY1000000", "none"), std::string(80, 'v'));
}

}  // namespace
