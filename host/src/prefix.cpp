#include "host/prefix.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <system_error>
#include <tuple>
#include <vector>

namespace host {
namespace fs = std::filesystem;
namespace {

fs::path defaultPrefix() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return fs::path(xdg) / "kerrow";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : "/tmp") / ".local/share/kerrow";
}

// Drive C: is a folder of the prefix unless the user linked it elsewhere.
void ensureLayout(const fs::path& prefix) {
  std::error_code ec;
  fs::create_directories(prefix / "dosdevices", ec);
  fs::path c = prefix / "dosdevices" / "c:";
  if (!fs::exists(fs::symlink_status(c, ec))) {
    fs::create_directories(prefix / "drive_c", ec);
    fs::create_directory_symlink("../drive_c", c, ec);
  }
}

struct TtyDevice {
  int kind;  // ttyS, ttyUSB, ttyACM
  long index;
  std::string name;
};

bool readsZeroType(const fs::path& typeFile) {
  std::ifstream in(typeFile);
  int type = -1;
  return in >> type && type == 0;
}

}  // namespace

fs::path prefixDir() {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  const char* env = std::getenv("KERROW_PREFIX");
  bool isDefault = !(env && *env);
  fs::path prefix = isDefault ? defaultPrefix() : fs::path(env);
  std::error_code ec;
  bool isNew = !fs::exists(prefix, ec);
  ensureLayout(prefix);
  if (isNew && isDefault) seedSerialPorts(prefix);
  return prefix;
}

void seedSerialPorts(const fs::path& prefix, const fs::path& sysClassTty, const fs::path& devDir) {
  static constexpr std::string_view kKinds[] = {"ttyS", "ttyUSB", "ttyACM"};
  std::vector<TtyDevice> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(sysClassTty, ec)) {
    std::string name = entry.path().filename().string();
    for (int kind = 2; kind >= 0; --kind) {  // longest names first: ttyS is a prefix of the others
      std::string_view stem = kKinds[kind];
      if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) continue;
      std::string digits = name.substr(stem.size());
      if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
          digits.size() > 6)
        break;
      // Pseudo-terminals and virtual consoles have no device behind them.
      if (!fs::exists(entry.path() / "device", ec)) break;
      if (kind == 0 && readsZeroType(entry.path() / "type")) break;  // 8250 slot with no UART
      found.push_back({kind, std::stol(digits), name});
      break;
    }
  }
  std::sort(found.begin(), found.end(),
            [](const TtyDevice& a, const TtyDevice& b) { return std::tie(a.kind, a.index) < std::tie(b.kind, b.index); });

  // Devices that already have a link keep it; the others take the lowest free numbers.
  fs::path dosdevices = prefix / "dosdevices";
  fs::create_directories(dosdevices, ec);
  std::vector<fs::path> linked;
  for (const auto& entry : fs::directory_iterator(dosdevices, ec))
    if (entry.is_symlink(ec)) linked.push_back(fs::read_symlink(entry.path(), ec));
  int n = 1;
  for (const auto& dev : found) {
    fs::path target = devDir / dev.name;
    if (std::find(linked.begin(), linked.end(), target) != linked.end()) continue;
    while (fs::exists(fs::symlink_status(dosdevices / ("com" + std::to_string(n)), ec))) ++n;
    fs::create_symlink(target, dosdevices / ("com" + std::to_string(n)), ec);
  }
}

}  // namespace host
