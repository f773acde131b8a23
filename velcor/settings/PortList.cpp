#include "settings/PortList.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "host/registry.h"
#include "settings/SettingsKeys.h"

namespace velcor {
namespace {

// Port names and values are read into buffers of 256 bytes; a longer one fails the
// enumeration like any other error.
constexpr std::size_t kBufferSize = 256;

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// nullopt when the key is missing or cannot be enumerated.
std::optional<std::vector<std::string>> registryPorts() {
  auto values = host::registry::values(host::registry::Hive::LocalMachine, host::registry::kSerialCommKey);
  if (!values) return std::nullopt;
  std::vector<std::string> ports;
  for (const auto& value : *values) {
    if (value.name.size() >= kBufferSize || value.data.size() >= kBufferSize) return std::nullopt;
    std::string name = value.data;
    if (!name.empty() && name.back() == '\0') name.pop_back();
    ports.push_back(std::move(name));
  }
  std::stable_sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
  ports.erase(std::unique(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) { return upper(a) == upper(b); }),
              ports.end());
  return ports;
}

}  // namespace

std::vector<std::string> portItems() {
  std::vector<std::string> items{std::string(kAbsent)};
  std::vector<std::string> ports;
  if (auto listed = registryPorts()) {
    ports = std::move(*listed);
  } else {
    for (int n = 1; n <= 9; ++n) ports.push_back("COM" + std::to_string(n));
  }
  items.insert(items.end(), ports.begin(), ports.end());
  items.push_back("USB");
  return items;
}

}  // namespace velcor
