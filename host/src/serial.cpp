#include "host/serial.h"

// termios2 lives in the kernel's headers, which clash with glibc's <termios.h>; this file
// therefore talks to the tty layer through ioctl alone.
#include <asm/termbits.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace host {

namespace {

using Clock = std::chrono::steady_clock;

struct StandardRate {
  std::uint32_t rate;
  unsigned code;
};

// Rates with a code of their own; anything else goes through BOTHER.
constexpr StandardRate kRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

unsigned rateCode(std::uint32_t rate) {
  for (const auto& r : kRates)
    if (r.rate == rate) return r.code;
  return BOTHER;
}

int ioctlRetry(int fd, unsigned long request, void* arg) {
  int rc;
  do rc = ::ioctl(fd, request, arg);
  while (rc < 0 && errno == EINTR);
  return rc;
}

// A pseudo-terminal has no line: its driver forces 8 bits without parity whatever it is
// told, so there is no refusal to detect in its framing.
bool isPseudoTerminal(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return false;
  const unsigned m = major(st.st_rdev);
  return m >= 136 && m <= 143;  // Unix98 pty slaves
}

// Pseudo-terminals and some adapters have no modem lines; that is no refusal.
bool noModemLines(int err) { return err == ENOTTY || err == EINVAL; }

}  // namespace

SerialPort::~SerialPort() { close(); }

bool SerialPort::fail(const char* what, int err) {
  error_ = device_.string() + ": " + what;
  if (err != 0) error_ += std::string(": ") + std::strerror(err);
  return false;
}

bool SerialPort::open(const std::filesystem::path& device) {
  close();
  device_ = device;
  error_.clear();
  // O_NONBLOCK: opening must not wait for carrier, and a FIFO planted as a port must
  // not block us. O_NOCTTY: a port never becomes our controlling terminal.
  int fd;
  do fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return fail("cannot open", errno);

  termios2 tio{};
  if (ioctlRetry(fd, TCGETS2, &tio) < 0) {
    int err = errno;
    ::close(fd);
    return fail("not a serial port", err);
  }
  // Both locks, because each covers a gap of the other: TIOCEXCL keeps out later opens
  // by anyone but root, flock is honoured by root too but only by programs that ask.
  if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
    int err = errno;
    ::close(fd);
    return fail("in use by another program", err);
  }
  if (ioctlRetry(fd, TIOCEXCL, nullptr) < 0) {
    int err = errno;
    ::close(fd);
    return fail("cannot take exclusive use", err);
  }
  fd_ = fd;
  return true;
}

void SerialPort::close() {
  if (fd_ < 0) return;
  // The exclusive flag belongs to the tty, not to our descriptor; a pseudo-terminal
  // whose other side stays open would keep it and refuse the next open.
  ::ioctl(fd_, TIOCNXCL);
  // Whatever is still queued is held up by flow control (flush() waited for the rest);
  // left there, it would make close() wait the driver's closing time, up to 30 s.
  ::ioctl(fd_, TCFLSH, TCOFLUSH);
  ::close(fd_);
  fd_ = -1;
}

bool SerialPort::setModemLine(int line, bool on) {
  int bits = line;
  if (ioctlRetry(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) < 0 && !noModemLines(errno))
    return fail("cannot set a modem line", errno);
  return true;
}

bool SerialPort::configure(const SerialSettings& s) {
  if (fd_ < 0) return fail("not open", EBADF);
  // Windows refuses a zero rate; termios would take it as "hang up".
  if (s.baudRate == 0) return fail("baud rate 0 refused", 0);
  if (s.byteSize < 5 || s.byteSize > 8) return fail("byte size refused", 0);
  if (s.parity > 4) return fail("parity refused", 0);
  if (s.stopBits > 2) return fail("stop bits refused", 0);
  // With CSTOPB a UART sends 1.5 stop bits after 5-bit bytes and 2 otherwise, so each
  // Windows value fits only one side of that line.
  if (s.stopBits == 1 && s.byteSize != 5) return fail("1.5 stop bits need 5-bit bytes", 0);
  if (s.stopBits == 2 && s.byteSize == 5) return fail("2 stop bits refused with 5-bit bytes", 0);
  if (s.dtrControl > 2 || s.rtsControl > 3) return fail("line control refused", 0);

  termios2 tio{};
  if (ioctlRetry(fd_, TCGETS2, &tio) < 0) return fail("cannot read settings", errno);

  const unsigned code = rateCode(s.baudRate);
  tio.c_cflag &= ~(CBAUD | CIBAUD | CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS | HUPCL);
  // HUPCL off: closing the port must not drop DTR and RTS under the device.
  tio.c_cflag |= code | CREAD | CLOCAL;
  tio.c_ispeed = tio.c_ospeed = s.baudRate;
  static constexpr unsigned kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag |= kSizes[s.byteSize - 5];
  switch (s.parity) {
    case 1: tio.c_cflag |= PARENB | PARODD; break;
    case 2: tio.c_cflag |= PARENB; break;
    case 3: tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 4: tio.c_cflag |= PARENB | CMSPAR; break;
    default: break;
  }
  if (s.stopBits != 0) tio.c_cflag |= CSTOPB;
  // Linux has one switch for both directions of hardware flow control.
  if (s.rtsControl == 2 || s.outxCtsFlow) tio.c_cflag |= CRTSCTS;

  // Bytes with a parity error are passed on as they came, as Windows does when no
  // error character is set; with INPCK Linux would turn them into NUL.
  tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IGNPAR | IUCLC | IMAXBEL);
  if (s.outX) tio.c_iflag |= IXON;
  if (s.inX) tio.c_iflag |= IXOFF;
  tio.c_oflag &= ~OPOST;
  tio.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  tio.c_cc[VSTART] = s.xonChar;
  tio.c_cc[VSTOP] = s.xoffChar;

  if (ioctlRetry(fd_, TCSETS2, &tio) < 0) return fail("settings refused", errno);

  // Drivers drop what they cannot do without an error; read back what took effect.
  termios2 now{};
  if (ioctlRetry(fd_, TCGETS2, &now) < 0) return fail("cannot read settings", errno);
  const unsigned kLine = isPseudoTerminal(fd_) ? CSTOPB | CRTSCTS
                                               : CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS;
  if ((now.c_cflag & kLine) != (tio.c_cflag & kLine)) return fail("line settings refused", 0);
  std::uint32_t got = (now.c_cflag & CBAUD) == BOTHER ? now.c_ospeed : 0;
  if ((now.c_cflag & CBAUD) != BOTHER)
    for (const auto& r : kRates)
      if (r.code == (now.c_cflag & CBAUD)) got = r.rate;
  // A UART divides its clock; allow the rounding that brings, not a different rate.
  const double ratio = static_cast<double>(got) / s.baudRate;
  if (ratio < 0.97 || ratio > 1.03) return fail("baud rate refused", 0);

  if (!setModemLine(TIOCM_DTR, s.dtrControl != 0)) return false;
  // Toggle keeps RTS down while idle; write() raises it around each transmission.
  if (s.rtsControl != 2 && !setModemLine(TIOCM_RTS, s.rtsControl == 1)) return false;
  settings_ = s;
  return true;
}

bool SerialPort::purge(unsigned flags) {
  if (fd_ < 0) return fail("not open", EBADF);
  // Nothing is ever in flight on our descriptor, so the abort flags have nothing to do.
  long which = -1;
  if ((flags & kPurgeTxClear) && (flags & kPurgeRxClear)) which = TCIOFLUSH;
  else if (flags & kPurgeTxClear) which = TCOFLUSH;
  else if (flags & kPurgeRxClear) which = TCIFLUSH;
  if (which >= 0 && ::ioctl(fd_, TCFLSH, which) < 0) return fail("cannot purge", errno);
  return true;
}

bool SerialPort::readable(int timeoutMs) {
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLIN, 0};
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int rc = ::poll(&p, 1, timeoutMs);
    if (rc > 0) return (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    if (rc == 0) return false;
    if (errno != EINTR) return true;  // let read() tell what is wrong
    timeoutMs = static_cast<int>(std::max<long long>(
        0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
  }
}

std::ptrdiff_t SerialPort::read(std::span<std::uint8_t> buffer) {
  if (fd_ < 0) return kGone;
  for (;;) {
    ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n > 0) return n;
    if (n == 0) {
      // Raw mode with VMIN=0 gives 0 when nothing is waiting too; only a ready port
      // that reads empty has gone.
      return readable(0) ? kGone : 0;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return 0;
    return kGone;
  }
}

std::ptrdiff_t SerialPort::write(std::span<const std::uint8_t> bytes) {
  if (fd_ < 0) return -1;
  const bool toggle = settings_.rtsControl == 3;
  if (toggle && !setModemLine(TIOCM_RTS, true)) return -1;
  const std::uint64_t limitMs =
      settings_.writeTotalTimeoutConstant +
      std::uint64_t{settings_.writeTotalTimeoutMultiplier} * bytes.size();
  const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
  std::size_t done = 0;
  std::ptrdiff_t result = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) {
      fail("write failed", errno);
      result = -1;
      break;
    }
    int waitMs = -1;
    if (limitMs != 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) break;  // time-out: report what went out
      waitMs = static_cast<int>(std::min<long long>(left, 1000 * 1000));
    }
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, waitMs) < 0 && errno != EINTR) {
      fail("write failed", errno);
      result = -1;
      break;
    }
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
      fail("device gone", EIO);
      result = -1;
      break;
    }
  }
  if (toggle) {
    flush();
    setModemLine(TIOCM_RTS, false);
  }
  return result < 0 ? result : static_cast<std::ptrdiff_t>(done);
}

void SerialPort::flush() {
  if (fd_ < 0) return;
  // tcdrain() would wait for ever behind a flow-control stop; wait for the transmit
  // queue instead, no longer than its bytes take at the line's rate (10 bits a byte)
  // plus a margin.
  int queued = 0;
  if (ioctlRetry(fd_, TIOCOUTQ, &queued) < 0 || queued <= 0) return;
  const std::uint32_t rate = settings_.baudRate ? settings_.baudRate : 9600;
  const auto limit = std::chrono::milliseconds(50 + 2 * 10'000ULL * static_cast<unsigned>(queued) / rate);
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    if (ioctlRetry(fd_, TIOCOUTQ, &queued) < 0 || queued <= 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace host
