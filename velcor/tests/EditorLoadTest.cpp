// Loading the settings into the main window.
#include <functional>

#include "EditorFixture.h"
#include "PcscService.h"
#include "host/registry.h"
#include "settings/Text.h"

namespace velcor::testing {
namespace {

using Items = std::vector<std::string>;

// After loading: Save is off and every loaded value equals its control.
void expectSettled(TForm1& f) {
  EXPECT_FALSE(f.SaveBtn->Enabled());
  const auto& l = f.Loaded;
  auto number = [](const vcl::TEdit* e) { return toInt64(e->Text()).value_or(-999999); };
  EXPECT_EQ(l.logging, f.LogCB->Checked());
  EXPECT_EQ(l.shortLog, f.ShortLogCB->Checked());
  EXPECT_EQ(l.readerScreen, f.RiderLCD_CB->Checked());
  EXPECT_EQ(l.tcpPort, f.TCPPortEdit->Text());
  EXPECT_EQ(l.replies, f.NumReplyRevers->Text());
  EXPECT_EQ(l.contactlessBaud, f.BaudRG->ItemIndex());
  EXPECT_EQ(l.maxPinLength, f.MaxPin_Length->Value());
  EXPECT_EQ(l.parkId, number(f.ParkID));
  EXPECT_EQ(l.bin, number(f.BinRange));
  EXPECT_EQ(l.tid, f.TID->Text());
  EXPECT_EQ(l.loaderAddress, f.IPAdr->Text());
  EXPECT_EQ(l.loaderPort, f.IPPort->Text());
  EXPECT_EQ(l.localLoading, f.MakeOfflineCB->Checked());
  EXPECT_EQ(l.hyperTms, f.HyperTmsProtocol->Checked());
  EXPECT_EQ(l.hyperSsl, f.HyperSSL_CB->Checked());
  EXPECT_EQ(l.responseTimeout, number(f.ResponseTimeout));
  EXPECT_EQ(l.vendMode, f.VendMode_BG->ItemIndex());
  EXPECT_EQ(l.maxCredit, number(f.VendMaxAmount));
  EXPECT_EQ(l.scaleUnit, f.VendScale_BG->ItemIndex());
  EXPECT_EQ(l.dispense, number(f.DispenseTimeout));
  EXPECT_EQ(l.preselect, number(f.PreSelectTimeout));
  EXPECT_EQ(l.session, number(f.SessionTimeout));
  EXPECT_EQ(l.approve, number(f.RestoreSessionTimeout));
  EXPECT_EQ(l.timingMdb, f.TimingMDB->Position());
  EXPECT_EQ(l.multiVend, f.NotCloseSessionCB->Checked());
  EXPECT_EQ(l.vendPolling, f.VendPollingCB->Checked());
}

TEST_F(EditorTest, NoSettingsFileGivesTheDefaults) {
  TForm1& f = open();
  EXPECT_TRUE(f.LogCB->Checked());
  EXPECT_EQ(f.MC_RiderCBox->Text(), "COM2");
  EXPECT_EQ(f.MDB_RiderCBox->Text(), "COM2");
  EXPECT_EQ(f.Prn_CBox->Text(), "COM4");
  EXPECT_EQ(f.ExtTerm_PC->Text(), "COM1");
  EXPECT_EQ(f.BaudRG->ItemIndex(), 3);
  EXPECT_EQ(f.MC_Rider_BaudList->Text(), "Default");
  EXPECT_EQ(f.TCPPortEdit->Text(), "2000");
  EXPECT_EQ(f.TID->Text(), "T0000001");
  EXPECT_EQ(f.ResponseTimeout->Text(), "30");
  EXPECT_TRUE(f.MakeOfflineCB->Checked());
  EXPECT_EQ(f.CB_EPP->Text(), "Отсутствует");
  EXPECT_FALSE(f.MaxPin_Length->Enabled());
  EXPECT_FALSE(f.CB_DynKeysLoad->Enabled());
  EXPECT_FALSE(f.MaxPinLength_Label->Enabled());
  EXPECT_EQ(f.MaxPin_Length->Value(), 4);
  // The hidden vending page and parking fields carry their defaults too.
  EXPECT_EQ(f.VendMode_BG->ItemIndex(), 0);
  EXPECT_EQ(f.VendMaxAmount->Text(), "3000");
  EXPECT_EQ(f.VendScale_BG->ItemIndex(), 1);
  EXPECT_EQ(f.DispenseTimeout->Text(), "5");
  EXPECT_EQ(f.PreSelectTimeout->Text(), "8");
  EXPECT_EQ(f.SessionTimeout->Text(), "30");
  EXPECT_EQ(f.RestoreSessionTimeout->Text(), "15");
  EXPECT_EQ(f.TimingMDB->Position(), 3);
  EXPECT_FALSE(f.NotCloseSessionCB->Checked());
  EXPECT_TRUE(f.VendPollingCB->Checked());
  EXPECT_EQ(f.ParkID->Text(), "0");
  EXPECT_EQ(f.BinRange->Text(), "30000000");
  EXPECT_EQ(f.PageControl1->ActivePageIndex(), 0);
  EXPECT_EQ(f.Caption(), "  Конфигуратор Tormela");
  expectSettled(f);
}

// Settings files and the control states they give; each load ends settled.
TEST_F(EditorTest, SettingsReachTheirControls) {
  struct Case {
    const char* name;
    std::string ini;
    std::function<void(TForm1&)> check;
  };
  const Case cases[] = {
      {"SELECT FIRST shows no session time", "[Vending]\r\nMode=SELECT FIRST\r\nSessionTimeout=45\r\n",
       [](TForm1& f) {
         EXPECT_EQ(f.SessionTimeout->Text(), "0");
         EXPECT_FALSE(f.SessionTimeout->Enabled());
       }},
      {"TimingMDB above the bar", "[Vending]\r\nTimingMDB=25\r\n", [](TForm1& f) { EXPECT_EQ(f.TimingMDB->Position(), 10); }},
      {"scheme 1 keeps a listed model", "[EPP]\r\nNAME=ZT596F\r\nPIN WK IDX=30\r\nMAX PIN LENGTH=6\r\nSTART AREA=590\r\n",
       [](TForm1& f) {
         EXPECT_EQ(f.CB_EPP->Text(), "ZT596F");
         EXPECT_TRUE(f.MaxPin_Length->Enabled());
         EXPECT_TRUE(f.CB_DynKeysLoad->Enabled());
         EXPECT_TRUE(f.CB_DynKeysLoad->Checked());
         EXPECT_EQ(f.MaxPin_Length->Value(), 6);
       }},
      {"scheme 0 disables the PIN controls", "[EPP]\r\nNAME=ZT598L\r\nPIN WK IDX=0\r\n",
       [](TForm1& f) {
         EXPECT_EQ(f.CB_EPP->Text(), "ZT598L");
         EXPECT_FALSE(f.MaxPin_Length->Enabled());
       }},
      {"scheme 1 with an unknown model", "[EPP]\r\nNAME=zt598l\r\nPIN WK IDX=30\r\n",
       [](TForm1& f) { EXPECT_EQ(f.CB_EPP->Text(), "ZT598L"); }},
      {"scheme 2 with an unknown model", "[EPP]\r\nNAME=Other\r\nPIN WK IDX=3\r\n",
       [](TForm1& f) { EXPECT_EQ(f.CB_EPP->Text(), "ZT598M"); }},
      {"logging off", "[Main Settings]\r\nLog Transactions=0\r\nShort Log=1\r\n",
       [](TForm1& f) {
         EXPECT_FALSE(f.LogCB->Checked());
         EXPECT_FALSE(f.ShortLogCB->Checked());
         EXPECT_FALSE(f.ShortLogCB->Enabled());
       }},
      {"loading from a server", "[Config Settings]\r\nLoader Offline=0\r\nLoader TCP Address=10.0.0.1\r\nLoader TCP Port=7000\r\n",
       [](TForm1& f) {
         EXPECT_FALSE(f.MakeOfflineCB->Checked());
         EXPECT_TRUE(f.IPAdr->Enabled());
         EXPECT_EQ(f.IPAdr->Text(), "10.0.0.1");
         EXPECT_EQ(f.IPPort->Text(), "7000");
       }},
      {"ports by their encodings", "[Contact]\r\ncomPort=\\\\.\\com3\r\n[Contactless]\r\nCOM Port=USB\r\n[Printer]\r\nCOM Port= \r\n",
       [](TForm1& f) {
         EXPECT_EQ(f.MC_RiderCBox->Text(), "COM3");
         EXPECT_EQ(f.ExtTerm_PC->Text(), "USB");
         EXPECT_EQ(f.Prn_CBox->ItemIndex(), 0);
       }},
      {"malformed values take their fallbacks",
       "[Main Settings]\r\nTCP Port for Link=abc\r\n[Config Settings]\r\nResponse Timeout=x\r\nNum reply reversal=-\r\n"
       "BinRange=99999999999999999999\r\n[Vending]\r\nMaxAmount=lots\r\nHoldApproveTimeout=45\r\n[EPP]\r\nMAX PIN LENGTH=99\r\n",
       [](TForm1& f) {
         EXPECT_EQ(f.ResponseTimeout->Text(), "30");
         EXPECT_EQ(f.NumReplyRevers->Text(), "1");  // the one-digit rule repairs it
         EXPECT_EQ(f.BinRange->Text(), "0");
         EXPECT_EQ(f.VendMaxAmount->Text(), "0");
         EXPECT_EQ(f.RestoreSessionTimeout->Text(), "30");  // the field's own limit
         EXPECT_EQ(f.MaxPin_Length->Value(), 4);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeIni(c.ini);
    TForm1& f = open();
    c.check(f);
    EXPECT_FALSE(f.SaveBtn->Enabled());
    if (std::string(c.name) != "malformed values take their fallbacks") expectSettled(f);
  }
}

TEST_F(EditorTest, GarbageSettingsFileOpensTheEditor) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131) % 256);
  host::writeFileAtomic(iniPath(), "[Main Settings]\r\n" + garbage + "\r\n[EPP]\r\n" + garbage);
  TForm1& f = open();
  EXPECT_FALSE(f.SaveBtn->Enabled());
  EXPECT_EQ(f.CB_EPP->ItemIndex(), 0);
}

TEST_F(EditorTest, PortListsAndTheRegistryKey) {
  ports({1, 3, 10});
  TForm1& f = open();
  const Items expected{"Отсутствует", "COM1", "COM10", "COM3", "USB"};
  for (auto* box : {f.ExtTerm_PC, f.MC_RiderCBox, f.MDB_RiderCBox, f.Prn_CBox}) EXPECT_EQ(box->Items().ToVector(), expected);
  // Defaults whose port the machine lacks show "none".
  EXPECT_EQ(f.MC_RiderCBox->ItemIndex(), 0);
  EXPECT_EQ(f.Prn_CBox->ItemIndex(), 0);
  EXPECT_EQ(f.ExtTerm_PC->Text(), "COM1");
}

TEST_F(EditorTest, TmsPointer) {
  TForm1& plain = open();
  EXPECT_FALSE(fs::exists(prefix_.path() / "drive_c/TMS/default.ini"));  // no TMSPath: nothing touched
  (void)plain;

  fs::create_directories(prefix_.path() / "drive_c/TMS");
  host::registry::write(host::registry::Hive::CurrentUser, "Software\\Kerrow", "TMSPath", "C:\\TMS");
  open();
  EXPECT_EQ(host::readFile(prefix_.path() / "drive_c/TMS/default.ini"),
            "[TMS server]\r\nProfile1=" + (program() / "TMS/BD.tms").string() + "\r\n\r\n");

  // A folder that is not there: the error box, and the window opens as far as it got.
  host::registry::write(host::registry::Hive::CurrentUser, "Software\\Kerrow", "TMSPath", "C:\\Missing");
  vcl::testing::ModalAnswers answers;
  answers.PressButton(vcl::IDOK);
  TForm1& f = open();
  ASSERT_EQ(answers.Seen().size(), 1u);
  EXPECT_EQ(answers.Seen()[0].icon, vcl::TMsgIcon::Error);
  EXPECT_NE(answers.Seen()[0].text.find("Missing"), std::string::npos);
  EXPECT_EQ(f.ExtTerm_PC->Items().Count(), 0);  // the port lists come after the pointer
}

TEST_F(EditorTest, ReaderLists) {
  if (host::testing::PcscService::running()) GTEST_SKIP() << "a PC/SC service runs here; it is not ours to control";
  writeIni("[Main Settings]\r\nScR Name=virtual pcd 00 01\r\n");
  {
    TForm1& f = open();  // service stopped
    EXPECT_EQ(f.ScReader_CB->Items().Count(), 0);
    EXPECT_EQ(f.ScReaderPark_CB->Items().Count(), 0);
    EXPECT_EQ(f.ScReader_CB->Text(), "");
    expectSettled(f);
  }
  {
    host::testing::PcscService service(host::testing::PcscService::Readers::None);
    TForm1& f = open();
    EXPECT_EQ(f.ScReader_CB->Items().Count(), 0);
    expectSettled(f);
  }
  host::testing::PcscService service(host::testing::PcscService::Readers::Virtual);
  TForm1& f = open();
  const Items expected{"Отсутствует", "Virtual PCD 00 00", "Virtual PCD 00 01"};
  EXPECT_EQ(f.ScReader_CB->Items().ToVector(), expected);
  EXPECT_EQ(f.ScReaderPark_CB->Items().ToVector(), expected);
  EXPECT_EQ(f.ScReader_CB->Text(), "Virtual PCD 00 01");
  EXPECT_EQ(f.ScReaderPark_CB->ItemIndex(), 0);
  expectSettled(f);
}

TEST_F(EditorTest, EditionCaptions) {
  struct Case {
    Edition edition;
    const char* caption;
    bool parkingEnabled;
  } cases[] = {
      {{}, "  Конфигуратор Tormela", true},
      {{true, false, false}, "  Конфигуратор Tormela  (Вендинг)", false},
      {{false, true, false}, "  Конфигуратор Tormela  (Парковка)", true},
      {{true, true, false}, "  Конфигуратор Tormela  (Вендинг)", false},
      {{false, false, true}, "  Конфигуратор Tormela", true},
  };
  for (const auto& c : cases) {
    TForm1& f = open(c.edition);
    EXPECT_EQ(f.Caption(), c.caption);
    EXPECT_EQ(f.ParkID->Enabled(), c.parkingEnabled) << c.caption;
    EXPECT_EQ(f.ScReaderPark_CB->Enabled(), c.parkingEnabled) << c.caption;
    expectSettled(f);
  }
}

}  // namespace
}  // namespace velcor::testing
