#pragma once
// Every key of Tor-Mela.ini that the editor reads and writes, as one table: where the
// key lives, its default, how its value is read into a control state and how that
// state is written back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "settings/IniFile.h"

namespace velcor {

inline constexpr std::string_view kSettingsFileName = "Tor-Mela.ini";
inline constexpr std::string_view kAbsent = "Отсутствует";  // item 0 of every device selector: none
inline constexpr std::array<std::string_view, 7> kEppModels = {kAbsent,  "ZT598L", "ZT598M", "ZT596E",
                                                               "ZT596F", "ZT588F", "ZT598J"};
inline constexpr std::array<std::string_view, 6> kContactBauds = {"Default", "9600",  "19200",
                                                                  "38400",   "57600", "115200"};
inline constexpr std::array<std::string_view, 4> kContactlessBauds = {"115200", "57600", "38400", "19200"};
inline constexpr std::array<std::string_view, 3> kVendModes = {"CREDIT FIRST", "SELECT FIRST", "CARD SELECT"};
inline constexpr int kTimingMdbMax = 10;

// The state of the editor's controls that the settings file holds, one member per
// control, named after it. Selectors hold their item text ("" when nothing is
// selected), radio groups their item index (-1: none), fields their text. A default
// Settings is what a missing or empty file reads as.
struct Settings {
  bool LogCB = true;
  bool ShortLogCB = false;
  std::string TCPPortEdit = "2000";
  std::string ExtTerm_PC = "COM1";
  std::string MC_RiderCBox = "COM2";
  std::string MDB_RiderCBox = "COM2";
  std::string MC_Rider_BaudList = "Default";
  std::string Prn_CBox = "COM4";
  bool RiderLCD_CB = false;
  std::string ScReader_CB;
  std::string ScReaderPark_CB;
  std::string CB_EPP = std::string(kAbsent);
  int PinKeyScheme = 0;  // from PIN WK IDX: 0 none, 1 for 30, 2 for any other number
  bool CB_DynKeysLoad = false;
  int MaxPin_Length = 4;
  int BaudRG = 3;  // "19200"
  std::string NumReplyRevers = "0";
  std::string ParkID = "0";
  std::string BinRange = "30000000";
  std::string TID = "T0000001";
  std::string IPAdr;   // empty: the field keeps its own text
  std::string IPPort;  // empty: the field keeps its own text
  bool MakeOfflineCB = true;
  bool HyperTmsProtocol = false;
  bool HyperSSL_CB = false;
  std::string ResponseTimeout = "30";
  int VendMode_BG = 0;
  std::string VendMaxAmount = "3000";
  int VendScale_BG = 1;  // "Копейка"
  std::string PreSelectTimeout = "8";
  std::string DispenseTimeout = "5";
  std::string SessionTimeout = "30";
  std::string RestoreSessionTimeout = "15";
  int TimingMDB = 3;
  bool NotCloseSessionCB = false;
  bool VendPollingCB = true;

  bool operator==(const Settings&) const = default;
};

// How a key's text becomes a control state and back.
enum class Codec {
  Flag,             // "1" on, anything else off
  NotZeroFlag,      // "0" off, anything else on
  InvertedFlag,     // "1" unticks, anything else ticks; written "0" when ticked
  StartArea,        // not "0" ticks; written "590" or "0"
  Text,             // trimmed and cut to maxLength characters
  Reader,           // trimmed; "Отсутствует" written as one blank
  Integer,          // 32-bit, shown in decimal, fallback on failure
  Integer64,        // 64-bit, shown in decimal, fallback on failure
  ContactlessPort,  // "7" <-> COM7, "USB" <-> USB, " " <-> none
  ContactPort,      // "\\.\COM2" <-> COM2
  BusPort,          // "3" <-> COM3, always read with "COM" in front
  ContactBaud,      // one of the rates, else "Default"; "Default" removes the key
  EppName,          // the model name as it stands
  PinWkIdx,         // key scheme of the PIN pad; written from the model's index
  PinLength,        // 4 to 12, else 4
  ContactlessBaud,  // index of the rate, -1 when none matches
  VendMode,         // by the words CREDIT / CARD in it
  ScaleUnit,        // 1 is "Копейка" (item 1), any other number "Рубль" (item 0)
  TimingMdb,        // integer, at most the track bar's maximum
};

struct KeyDef {
  std::string_view section;
  std::string_view key;
  std::string_view readDefault;
  Codec codec;
  std::variant<bool Settings::*, int Settings::*, std::string Settings::*> field;
  int maxLength = 0;              // Text: characters kept on reading (0: all)
  std::int64_t fallback = 0;      // Integer kinds: the value of a malformed text
  bool Settings::*readOnlyWhen = nullptr;     // read only when this flag is on, else off
  bool Settings::*writeZeroUnless = nullptr;  // written "0" unless this flag is on
};

// The keys in the order a save writes them.
extern const std::array<KeyDef, 36> kSettingsKeys;

// Reads every key of the table from the copy.
Settings readSettings(const IniFile& ini);

// Writes every key of the table into the copy, in table order.
void writeSettings(IniFile& ini, const Settings& settings);

// One key: the control state its text gives, and the text a state is written as
// (nullopt: the key is removed).
void readKey(const KeyDef& def, std::string_view value, Settings& settings);
std::optional<std::string> encodeKey(const KeyDef& def, const Settings& settings);

}  // namespace velcor
