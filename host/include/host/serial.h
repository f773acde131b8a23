#pragma once
// A serial port as a Windows program sees a COM port: opened for exclusive use, set up
// from the fields of a device control block and the time-outs, with reads that never
// block. Built on termios2; what each Windows field becomes is in docs/serial-ports.md.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace host {

// Windows line settings in Win32 numbering. Fields that Linux cannot express at all
// (DSR sensitivity, the error and event characters, queue sizes, the event mask) have
// no place here.
struct SerialSettings {
  std::uint32_t baudRate = 9600;  // 0 is refused, as Windows does
  std::uint8_t byteSize = 8;      // 5..8
  std::uint8_t parity = 0;        // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t stopBits = 0;      // 0 one, 1 one and a half (5-bit bytes only), 2 two
  std::uint8_t dtrControl = 1;    // 0 disable, 1 enable, 2 handshake
  std::uint8_t rtsControl = 1;    // 0 disable, 1 enable, 2 handshake, 3 toggle
  bool binary = true;
  bool parityCheck = false;
  bool outxCtsFlow = false;
  bool outxDsrFlow = false;
  bool inX = false;   // send XOFF/XON when our input fills up
  bool outX = false;  // stop sending on XOFF from the device
  bool errorChar = false;
  bool nullDiscard = false;
  bool abortOnError = false;
  std::uint8_t xonChar = 0x11;
  std::uint8_t xoffChar = 0x13;
  std::uint16_t xonLim = 2048;
  std::uint16_t xoffLim = 512;
  // Time-outs in ms. A write may take constant + multiplier * bytes; both zero means
  // no limit. Reads always return at once with what is waiting.
  std::uint32_t writeTotalTimeoutConstant = 0;
  std::uint32_t writeTotalTimeoutMultiplier = 0;
};

// Win32 PurgeComm flags.
enum PurgeFlags : unsigned {
  kPurgeTxAbort = 0x1,
  kPurgeRxAbort = 0x2,
  kPurgeTxClear = 0x4,
  kPurgeRxClear = 0x8,
};

class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Opens an existing terminal device (a link is followed) and takes it for exclusive
  // use. False when it is missing, not a terminal, or held by another program.
  bool open(const std::filesystem::path& device);
  // Applies every setting; false (settings partly applied) when the port refuses one,
  // also when the driver silently ignores it.
  bool configure(const SerialSettings& settings);
  bool purge(unsigned flags);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // True when a read would not block: bytes are waiting or the device has gone.
  // Waits up to timeoutMs (0: just look).
  bool readable(int timeoutMs);

  static constexpr std::ptrdiff_t kGone = -1;
  // Bytes read (0 when none are waiting), or kGone once the device has vanished: a
  // ready read that gives end of file, or EIO, as a pseudo-terminal whose other side
  // closed or a USB adapter that was pulled out does.
  std::ptrdiff_t read(std::span<std::uint8_t> buffer);

  // Writes within the write time-outs. Returns the bytes written (fewer on time-out),
  // or -1 on error.
  std::ptrdiff_t write(std::span<const std::uint8_t> bytes);
  // Waits, bounded, until the written bytes have left the port.
  void flush();

  // What went wrong last in open, configure, purge or write, with the device and the
  // cause. read() leaves it alone, so a reader thread may run beside a writer.
  const std::string& lastError() const { return error_; }

 private:
  bool fail(const char* what, int err);
  bool setModemLine(int line, bool on);

  int fd_ = -1;
  std::filesystem::path device_;
  std::string error_;
  SerialSettings settings_;
};

}  // namespace host
