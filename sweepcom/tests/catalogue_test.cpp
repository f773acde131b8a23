#include "sweepcom/catalogue.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/prefix.h"
#include "host/registry.h"
#include "sweepcom/scanner.h"

namespace {

using host::registry::Hive;
using sweepcom::readCatalogue;

TEST(ReadInt, ReadsLikeStrtolWithA32BitLong) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"", 0},          {"abc", 0},        {"9600", 9600},        {"  \t+42", 42},
      {"-1", -1},       {"-0", 0},         {"12ab34", 12},        {"0x10", 0},
      {"- 5", 0},       {"1e3", 1},        {"2147483647", 2147483647},
      {"2147483648", 2147483647},          {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999999999", -2147483647 - 1},
      {"\xD0\x9F\xD1\x80", 0},  // not ASCII digits
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(sweepcom::readInt(text), value) << text;
}

TEST(Hex, DecodesPairsAndRendersLowercase) {
  const std::pair<const char*, std::string> cases[] = {
      {"", ""},
      {"1B40", "\x1b\x40"},
      {"1b40", "\x1b\x40"},
      {"060A0", "\x06\x0a"},    // odd tail ignored
      {"7", ""},                // a single character is such a tail too
      {"00FF", std::string("\0\xff", 2)},
      {"zz g1 1g", std::string("\0\0\x01\x01", 4)},  // non-hex pairs read as far as they go
      {"-1 f", "\xff\x0f"},
  };
  for (const auto& [text, bytes] : cases) EXPECT_EQ(sweepcom::decodeHex(text), bytes) << text;
  EXPECT_EQ(sweepcom::renderHex(std::string("\x06\x0a\xff\0\xAB", 5)), "060aff00ab");
  EXPECT_EQ(sweepcom::renderHex(sweepcom::decodeHex("DEADbeef")), "deadbeef");
}

TEST(Catalogue, PortSettingsStartValuesAndOverrides) {
  auto cat = readCatalogue(R"(<root><devs><dev name="A">
      <portsett/>
      <portsett baud="9600" bytesize="7" parity="-1" stopbits=" 2x" abortonerror="0" rtscontrol="junk"/>
      <portsett baud="-1" bytesize="264" parity="99999999999"/>
    </dev></devs></root>)");
  ASSERT_EQ(cat.devices.size(), 1u);
  const auto& s = cat.devices[0].settings;
  ASSERT_EQ(s.size(), 3u);
  // Missing baud gives 0; everything else keeps its start value.
  EXPECT_EQ(s[0].baudRate, 0);
  EXPECT_EQ(s[0].byteSize, 8);
  EXPECT_EQ(s[0].parity, 2);
  EXPECT_EQ(s[0].stopBits, 0);
  EXPECT_EQ(s[0].abortOnError, 1);
  EXPECT_EQ(s[0].rtsControl, 0);
  EXPECT_EQ(s[0].xoffChar, 255);
  // -1 keeps the start value; text without digits is 0.
  EXPECT_EQ(s[1].baudRate, 9600);
  EXPECT_EQ(s[1].byteSize, 7);
  EXPECT_EQ(s[1].parity, 2);
  EXPECT_EQ(s[1].stopBits, 2);
  EXPECT_EQ(s[1].abortOnError, 0);
  EXPECT_EQ(s[1].rtsControl, 0);
  // The baud rate takes -1 as it stands; numbers are kept whole, cut only when applied.
  EXPECT_EQ(s[2].baudRate, -1);
  EXPECT_EQ(s[2].byteSize, 264);
  EXPECT_EQ(s[2].parity, 2147483647);
}

TEST(Catalogue, TakesWhatTheParserBuilt) {
  struct Case {
    const char* name;
    const char* xml;
    std::size_t devices;
    std::size_t excluded;
  };
  const Case cases[] = {
      {"empty", "", 0, 0},
      {"no devs", "<root/>", 0, 0},
      {"other root", "<base><devs><dev/></devs></base>", 0, 0},
      {"cut short", "<root><exclude><port name='COM1'/></exclude><devs><dev name='A'><seq in='01'/></dev><dev", 2, 1},
      {"binary", "\x01\x02\xff\xfe<<>>&&", 0, 0},
      {"two devs lists", "<root><devs><dev/></devs><devs><dev/><dev/></devs></root>", 3, 0},
  };
  for (const Case& c : cases) {
    auto cat = readCatalogue(c.xml);
    EXPECT_EQ(cat.devices.size(), c.devices) << c.name;
    EXPECT_EQ(cat.excludedPorts.size(), c.excluded) << c.name;
  }
  auto cat = readCatalogue("<root><devs><dev><seq in='01'/><seq out='h'/><seq in='02' out='0203'/></dev></devs></root>");
  ASSERT_EQ(cat.devices.size(), 1u);
  EXPECT_EQ(cat.devices[0].name, "");
  ASSERT_EQ(cat.devices[0].steps.size(), 3u);
  EXPECT_EQ(cat.devices[0].steps[0].out, "");
  EXPECT_EQ(cat.devices[0].steps[1].in, "");
  EXPECT_EQ(cat.devices[0].steps[2].out, "0203");
}

TEST(PortList, FollowsTheSerialKeyInItsOrder) {
  host::testing::ScopedPrefix prefix;
  EXPECT_TRUE(sweepcom::portList().empty());  // no key, no links

  const auto key = host::registry::kSerialCommKey;
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial2", "COM3");
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Serial0", "COM1");
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Cut", std::string("COM7\0junk", 9));
  host::registry::write(Hive::LocalMachine, key, "\\Device\\Long", std::string(600, 'X'));
  host::registry::write(Hive::LocalMachine, key, "\\Device\\After", "COM9");
  // A value too large for the enumeration's buffer ends the enumeration.
  EXPECT_EQ(sweepcom::portList(),
            (std::vector<std::string>{"\\\\.\\COM3", "\\\\.\\COM1", "\\\\.\\COM7"}));
}

TEST(PortList, ExclusionsAreExactAndRemoveEveryCopy) {
  std::vector<std::string> ports{"\\\\.\\COM3", "\\\\.\\COM1", "\\\\.\\COM3", "\\\\.\\COM2"};
  auto cat = readCatalogue(
      "<root><exclude><port name='COM3'/><port name='com2'/><port/></exclude></root>");
  sweepcom::applyExclusions(cat, ports);
  EXPECT_EQ(ports, (std::vector<std::string>{"\\\\.\\COM1", "\\\\.\\COM2"}));
}

}  // namespace
