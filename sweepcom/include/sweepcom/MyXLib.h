#pragma once
// The serial transport of the scanner: a transport (the port and its reader thread), a
// transport protocol above it and a user protocol on top, linked by callbacks.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace host {
class SerialPort;
}

namespace MyXLib {

// Bytes on the wire.
using ByteString = std::string;

class ILogger;

class ILogged {
 public:
  virtual ~ILogged() = default;

 protected:
  ILogger* logger_ = nullptr;  // no logger is ever set: nothing is logged
};

class ITransportCallbacked {
 public:
  // The buffer belongs to the caller; a receiver takes what it wants out of it.
  virtual void OnDataReceived(ByteString& buffer);
  virtual void OnOpened();
  virtual void OnClosed();
  virtual void OnEvent();
  virtual void OnEventCode(int code);

 protected:
  ~ITransportCallbacked() = default;
};

// Interface of a transport: a byte pipe that can be opened and closed.
class ITransport : public ILogged {
 public:
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual void Send(const ByteString& data) = 0;
  virtual bool IsHealthy() const = 0;
  virtual void SetCallback(ITransportCallbacked* target) = 0;
};

class IUserProtocol;

class ITransportProtocol : public ITransportCallbacked, public ILogged {
 public:
  virtual void Send(const ByteString& data) = 0;
  virtual bool Open();  // false when no transport is linked
  virtual void Close();

  void SetTransport(ITransport* transport) { transport_ = transport; }
  void SetUserProtocol(IUserProtocol* user) { user_ = user; }

 protected:
  ITransport* transport_ = nullptr;
  IUserProtocol* user_ = nullptr;
};

class IUserProtocol : public ITransportCallbacked, public ILogged {
 public:
  virtual void Send(const ByteString& data);
  virtual bool Open();  // false when no transport protocol is linked
  virtual void Close();

  void SetTransportProtocol(ITransportProtocol* protocol) { protocol_ = protocol; }

 protected:
  ITransportProtocol* protocol_ = nullptr;
};

// A counting semaphore. Like its Windows model, a release that would pass the maximum
// fails and leaves the count alone.
class Semaphore {
 public:
  Semaphore(long initial, long maximum) : count_(initial), max_(maximum) {}
  bool Release();
  bool Wait(int timeoutMs);  // true when a release was taken

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  long count_;
  const long max_;
};

// A thread with a stop flag. Its sleeps end early when a stop is asked for, so that
// stopping never waits out a poll interval.
class XThread {
 public:
  using Function = void (*)(XThread& self, void* argument);

  XThread(Function function, void* argument) : function_(function), argument_(argument) {}
  ~XThread() { Stop(); }
  XThread(const XThread&) = delete;
  XThread& operator=(const XThread&) = delete;

  void Start();
  // Sets the stop flag and waits until the thread function has returned.
  void Stop();
  bool StopRequested() const { return stop_.load(std::memory_order_acquire); }
  // False when the sleep ended because of a stop.
  bool Sleep(int ms);
  void WaitForStop();
  std::thread::id Id() const { return handle_.get_id(); }

 private:
  Function function_;
  void* argument_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable cv_;
  std::thread handle_;
};

// The settings of one probe, in Win32 numbering, as 32-bit integers (see
// TransportCOM::Open for how each becomes a line setting).
struct PortSettings {
  std::string portPath = "\\\\.\\COM1";
  std::int32_t baudRate = 38400;
  std::int32_t byteSize = 8;
  std::int32_t parity = 2;
  std::int32_t stopBits = 0;
  std::int32_t abortOnError = 1;
  std::int32_t dtrControl = 0;
  std::int32_t rtsControl = 0;
  std::int32_t binary = 1;
  std::int32_t parityCheck = 1;
  std::int32_t inX = 0;
  std::int32_t outX = 0;
  std::int32_t xonChar = 0;
  std::int32_t xoffChar = 255;
  std::int32_t errorChar = 0;
  std::int32_t nullDiscard = 0;
  std::int32_t outxCtsFlow = 0;
  std::int32_t outxDsrFlow = 0;
  std::int32_t xonLim = 2048;
  std::int32_t xoffLim = 512;
  std::int32_t writeTotalTimeoutConstant = 10;
  std::int32_t readTotalTimeoutConstant = 5;
  std::int32_t readIntervalTimeout = 1;
  std::int32_t readTotalTimeoutMultiplier = 0;
  std::int32_t writeTotalTimeoutMultiplier = 1;
  std::int32_t purgeFlags = 0x0F;
  std::int32_t inQueueSize = 1500;
  std::int32_t outQueueSize = 1500;
  std::int32_t eventMask = 1;
};

namespace Transports {

class TransportCOM : public ITransport {
 public:
  explicit TransportCOM(const PortSettings& settings);
  ~TransportCOM() override;

  bool Open() override;
  void Close() override;
  void Send(const ByteString& data) override;
  bool IsHealthy() const override { return healthy_.load(); }
  void SetCallback(ITransportCallbacked* target) override { callback_ = target; }

 private:
  static void ReaderMain(XThread& thread, void* self);
  void Reader(XThread& thread);
  void DropPort();

  ITransportCallbacked* callback_ = nullptr;
  XThread reader_;
  std::atomic<bool> healthy_{true};
  ByteString received_;  // the reader's
  PortSettings settings_;
  std::unique_ptr<host::SerialPort> port_;  // empty when closed
};

}  // namespace Transports

// The three objects of one connection, released together.
class TpAgregator {
 public:
  TpAgregator(std::unique_ptr<IUserProtocol> user, std::unique_ptr<ITransportProtocol> protocol,
              std::unique_ptr<ITransport> transport);
  virtual ~TpAgregator();

  IUserProtocol& User() { return *user_; }
  ITransportProtocol& Protocol() { return *protocol_; }
  ITransport& Transport() { return *transport_; }

 private:
  std::unique_ptr<IUserProtocol> user_;
  std::unique_ptr<ITransportProtocol> protocol_;
  std::unique_ptr<ITransport> transport_;
};

}  // namespace MyXLib
