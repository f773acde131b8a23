#include "host/serial.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using host::SerialPort;
using host::SerialSettings;
using host::testing::TempDir;

// The far side of a port: a pseudo-terminal master and the name of its slave.
class Pty {
 public:
  Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    EXPECT_GE(master_, 0);
    ::grantpt(master_);
    ::unlockpt(master_);
    char name[128] = {};
    ::ptsname_r(master_, name, sizeof name);
    slave_ = name;
    // A watcher on the slave keeps the line's settings readable while the port is shut.
    watch_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~Pty() {
    closeMaster();
    if (watch_ >= 0) ::close(watch_);
  }
  const fs::path& slave() const { return slave_; }
  int master() const { return master_; }
  termios line() const {
    termios t{};
    ::tcgetattr(watch_, &t);
    return t;
  }
  void closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  int watch_ = -1;
  fs::path slave_;
};

TEST(SerialPort, OpensOnlyTerminalsAndNeverBlocks) {
  TempDir dir;
  fs::create_directory(dir / "folder");
  host::testing::writeBytes(dir / "file", "x");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);  // a blocking open would hang here
  fs::create_symlink(dir / "gone", dir / "dangling");
  for (const char* name : {"missing", "folder", "file", "fifo", "dangling"}) {
    SerialPort port;
    EXPECT_FALSE(port.open(dir / name)) << name;
    EXPECT_FALSE(port.isOpen()) << name;
    EXPECT_NE(port.lastError().find(name), std::string::npos) << port.lastError();
  }
}

TEST(SerialPort, IsExclusiveUntilClosed) {
  Pty pty;
  SerialPort first, second;
  ASSERT_TRUE(first.open(pty.slave())) << first.lastError();
  EXPECT_FALSE(second.open(pty.slave()));
  first.close();
  // The exclusive flag must not outlive our descriptor, or the next probe is refused.
  EXPECT_TRUE(second.open(pty.slave())) << second.lastError();
}

TEST(SerialPort, ConfigureAcceptsWhatWindowsAcceptsAndRefusesTheRest) {
  struct Case {
    const char* name;
    std::uint32_t baud;
    std::uint8_t byteSize, parity, stopBits;
    bool accepted;
  };
  const Case cases[] = {
      {"standard", 9600, 8, 0, 0, true},
      {"odd rate through BOTHER", 12345, 8, 2, 0, true},
      {"zero rate is no hang-up", 0, 8, 0, 0, false},
      {"5-bit bytes", 9600, 5, 0, 0, true},
      {"4-bit bytes", 9600, 4, 0, 0, false},
      {"9-bit bytes", 9600, 9, 0, 0, false},
      {"mark", 9600, 8, 3, 0, true},
      {"space", 9600, 7, 4, 2, true},
      {"parity 5", 9600, 8, 5, 0, false},
      {"1.5 stop bits after 5 bits", 9600, 5, 0, 1, true},
      {"1.5 stop bits after 8 bits", 9600, 8, 0, 1, false},
      {"2 stop bits after 5 bits", 9600, 5, 0, 2, false},
      {"stop bits 3", 9600, 8, 0, 3, false},
  };
  Pty pty;
  for (const Case& c : cases) {
    SerialPort port;
    ASSERT_TRUE(port.open(pty.slave())) << c.name;
    SerialSettings s;
    s.baudRate = c.baud;
    s.byteSize = c.byteSize;
    s.parity = c.parity;
    s.stopBits = c.stopBits;
    EXPECT_EQ(port.configure(s), c.accepted) << c.name << ": " << port.lastError();
  }
}

TEST(SerialPort, LineGetsRawModeParityAndKeepsModemLinesOnClose) {
  Pty pty;
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  SerialSettings s;
  s.baudRate = 38400;
  s.byteSize = 7;
  s.parity = 3;  // mark
  s.stopBits = 2;
  s.rtsControl = 2;
  s.outX = true;
  s.xonChar = 0x11;
  s.xoffChar = 0x13;
  ASSERT_TRUE(port.configure(s)) << port.lastError();
  port.close();
  termios t = pty.line();
  // A pseudo-terminal forces 8 bits without parity; the mark/space bits stay visible.
  EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR), unsigned{PARODD | CMSPAR});
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  EXPECT_TRUE(t.c_cflag & CRTSCTS);
  EXPECT_FALSE(t.c_cflag & HUPCL);
  EXPECT_TRUE(t.c_cflag & CLOCAL);
  EXPECT_TRUE(t.c_iflag & IXON);
  EXPECT_FALSE(t.c_iflag & (IXOFF | ICRNL | INPCK | ISTRIP));
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(t.c_oflag & OPOST);
  EXPECT_EQ(t.c_cc[VSTART], 0x11);
  EXPECT_EQ(t.c_cc[VSTOP], 0x13);
}

TEST(SerialPort, ReadsWhatIsWaitingAndSeesTheDeviceVanish) {
  Pty pty;
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  ASSERT_TRUE(port.configure(SerialSettings{}));
  std::uint8_t buf[16];
  EXPECT_FALSE(port.readable(0));
  EXPECT_EQ(port.read(buf), 0);  // nothing waiting is not a vanished device
  ASSERT_EQ(::write(pty.master(), "\x01\x02\x03", 3), 3);
  ASSERT_TRUE(port.readable(5000));
  EXPECT_EQ(port.read(buf), 3);
  EXPECT_EQ(buf[2], 3);

  pty.closeMaster();
  ASSERT_TRUE(port.readable(5000));
  EXPECT_EQ(port.read(buf), SerialPort::kGone);
  const std::uint8_t byte = 1;
  EXPECT_EQ(port.write(std::span(&byte, 1)), -1);
}

TEST(SerialPort, WriteToALineNobodyDrainsEndsByItsTimeOut) {
  Pty pty;  // the master never reads, so the line fills up
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  SerialSettings s;
  s.writeTotalTimeoutConstant = 20;
  ASSERT_TRUE(port.configure(s));
  std::vector<std::uint8_t> lots(1 << 20, 0x55);
  std::ptrdiff_t n = port.write(lots);
  EXPECT_GE(n, 0) << port.lastError();
  EXPECT_LT(n, static_cast<std::ptrdiff_t>(lots.size()));
  EXPECT_EQ(port.write(lots), 0);  // full: nothing more goes
}

TEST(SerialPort, PurgeDropsWaitingInput) {
  Pty pty;
  SerialPort port;
  ASSERT_TRUE(port.open(pty.slave()));
  ASSERT_TRUE(port.configure(SerialSettings{}));
  ASSERT_EQ(::write(pty.master(), "stale", 5), 5);
  ASSERT_TRUE(port.readable(5000));
  EXPECT_TRUE(port.purge(host::kPurgeRxClear | host::kPurgeTxClear));
  std::uint8_t buf[16];
  EXPECT_EQ(port.read(buf), 0);
}

}  // namespace
