#include <cstdint>
#include <span>

#include "host/paths.h"
#include "host/serial.h"
#include "sweepcom/MyXLib.h"

namespace MyXLib::Transports {

namespace {

constexpr std::size_t kReadChunk = 1024;
constexpr int kIdlePollsBeforeBackoff = 20;
constexpr int kBackoffMs = 10;
constexpr int kEmptyPollSleepMs = 100;

// The record holds 32-bit integers; the device control block takes bytes, words and
// bit fields of them.
host::SerialSettings lineSettings(const PortSettings& p) {
  host::SerialSettings s;
  s.baudRate = static_cast<std::uint32_t>(p.baudRate);
  s.byteSize = static_cast<std::uint8_t>(p.byteSize);
  s.parity = static_cast<std::uint8_t>(p.parity);
  s.stopBits = static_cast<std::uint8_t>(p.stopBits);
  s.abortOnError = (p.abortOnError & 1) != 0;
  s.dtrControl = static_cast<std::uint8_t>(p.dtrControl & 3);
  s.rtsControl = static_cast<std::uint8_t>(p.rtsControl & 3);
  s.binary = (p.binary & 1) != 0;
  s.parityCheck = (p.parityCheck & 1) != 0;
  s.inX = (p.inX & 1) != 0;
  s.outX = (p.outX & 1) != 0;
  s.xonChar = static_cast<std::uint8_t>(p.xonChar);
  s.xoffChar = static_cast<std::uint8_t>(p.xoffChar);
  s.errorChar = (p.errorChar & 1) != 0;
  s.nullDiscard = (p.nullDiscard & 1) != 0;
  s.outxCtsFlow = (p.outxCtsFlow & 1) != 0;
  s.outxDsrFlow = (p.outxDsrFlow & 1) != 0;
  s.xonLim = static_cast<std::uint16_t>(p.xonLim);
  s.xoffLim = static_cast<std::uint16_t>(p.xoffLim);
  s.writeTotalTimeoutConstant = static_cast<std::uint32_t>(p.writeTotalTimeoutConstant);
  s.writeTotalTimeoutMultiplier = static_cast<std::uint32_t>(p.writeTotalTimeoutMultiplier);
  return s;
}

}  // namespace

TransportCOM::TransportCOM(const PortSettings& settings)
    : reader_(&TransportCOM::ReaderMain, this), settings_(settings) {}

TransportCOM::~TransportCOM() { Close(); }

bool TransportCOM::Open() {
  if (port_) Close();
  auto port = std::make_unique<host::SerialPort>();
  // Reads need no time-outs here: the reader only reads what is already waiting. The
  // event mask and queue sizes have no Linux counterpart.
  if (!port->open(host::mapPath(settings_.portPath)) ||
      !port->purge(static_cast<unsigned>(settings_.purgeFlags)) ||
      !port->configure(lineSettings(settings_))) {
    healthy_ = false;
    return false;
  }
  port_ = std::move(port);
  healthy_ = true;
  if (callback_ != nullptr) callback_->OnOpened();
  reader_.Start();
  return true;
}

void TransportCOM::DropPort() {
  // The reader must be gone before the descriptor is, or it could read a descriptor
  // number that something else has been given meanwhile.
  reader_.Stop();
  port_.reset();
}

void TransportCOM::Close() {
  const bool wasOpen = port_ != nullptr;
  DropPort();
  if (wasOpen && callback_ != nullptr) callback_->OnClosed();
}

void TransportCOM::Send(const ByteString& data) {
  if (!port_) {
    healthy_ = false;
    return;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  std::size_t done = 0;
  do {
    std::ptrdiff_t n = port_->write(std::span(bytes + done, data.size() - done));
    // A write that times out without moving a byte would be repeated for ever behind
    // a stalled line; it counts as failed.
    if (n < 0 || (n == 0 && done < data.size())) {
      healthy_ = false;
      DropPort();
      return;
    }
    port_->flush();
    done += static_cast<std::size_t>(n);
  } while (done < data.size());
}

void TransportCOM::ReaderMain(XThread& thread, void* self) {
  static_cast<TransportCOM*>(self)->Reader(thread);
}

void TransportCOM::Reader(XThread& thread) {
  std::uint8_t chunk[kReadChunk];
  int idlePolls = 0;
  while (!thread.StopRequested()) {
    std::ptrdiff_t got = 0;
    if (port_->readable(0)) {
      got = port_->read(chunk);
      if (got == host::SerialPort::kGone) {
        // The device vanished: deliver nothing more, the probe runs into its time-out.
        thread.WaitForStop();
        return;
      }
      if (got > 0) idlePolls = 0;
    } else {
      if (idlePolls < kIdlePollsBeforeBackoff) ++idlePolls;
      if (idlePolls >= kIdlePollsBeforeBackoff) thread.Sleep(kBackoffMs);
    }
    if (got > 0) {
      received_.append(reinterpret_cast<const char*>(chunk), static_cast<std::size_t>(got));
      if (callback_ != nullptr) callback_->OnDataReceived(received_);
    } else {
      thread.Sleep(kEmptyPollSleepMs);
    }
  }
}

}  // namespace MyXLib::Transports
