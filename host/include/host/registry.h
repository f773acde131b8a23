#pragma once
// The registry, kept as one INI-like file per hive in <prefix>/registry/. A section is
// a key path ("[Software\Kerrow]"), each line a value "name=data". Key and value names
// compare case-insensitively; data is a byte string and round-trips whatever it holds.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host::registry {

enum class Hive { CurrentUser, LocalMachine };

struct Value {
  std::string name;
  std::string data;
};

// The key that lists the serial ports (HKEY_LOCAL_MACHINE). When the hive does not
// hold it, it is made from the dosdevices/comN links in ascending N.
inline constexpr std::string_view kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

std::optional<std::string> read(Hive hive, std::string_view key, std::string_view name);

// The values of a key in stored order; nullopt when the key is missing.
std::optional<std::vector<Value>> values(Hive hive, std::string_view key);

// Writes create the key when needed; they throw host::FileError when the hive file
// cannot be written.
void write(Hive hive, std::string_view key, std::string_view name, std::string_view data);
bool remove(Hive hive, std::string_view key, std::string_view name);
bool removeKey(Hive hive, std::string_view key);

}  // namespace host::registry
