// Loading: what the creation of the main window prepares, in its order.
#include <algorithm>

#include "SetupUnit/SetupUnit.h"
#include "ScriptFrm/Scripts.h"
#include "settings/PortList.h"
#include "settings/SettingsKeys.h"
#include "settings/SideFiles.h"
#include "settings/Text.h"

namespace velcor {
namespace {

// Port and reader names match without regard to case; no match selects item 0.
void selectMatching(vcl::TComboBox* box, const std::string& value) {
  const std::string wanted = foldName(value);
  for (int i = 0; i < box->Items().Count(); ++i) {
    if (foldName(box->Items()[i]) == wanted) {
      box->SetItemIndex(i);
      return;
    }
  }
  box->SetItemIndex(box->Items().Count() > 0 ? 0 : -1);
}

std::int32_t asInt32(const std::string& decimal) { return toInt32(decimal).value_or(0); }

}  // namespace

void TForm1::FormCreate(TObject*) {
  Loaded = LoadedValues{};  // logging, MultiVend and vend polling on, the rest off
  ConnectionScript = defaultConnectionScript();
  LoaderScript = defaultLoaderScript();
  DatabasePath = parameterDatabasePath();
  SettingsFile = std::make_unique<IniFile>(std::string(kSettingsFileName));

  if (std::string tms = tmsPath(); !tms.empty()) pointTmsAt(tms, DatabasePath);

  const std::vector<std::string> ports = portItems();
  for (vcl::TComboBox* box : {ExtTerm_PC, MC_RiderCBox, MDB_RiderCBox, Prn_CBox}) box->Items().Assign(ports);

  try {
    PCSCConnector1.Init();
  } catch (...) {
    // No reader list is no reason to stop the editor.
  }

  const Settings s = readSettings(*SettingsFile);

  Loaded.logging = s.LogCB;
  Loaded.shortLog = s.LogCB && s.ShortLogCB;
  LogCB->SetChecked(s.LogCB);
  ShortLogCB->SetChecked(Loaded.shortLog);

  selectMatching(MC_RiderCBox, s.MC_RiderCBox);
  MC_Rider_BaudList->SetItemIndex(MC_Rider_BaudList->Items().IndexOf(s.MC_Rider_BaudList));
  selectMatching(MDB_RiderCBox, s.MDB_RiderCBox);
  selectMatching(Prn_CBox, s.Prn_CBox);
  selectMatching(ExtTerm_PC, s.ExtTerm_PC);
  selectMatching(ScReader_CB, s.ScReader_CB);
  selectMatching(ScReaderPark_CB, s.ScReaderPark_CB);

  CB_EPP->SetItemIndex(0);
  if (s.CB_EPP != kAbsent) {
    if (int model = CB_EPP->Items().IndexOf(s.CB_EPP); model >= 0) CB_EPP->SetItemIndex(model);
  }
  const bool keyScheme = s.PinKeyScheme != 0;
  for (vcl::TControl* control : std::initializer_list<vcl::TControl*>{MaxPinLength_Label, MaxPin_Length, CB_DynKeysLoad})
    control->SetEnabled(keyScheme);
  if (keyScheme && CB_EPP->ItemIndex() == 0) CB_EPP->SetItemIndex(s.PinKeyScheme == 1 ? 1 : 2);
  if (s.CB_DynKeysLoad) CB_DynKeysLoad->SetChecked(true);

  Loaded.maxPinLength = s.MaxPin_Length;
  MaxPin_Length->SetValue(s.MaxPin_Length);
  Loaded.contactlessBaud = s.BaudRG;
  BaudRG->SetItemIndex(s.BaudRG);
  Loaded.readerScreen = s.RiderLCD_CB;
  RiderLCD_CB->SetChecked(s.RiderLCD_CB);

  Loaded.tcpPort = s.TCPPortEdit;
  TCPPortEdit->SetText(s.TCPPortEdit);
  Loaded.replies = s.NumReplyRevers;
  NumReplyRevers->SetText(s.NumReplyRevers);
  Loaded.parkId = asInt32(s.ParkID);
  ParkID->SetText(s.ParkID);
  Loaded.bin = toInt64(s.BinRange).value_or(0);
  BinRange->SetText(s.BinRange);
  Loaded.tid = s.TID;
  TID->SetText(s.TID);
  Loaded.loaderAddress = s.IPAdr.empty() ? IPAdr->Text() : s.IPAdr;
  if (!s.IPAdr.empty()) IPAdr->SetText(s.IPAdr);
  Loaded.loaderPort = s.IPPort.empty() ? IPPort->Text() : s.IPPort;
  if (!s.IPPort.empty()) IPPort->SetText(s.IPPort);

  Loaded.localLoading = s.MakeOfflineCB;
  MakeOfflineCB->SetChecked(s.MakeOfflineCB);
  Loaded.hyperTms = s.HyperTmsProtocol;
  HyperTmsProtocol->SetChecked(s.HyperTmsProtocol);
  Loaded.hyperSsl = s.HyperSSL_CB;  // off whenever HyperTMS is off
  HyperSSL_CB->SetChecked(s.HyperSSL_CB);

  Loaded.responseTimeout = asInt32(s.ResponseTimeout);
  ResponseTimeout->SetText(s.ResponseTimeout);

  Loaded.vendMode = s.VendMode_BG;
  VendMode_BG->SetItemIndex(s.VendMode_BG);
  Loaded.maxCredit = asInt32(s.VendMaxAmount);
  VendMaxAmount->SetText(s.VendMaxAmount);
  Loaded.scaleUnit = s.VendScale_BG;
  VendScale_BG->SetItemIndex(s.VendScale_BG);
  Loaded.dispense = asInt32(s.DispenseTimeout);
  DispenseTimeout->SetText(s.DispenseTimeout);
  Loaded.preselect = asInt32(s.PreSelectTimeout);
  PreSelectTimeout->SetText(s.PreSelectTimeout);

  Loaded.session = asInt32(s.SessionTimeout);
  if (VendMode_BG->ItemIndex() == 1) {  // SELECT FIRST waits for no session
    SessionTimeout->SetText("0");
    SessionTimeout->SetEnabled(false);
  } else {
    SessionTimeout->SetText(s.SessionTimeout);
  }
  Loaded.approve = asInt32(s.RestoreSessionTimeout);
  RestoreSessionTimeout->SetText(s.RestoreSessionTimeout);

  Loaded.timingMdb = std::min(s.TimingMDB, TimingMDB->Max());
  TimingMDB->SetPosition(Loaded.timingMdb);

  Loaded.multiVend = s.NotCloseSessionCB;
  NotCloseSessionCB->SetChecked(s.NotCloseSessionCB);
  Loaded.vendPolling = s.VendPollingCB;
  VendPollingCB->SetChecked(s.VendPollingCB);

  readConnectionScript(*SettingsFile, ConnectionScript);

  PageControl1->SetActivePageIndex(0);
  SaveBtn->SetEnabled(false);  // the handlers that ran above changed nothing yet

  if (VendingPage->TabVisible()) {
    SetCaption(Caption() + "  (Вендинг)");
    ParkID->SetEnabled(false);
    ScReaderPark_CB->SetEnabled(false);
  } else if (ParkID->Visible()) {
    SetCaption(Caption() + "  (Парковка)");
  }
}

void TForm1::PCSCConnector1ReaderListChange(TObject*) {
  for (vcl::TComboBox* box : {ScReader_CB, ScReaderPark_CB}) {
    box->Items().Clear();
    box->Items().Add(std::string(kAbsent));
  }
  for (vcl::TComboBox* box : {ScReader_CB, ScReaderPark_CB})
    for (const auto& reader : PCSCConnector1.ReaderList) box->Items().Add(reader);
}

}  // namespace velcor
