#include "sweepcom/scanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <pugixml.hpp>
#include <sstream>

#include "host/codec.h"
#include "host/registry.h"
#include "sweepcom/MyXLib.h"

namespace sweepcom {

namespace {

using MyXLib::ByteString;

constexpr long kSemaphoreMax = 16777215;
const std::string kDevicePrefix = "\\\\.\\";

// Guards the one reply of a probe between the reader thread and the probe.
class ReplySlot {
 public:
  void Replace(const ByteString& data) {
    std::lock_guard lock(mutex_);
    data_ = data;
  }
  ByteString Get() {
    std::lock_guard lock(mutex_);
    return data_;
  }

 private:
  std::mutex mutex_;
  ByteString data_;
};

class MyUserProt : public MyXLib::IUserProtocol {
 public:
  MyUserProt(ReplySlot& slot, MyXLib::Semaphore& semaphore) : slot_(slot), semaphore_(semaphore) {}

  void OnDataReceived(ByteString& buffer) override {
    slot_.Replace(buffer);
    semaphore_.Release();
  }
  void OnOpened() override { semaphore_.Release(); }

 private:
  ReplySlot& slot_;
  MyXLib::Semaphore& semaphore_;
};

class MyTransportProtocol : public MyXLib::ITransportProtocol {
 public:
  void OnDataReceived(ByteString& buffer) override {
    ByteString copy;
    copy.swap(buffer);
    if (user_ != nullptr) user_->OnDataReceived(copy);
  }
  void OnOpened() override {
    if (user_ != nullptr) user_->OnOpened();
  }
  void OnClosed() override {
    if (user_ != nullptr) user_->OnClosed();
  }
  void OnEvent() override {
    if (user_ != nullptr) user_->OnEvent();
  }
  void Send(const ByteString& data) override {
    if (transport_ != nullptr) transport_->Send(data);
  }
};

// Registry buffers of the enumeration: 1024 characters of name and 1024 bytes of data.
// A value that does not fit ends the enumeration, as the call reports "more data".
constexpr std::size_t kNameRoom = 1024;
constexpr std::size_t kDataRoom = 1024;

std::size_t utf16Units(std::string_view utf8) {
  std::size_t units = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts one character
    if ((c & 0xF8) == 0xF0) ++units;  // beyond the basic plane: a surrogate pair
  }
  return units;
}

class Prober {
 public:
  explicit Prober(int waitMs) : waitMs_(waitMs) {}

  void Probe(pugi::xml_node device, const std::string& port, const MyXLib::PortSettings& element,
             const std::vector<SeqStep>& steps);

 private:
  static bool Listed(const std::vector<std::string>& list, const std::string& port) {
    return std::find(list.begin(), list.end(), port) != list.end();
  }

  int waitMs_;
  std::vector<std::string> unopened_;
  std::vector<std::string> found_;
};

void Prober::Probe(pugi::xml_node device, const std::string& port,
                   const MyXLib::PortSettings& element, const std::vector<SeqStep>& steps) {
  if (Listed(unopened_, port) || Listed(found_, port)) return;

  MyXLib::PortSettings settings = element;
  settings.portPath = port;

  pugi::xml_node portNode = device.append_child("port");
  portNode.append_attribute("name").set_value(port.c_str());
  portNode.append_attribute("baud").set_value(settings.baudRate);

  // Declared before the connection objects: the reader thread uses both until the
  // transport is closed.
  MyXLib::Semaphore semaphore(0, kSemaphoreMax);
  ReplySlot reply;
  auto transport = std::make_unique<MyXLib::Transports::TransportCOM>(settings);
  auto protocol = std::make_unique<MyTransportProtocol>();
  auto user = std::make_unique<MyUserProt>(reply, semaphore);
  transport->SetCallback(protocol.get());
  protocol->SetTransport(transport.get());
  protocol->SetUserProtocol(user.get());
  user->SetTransportProtocol(protocol.get());
  MyXLib::TpAgregator connection(std::move(user), std::move(protocol), std::move(transport));

  connection.Transport().Open();
  if (!semaphore.Wait(waitMs_)) {
    portNode.append_attribute("result").set_value("NO OPENED");
    unopened_.push_back(port);
    connection.Transport().Close();
    return;
  }

  const char* result = "FOUND";
  for (const SeqStep& step : steps) {
    if (step.in.empty()) continue;
    pugi::xml_node seqNode = portNode.append_child("seq");
    connection.User().Send(decodeHex(step.in));
    if (!semaphore.Wait(waitMs_)) {
      result = "NO RESPONSE";
      break;
    }
    const ByteString got = reply.Get();
    if (step.out.empty() || step.out == "h") {
      seqNode.append_attribute("result").set_value(renderHex(got).c_str());
      continue;
    }
    const std::string expected = decodeHex(step.out);
    const std::size_t n = std::min(got.size(), expected.size());
    if (got.compare(0, n, expected, 0, n) != 0) {
      seqNode.append_attribute("result").set_value("NO MATCHED");
      result = nullptr;
      break;
    }
    seqNode.append_attribute("result").set_value(got == expected ? "MATCHED COMPLITE"
                                                                 : "MATCHED INCOMPLITE");
  }
  if (result != nullptr) portNode.append_attribute("result").set_value(result);
  if (result != nullptr && result == std::string_view("FOUND")) found_.push_back(port);
  connection.Transport().Close();
}

// The catalogue, or nothing when it cannot be opened. Only a regular file counts: a
// FIFO or a device planted under the name would block or never end.
std::optional<std::string> readCatalogueFile(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) bytes.append(buffer, static_cast<std::size_t>(n));
    else if (n < 0 && errno == EINTR) continue;
    else break;  // end, or a read error: parse what came
  }
  ::close(fd);
  return bytes;
}

}  // namespace

std::vector<std::string> portList() {
  std::vector<std::string> ports;
  std::optional<std::vector<host::registry::Value>> values;
  try {
    values = host::registry::values(host::registry::Hive::LocalMachine,
                                    host::registry::kSerialCommKey);
  } catch (const std::exception&) {
    return ports;  // an unreadable key is a missing one
  }
  if (!values) return ports;
  for (const host::registry::Value& v : *values) {
    // The data is read as a wide-character text, which ends at its first zero.
    std::string_view data(v.data);
    data = data.substr(0, data.find('\0'));
    if (utf16Units(v.name) + 1 > kNameRoom || (utf16Units(data) + 1) * 2 > kDataRoom) break;
    ports.push_back(kDevicePrefix + host::cp1251::fromUtf8(data));
  }
  return ports;
}

void applyExclusions(const Catalogue& catalogue, std::vector<std::string>& ports) {
  for (const std::string& name : catalogue.excludedPorts)
    std::erase(ports, kDevicePrefix + name);
}

std::string scan(const Catalogue& catalogue, const std::vector<std::string>& ports, int waitMs) {
  pugi::xml_document out;
  pugi::xml_node root = out.append_child("root");
  Prober prober(waitMs);
  for (const Device& device : catalogue.devices) {
    pugi::xml_node deviceNode = root.append_child("DEVICE");
    deviceNode.append_attribute("name").set_value(device.name.c_str());
    for (const std::string& port : ports)
      for (const MyXLib::PortSettings& settings : device.settings)
        prober.Probe(deviceNode, port, settings, device.steps);
  }
  std::ostringstream text;
  out.save(text, "\t");
  return text.str();
}

std::string run(const std::filesystem::path& catalogueFile) {
  std::vector<std::string> ports = portList();
  std::optional<std::string> xml = readCatalogueFile(catalogueFile);
  if (!xml) return "There isnt file devs.xml\n";
  Catalogue catalogue = readCatalogue(*xml);
  xml.reset();
  applyExclusions(catalogue, ports);
  return scan(catalogue, ports);
}

}  // namespace sweepcom
