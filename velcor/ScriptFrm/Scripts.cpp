#include "ScriptFrm/Scripts.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/Text.h"

namespace velcor {
namespace {

constexpr const char* kSection = "Script";
constexpr const char* kCount = "Num Lines";

// The connection up to the host's answer to the call ("X").
const std::vector<std::string>& callLines() {
  static const std::vector<std::string> lines = {
      "Pause 100",
      "Send ASCII, \"@D\"",
      "Send HEX, 0D",
      "Recv 900, error, ANY_ASCII, =",
      "Send ASCII, \"D1\"",
      "Send HEX, 0D",
      "Recv 900, error, ANY_ASCII, @",
      "Send ASCII,\"SET 0:0,1:0,2:0,3:0,4:1,5:0,6:1,7:0,8:0,10:0,12:0,13:0,14:0,15:0,16:0,17:0,18:0,19:0\"",
      "Send HEX, 0D",
      "Recv 900, error, ANY_ASCII, @",
      "X",
      "Send HEX, 0D",
  };
  return lines;
}

std::string lineKey(std::int64_t number) { return "Line" + std::to_string(number); }

// The K of a key spelled "Line<K>" as the reader asks for it (any letter case, a
// positive decimal without leading zeros), or nothing.
std::optional<std::int64_t> lineNumber(std::string_view key) {
  constexpr std::string_view kPrefix = "line";
  if (key.size() <= kPrefix.size() || key[kPrefix.size()] == '0') return std::nullopt;
  for (std::size_t i = 0; i < kPrefix.size(); ++i)
    if ((key[i] | 0x20) != kPrefix[i]) return std::nullopt;
  const std::string_view digits = key.substr(kPrefix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  return toInt64(digits);  // nothing when it overflows: no count reaches it
}

}  // namespace

std::vector<std::string> defaultConnectionScript() {
  std::vector<std::string> lines = callLines();
  lines.push_back("Recv 900, error, ANY_ASCII, CONNECT");
  return lines;
}

std::vector<std::string> defaultLoaderScript() {
  std::vector<std::string> lines = callLines();
  lines.insert(lines.end(), {
                                "Recv 900, error, ANY_ASCII, Username:",
                                "Send ASCII, \"zqv\"",
                                "Send HEX, 0D",
                                "Recv 900, error, ANY_ASCII, Password:",
                                "Send ASCII, \"zqv\"",
                                "Send HEX, 0D",
                                "Recv 900, error, ANY_ASCII, Open",
                                "Send HEX, 1E78",
                                "Recv 900, error, ANY_ASCII, Pool>",
                                "Send ASCII, \"resume /noecho\"",
                                "Send HEX, 0D",
                                "Recv 900, error, ANY_ASCII, ]",
                            });
  return lines;
}

void readConnectionScript(const IniFile& ini, std::vector<std::string>& lines) {
  const std::int32_t count = toInt32(trimmed(ini.readString(kSection, kCount, ""))).value_or(0);
  if (count <= 0) return;
  // An absent LineK reads as empty and is skipped, so only the keys present are read,
  // in number order: a count of two thousand million costs no more than they do.
  std::vector<std::int64_t> present;
  for (const std::string& key : ini.readSection(kSection))
    if (auto number = lineNumber(key); number && *number <= count) present.push_back(*number);
  std::sort(present.begin(), present.end());
  lines.clear();
  for (std::int64_t number : present) {
    std::string line = ini.readString(kSection, lineKey(number), "");
    if (!line.empty()) lines.push_back(std::move(line));
  }
}

void writeConnectionScript(IniFile& ini, const std::vector<std::string>& lines) {
  const auto count = static_cast<std::int64_t>(lines.size());
  for (const std::string& key : ini.readSection(kSection)) {
    if (auto number = lineNumber(key); number && *number > count) {
      // A key written twice in the file is one key twice; take all of it.
      while (ini.valueExists(kSection, key)) ini.deleteKey(kSection, key);
    }
  }
  ini.writeInteger(kSection, kCount, count);
  for (std::int64_t i = 1; i <= count; ++i) ini.writeString(kSection, lineKey(i), lines[i - 1]);
}

}  // namespace velcor
