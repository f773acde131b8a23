// Feeds arbitrary bytes to the settings reader and checks that what it writes back
// reads again to the same values.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto ini = velcor::IniFile::fromBytes("fuzz.ini", bytes);
  velcor::Settings settings = velcor::readSettings(ini);
  for (const auto& section : {"Main Settings", "Contactless", "Vending"}) (void)ini.readSection(section);
  velcor::writeSettings(ini, settings);
  auto again = velcor::IniFile::fromBytes("fuzz.ini", ini.toBytes());
  if (!(velcor::readSettings(again) == velcor::readSettings(ini))) __builtin_trap();
  return 0;
}
