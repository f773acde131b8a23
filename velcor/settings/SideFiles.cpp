#include "settings/SideFiles.h"

#include "host/codec.h"
#include "host/files.h"
#include "host/paths.h"
#include "host/registry.h"
#include "settings/Text.h"

namespace velcor {

std::string tmsPath() {
  return host::registry::read(host::registry::Hive::CurrentUser, "Software\\Kerrow", "TMSPath").value_or("");
}

std::filesystem::path parameterDatabasePath() { return host::joinPath(host::programFolder(), {"TMS", "BD.tms"}); }

std::filesystem::path terminalFolder(std::string_view tid) {
  return host::joinPath(host::programFolder(), {"TMS", tid});
}

void pointTmsAt(std::string_view tmsPath, const std::filesystem::path& database) {
  IniFile ini(host::joinPath(host::mapPath(tmsPath), {"default.ini"}));
  ini.writeString("TMS server", "Profile1", database.string());
  ini.updateFile();
}

std::vector<std::string> terminalIds(const IniFile& database) {
  std::vector<std::string> ids;
  auto count = toInt32(trimmed(database.readString("Terminals", "TID Count", "0"))).value_or(0);
  for (std::int32_t i = 1; i <= count; ++i) {
    std::string key = "TID" + std::to_string(i);
    if (!database.valueExists("Terminals", key)) break;  // a count larger than the list
    ids.push_back(database.readString("Terminals", key, ""));
  }
  return ids;
}

std::filesystem::path ContactReaderConfig::defaultPath() { return host::mapPath("C:\\Tmp\\PCardConfig.xml"); }

ContactReaderConfig::ContactReaderConfig(std::filesystem::path path) : path_(std::move(path)) {
  forEachLine(host::cp1251::toUtf8(host::readFile(path_)), [&](std::string_view line) { lines_.emplace_back(line); });
}

bool ContactReaderConfig::replaceReader(std::string_view reader) {
  for (auto& line : lines_) {
    if (line.find("<Contact_Reader Device=") == std::string::npos) continue;
    line = "\t<Contact_Reader Device=\"" + std::string(reader) + "\" Type=\"PC/SC\"/>";
    return true;
  }
  return false;
}

void ContactReaderConfig::save() const {
  std::string text;
  for (const auto& line : lines_) text += line + "\r\n";
  host::writeFileAtomic(path_, host::cp1251::fromUtf8(text));
}

}  // namespace velcor
