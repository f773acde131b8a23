#include "host/registry.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/prefix.h"

namespace {

namespace fs = std::filesystem;
using host::registry::Hive;
using host::testing::ScopedPrefix;

TEST(Registry, ValuesRoundTripAnyBytes) {
  ScopedPrefix prefix;
  std::string binary("a\0b\r\n\\x41=[;]\x98\xFF  ", 18);
  const std::pair<const char*, std::string> values[] = {
      {"TMSPath", "C:\\TMS"}, {"Logpwd", binary}, {"", "default value"}, {"=odd;[name]\\", " "}, {"empty", ""}};
  for (const auto& [name, data] : values) host::registry::write(Hive::CurrentUser, "Software\\Kerrow", name, data);
  for (const auto& [name, data] : values)
    EXPECT_EQ(host::registry::read(Hive::CurrentUser, "software\\KERROW", name), data) << name;
  EXPECT_EQ(host::registry::read(Hive::CurrentUser, "Software\\Kerrow", "tmspath"), "C:\\TMS");
  EXPECT_FALSE(host::registry::read(Hive::CurrentUser, "Software\\Other", "TMSPath"));
  EXPECT_FALSE(host::registry::read(Hive::LocalMachine, "Software\\Kerrow", "TMSPath"));

  host::registry::write(Hive::CurrentUser, "Software\\Kerrow", "TMSPATH", "D:\\New");
  auto list = host::registry::values(Hive::CurrentUser, "Software\\Kerrow");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->front().name, "TMSPath");  // replaced in place, first spelling kept
  EXPECT_EQ(list->front().data, "D:\\New");

  EXPECT_TRUE(host::registry::remove(Hive::CurrentUser, "Software\\Kerrow", "Logpwd"));
  EXPECT_FALSE(host::registry::read(Hive::CurrentUser, "Software\\Kerrow", "Logpwd"));
  EXPECT_TRUE(host::registry::removeKey(Hive::CurrentUser, "Software\\Kerrow"));
  EXPECT_FALSE(host::registry::values(Hive::CurrentUser, "Software\\Kerrow"));
}

TEST(Registry, HandWrittenHiveWithGarbageStillReads) {
  ScopedPrefix prefix;
  fs::create_directories(host::prefixDir() / "registry");
  using namespace std::string_literals;
  host::writeFileAtomic(host::prefixDir() / "registry/HKEY_CURRENT_USER.ini",
                        "orphan=1\r\n; note\r\n[Software\\Kerrow]\r\nno equals sign\r\n"
                        "TMSPath=/opt/tms\r\ntmspath=second\r\n\0\xff\r\n[software\\kerrow]\r\nLogpwd=x\\"s);
  EXPECT_EQ(host::registry::read(Hive::CurrentUser, "Software\\Kerrow", "TMSPath"), "/opt/tms");
  EXPECT_EQ(host::registry::read(Hive::CurrentUser, "Software\\Kerrow", "Logpwd"), "x\\");
  EXPECT_FALSE(host::registry::read(Hive::CurrentUser, "", "orphan"));
}

TEST(Registry, SerialPortsFromStoredKeyOrFromLinks) {
  ScopedPrefix prefix;
  auto key = host::registry::kSerialCommKey;
  EXPECT_FALSE(host::registry::values(Hive::LocalMachine, key));  // neither: missing

  fs::path dos = host::prefixDir() / "dosdevices";
  for (const char* name : {"com10", "com3", "com1"}) fs::create_symlink("/dev/null", dos / name);
  fs::create_directory(dos / "com4");  // not a link
  auto fromLinks = host::registry::values(Hive::LocalMachine, key);
  ASSERT_TRUE(fromLinks);
  std::vector<std::string> ports;
  for (const auto& v : *fromLinks) ports.push_back(v.data);
  EXPECT_EQ(ports, (std::vector<std::string>{"COM1", "COM3", "COM10"}));

  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial2", "COM3");
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial0", "COM1");
  auto stored = host::registry::values(Hive::LocalMachine, key);
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->size(), 2u);
  EXPECT_EQ((*stored)[0].data, "COM3");  // stored order is the enumeration order
  EXPECT_EQ((*stored)[1].data, "COM1");
}

}  // namespace
