#include "settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using velcor::IniFile;
using velcor::Settings;

IniFile parse(const std::string& text) { return IniFile::fromBytes("Tor-Mela.ini", text); }

// A state where every member differs from its default, so that a key written from the
// wrong member or read into the wrong one shows.
Settings everythingChanged() {
  Settings s;
  s.LogCB = true;
  s.ShortLogCB = true;
  s.TCPPortEdit = "2001";
  s.ExtTerm_PC = "COM12";
  s.MC_RiderCBox = "COM3";
  s.MDB_RiderCBox = "COM5";
  s.MC_Rider_BaudList = "57600";
  s.Prn_CBox = "COM6";
  s.RiderLCD_CB = true;
  s.ScReader_CB = "Virtual PCD 00 00";
  s.ScReaderPark_CB = "Virtual PCD 00 01";
  s.CB_EPP = "ZT598L";
  s.PinKeyScheme = 1;
  s.CB_DynKeysLoad = true;
  s.MaxPin_Length = 12;
  s.BaudRG = 0;
  s.NumReplyRevers = "3";
  s.ParkID = "77";
  s.BinRange = "9000000000";
  s.TID = "T0000002";
  s.IPAdr = "192.168.100.200";
  s.IPPort = "8080";
  s.MakeOfflineCB = false;
  s.HyperTmsProtocol = true;
  s.HyperSSL_CB = true;
  s.ResponseTimeout = "45";
  s.VendMode_BG = 2;
  s.VendMaxAmount = "5000";
  s.VendScale_BG = 0;
  s.PreSelectTimeout = "9";
  s.DispenseTimeout = "0";
  s.SessionTimeout = "60";
  s.RestoreSessionTimeout = "16";
  s.TimingMDB = 10;
  s.NotCloseSessionCB = true;
  s.VendPollingCB = false;
  return s;
}

TEST(SettingsKeys, EveryKeySurvivesSaveAndLoad) {
  Settings changed = everythingChanged();
  IniFile ini = parse("");
  velcor::writeSettings(ini, changed);
  EXPECT_EQ(velcor::readSettings(parse(ini.toBytes())), changed);

  IniFile defaults = parse("");
  velcor::writeSettings(defaults, Settings{});
  EXPECT_EQ(velcor::readSettings(parse(defaults.toBytes())), Settings{});
  EXPECT_EQ(velcor::readSettings(parse("")), Settings{});
}

TEST(SettingsKeys, SaveIntoEmptyFileGivesTheLayout) {
  IniFile ini = parse("");
  velcor::writeSettings(ini, Settings{});
  EXPECT_EQ(ini.toBytes(),
            "[Main Settings]\r\nLog Transactions=1\r\nShort Log=0\r\nTCP Port for Link=2000\r\n"
            "ScR Name=\r\n\r\n"
            "[Contactless]\r\nCOM Port=1\r\nScreen=0\r\nBaudrate=19200\r\n\r\n"
            "[Contact]\r\ncomPort=\\\\.\\COM2\r\n\r\n"
            "[External Control]\r\nCOM Port=2\r\n\r\n"
            "[Printer]\r\nCOM Port=4\r\n\r\n"
            "[Config Settings]\r\nScR Park Name=\r\nNum reply reversal=0\r\nParkID=0\r\nBinRange=30000000\r\n"
            "Loader TID=T0000001\r\nLoader TCP Address=\r\nLoader TCP Port=\r\nLoader Offline=1\r\n"
            "Loader HyperTMS=0\r\nHyperTMS SSL=0\r\nResponse Timeout=30\r\n\r\n"
            "[EPP]\r\nNAME=\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xE5\xF2\r\nPIN WK IDX=0\r\nSTART AREA=0\r\n"
            "MAX PIN LENGTH=4\r\n\r\n"
            "[Vending]\r\nMode=CREDIT FIRST\r\nMaxAmount=3000\r\nScaleUnit=1\r\nHoldPreselectTimeout=8\r\n"
            "DispenseTimeout=5\r\nSessionTimeout=30\r\nHoldApproveTimeout=15\r\nTimingMDB=3\r\n"
            "AlwaysCancelSession=1\r\nVendPolling=1\r\n\r\n");
}

TEST(SettingsKeys, ExistingKeysKeepTheirPlaceAndDefaultBaudIsRemoved) {
  IniFile ini = parse("[Contact]\r\nCOM_baudRate=9600\r\nOther=x\r\n[Unknown]\r\na=b\r\n[Main Settings]\r\nTCP Port for Link=1\r\n");
  velcor::writeSettings(ini, Settings{});
  std::string bytes = ini.toBytes();
  EXPECT_EQ(bytes.find("COM_baudRate"), std::string::npos);
  EXPECT_EQ(bytes.rfind("[Contact]\r\nOther=x\r\ncomPort=\\\\.\\COM2\r\n\r\n[Unknown]\r\na=b\r\n\r\n[Main Settings]\r\nTCP Port for Link=2000\r\n", 0), 0u);
}

// One key read from a one-line section, and the control state it gives.
struct ReadCase {
  const char* name;
  const char* file;
  std::function<bool(const Settings&)> check;
};

TEST(SettingsKeys, ReadConversions) {
  const ReadCase cases[] = {
      {"blank reader reads empty", "[Main Settings]\nScR Name= ", [](const Settings& s) { return s.ScReader_CB.empty(); }},
      {"contact \\\\.\\COM12", "[Contact]\ncomPort=\\\\.\\COM12", [](const Settings& s) { return s.MC_RiderCBox == "COM12"; }},
      {"contact COM12", "[Contact]\ncomPort=COM12", [](const Settings& s) { return s.MC_RiderCBox == "COM12"; }},
      {"contact COM2", "[Contact]\ncomPort=COM2", [](const Settings& s) { return s.MC_RiderCBox == "COM2"; }},
      {"contact USB", "[Contact]\ncomPort=USB", [](const Settings& s) { return s.MC_RiderCBox == "USB"; }},
      {"contact blank", "[Contact]\ncomPort= ", [](const Settings& s) { return s.MC_RiderCBox.empty(); }},
      {"contactless 12", "[Contactless]\nCOM Port=12", [](const Settings& s) { return s.ExtTerm_PC == "COM12"; }},
      {"contactless USB", "[Contactless]\nCOM Port=USB", [](const Settings& s) { return s.ExtTerm_PC == "USB"; }},
      {"contactless COM5", "[Contactless]\nCOM Port=COM5", [](const Settings& s) { return s.ExtTerm_PC == "COMCOM5"; }},
      {"contactless long", "[Contactless]\nCOM Port=12  3456", [](const Settings& s) { return s.ExtTerm_PC == "COM12"; }},
      {"bus port USB", "[Printer]\nCOM Port=USB", [](const Settings& s) { return s.Prn_CBox == "COMUSB"; }},
      {"bus port empty", "[External Control]\nCOM Port=", [](const Settings& s) { return s.MDB_RiderCBox == "COM"; }},
      {"baud list other", "[Contact]\nCOM_baudRate=4800", [](const Settings& s) { return s.MC_Rider_BaudList == "Default"; }},
      {"baud list 115200", "[Contact]\nCOM_baudRate=115200", [](const Settings& s) { return s.MC_Rider_BaudList == "115200"; }},
      {"logging off hides short log", "[Main Settings]\nLog Transactions=0\nShort Log=1",
       [](const Settings& s) { return !s.LogCB && !s.ShortLogCB; }},
      {"logging any value is on", "[Main Settings]\nLog Transactions=no\nShort Log=1",
       [](const Settings& s) { return s.LogCB && s.ShortLogCB; }},
      {"SSL needs HyperTMS", "[Config Settings]\nLoader HyperTMS=0\nHyperTMS SSL=1", [](const Settings& s) { return !s.HyperSSL_CB; }},
      {"PIN WK IDX 30", "[EPP]\nPIN WK IDX=30", [](const Settings& s) { return s.PinKeyScheme == 1; }},
      {"PIN WK IDX 3", "[EPP]\nPIN WK IDX=3", [](const Settings& s) { return s.PinKeyScheme == 2; }},
      {"PIN WK IDX -", "[EPP]\nPIN WK IDX=-", [](const Settings& s) { return s.PinKeyScheme == 0; }},
      {"PIN WK IDX text", "[EPP]\nPIN WK IDX=3a", [](const Settings& s) { return s.PinKeyScheme == 0; }},
      {"START AREA 590", "[EPP]\nSTART AREA=590", [](const Settings& s) { return s.CB_DynKeysLoad; }},
      {"PIN length 13", "[EPP]\nMAX PIN LENGTH=13", [](const Settings& s) { return s.MaxPin_Length == 4; }},
      {"PIN length 12", "[EPP]\nMAX PIN LENGTH=12", [](const Settings& s) { return s.MaxPin_Length == 12; }},
      {"contactless baud none", "[Contactless]\nBaudrate=9600", [](const Settings& s) { return s.BaudRG == -1; }},
      {"TCP port cut to 5", "[Main Settings]\nTCP Port for Link= 1234567 ", [](const Settings& s) { return s.TCPPortEdit == "12345"; }},
      {"TID cut by characters", "[Config Settings]\nLoader TID=\xD2\xE5\xF0\xEC\xE8\xED\xE0\xEB\xFB",
       [](const Settings& s) { return s.TID == "Терминал"; }},
      {"integer fallback", "[Vending]\nMaxAmount=lots", [](const Settings& s) { return s.VendMaxAmount == "0"; }},
      {"integer overflow", "[Config Settings]\nResponse Timeout=99999999999", [](const Settings& s) { return s.ResponseTimeout == "30"; }},
      {"integer sign", "[Config Settings]\nParkID=+7", [](const Settings& s) { return s.ParkID == "7"; }},
      {"64-bit BIN", "[Config Settings]\nBinRange=9223372036854775807",
       [](const Settings& s) { return s.BinRange == "9223372036854775807"; }},
      {"SELECT FIRST", "[Vending]\nMode=SELECT FIRST", [](const Settings& s) { return s.VendMode_BG == 1; }},
      {"CARD SELECT", "[Vending]\nMode=CARD SELECT", [](const Settings& s) { return s.VendMode_BG == 2; }},
      {"mode by substring", "[Vending]\nMode=xCREDITx", [](const Settings& s) { return s.VendMode_BG == 0; }},
      {"mode lower case", "[Vending]\nMode=credit first", [](const Settings& s) { return s.VendMode_BG == 1; }},
      {"scale 100", "[Vending]\nScaleUnit=100", [](const Settings& s) { return s.VendScale_BG == 0; }},
      {"scale junk", "[Vending]\nScaleUnit=x", [](const Settings& s) { return s.VendScale_BG == 1; }},
      {"timing 25", "[Vending]\nTimingMDB=25", [](const Settings& s) { return s.TimingMDB == 10; }},
      {"multivend", "[Vending]\nAlwaysCancelSession=0", [](const Settings& s) { return s.NotCloseSessionCB; }},
  };
  for (const auto& c : cases) EXPECT_TRUE(c.check(velcor::readSettings(parse(c.file)))) << c.name;
}

TEST(SettingsKeys, WriteEncodings) {
  struct Case {
    const char* name;
    std::function<void(Settings&)> change;
    const char* section;
    const char* key;
    const char* written;
  } cases[] = {
      {"no contactless reader", [](Settings& s) { s.ExtTerm_PC = std::string(velcor::kAbsent); }, "Contactless", "COM Port", " "},
      {"contactless COM7", [](Settings& s) { s.ExtTerm_PC = "COM7"; }, "Contactless", "COM Port", "7"},
      {"contact USB", [](Settings& s) { s.MC_RiderCBox = "USB"; }, "Contact", "comPort", "USB"},
      {"bus port none", [](Settings& s) { s.Prn_CBox = std::string(velcor::kAbsent); }, "Printer", "COM Port", " "},
      {"bus port unselected", [](Settings& s) { s.MDB_RiderCBox.clear(); }, "External Control", "COM Port", ""},
      {"no reader", [](Settings& s) { s.ScReader_CB = std::string(velcor::kAbsent); }, "Main Settings", "ScR Name", " "},
      {"typed reader", [](Settings& s) { s.ScReader_CB = " typed "; }, "Main Settings", "ScR Name", " typed "},
      {"ZT598M", [](Settings& s) { s.CB_EPP = "ZT598M"; }, "EPP", "PIN WK IDX", "3"},
      {"ZT598J", [](Settings& s) { s.CB_EPP = "ZT598J"; }, "EPP", "PIN WK IDX", "3"},
      {"short log with logging off", [](Settings& s) { s.LogCB = false, s.ShortLogCB = true; }, "Main Settings", "Short Log", "0"},
      {"no contactless baud", [](Settings& s) { s.BaudRG = -1; }, "Contactless", "Baudrate", "19200"},
      {"scale rouble", [](Settings& s) { s.VendScale_BG = 0; }, "Vending", "ScaleUnit", "100"},
      {"select first", [](Settings& s) { s.VendMode_BG = 1; }, "Vending", "Mode", "SELECT FIRST"},
      {"text untrimmed", [](Settings& s) { s.TCPPortEdit = " 2000"; }, "Main Settings", "TCP Port for Link", " 2000"},
  };
  for (const auto& c : cases) {
    Settings s;
    c.change(s);
    IniFile ini = parse("");
    velcor::writeSettings(ini, s);
    EXPECT_EQ(ini.readString(c.section, c.key, "<absent>"), c.written) << c.name;
    if (std::string(c.written) == " ") {
      std::string line = std::string(c.key) + "= \r\n";
      EXPECT_NE(ini.toBytes().find(line), std::string::npos) << c.name;
    }
  }
}

}  // namespace
