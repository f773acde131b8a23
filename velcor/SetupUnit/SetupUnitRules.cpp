#include "SetupUnit/SetupUnit.h"

namespace velcor {

void TForm1::FormCreate(TObject*) {}
void TForm1::TCPPortEditChange(TObject*) {}
void TForm1::TIDChange(TObject*) {}
void TForm1::IPAdrChange(TObject*) {}
void TForm1::IPPortChange(TObject*) {}
void TForm1::NumReplyReversChange(TObject*) {}
void TForm1::ResponseTimeoutChange(TObject*) {}
void TForm1::ParkIDChange(TObject*) {}
void TForm1::BinRangeChange(TObject*) {}
void TForm1::VendMaxAmountChange(TObject*) {}
void TForm1::PreSelectTimeoutChange(TObject*) {}
void TForm1::DispenseTimeoutChange(TObject*) {}
void TForm1::SessionTimeoutChange(TObject*) {}
void TForm1::RestoreSessionTimeoutChange(TObject*) {}
void TForm1::MaxPin_LengthChange(TObject*) {}
void TForm1::TimingMDBChange(TObject*) {}
void TForm1::BaudRGClick(TObject*) {}
void TForm1::VendScale_BGClick(TObject*) {}
void TForm1::VendMode_BGClick(TObject*) {}
void TForm1::RiderLCD_CBClick(TObject*) {}
void TForm1::ShortLogCBClick(TObject*) {}
void TForm1::HyperTmsProtocolClick(TObject*) {}
void TForm1::HyperSSL_CBClick(TObject*) {}
void TForm1::NotCloseSessionCBClick(TObject*) {}
void TForm1::VendPollingCBClick(TObject*) {}
void TForm1::LogCBClick(TObject*) {}
void TForm1::MakeOfflineCBClick(TObject*) {}
void TForm1::ExtTerm_PCChange(TObject*) {}
void TForm1::ScReader_CBChange(TObject*) {}
void TForm1::CB_DynKeysLoadClick(TObject*) {}
void TForm1::CB_EPPChange(TObject*) {}
void TForm1::PCSCConnector1ReaderListChange(TObject*) {}
void TForm1::SaveBtnClick(TObject*) {}
void TForm1::BitBtn1Click(TObject*) {}
void TForm1::ScriptBtnClick(TObject*) {}
void TForm1::LoaderScriptBtnClick(TObject*) {}

}  // namespace velcor
