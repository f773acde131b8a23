#include "host/registry.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "host/files.h"
#include "host/prefix.h"
#include "NoCase.h"

namespace host::registry {
namespace fs = std::filesystem;
namespace {

struct Key {
  std::string path;
  std::vector<Value> values;
};
using HiveData = std::vector<Key>;

HiveData::iterator findKey(HiveData& data, std::string_view path) {
  return std::find_if(data.begin(), data.end(), [&](const Key& k) { return sameNoCase(k.path, path); });
}

std::vector<Value>::iterator findValue(std::vector<Value>& values, std::string_view name) {
  return std::find_if(values.begin(), values.end(), [&](const Value& v) { return sameNoCase(v.name, name); });
}

fs::path hiveFile(Hive hive) {
  return prefixDir() / "registry" /
         (hive == Hive::CurrentUser ? "HKEY_CURRENT_USER.ini" : "HKEY_LOCAL_MACHINE.ini");
}

// A stored line holds only printable bytes: a backslash, a control byte, and the bytes
// that would change how the line is read ('=' in a name, '[' or ';' leading a name,
// ']' in a key path) are written as \xNN, a backslash as "\\" (in a key path, where
// it separates names, only before an 'x').
std::string escape(std::string_view text, std::string_view special, bool guardLead) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' && special.find('\\') != std::string_view::npos) {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F || special.find(static_cast<char>(c)) != std::string_view::npos ||
               (guardLead && i == 0 && (c == '[' || c == ';')) ||
               (c == '\\' && i + 1 < text.size() && text[i + 1] == 'x')) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads escaped text up to an unescaped `stop` (or the end); returns the position after it.
std::size_t unescape(std::string_view line, std::size_t pos, char stop, bool backslashEscapes, std::string& out) {
  while (pos < line.size() && line[pos] != stop) {
    if (line[pos] == '\\' && pos + 1 < line.size()) {
      if (backslashEscapes && line[pos + 1] == '\\') {
        out += '\\';
        pos += 2;
        continue;
      }
      if (line[pos + 1] == 'x' && pos + 3 < line.size() && hexDigit(line[pos + 2]) >= 0 && hexDigit(line[pos + 3]) >= 0) {
        out += static_cast<char>(hexDigit(line[pos + 2]) * 16 + hexDigit(line[pos + 3]));
        pos += 4;
        continue;
      }
    }
    out += line[pos++];
  }
  return pos;
}

HiveData load(Hive hive) {
  HiveData data;
  std::string text;
  try {
    text = readFile(hiveFile(hive));
  } catch (const FileError&) {
    return data;  // a missing or unreadable hive holds no keys
  }
  Key* current = nullptr;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      std::string path;
      unescape(line.substr(1, line.size() - 2), 0, '\0', false, path);
      auto it = findKey(data, path);
      current = it != data.end() ? &*it : &data.emplace_back(Key{path, {}});
      continue;
    }
    if (!current) continue;
    Value value;
    std::size_t pos = unescape(line, 0, '=', true, value.name);
    if (pos >= line.size()) continue;  // not a value line
    unescape(line, pos + 1, '\n', true, value.data);
    if (findValue(current->values, value.name) == current->values.end()) current->values.push_back(std::move(value));
  }
  return data;
}

void save(Hive hive, const HiveData& data) {
  std::string text;
  for (const auto& key : data) {
    text += '[' + escape(key.path, "]", false) + "]\n";
    for (const auto& v : key.values) text += escape(v.name, "\\=", true) + '=' + escape(v.data, "\\", false) + '\n';
    text += '\n';
  }
  std::error_code ec;
  fs::create_directories(hiveFile(hive).parent_path(), ec);
  writeFileAtomic(hiveFile(hive), text);
}


// The serial-port list made from dosdevices/comN links, in ascending N.
std::optional<std::vector<Value>> serialPortsFromLinks() {
  std::map<long, Value> ports;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(prefixDir() / "dosdevices", ec)) {
    std::string name = entry.path().filename().string();
    if (name.size() < 4 || name.size() > 9 || !startsWithNoCase(name, "com") || !entry.is_symlink(ec)) continue;
    std::string digits = name.substr(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) || digits[0] == '0')
      continue;
    long n = std::stol(digits);
    ports[n] = Value{fs::read_symlink(entry.path(), ec).string(), "COM" + digits};
  }
  if (ports.empty()) return std::nullopt;
  std::vector<Value> values;
  for (auto& [n, value] : ports) values.push_back(std::move(value));
  return values;
}

}  // namespace

std::optional<std::string> read(Hive hive, std::string_view key, std::string_view name) {
  auto list = values(hive, key);
  if (!list) return std::nullopt;
  auto it = findValue(*list, name);
  return it == list->end() ? std::nullopt : std::optional<std::string>(std::move(it->data));
}

std::optional<std::vector<Value>> values(Hive hive, std::string_view key) {
  HiveData data = load(hive);
  if (auto k = findKey(data, key); k != data.end()) return std::move(k->values);
  if (hive == Hive::LocalMachine && sameNoCase(key, kSerialCommKey)) return serialPortsFromLinks();
  return std::nullopt;
}

void write(Hive hive, std::string_view key, std::string_view name, std::string_view data) {
  HiveData hiveData = load(hive);
  auto found = findKey(hiveData, key);
  Key& k = found != hiveData.end() ? *found : hiveData.emplace_back(Key{std::string(key), {}});
  auto it = findValue(k.values, name);
  if (it != k.values.end())
    it->data = data;
  else
    k.values.push_back(Value{std::string(name), std::string(data)});
  save(hive, hiveData);
}

bool remove(Hive hive, std::string_view key, std::string_view name) {
  HiveData data = load(hive);
  auto k = findKey(data, key);
  if (k == data.end()) return false;
  auto it = findValue(k->values, name);
  if (it == k->values.end()) return false;
  k->values.erase(it);
  save(hive, data);
  return true;
}

bool removeKey(Hive hive, std::string_view key) {
  HiveData data = load(hive);
  auto it = findKey(data, key);
  if (it == data.end()) return false;
  data.erase(it);
  save(hive, data);
  return true;
}

}  // namespace host::registry
