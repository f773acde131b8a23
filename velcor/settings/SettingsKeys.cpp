#include "settings/SettingsKeys.h"

#include <algorithm>

#include "settings/Text.h"

namespace velcor {

using S = Settings;

// clang-format off
const std::array<KeyDef, 36> kSettingsKeys = {{
    {"Main Settings",    "Log Transactions",     "-",            Codec::NotZeroFlag,     &S::LogCB},
    {"Main Settings",    "Short Log",            "-",            Codec::Flag,            &S::ShortLogCB, 0, 0, &S::LogCB, &S::LogCB},
    {"Main Settings",    "TCP Port for Link",    "2000",         Codec::Text,            &S::TCPPortEdit, 5},
    {"Contactless",      "COM Port",             "1",            Codec::ContactlessPort, &S::ExtTerm_PC},
    {"Contact",          "comPort",              "COM2",         Codec::ContactPort,     &S::MC_RiderCBox},
    {"External Control", "COM Port",             "2",            Codec::BusPort,         &S::MDB_RiderCBox},
    {"Contact",          "COM_baudRate",         "Default",      Codec::ContactBaud,     &S::MC_Rider_BaudList},
    {"Printer",          "COM Port",             "4",            Codec::BusPort,         &S::Prn_CBox},
    {"Contactless",      "Screen",               "-",            Codec::Flag,            &S::RiderLCD_CB},
    {"Main Settings",    "ScR Name",             " ",            Codec::Reader,          &S::ScReader_CB},
    {"Config Settings",  "ScR Park Name",        " ",            Codec::Reader,          &S::ScReaderPark_CB},
    {"EPP",              "NAME",                 "Отсутствует",  Codec::EppName,         &S::CB_EPP},
    {"EPP",              "PIN WK IDX",           "-",            Codec::PinWkIdx,        &S::PinKeyScheme},
    {"EPP",              "START AREA",           "0",            Codec::StartArea,       &S::CB_DynKeysLoad},
    {"EPP",              "MAX PIN LENGTH",       "-",            Codec::PinLength,       &S::MaxPin_Length},
    {"Contactless",      "Baudrate",             "19200",        Codec::ContactlessBaud, &S::BaudRG},
    {"Config Settings",  "Num reply reversal",   "0",            Codec::Text,            &S::NumReplyRevers, 1},
    {"Config Settings",  "ParkID",               "0",            Codec::Integer,         &S::ParkID, 0, 0},
    {"Config Settings",  "BinRange",             "30000000",     Codec::Integer64,       &S::BinRange, 0, 0},
    {"Config Settings",  "Loader TID",           "T0000001",     Codec::Text,            &S::TID, 8},
    {"Config Settings",  "Loader TCP Address",   "",             Codec::Text,            &S::IPAdr, 15},
    {"Config Settings",  "Loader TCP Port",      "",             Codec::Text,            &S::IPPort, 5},
    {"Config Settings",  "Loader Offline",       "1",            Codec::Flag,            &S::MakeOfflineCB},
    {"Config Settings",  "Loader HyperTMS",      "0",            Codec::Flag,            &S::HyperTmsProtocol},
    {"Config Settings",  "HyperTMS SSL",         "0",            Codec::Flag,            &S::HyperSSL_CB, 0, 0, &S::HyperTmsProtocol},
    {"Config Settings",  "Response Timeout",     "30",           Codec::Integer,         &S::ResponseTimeout, 0, 30},
    {"Vending",          "Mode",                 "CREDIT FIRST", Codec::VendMode,        &S::VendMode_BG},
    {"Vending",          "MaxAmount",            "3000",         Codec::Integer,         &S::VendMaxAmount, 0, 0},
    {"Vending",          "ScaleUnit",            "1",            Codec::ScaleUnit,       &S::VendScale_BG},
    {"Vending",          "HoldPreselectTimeout", "8",            Codec::Integer,         &S::PreSelectTimeout, 0, 8},
    {"Vending",          "DispenseTimeout",      "5",            Codec::Integer,         &S::DispenseTimeout, 0, 5},
    {"Vending",          "SessionTimeout",       "30",           Codec::Integer,         &S::SessionTimeout, 0, 30},
    {"Vending",          "HoldApproveTimeout",   "15",           Codec::Integer,         &S::RestoreSessionTimeout, 0, 15},
    {"Vending",          "TimingMDB",            "3",            Codec::TimingMdb,       &S::TimingMDB, 0, 3},
    {"Vending",          "AlwaysCancelSession",  "1",            Codec::InvertedFlag,    &S::NotCloseSessionCB},
    {"Vending",          "VendPolling",          "1",            Codec::Flag,            &S::VendPollingCB},
}};
// clang-format on

namespace {

std::string cutTrimmed(std::string_view value, std::size_t count) {
  return std::string(trimmed(firstChars(value, count)));
}

// The text of a port item after "COM".
std::string afterFirstThree(std::string_view item) {
  std::string head = firstChars(item, 3);
  return std::string(item.substr(head.size()));
}

template <std::size_t N>
int indexOf(const std::array<std::string_view, N>& items, std::string_view text) {
  auto it = std::find(items.begin(), items.end(), text);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

}  // namespace

void readKey(const KeyDef& def, std::string_view raw, Settings& s) {
  std::string_view v = trimmed(raw);
  auto flag = [&]() -> bool& { return s.*std::get<bool S::*>(def.field); };
  auto number = [&]() -> int& { return s.*std::get<int S::*>(def.field); };
  auto text = [&]() -> std::string& { return s.*std::get<std::string S::*>(def.field); };

  if (def.readOnlyWhen && !(s.*def.readOnlyWhen)) {
    flag() = false;
    return;
  }
  switch (def.codec) {
    case Codec::Flag: flag() = v == "1"; break;
    case Codec::NotZeroFlag: flag() = v != "0"; break;
    case Codec::InvertedFlag: flag() = v != "1"; break;
    case Codec::StartArea: flag() = v != "0"; break;
    case Codec::Text: text() = def.maxLength ? firstChars(v, def.maxLength) : std::string(v); break;
    case Codec::Reader:
    case Codec::EppName: text() = std::string(v); break;
    case Codec::Integer: text() = std::to_string(toInt32(v).value_or(static_cast<std::int32_t>(def.fallback))); break;
    case Codec::Integer64: text() = std::to_string(toInt64(v).value_or(def.fallback)); break;
    case Codec::ContactlessPort: {
      std::string port = charCount(v) > 4 ? cutTrimmed(v, 4) : std::string(v);
      text() = port == "USB" ? port : "COM" + port;
      break;
    }
    case Codec::ContactPort: {
      std::string port = charCount(v) > 9 ? cutTrimmed(v, 9) : std::string(v);
      if (charCount(port) > 5) port = port.substr(firstChars(port, 4).size());
      text() = port;
      break;
    }
    case Codec::BusPort: text() = "COM" + (charCount(v) > 4 ? cutTrimmed(v, 4) : std::string(v)); break;
    case Codec::ContactBaud: text() = std::string(indexOf(kContactBauds, v) > 0 ? v : kContactBauds[0]); break;
    case Codec::PinWkIdx: {
      auto n = v.empty() || v == "-" ? std::nullopt : toInt32(v);
      number() = !n || *n == 0 ? 0 : *n == 30 ? 1 : 2;
      break;
    }
    case Codec::PinLength: {
      int n = toInt32(v).value_or(4);
      number() = n < 4 || n > 12 ? 4 : n;
      break;
    }
    case Codec::ContactlessBaud: number() = indexOf(kContactlessBauds, v); break;
    case Codec::VendMode:
      number() = v.find("CREDIT") != std::string_view::npos ? 0 : v.find("CARD") != std::string_view::npos ? 2 : 1;
      break;
    case Codec::ScaleUnit: number() = toInt32(v).value_or(1) == 1 ? 1 : 0; break;
    case Codec::TimingMdb:
      number() = std::clamp<std::int32_t>(toInt32(v).value_or(static_cast<std::int32_t>(def.fallback)), 0, kTimingMdbMax);
      break;
  }
}

std::optional<std::string> encodeKey(const KeyDef& def, const Settings& s) {
  auto flag = [&] { return s.*std::get<bool S::*>(def.field); };
  auto number = [&] { return s.*std::get<int S::*>(def.field); };
  auto text = [&]() -> const std::string& { return s.*std::get<std::string S::*>(def.field); };
  auto item = [](const auto& items, int index) -> std::optional<std::string> {
    if (index < 0 || index >= static_cast<int>(items.size())) return std::nullopt;
    return std::string(items[static_cast<std::size_t>(index)]);
  };

  if (def.writeZeroUnless && !(s.*def.writeZeroUnless)) return "0";
  switch (def.codec) {
    case Codec::Flag:
    case Codec::NotZeroFlag: return flag() ? "1" : "0";
    case Codec::InvertedFlag: return flag() ? "0" : "1";
    case Codec::StartArea: return flag() ? "590" : "0";
    case Codec::Text:
    case Codec::EppName:
    case Codec::Integer:
    case Codec::Integer64: return text();
    case Codec::Reader: return text() == kAbsent ? " " : text();
    case Codec::ContactlessPort:
      if (text() == kAbsent) return " ";
      return text() == "USB" ? text() : afterFirstThree(text());
    case Codec::ContactPort:
      if (text() == kAbsent) return " ";
      return text() == "USB" ? text() : "\\\\.\\" + text();
    case Codec::BusPort: return text() == kAbsent ? " " : afterFirstThree(text());
    case Codec::ContactBaud:
      if (text() == kContactBauds[0]) return std::nullopt;
      return text();
    case Codec::PinWkIdx: {
      int model = indexOf(kEppModels, s.CB_EPP);
      return model <= 0 ? "0" : model == 1 ? "30" : "3";
    }
    case Codec::PinLength:
    case Codec::TimingMdb: return std::to_string(number());
    case Codec::ContactlessBaud: return item(kContactlessBauds, number()).value_or("19200");
    case Codec::VendMode: return item(kVendModes, number());
    case Codec::ScaleUnit: return number() == 0 ? "100" : "1";
  }
  return std::nullopt;
}

Settings readSettings(const IniFile& ini) {
  Settings settings;
  for (const auto& def : kSettingsKeys) readKey(def, ini.readString(def.section, def.key, def.readDefault), settings);
  return settings;
}

void writeSettings(IniFile& ini, const Settings& settings) {
  for (const auto& def : kSettingsKeys) {
    if (auto value = encodeKey(def, settings))
      ini.writeString(def.section, def.key, *value);
    else if (def.codec == Codec::ContactBaud)
      ini.deleteKey(def.section, def.key);
  }
}

}  // namespace velcor
