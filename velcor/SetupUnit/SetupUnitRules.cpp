// The field rules: what each field accepts, how a bad entry is repaired on the spot,
// which controls a field enables, and when the Save button lights up. A repair puts a
// new text into the field, which runs the same rule again in a nested call.
#include <initializer_list>
#include <type_traits>

#include "SetupUnit/SetupUnit.h"
#include "ScriptFrm/ScriptFrmLoader.h"
#include "settings/Text.h"

namespace velcor {
namespace {

int length(const vcl::TEdit* edit) { return static_cast<int>(charCount(edit->Text())); }

std::string withoutLastChar(const std::string& text) {
  return firstChars(text, charCount(text) == 0 ? 0 : charCount(text) - 1);
}

// Takes an invalid text's last character away, caret at the end; the nested run judges
// what is left.
void dropLastChar(vcl::TEdit* edit) {
  edit->SetText(withoutLastChar(edit->Text()));
  edit->SetSelStart(length(edit));
}

void setEnabled(std::initializer_list<vcl::TControl*> controls, bool enabled) {
  for (vcl::TControl* control : controls) control->SetEnabled(enabled);
}

}  // namespace

// Rule 1: any text.
void TForm1::TIDChange(TObject*) {
  Accept(Loaded.tid, TID->Text());
}

void TForm1::IPAdrChange(TObject*) {
  Accept(Loaded.loaderAddress, IPAdr->Text());
}

// Rule 2: an integer text, compared as text.
void TForm1::IPPortChange(TObject*) {
  if (!toInt32(IPPort->Text())) return dropLastChar(IPPort);
  Accept(Loaded.loaderPort, IPPort->Text());
}

// Rule 3: a TCP port; the caret steps back from where the bad character went in.
void TForm1::TCPPortEditChange(TObject*) {
  auto port = toInt32(TCPPortEdit->Text());
  if (!port || *port > 65535) {
    int caret = TCPPortEdit->SelStart();
    TCPPortEdit->SetText(withoutLastChar(TCPPortEdit->Text()));
    TCPPortEdit->SetSelStart(caret - 1);
    return;
  }
  Accept(Loaded.tcpPort, TCPPortEdit->Text());
}

// Rule 4: one digit; the field is never left empty.
void TForm1::NumReplyReversChange(TObject*) {
  const std::string text = NumReplyRevers->Text();
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
    NumReplyRevers->SetText("1");
    NumReplyRevers->SetSelStart(0);
    return;
  }
  Accept(Loaded.replies, text);
}

// Rules 5 and 6: an integer value, with an upper limit for some fields. Texts with the
// same value ("07" after "7") count as unchanged.
template <typename T>
void TForm1::IntegerRule(vcl::TEdit* edit, T& loaded, std::optional<T> limit, bool limitEnablesSave) {
  std::optional<T> value;
  if constexpr (std::is_same_v<T, std::int64_t>)
    value = toInt64(edit->Text());
  else
    value = toInt32(edit->Text());
  if (!value) return dropLastChar(edit);
  if (limit && *value > *limit) {
    edit->SetText(std::to_string(*limit));  // the nested run compares the limit itself
    if (limitEnablesSave) SaveBtn->SetEnabled(true);
    return;
  }
  Accept(loaded, *value);
}

void TForm1::ResponseTimeoutChange(TObject*) { IntegerRule(ResponseTimeout, Loaded.responseTimeout); }
void TForm1::ParkIDChange(TObject*) { IntegerRule(ParkID, Loaded.parkId); }
void TForm1::BinRangeChange(TObject*) { IntegerRule(BinRange, Loaded.bin); }
void TForm1::VendMaxAmountChange(TObject*) { IntegerRule(VendMaxAmount, Loaded.maxCredit, {65535}, false); }
void TForm1::PreSelectTimeoutChange(TObject*) { IntegerRule(PreSelectTimeout, Loaded.preselect, {99}, true); }
void TForm1::DispenseTimeoutChange(TObject*) { IntegerRule(DispenseTimeout, Loaded.dispense, {99}, true); }
void TForm1::SessionTimeoutChange(TObject*) { IntegerRule(SessionTimeout, Loaded.session, {99}, true); }
void TForm1::RestoreSessionTimeoutChange(TObject*) { IntegerRule(RestoreSessionTimeout, Loaded.approve, {30}, true); }

// Rule 7.
void TForm1::MaxPin_LengthChange(TObject*) {
  Accept(Loaded.maxPinLength, MaxPin_Length->Value());
}

// Rule 8: the loaded position stays the one of loading.
void TForm1::TimingMDBChange(TObject*) {
  if (TimingMDB->Position() != Loaded.timingMdb) SaveBtn->SetEnabled(true);
}

// Rule 9.
void TForm1::BaudRGClick(TObject*) { Accept(Loaded.contactlessBaud, BaudRG->ItemIndex()); }
void TForm1::VendScale_BGClick(TObject*) { Accept(Loaded.scaleUnit, VendScale_BG->ItemIndex()); }

void TForm1::VendMode_BGClick(TObject*) {
  if (!Accept(Loaded.vendMode, VendMode_BG->ItemIndex())) return;
  if (VendMode_BG->ItemIndex() == 1) {  // SELECT FIRST has no session time
    SessionTimeout->SetText("0");
    SessionTimeout->SetEnabled(false);
  } else {
    SessionTimeout->SetEnabled(true);
  }
}

// Rule 10.
void TForm1::FlagRule(vcl::TCheckBox* box, bool& loaded) { Accept(loaded, box->Checked()); }

void TForm1::RiderLCD_CBClick(TObject*) { FlagRule(RiderLCD_CB, Loaded.readerScreen); }
void TForm1::ShortLogCBClick(TObject*) { FlagRule(ShortLogCB, Loaded.shortLog); }
void TForm1::HyperTmsProtocolClick(TObject*) { FlagRule(HyperTmsProtocol, Loaded.hyperTms); }
void TForm1::HyperSSL_CBClick(TObject*) { FlagRule(HyperSSL_CB, Loaded.hyperSsl); }
void TForm1::NotCloseSessionCBClick(TObject*) { FlagRule(NotCloseSessionCB, Loaded.multiVend); }
void TForm1::VendPollingCBClick(TObject*) { FlagRule(VendPollingCB, Loaded.vendPolling); }

void TForm1::LogCBClick(TObject*) {
  FlagRule(LogCB, Loaded.logging);
  if (LogCB->Checked()) {
    ShortLogCB->SetEnabled(true);
  } else {
    Loaded.shortLog = false;  // first, so that the short log's own rule sees no change
    ShortLogCB->SetChecked(false);
    ShortLogCB->SetEnabled(false);
  }
}

void TForm1::MakeOfflineCBClick(TObject*) {
  setEnabled({Label1, Label65, IPAdr, IPPort}, !MakeOfflineCB->Checked());
  FlagRule(MakeOfflineCB, Loaded.localLoading);
}

// Rule 11: every event counts, the same item picked again included.
void TForm1::ExtTerm_PCChange(TObject*) { SaveBtn->SetEnabled(true); }
void TForm1::ScReader_CBChange(TObject*) { SaveBtn->SetEnabled(true); }
void TForm1::CB_DynKeysLoadClick(TObject*) { SaveBtn->SetEnabled(true); }

void TForm1::CB_EPPChange(TObject*) {
  setEnabled({MaxPinLength_Label, MaxPin_Length, CB_DynKeysLoad}, CB_EPP->ItemIndex() != 0);
  SaveBtn->SetEnabled(true);
}

// Rule 13: the close button asks about unsaved changes. A save that stops at a check
// keeps the window open, so that the edits can be corrected instead of lost.
void TForm1::BitBtn1Click(TObject*) {
  if (!SaveBtn->Enabled()) return Close();
  int answer = vcl::MessageBox("Были сделаны изменения в настройках.\r\rСохранить изменения ?", "  Подтверждение",
                               vcl::MB_YESNOCANCEL | vcl::MB_ICONWARNING | vcl::MB_TOPMOST);
  if (answer == vcl::IDYES) {
    SaveBtnClick(this);
    if (!SaveBtn->Enabled()) Close();
  } else if (answer == vcl::IDNO) {
    Close();
  }
}

// The script dialogs of the service edition. A remembered connection script is a
// pending change like any field's; the loading script has no place in the file.
void TForm1::ScriptBtnClick(TObject*) {
  if (!ScriptForm) ScriptForm = new TScriptForm(this);
  if (editScript(*ScriptForm, ConnectionScript)) {
    ConnectionScriptEdited = true;
    SaveBtn->SetEnabled(true);
  }
}

void TForm1::LoaderScriptBtnClick(TObject*) {
  if (!LoaderScriptForm) LoaderScriptForm = new TLoaderScriptForm(this);
  editScript(*LoaderScriptForm, LoaderScript);
}

}  // namespace velcor
