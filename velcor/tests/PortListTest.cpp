#include "settings/PortList.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/prefix.h"
#include "host/registry.h"

namespace {

using host::registry::Hive;
using Items = std::vector<std::string>;

TEST(PortList, SortedWithoutDuplicatesOrTheFixedList) {
  host::testing::ScopedPrefix prefix;
  EXPECT_EQ(velcor::portItems(), (Items{"Отсутствует", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
                                        "COM9", "USB"}));

  for (const char* link : {"com3", "com10", "com1"})
    std::filesystem::create_symlink("/dev/null", host::prefixDir() / "dosdevices" / link);
  EXPECT_EQ(velcor::portItems(), (Items{"Отсутствует", "COM1", "COM10", "COM3", "USB"}));

  auto key = host::registry::kSerialCommKey;
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial1", std::string("com5\0", 5));
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial2", "COM5");
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial0", "COM2");
  EXPECT_EQ(velcor::portItems(), (Items{"Отсутствует", "COM2", "com5", "USB"}));

  host::registry::write(Hive::LocalMachine, key, "\\Device\\Long", std::string(300, 'X'));
  EXPECT_EQ(velcor::portItems().size(), 11u);  // a value too long for its buffer: the fixed list
}

}  // namespace
