// Saving: the checks, the contact-reader line, the settings file and the terminal ID
// in the parameter database.
#include <stdexcept>
#include <system_error>

#include "SetupUnit/SetupUnit.h"
#include "ScriptFrm/Scripts.h"
#include "host/files.h"
#include "settings/SideFiles.h"
#include "settings/Text.h"

namespace velcor {
namespace {

namespace fs = std::filesystem;

constexpr const char* kErrorCaption = "Ошибка конфигуратора";

void showError(const std::string& text) {
  vcl::MessageBox(text, kErrorCaption, vcl::MB_OK | vcl::MB_ICONERROR | vcl::MB_TOPMOST);
}

// A terminal ID names a folder beside the database; it must stay one.
bool usableAsFolderName(const std::string& tid) {
  return tid != "." && tid != ".." && tid.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

}  // namespace

bool TForm1::CheckFields() {
  auto fail = [this](int page, const std::string& message) {
    if (page >= 0) {
      PageControl1->SetActivePageIndex(page);
      vcl::ProcessMessages();
    }
    showError(message);
    return false;
  };
  const std::string absent(kAbsent);
  if (charCount(trimmed(TID->Text())) < 8)
    return fail(0, "Неверный \"Идентификатор устройства\".\rИдентификатор должен состоять из 8 букв (цифр).");
  auto timeout = toInt32(trimmed(ResponseTimeout->Text()));
  if (!timeout || *timeout < 5)
    return fail(1, "Неверное \"Макс. время ожидания ответа от хоста\".\rЗначение должно быть больше 4 сек.");
  const std::string contactless = ExtTerm_PC->Text(), contact = MC_RiderCBox->Text();
  if (contactless == contact && contactless != absent && contactless != "USB")
    return fail(-1, "COM порты контактного и бесконтактного ридеров совпадают");
  if (VendingPage->TabVisible()) {
    const std::string mdb = MDB_RiderCBox->Text(), printer = Prn_CBox->Text();
    const struct {
      const std::string& a;
      const std::string& b;
      const char* message;
    } pairs[] = {
        {contactless, mdb, "COM порты MDB-шины и бесконтактного ридера совпадают"},
        {contactless, printer, "COM порты принтера и бесконтактного ридера совпадают"},
        {contact, mdb, "COM порты MDB-шины и контактного ридера совпадают"},
        {contact, printer, "COM порты принтера и контактного ридера совпадают"},
        {mdb, printer, "COM порты принтера и MDB-шины совпадают"},
    };
    for (const auto& p : pairs)
      if (p.a == p.b && p.a != absent) return fail(-1, p.message);
  } else {
    const std::string reader = ScReader_CB->Text(), parkReader = ScReaderPark_CB->Text();
    if (reader == parkReader && reader != absent && !reader.empty())
      return fail(-1, "Cовпадают имена модуля шифрования и модуля шифр. парковочных карт");
  }
  return true;
}

// A file that cannot be read stops the save (its error goes to the error box); one
// that cannot be written only costs a message.
void TForm1::UpdateContactReaderConfig() {
  std::string reader = ScReaderPark_CB->Text();
  if (reader == kAbsent || reader == " " || reader.empty()) return;
  ContactReaderConfig config(ContactReaderConfig::defaultPath());
  try {
    if (config.replaceReader(reader)) config.save();
  } catch (const std::exception&) {
    showError("Ошибка сохранения имени парковочного smartcard-ридера");
  }
}

Settings TForm1::CollectSettings() const {
  Settings s;
  s.LogCB = LogCB->Checked();
  s.ShortLogCB = ShortLogCB->Checked();
  s.TCPPortEdit = TCPPortEdit->Text();
  s.ExtTerm_PC = ExtTerm_PC->Text();
  s.MC_RiderCBox = MC_RiderCBox->Text();
  s.MDB_RiderCBox = MDB_RiderCBox->Text();
  s.MC_Rider_BaudList = MC_Rider_BaudList->Text();
  s.Prn_CBox = Prn_CBox->Text();
  s.RiderLCD_CB = RiderLCD_CB->Checked();
  s.ScReader_CB = ScReader_CB->Text();
  s.ScReaderPark_CB = ScReaderPark_CB->Text();
  s.CB_EPP = CB_EPP->Text();
  s.CB_DynKeysLoad = CB_DynKeysLoad->Checked();
  s.MaxPin_Length = MaxPin_Length->Value();
  s.BaudRG = BaudRG->ItemIndex();
  s.NumReplyRevers = NumReplyRevers->Text();
  s.ParkID = ParkID->Text();
  s.BinRange = BinRange->Text();
  s.TID = TID->Text();
  s.IPAdr = IPAdr->Text();
  s.IPPort = IPPort->Text();
  s.MakeOfflineCB = MakeOfflineCB->Checked();
  s.HyperTmsProtocol = HyperTmsProtocol->Checked();
  s.HyperSSL_CB = HyperSSL_CB->Checked();
  s.ResponseTimeout = ResponseTimeout->Text();
  s.VendMode_BG = VendMode_BG->ItemIndex();
  s.VendMaxAmount = VendMaxAmount->Text();
  s.VendScale_BG = VendScale_BG->ItemIndex();
  s.PreSelectTimeout = PreSelectTimeout->Text();
  s.DispenseTimeout = DispenseTimeout->Text();
  s.SessionTimeout = SessionTimeout->Text();
  s.RestoreSessionTimeout = RestoreSessionTimeout->Text();
  s.TimingMDB = TimingMDB->Position();
  s.NotCloseSessionCB = NotCloseSessionCB->Checked();
  s.VendPollingCB = VendPollingCB->Checked();
  return s;
}

// Renames the terminal in the database and moves its data folder. The database is
// written only once the folder is in place.
void TForm1::ChangeTerminalId(const std::string& newTid) {
  host::setFileAttributes(DatabasePath, host::kAttrNormal);
  IniFile database(DatabasePath);
  std::string recorded = database.readString("Terminals", "TID1", "");
  if (recorded.empty() || recorded == newTid) return;

  const fs::path newFolder = terminalFolder(newTid);
  const std::string moveError =
      "Произошла ошибка при попытке изменить идентификатор устройства. Возможно в директории \"" +
      newFolder.string() + "\" существуют файлы данных. Удалите в ней все файлы и повторите сохранение.";

  std::vector<std::pair<std::string, std::string>> entries;
  for (const auto& key : database.readSection(recorded)) {
    std::string value = database.readString(recorded, key, "");
    // The old ID gives way to the new one where it stands, at the start or inside.
    if (auto at = value.find(recorded); at != std::string::npos) value.replace(at, recorded.size(), newTid);
    entries.emplace_back(key, std::move(value));
  }
  database.eraseSection(recorded);
  database.writeString("Terminals", "TID1", newTid);
  for (const auto& [key, value] : entries) database.writeString(newTid, key, value);

  const fs::path oldFolder = terminalFolder(recorded);
  std::error_code ec;
  if (fs::is_directory(oldFolder, ec)) {
    if (!usableAsFolderName(recorded) || !usableAsFolderName(newTid)) throw std::runtime_error(moveError);
    fs::remove(newFolder, ec);  // only an empty folder goes
    if (!host::moveFile(oldFolder, newFolder,
                        host::kMoveReplaceExisting | host::kMoveCopyAllowed | host::kMoveWriteThrough))
      throw std::runtime_error(moveError);
  }
  database.updateFile();
  SettingsFile->writeString("Config Settings", "Loader TID", newTid);
  SettingsFile->updateFile();
}

void TForm1::SaveBtnClick(TObject*) {
  if (!VendingPage->TabVisible()) {
    MDB_RiderCBox->SetItemIndex(-1);
    Prn_CBox->SetItemIndex(-1);
  }
  if (!CheckFields()) return;
  if (!SettingsFile) SettingsFile = std::make_unique<IniFile>(std::string(kSettingsFileName));
  UpdateContactReaderConfig();

  writeSettings(*SettingsFile, CollectSettings());
  if (ConnectionScriptEdited) writeConnectionScript(*SettingsFile, ConnectionScript);
  SettingsFile->updateFile();
  ChangeTerminalId(TID->Text());

  SaveBtn->SetEnabled(false);
  if (!host::fileExists(std::string(kSettingsFileName))) SaveBtn->SetEnabled(true);
}

}  // namespace velcor
