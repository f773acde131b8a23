// Saving: the checks, the files written, the terminal ID in the parameter database.
#include "EditorFixture.h"
#include "host/registry.h"

namespace velcor::testing {
namespace {

using namespace vcl::testing;

class EditorSave : public EditorTest {
 protected:
  // Presses Save, answering each box with OK; returns what the boxes said.
  std::vector<ModalRecord> save(std::size_t boxes = 0) {
    ModalAnswers answers;
    for (std::size_t i = 0; i < boxes; ++i) answers.PressButton(vcl::IDOK);
    form().SaveBtn->SetEnabled(true);
    Click(*form().SaveBtn);
    return answers.Seen();
  }
};

TEST_F(EditorSave, ChecksStopTheSave) {
  struct Case {
    const char* name;
    Edition edition;
    std::function<void(TForm1&)> edit;
    int page;  // -1: the page stays
    const char* message;
  } cases[] = {
      {"short TID", {}, [](TForm1& f) { f.TID->SetText(" T00001 "); }, 0,
       "Неверный \"Идентификатор устройства\".\rИдентификатор должен состоять из 8 букв (цифр)."},
      {"time-out 4", {}, [](TForm1& f) { f.ResponseTimeout->SetText("4"); }, 1,
       "Неверное \"Макс. время ожидания ответа от хоста\".\rЗначение должно быть больше 4 сек."},
      {"empty time-out", {}, [](TForm1& f) { f.ResponseTimeout->SetText(""); }, 1,
       "Неверное \"Макс. время ожидания ответа от хоста\".\rЗначение должно быть больше 4 сек."},
      {"same reader port", {}, [](TForm1& f) {
         f.ExtTerm_PC->SetItemIndex(3);
         f.MC_RiderCBox->SetItemIndex(3);
       }, -1, "COM порты контактного и бесконтактного ридеров совпадают"},
      {"MDB and printer", {true, false, false}, [](TForm1& f) {
         f.MDB_RiderCBox->SetItemIndex(f.MDB_RiderCBox->Items().Count() - 1);
         f.Prn_CBox->SetItemIndex(f.Prn_CBox->Items().Count() - 1);  // USB is not exempt here
       }, -1, "COM порты принтера и MDB-шины совпадают"},
      {"printer and contactless", {true, false, false}, [](TForm1& f) { f.Prn_CBox->SetItemIndex(1); }, -1,
       "COM порты принтера и бесконтактного ридера совпадают"},
      {"same SAM readers", {}, [](TForm1& f) {
         f.ScReader_CB->SetText("Reader A");
         f.ScReaderPark_CB->SetText("Reader A");
       }, -1, "Cовпадают имена модуля шифрования и модуля шифр. парковочных карт"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeIni("[Main Settings]\r\nTCP Port for Link=2000\r\n");
    TForm1& f = open(c.edition);
    ShowForm(f);
    c.edit(f);
    f.PageControl1->SetActivePageIndex(2 - (c.edition.vending ? 0 : 1));
    int before = f.PageControl1->ActivePageIndex();
    auto seen = save(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "Ошибка конфигуратора");
    EXPECT_EQ(seen[0].text, c.message);
    EXPECT_EQ(seen[0].icon, vcl::TMsgIcon::Error);
    EXPECT_TRUE(seen[0].topmost);
    EXPECT_EQ(f.PageControl1->ActivePageIndex(), c.page < 0 ? before : c.page);
    EXPECT_EQ(readIni(), "[Main Settings]\r\nTCP Port for Link=2000\r\n");
    EXPECT_TRUE(f.SaveBtn->Enabled());
  }
}

TEST_F(EditorSave, AcceptedEdgeValues) {
  TForm1& f = open();
  f.ResponseTimeout->SetText("5");
  f.ExtTerm_PC->SetItemIndex(f.ExtTerm_PC->Items().Count() - 1);
  f.MC_RiderCBox->SetItemIndex(f.MC_RiderCBox->Items().Count() - 1);  // both USB
  EXPECT_TRUE(save().empty());
  EXPECT_FALSE(f.SaveBtn->Enabled());
}

TEST_F(EditorSave, FileLayoutKeepsWhatTheEditorDoesNotManage) {
  writeIni(
      "[Contact]\r\nCOM_baudRate=9600\r\ncomPort=COM2\r\n[Script]\r\nNum Lines=1\r\nLine1=ATZ\r\n"
      "[Config Settings]\r\nType Online Connect=2\r\n[Extra]\r\nkey=value\r\n");
  TForm1& f = open();
  f.MC_Rider_BaudList->SetItemIndex(0);  // Default: the key goes
  save();
  EXPECT_EQ(readIni(),
            "[Contact]\r\ncomPort=\\\\.\\COM2\r\n\r\n"
            "[Script]\r\nNum Lines=1\r\nLine1=ATZ\r\n\r\n"
            "[Config Settings]\r\nType Online Connect=2\r\nScR Park Name=\r\nNum reply reversal=0\r\nParkID=0\r\n"
            "BinRange=30000000\r\nLoader TID=T0000001\r\nLoader TCP Address=\r\nLoader TCP Port=\r\n"
            "Loader Offline=1\r\nLoader HyperTMS=0\r\nHyperTMS SSL=0\r\nResponse Timeout=30\r\n\r\n"
            "[Extra]\r\nkey=value\r\n\r\n"
            "[Main Settings]\r\nLog Transactions=1\r\nShort Log=0\r\nTCP Port for Link=2000\r\nScR Name=\r\n\r\n"
            "[Contactless]\r\nCOM Port=1\r\nScreen=0\r\nBaudrate=19200\r\n\r\n"
            "[External Control]\r\nCOM Port=\r\n\r\n"  // no vending page: the bus ports are empty
            "[Printer]\r\nCOM Port=\r\n\r\n"
            "[EPP]\r\nNAME=Отсутствует\r\nPIN WK IDX=0\r\nSTART AREA=0\r\nMAX PIN LENGTH=4\r\n\r\n"
            "[Vending]\r\nMode=CREDIT FIRST\r\nMaxAmount=3000\r\nScaleUnit=1\r\nHoldPreselectTimeout=8\r\n"
            "DispenseTimeout=5\r\nSessionTimeout=30\r\nHoldApproveTimeout=15\r\nTimingMDB=3\r\n"
            "AlwaysCancelSession=1\r\nVendPolling=1\r\n\r\n");
}

TEST_F(EditorSave, RoundTripOfEveryKindOfField) {
  ports({1, 2, 3, 5});
  writeIni("[Main Settings]\r\nTCP Port for Link=2000\r\n");
  TForm1& f = open({true, true, false});
  f.TCPPortEdit->SetText("2001");
  f.ExtTerm_PC->SetItemIndex(3);  // COM3
  f.BaudRG->SetItemIndex(0);
  f.RiderLCD_CB->SetChecked(true);
  f.CB_EPP->SetItemIndex(2);
  f.MaxPin_Length->SetValue(7);
  f.BinRange->SetText("12345678");
  f.VendMode_BG->SetItemIndex(2);
  f.VendScale_BG->SetItemIndex(0);
  f.TimingMDB->SetPosition(9);
  f.MDB_RiderCBox->SetItemIndex(4);
  f.NotCloseSessionCB->SetChecked(true);
  save();
  const std::string written = readIni();

  TForm1& g = open({true, true, false});
  EXPECT_EQ(g.TCPPortEdit->Text(), "2001");
  EXPECT_EQ(g.ExtTerm_PC->Text(), "COM3");
  EXPECT_EQ(g.BaudRG->ItemIndex(), 0);
  EXPECT_TRUE(g.RiderLCD_CB->Checked());
  EXPECT_EQ(g.CB_EPP->Text(), "ZT598M");
  EXPECT_EQ(g.MaxPin_Length->Value(), 7);
  EXPECT_EQ(g.BinRange->Text(), "12345678");
  EXPECT_EQ(g.VendMode_BG->ItemIndex(), 2);
  EXPECT_EQ(g.VendScale_BG->ItemIndex(), 0);
  EXPECT_EQ(g.TimingMDB->Position(), 9);
  EXPECT_EQ(g.MDB_RiderCBox->Text(), "COM5");
  EXPECT_TRUE(g.NotCloseSessionCB->Checked());
  save();
  EXPECT_EQ(readIni(), written);
}

TEST_F(EditorSave, TerminalIdMovesWithItsFolder) {
  fs::create_directories(program() / "TMS/T0000001");
  host::writeFileAtomic(program() / "TMS/T0000001/data.par", "x");
  host::writeFileAtomic(program() / "TMS/BD.tms",
                        "[Terminals]\r\nTID Count=1\r\nTID1=T0000001\r\n[T0000001]\r\nfile=T0000001.par\r\n"
                        "path=dir/T0000001.dat\r\nother=plain\r\n");
  host::setFileAttributes(program() / "TMS/BD.tms", host::kAttrReadOnly);
  fs::create_directories(program() / "TMS/T0000002");  // empty: removed first
  TForm1& f = open();
  f.TID->SetText("T0000002");
  EXPECT_TRUE(save().empty());
  EXPECT_EQ(host::readFile(program() / "TMS/BD.tms"),
            "[Terminals]\r\nTID Count=1\r\nTID1=T0000002\r\n\r\n"
            "[T0000002]\r\nfile=T0000002.par\r\npath=dir/T0000002.dat\r\nother=plain\r\n\r\n");
  EXPECT_EQ(host::readFile(program() / "TMS/T0000002/data.par"), "x");
  EXPECT_FALSE(fs::exists(program() / "TMS/T0000001"));
  EXPECT_NE(readIni().find("Loader TID=T0000002\r\n"), std::string::npos);
  EXPECT_FALSE(f.SaveBtn->Enabled());
}

TEST_F(EditorSave, TerminalFolderThatCannotMove) {
  fs::create_directories(program() / "TMS/T0000001");
  fs::create_directories(program() / "TMS/T0000002");
  host::writeFileAtomic(program() / "TMS/T0000002/kept.par", "y");
  const std::string database = "[Terminals]\r\nTID1=T0000001\r\n[T0000001]\r\nfile=T0000001.par\r\n";
  host::writeFileAtomic(program() / "TMS/BD.tms", database);
  TForm1& f = open();
  f.TID->SetText("T0000002");
  auto seen = save(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Произошла ошибка при попытке изменить идентификатор устройства. Возможно в директории \"" +
                              (program() / "TMS/T0000002").string() +
                              "\" существуют файлы данных. Удалите в ней все файлы и повторите сохранение.");
  EXPECT_EQ(host::readFile(program() / "TMS/BD.tms"), database);
  EXPECT_TRUE(fs::exists(program() / "TMS/T0000001"));
  EXPECT_TRUE(f.SaveBtn->Enabled());
  EXPECT_NE(readIni().find("Loader TID=T0000002\r\n"), std::string::npos);  // the settings file is written first
}

TEST_F(EditorSave, UnwritableFiles) {
  writeIni("[Main Settings]\r\nTCP Port for Link=2000\r\n");
  host::setFileAttributes(iniPath(), host::kAttrReadOnly);
  TForm1& f = open();
  f.TCPPortEdit->SetText("2002");
  auto seen = save(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].text.find("Tor-Mela.ini"), std::string::npos);
  EXPECT_EQ(readIni(), "[Main Settings]\r\nTCP Port for Link=2000\r\n");
  EXPECT_TRUE(f.SaveBtn->Enabled());
}

TEST_F(EditorSave, ContactReaderConfig) {
  const fs::path xml = prefix_.path() / "drive_c/Tmp/PCardConfig.xml";
  auto openWithParkReader = [&] {
    TForm1& f = open({false, true, false});
    f.ScReaderPark_CB->SetText("Park Reader");
    return &f;
  };

  // Missing file: its error, and nothing is written.
  openWithParkReader();
  auto seen = save(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].text.find("PCardConfig.xml"), std::string::npos);
  EXPECT_FALSE(fs::exists(iniPath()));

  fs::create_directories(xml.parent_path());
  host::writeFileAtomic(xml, "<Config>\r\n  <Contact_Reader Device=\"Old\"/>\r\n</Config>\r\n");
  openWithParkReader();
  EXPECT_TRUE(save().empty());
  EXPECT_EQ(host::readFile(xml), "<Config>\r\n\t<Contact_Reader Device=\"Park Reader\" Type=\"PC/SC\"/>\r\n</Config>\r\n");
  EXPECT_NE(readIni().find("ScR Park Name=Park Reader\r\n"), std::string::npos);

  // Read-only: the message, and the save goes on.
  host::setFileAttributes(xml, host::kAttrReadOnly);
  TForm1& f = *openWithParkReader();
  f.TCPPortEdit->SetText("2003");
  seen = save(1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, "Ошибка сохранения имени парковочного smartcard-ридера");
  EXPECT_NE(readIni().find("TCP Port for Link=2003\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velcor::testing
