// The form design of the main window: controls, their design values and the
// binding of their events. No logic lives here; the handlers are in the other
// SetupUnit sources.
#include <QFont>
#include <string>
#include <vector>

#include "SetupUnit/SetupUnit.h"

namespace velcor {

namespace {

using vcl::TWinControl;

// Geometry shared by the pages. Rows of a label and a field are kRow apart; a label
// sits kLabelDrop below its field's top so that their texts share a baseline. Heights
// leave room for a font a point larger than the window's own.
constexpr int kPageMargin = 8;
constexpr int kGroupWidth = 465;
constexpr int kFieldHeight = 24;
constexpr int kRow = 30;
constexpr int kLabelDrop = 5;
constexpr int kCheckHeight = 22;

vcl::TLabel* MakeLabel(TWinControl* parent, std::string name, const std::string& caption, int left,
                       int fieldTop) {
  auto* label = new vcl::TLabel(parent, std::move(name));
  label->SetCaption(caption);
  label->SetBounds(left, fieldTop + kLabelDrop, label->Width(), label->Height());
  return label;
}

vcl::TGroupBox* MakeGroup(TWinControl* parent, std::string name, const std::string& caption, int top,
                          int height) {
  auto* group = new vcl::TGroupBox(parent, std::move(name));
  group->SetCaption(caption);
  group->SetBounds(kPageMargin, top, kGroupWidth, height);
  return group;
}

vcl::TEdit* MakeEdit(TWinControl* parent, std::string name, int maxLength, const std::string& text,
                     int left, int top, int width) {
  auto* edit = new vcl::TEdit(parent, std::move(name));
  edit->SetMaxLength(maxLength);
  edit->SetText(text);
  edit->SetBounds(left, top, width, kFieldHeight);
  return edit;
}

vcl::TComboBox* MakeCombo(TWinControl* parent, std::string name, vcl::TComboBoxStyle style, int left,
                          int top, int width, const std::vector<std::string>& items = {}) {
  auto* combo = new vcl::TComboBox(parent, std::move(name), style);
  combo->Items().Assign(items);
  combo->SetBounds(left, top, width, kFieldHeight);
  return combo;
}

vcl::TCheckBox* MakeCheck(TWinControl* parent, std::string name, const std::string& caption,
                          bool checked, int left, int top, int width) {
  auto* check = new vcl::TCheckBox(parent, std::move(name));
  check->SetCaption(caption);
  check->SetChecked(checked);
  check->SetBounds(left, top, width, kCheckHeight);
  return check;
}

vcl::TRadioGroup* MakeRadioGroup(TWinControl* parent, std::string name, const std::string& caption,
                                 int columns, const std::vector<std::string>& items, int left, int top,
                                 int width, int height) {
  auto* group = new vcl::TRadioGroup(parent, std::move(name));
  group->SetCaption(caption);
  group->Items().Assign(items);
  group->SetColumns(columns);
  group->SetBounds(left, top, width, height);
  return group;
}

}  // namespace

void TForm1::CreateDesign() {
  const Edition& ed = edition();

  SetCaption("  Конфигуратор Tormela");
  SetClientSize(497, 629);
  SetStayOnTop(true);
  SetPosition(vcl::TPosition::poScreenCenter);
  // Fixed positions in a fixed-size window need a fixed font size: the desktop's
  // family at the size the layout was measured in. Controls inherit it.
  QFont font = Handle()->font();
  font.setPointSize(9);
  Handle()->setFont(font);

  PageControl1 = new vcl::TPageControl(this, "PageControl1");
  PageControl1->SetBounds(6, 6, 485, 578);
  GlobalSet = new vcl::TTabSheet(PageControl1, "GlobalSet");
  GlobalSet->SetCaption("Настройка устройств");
  ConnectSet = new vcl::TTabSheet(PageControl1, "ConnectSet");
  ConnectSet->SetCaption("Параметры");
  VendingPage = new vcl::TTabSheet(PageControl1, "VendingPage");
  VendingPage->SetCaption("Настройка вендинга");
  VendingPage->SetTabVisible(ed.vending);

  using vcl::TComboBoxStyle::csDropDown;
  using vcl::TComboBoxStyle::csDropDownList;

  // ---- "Настройка устройств"
  // Port combos in the groups share one column, right of the widest short label.
  constexpr int kPortX = 90;
  constexpr int kPortWidth = 120;
  constexpr int kRightX = 236;  // second column of the groups

  auto* contactless = MakeGroup(GlobalSet, "ContactlessGB", " Ридер бесконтактных карт ", 8, 122);
  MakeLabel(contactless, "ExtTerm_Label", "COM-порт:", 12, 28);
  ExtTerm_PC = MakeCombo(contactless, "ExtTerm_PC", csDropDownList, kPortX, 28, kPortWidth);
  RiderLCD_CB = MakeCheck(contactless, "RiderLCD_CB", "Ридер с экраном", false, 12, 66, 200);
  BaudRG = MakeRadioGroup(contactless, "BaudRG", " Скорость порта ", 2, {"115200", "57600", "38400", "19200"},
                          kRightX, 20, kGroupWidth - kRightX - 12, 94);

  auto* contact = MakeGroup(GlobalSet, "ContactGB", " Ридер/диспенсер контактных карт ", 138, 66);
  MakeLabel(contact, "MC_Rider_Label", "COM-порт:", 12, 28);
  MC_RiderCBox = MakeCombo(contact, "MC_RiderCBox", csDropDownList, kPortX, 28, kPortWidth);
  MakeLabel(contact, "MC_Rider_Baud_Label", "Скорость порта:", kRightX, 28);
  MC_Rider_BaudList = MakeCombo(contact, "MC_Rider_BaudList", csDropDownList, 345, 28, kGroupWidth - 345 - 12,
                                {"Default", "9600", "19200", "38400", "57600", "115200"});

  auto* pinPad = MakeGroup(GlobalSet, "PinPadGB", " Пин-Клавиатура  ", 212, 122);
  MakeLabel(pinPad, "CB_EPP_Label", "Модель:", 12, 28);
  CB_EPP = MakeCombo(pinPad, "CB_EPP", csDropDownList, kPortX, 28, kPortWidth,
                     {"Отсутствует", "ZT598L", "ZT598M", "ZT596E", "ZT596F", "ZT588F", "ZT598J"});
  CB_DynKeysLoad = MakeCheck(pinPad, "CB_DynKeysLoad", "Динамическая загрузка мастер-ключей   ", false, 12, 62,
                             320);
  CB_DynKeysLoad->SetEnabled(false);
  MaxPinLength_Label = MakeLabel(pinPad, "MaxPinLength_Label", "Максимальная длина пин-кода (авто-ввод):", 12, 88);
  MaxPinLength_Label->SetEnabled(false);
  MaxPin_Length = new vcl::TSpinEdit(pinPad, "MaxPin_Length");
  MaxPin_Length->SetMinValue(4);
  MaxPin_Length->SetMaxValue(12);
  MaxPin_Length->SetIncrement(1);
  MaxPin_Length->SetMaxLength(1);
  MaxPin_Length->SetValue(4);
  MaxPin_Length->SetBounds(310, 88, 50, kFieldHeight);
  MaxPin_Length->SetEnabled(false);

  // Reader names from PC/SC are long, so the reader combos take the rest of the row.
  constexpr int kBodyFieldX = kPageMargin + kRightX;
  constexpr int kBodyFieldWidth = kPageMargin + kGroupWidth - kBodyFieldX;
  constexpr int kReaderTop = 348;
  MakeLabel(GlobalSet, "ScReader_Label", "SAM-ридер для шифрования: ", kPageMargin, kReaderTop);
  ScReader_CB = MakeCombo(GlobalSet, "ScReader_CB", csDropDown, kBodyFieldX, kReaderTop, kBodyFieldWidth);
  ScReaderPark_Label = MakeLabel(GlobalSet, "ScReaderPark_Label", "SAM-ридер для парковочных карт: ", kPageMargin,
                                 kReaderTop + kRow);
  ScReaderPark_CB = MakeCombo(GlobalSet, "ScReaderPark_CB", csDropDown, kBodyFieldX, kReaderTop + kRow, kBodyFieldWidth);
  ParkID_Label = MakeLabel(GlobalSet, "ParkID_Label", "ID устройства парковки:", kPageMargin, kReaderTop + 2 * kRow);
  ParkID = MakeEdit(GlobalSet, "ParkID", 4, "", kBodyFieldX, kReaderTop + 2 * kRow, 60);
  BinRange_Label = MakeLabel(GlobalSet, "BinRange_Label", "BIN электронного счета:", kPageMargin, kReaderTop + 3 * kRow);
  BinRange = MakeEdit(GlobalSet, "BinRange", 8, "", kBodyFieldX, kReaderTop + 3 * kRow, 90);
  for (vcl::TControl* parking : std::vector<vcl::TControl*>{ScReaderPark_Label, ScReaderPark_CB, ParkID_Label,
                                                             ParkID, BinRange_Label, BinRange})
    parking->SetVisible(ed.parking);

  BitBtn2 = new vcl::TBitBtn(GlobalSet, "BitBtn2");
  BitBtn2->SetCaption("Обнаружить устройства ... ");
  BitBtn2->SetBounds(kPageMargin, 512, 220, 28);
  BitBtn2->SetVisible(false);
  BitBtn2->SetEnabled(false);

  // ---- "Параметры"
  // Every edit of this page starts in one column, right of its widest label.
  constexpr int kEditX = 310;  // inside a group
  MakeLabel(ConnectSet, "TCPPort_Label", "Порт TCP для подключения:", kPageMargin, 12);
  TCPPortEdit = MakeEdit(ConnectSet, "TCPPortEdit", 5, "2000", kPageMargin + kEditX, 12, 60);

  auto* loader = MakeGroup(ConnectSet, "LoaderGB", " Настройка сервера загрузки параметров ", 46, 126);
  MakeLabel(loader, "TID_Label", "TID устройства (TMS):", 12, 28);
  TID = MakeEdit(loader, "TID", 8, "", kEditX, 28, 90);
  MakeOfflineCB = MakeCheck(loader, "MakeOfflineCB", "Использовать локальную  загрузку параметров", true, 12, 62,
                            360);
  Label1 = MakeLabel(loader, "Label1", "TCP/IP адрес : порт", 12, 92);
  Label1->SetEnabled(false);
  IPAdr = MakeEdit(loader, "IPAdr", 15, "", 160, 92, 134);
  IPAdr->SetEnabled(false);
  Label65 = MakeLabel(loader, "Label65", ":", 300, 92);
  Label65->SetEnabled(false);
  IPPort = MakeEdit(loader, "IPPort", 5, "", kEditX, 92, 60);
  IPPort->SetEnabled(false);
  HyperTmsProtocol = MakeCheck(loader, "HyperTmsProtocol", "Загрузка с HypercomTM", false, 12, 122, 200);
  HyperTmsProtocol->SetVisible(false);
  HyperSSL_CB = MakeCheck(loader, "HyperSSL_CB", "Использовать SSL", false, 236, 122, 200);
  HyperSSL_CB->SetVisible(false);

  auto* hostReply = MakeGroup(ConnectSet, "HostReplyGB", "  Обработка отсутствия ответа от хоста  ", 180, 114);
  MakeLabel(hostReply, "ResponseTimeout_Label", "Макс. время ожидания ответа от хоста, сек:", 12, 28);
  ResponseTimeout = MakeEdit(hostReply, "ResponseTimeout", 2, "40", kEditX, 28, 40);
  MakeLabel(hostReply, "NumReplyRevers_Label", "Кол-во попыток 'автоматической отмены' :", 12, 28 + kRow);
  NumReplyRevers = MakeEdit(hostReply, "NumReplyRevers", 1, "0", kEditX, 28 + kRow, 40);
  MakeLabel(hostReply, "NumReplyRevers_Note", "(значение '0' - бесконечное кол-во попыток)", 12, 80);

  LogCB = MakeCheck(ConnectSet, "LogCB", "Включить логирование операций", true, kPageMargin, 306, 300);
  ShortLogCB = MakeCheck(ConnectSet, "ShortLogCB", "Вести краткий лог", false, kPageMargin, 332, 300);
  ShortLogCB->SetVisible(false);

  ImportBtn = new vcl::TButton(ConnectSet, "ImportBtn");
  ImportBtn->SetCaption("Импорт базы параметров ...");
  ImportBtn->SetBounds(kPageMargin, 512, 220, 28);
  ImportBtn->SetVisible(false);

  if (ed.service) {
    ScriptBtn = new vcl::TButton(ConnectSet, "ScriptBtn");
    ScriptBtn->SetCaption("Скрипт X.25 ...");
    ScriptBtn->SetBounds(kPageMargin, 344, 180, 28);
    LoaderScriptBtn = new vcl::TButton(ConnectSet, "LoaderScriptBtn");
    LoaderScriptBtn->SetCaption("Скрипт загрузки X.25 ...");
    LoaderScriptBtn->SetBounds(kPageMargin + 188, 344, 200, 28);
  }

  // ---- "Настройка вендинга"
  auto* vendDevices = MakeGroup(VendingPage, "VendDevicesGB", "  Устройства ", 8, 96);
  MakeLabel(vendDevices, "MDB_Rider_Label", "COM-порт для MDB контроллера:", 12, 28);
  MDB_RiderCBox = MakeCombo(vendDevices, "MDB_RiderCBox", csDropDownList, kBodyFieldX, 28, kPortWidth);
  MakeLabel(vendDevices, "Prn_Label", "COM-порт для связи с принтером:", 12, 28 + kRow);
  Prn_CBox = MakeCombo(vendDevices, "Prn_CBox", csDropDownList, kBodyFieldX, 28 + kRow, kPortWidth);

  // Timeout edits line up right of the widest timeout label.
  constexpr int kVendEditX = 336;
  auto* vendParams = MakeGroup(VendingPage, "VendParamsGB", "  Параметры Вендинга  ", 112, 378);
  VendMode_BG = MakeRadioGroup(vendParams, "VendMode_BG", " Режим работы ", 1,
                               {"CREDIT FIRST", "SELECT FIRST", "CARD SELECT"}, 12, 22, 200, 120);
  MakeLabel(vendParams, "VendMaxAmount_Label", "Макс. сумма кредита:", 228, 26);
  VendMaxAmount = MakeEdit(vendParams, "VendMaxAmount", 5, "0", kGroupWidth - 12 - 60, 26, 60);
  MakeLabel(vendParams, "VendMaxAmount_Note", "( 0 - неопределенная )", 228, 48);
  VendScale_BG = MakeRadioGroup(vendParams, "VendScale_BG", " Единица валюты кредита ", 2, {"Рубль", "Копейка"}, 228,
                                76, kGroupWidth - 228 - 12, 66);

  constexpr int kTimeoutTop = 156;
  MakeLabel(vendParams, "PreSelectTimeout_Label", "Время удержания предвыбора товара, сек:", 12, kTimeoutTop);
  PreSelectTimeout = MakeEdit(vendParams, "PreSelectTimeout", 2, "8", kVendEditX, kTimeoutTop, 40);
  MakeLabel(vendParams, "DispenseTimeout_Label", "Длительность выдачи товара, сек      (0 - авто):", 12,
            kTimeoutTop + kRow);
  DispenseTimeout = MakeEdit(vendParams, "DispenseTimeout", 2, "35", kVendEditX, kTimeoutTop + kRow, 40);
  MakeLabel(vendParams, "SessionTimeout_Label", "Ожидание выбора товара, сек  (0 - бесконечно):", 12,
            kTimeoutTop + 2 * kRow);
  SessionTimeout = MakeEdit(vendParams, "SessionTimeout", 2, "25", kVendEditX, kTimeoutTop + 2 * kRow, 40);
  MakeLabel(vendParams, "RestoreSessionTimeout_Label", "Время удержания статуса 'ОДОБРЕНО', сек:", 12,
            kTimeoutTop + 3 * kRow);
  RestoreSessionTimeout = MakeEdit(vendParams, "RestoreSessionTimeout", 2, "15", kVendEditX, kTimeoutTop + 3 * kRow,
                                   40);

  NotCloseSessionCB = MakeCheck(vendParams, "NotCloseSessionCB", "Включить поддержку MultiVend:", false, 12, 280, 300);
  VendPollingCB = MakeCheck(vendParams, "VendPollingCB", "Отработка VEND через POLLING:", true, 12, 308, 300);

  MakeLabel(vendParams, "TimingMDB_Label", "Жесткость тайминга обмена по MDB:", 12, 340);
  TimingMDB = new vcl::TTrackBar(vendParams, "TimingMDB");
  TimingMDB->SetRange(0, 10);
  TimingMDB->SetPageSize(1);
  TimingMDB->SetFrequency(1);
  TimingMDB->SetPosition(4);
  TimingMDB->SetBounds(262, 336, kGroupWidth - 262 - 12, 30);

  // ---- Below the pages
  SaveBtn = new vcl::TBitBtn(this, "SaveBtn");
  SaveBtn->SetCaption("Сохранить");
  SaveBtn->SetBounds(283, 593, 100, 28);
  SaveBtn->SetEnabled(false);
  BitBtn1 = new vcl::TBitBtn(this, "BitBtn1");
  BitBtn1->SetCaption("Закрыть");
  BitBtn1->SetBounds(391, 593, 100, 28);
  BitBtn1->SetDefault(true);

  PageControl1->SetActivePage(GlobalSet);
  SetActiveControl(BitBtn1);

  // ---- Events, bound after the design values so that setting those ran no handler.
  OnCreate = [this](TObject* s) { FormCreate(s); };

  TCPPortEdit->OnChange = [this](TObject* s) { TCPPortEditChange(s); };
  TID->OnChange = [this](TObject* s) { TIDChange(s); };
  IPAdr->OnChange = [this](TObject* s) { IPAdrChange(s); };
  IPPort->OnChange = [this](TObject* s) { IPPortChange(s); };
  NumReplyRevers->OnChange = [this](TObject* s) { NumReplyReversChange(s); };
  ResponseTimeout->OnChange = [this](TObject* s) { ResponseTimeoutChange(s); };
  ParkID->OnChange = [this](TObject* s) { ParkIDChange(s); };
  BinRange->OnChange = [this](TObject* s) { BinRangeChange(s); };
  VendMaxAmount->OnChange = [this](TObject* s) { VendMaxAmountChange(s); };
  PreSelectTimeout->OnChange = [this](TObject* s) { PreSelectTimeoutChange(s); };
  DispenseTimeout->OnChange = [this](TObject* s) { DispenseTimeoutChange(s); };
  SessionTimeout->OnChange = [this](TObject* s) { SessionTimeoutChange(s); };
  RestoreSessionTimeout->OnChange = [this](TObject* s) { RestoreSessionTimeoutChange(s); };
  MaxPin_Length->OnChange = [this](TObject* s) { MaxPin_LengthChange(s); };
  TimingMDB->OnChange = [this](TObject* s) { TimingMDBChange(s); };

  BaudRG->OnClick = [this](TObject* s) { BaudRGClick(s); };
  VendScale_BG->OnClick = [this](TObject* s) { VendScale_BGClick(s); };
  VendMode_BG->OnClick = [this](TObject* s) { VendMode_BGClick(s); };

  RiderLCD_CB->OnClick = [this](TObject* s) { RiderLCD_CBClick(s); };
  ShortLogCB->OnClick = [this](TObject* s) { ShortLogCBClick(s); };
  HyperTmsProtocol->OnClick = [this](TObject* s) { HyperTmsProtocolClick(s); };
  HyperSSL_CB->OnClick = [this](TObject* s) { HyperSSL_CBClick(s); };
  NotCloseSessionCB->OnClick = [this](TObject* s) { NotCloseSessionCBClick(s); };
  VendPollingCB->OnClick = [this](TObject* s) { VendPollingCBClick(s); };
  LogCB->OnClick = [this](TObject* s) { LogCBClick(s); };
  MakeOfflineCB->OnClick = [this](TObject* s) { MakeOfflineCBClick(s); };
  CB_DynKeysLoad->OnClick = [this](TObject* s) { CB_DynKeysLoadClick(s); };

  for (vcl::TComboBox* portList : {ExtTerm_PC, MC_RiderCBox, MC_Rider_BaudList, MDB_RiderCBox, Prn_CBox})
    portList->OnChange = [this](TObject* s) { ExtTerm_PCChange(s); };
  for (vcl::TComboBox* readerList : {ScReader_CB, ScReaderPark_CB})
    readerList->OnChange = [this](TObject* s) { ScReader_CBChange(s); };
  CB_EPP->OnChange = [this](TObject* s) { CB_EPPChange(s); };

  PCSCConnector1.OnReaderListChange = [this] { PCSCConnector1ReaderListChange(this); };

  SaveBtn->OnClick = [this](TObject* s) { SaveBtnClick(s); };
  BitBtn1->OnClick = [this](TObject* s) { BitBtn1Click(s); };
  if (ScriptBtn) ScriptBtn->OnClick = [this](TObject* s) { ScriptBtnClick(s); };
  if (LoaderScriptBtn) LoaderScriptBtn->OnClick = [this](TObject* s) { LoaderScriptBtnClick(s); };
}

}  // namespace velcor
