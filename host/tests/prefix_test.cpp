#include "host/prefix.h"

#include <gtest/gtest.h>

#include "TempDir.h"
#include "host/paths.h"

namespace {

namespace fs = std::filesystem;
using host::testing::ScopedPrefix;
using host::testing::TempDir;

TEST(Prefix, CreatedWithDriveCAndMappedPaths) {
  ScopedPrefix prefix;
  EXPECT_EQ(host::prefixDir(), prefix.path());
  EXPECT_TRUE(fs::is_directory(prefix.path() / "dosdevices/c:"));
  EXPECT_TRUE(fs::is_directory(prefix.path() / "drive_c"));

  struct Case {
    const char* text;
    fs::path expected;
  } cases[] = {
      {"C:\\Tmp\\PCardConfig.xml", prefix.path() / "dosdevices/c:/Tmp/PCardConfig.xml"},
      {"c:/Tmp\\x", prefix.path() / "dosdevices/c:/Tmp/x"},
      {"D:\\data", prefix.path() / "dosdevices/d:/data"},
      {"\\\\.\\COM12", prefix.path() / "dosdevices/com12"},
      {"\\\\.\\../../etc", prefix.path() / "dosdevices/.._.._etc"},
      {"/opt/tms", "/opt/tms"},
      {"relative\\name", "relative\\name"},
  };
  for (const auto& c : cases) EXPECT_EQ(host::mapPath(c.text), c.expected) << c.text;
  EXPECT_EQ(host::joinPath("/p", {"TMS\\BD.tms"}), fs::path("/p/TMS/BD.tms"));
  EXPECT_EQ(host::joinPath("/p", {"TMS", "T0000001"}), fs::path("/p/TMS/T0000001"));
}

TEST(Prefix, DefaultIsUnderXdgDataHome) {
  TempDir home;
  ::unsetenv("KERROW_PREFIX");
  ::setenv("XDG_DATA_HOME", home.path().c_str(), 1);
  EXPECT_EQ(host::prefixDir(), home.path() / "kerrow");
  EXPECT_TRUE(fs::is_directory(home.path() / "kerrow/dosdevices"));
  ::unsetenv("XDG_DATA_HOME");
}

// A fake /sys/class/tty: real UARTs, a phantom 8250 slot, USB and ACM adapters, and
// pseudo-terminals and consoles that have no device behind them.
TEST(Prefix, SeedsRealSerialPortsOnly) {
  TempDir sys, prefix;
  auto tty = [&](const std::string& name, bool device, const char* type = nullptr) {
    fs::create_directories(sys / name);
    if (device) fs::create_directories(sys.path() / name / "device");
    if (type) host::writeFileAtomic(sys.path() / name / "type", type);
  };
  tty("ttyS0", true, "4\n");
  tty("ttyS1", true, "0\n");
  tty("ttyS10", true, "4\n");
  tty("ttyUSB0", true);
  tty("ttyACM3", true);
  tty("tty1", false);
  tty("ptmx", false);
  tty("ttyS2", false, "4\n");
  fs::create_directories(prefix / "dosdevices");
  fs::create_symlink("/dev/ttyUSB0", prefix / "dosdevices/com1");  // kept as it is

  host::seedSerialPorts(prefix.path(), sys.path(), "/dev");
  auto target = [&](int n) { return fs::read_symlink(prefix / ("dosdevices/com" + std::to_string(n))); };
  EXPECT_EQ(target(1), "/dev/ttyUSB0");
  EXPECT_EQ(target(2), "/dev/ttyS0");
  EXPECT_EQ(target(3), "/dev/ttyS10");
  EXPECT_EQ(target(4), "/dev/ttyACM3");
  EXPECT_FALSE(fs::exists(fs::symlink_status(prefix / "dosdevices/com5")));
}

}  // namespace
