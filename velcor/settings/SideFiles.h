#pragma once
// The files and values that loading and saving the settings touch besides
// Tor-Mela.ini: the TMS pointer in default.ini, the parameter database BD.tms and the
// contact-reader line of PCardConfig.xml.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "settings/IniFile.h"

namespace velcor {

// HKEY_CURRENT_USER\Software\Kerrow, value TMSPath: the folder of the TMS software
// ("" when the key or value is missing).
std::string tmsPath();

// <program folder>/TMS/BD.tms
std::filesystem::path parameterDatabasePath();

// <program folder>/TMS/<tid>, the folder of a terminal's data files.
std::filesystem::path terminalFolder(std::string_view tid);

// Points the TMS software at the database: [TMS server] Profile1 in <tmsPath>\default.ini,
// keeping the rest of that file. Throws host::FileError when it cannot be written.
void pointTmsAt(std::string_view tmsPath, const std::filesystem::path& database);

// The terminal IDs listed in [Terminals] of the database: TID1 .. TID<TID Count>.
std::vector<std::string> terminalIds(const IniFile& database);

// PCardConfig.xml, kept by the card-reader software; only its contact-reader line is ours.
class ContactReaderConfig {
 public:
  // C:\Tmp\PCardConfig.xml through the machine prefix.
  static std::filesystem::path defaultPath();

  // Reads the file as lines; throws host::FileError when it cannot be read.
  explicit ContactReaderConfig(std::filesystem::path path);

  // Replaces the first line holding "<Contact_Reader Device=" by one naming `reader`.
  // False when there is no such line.
  bool replaceReader(std::string_view reader);

  // Writes all lines back with CR LF; throws host::FileError.
  void save() const;

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::filesystem::path path_;
  std::vector<std::string> lines_;  // UTF-8
};

}  // namespace velcor
