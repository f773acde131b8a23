#include "sweepcom/MyXLib.h"

#include <chrono>

namespace MyXLib {

void ITransportCallbacked::OnDataReceived(ByteString&) {}
void ITransportCallbacked::OnOpened() {}
void ITransportCallbacked::OnClosed() {}
void ITransportCallbacked::OnEvent() {}
void ITransportCallbacked::OnEventCode(int) {}

bool ITransportProtocol::Open() { return transport_ != nullptr && transport_->Open(); }

void ITransportProtocol::Close() {
  if (transport_ != nullptr) transport_->Close();
}

void IUserProtocol::Send(const ByteString& data) {
  if (protocol_ != nullptr) protocol_->Send(data);
}

bool IUserProtocol::Open() { return protocol_ != nullptr && protocol_->Open(); }

void IUserProtocol::Close() {
  if (protocol_ != nullptr) protocol_->Close();
}

bool Semaphore::Release() {
  {
    std::lock_guard lock(mutex_);
    if (count_ >= max_) return false;
    ++count_;
  }
  cv_.notify_one();
  return true;
}

bool Semaphore::Wait(int timeoutMs) {
  std::unique_lock lock(mutex_);
  if (!cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return count_ > 0; }))
    return false;
  --count_;
  return true;
}

void XThread::Start() {
  Stop();
  stop_.store(false, std::memory_order_release);
  handle_ = std::thread([this] { function_(*this, argument_); });
}

void XThread::Stop() {
  {
    // Under the lock, so that a sleeper between its check and its wait cannot miss it.
    std::lock_guard lock(mutex_);
    stop_.store(true, std::memory_order_release);
  }
  cv_.notify_all();
  if (handle_.joinable()) handle_.join();
}

bool XThread::Sleep(int ms) {
  std::unique_lock lock(mutex_);
  return !cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return StopRequested(); });
}

void XThread::WaitForStop() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return StopRequested(); });
}

TpAgregator::TpAgregator(std::unique_ptr<IUserProtocol> user,
                         std::unique_ptr<ITransportProtocol> protocol,
                         std::unique_ptr<ITransport> transport)
    : user_(std::move(user)), protocol_(std::move(protocol)), transport_(std::move(transport)) {}

// The transport goes first: its reader thread may still call into the protocols.
TpAgregator::~TpAgregator() { transport_.reset(); }

}  // namespace MyXLib
