// The main window as its form design leaves it, before loading runs: controls, where
// they sit, their design values, what each edition shows, and a layout that neither
// clips nor overlaps in Qt's fonts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <algorithm>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "SetupUnit/SetupUnit.h"
#include "vcl/testing/Harness.h"

namespace velcor {
namespace {

namespace t = vcl::testing;

struct EditionCase {
  const char* name;
  Edition edition;
};

void PrintTo(const EditionCase& c, std::ostream* out) { *out << c.name; }

const EditionCase kEditions[] = {
    {"plain", {}},
    {"vending", {.vending = true}},
    {"parking", {.parking = true}},
    {"vending_parking", {.vending = true, .parking = true}},
    {"service", {.service = true}},
    {"all", {.vending = true, .parking = true, .service = true}},
};

// Controls shown only in the parking edition.
const std::set<std::string> kParking = {"ScReaderPark_Label", "ScReaderPark_CB", "ParkID_Label",
                                        "ParkID",             "BinRange_Label",  "BinRange"};
// Controls that no edition shows.
const std::set<std::string> kNeverShown = {"ShortLogCB", "HyperTmsProtocol", "HyperSSL_CB", "ImportBtn", "BitBtn2"};
const std::set<std::string> kDisabled = {"SaveBtn", "CB_DynKeysLoad", "MaxPin_Length", "MaxPinLength_Label",
                                         "IPAdr",   "IPPort",         "Label1",        "Label65",
                                         "BitBtn2"};

class SetupUnitDesign : public ::testing::TestWithParam<EditionCase> {
 protected:
  const Edition& edition() const { return GetParam().edition; }

  // Every control of the design, the form itself left out.
  std::vector<vcl::TControl*> Controls() const {
    std::vector<vcl::TControl*> all;
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (auto* control = dynamic_cast<vcl::TControl*>(form->Components(i))) all.push_back(control);
    return all;
  }

  // The page a control sits on, through any group boxes.
  vcl::TTabSheet* PageOf(const vcl::TControl& control) const {
    for (vcl::TWinControl* p = control.Parent(); p; p = p->Parent())
      if (auto* page = dynamic_cast<vcl::TTabSheet*>(p)) return page;
    return nullptr;
  }

  void ExpectTidyLayout();

  std::unique_ptr<TForm1> form = std::make_unique<TForm1>(nullptr, GetParam().edition);
};

template <class T>
void ExpectMember(const TForm1& form, T* member, const char* name) {
  ASSERT_NE(member, nullptr) << name;
  EXPECT_EQ(&t::Find<T>(form, name), member) << name;
  EXPECT_EQ(member->Handle()->objectName().toStdString(), name);
}

TEST_P(SetupUnitDesign, MembersAreTheControlsOfTheirDesignNames) {
  const TForm1& f = *form;
  ExpectMember(f, f.PageControl1, "PageControl1");
  ExpectMember(f, f.GlobalSet, "GlobalSet");
  ExpectMember(f, f.ConnectSet, "ConnectSet");
  ExpectMember(f, f.VendingPage, "VendingPage");
  ExpectMember(f, f.ExtTerm_PC, "ExtTerm_PC");
  ExpectMember(f, f.BaudRG, "BaudRG");
  ExpectMember(f, f.RiderLCD_CB, "RiderLCD_CB");
  ExpectMember(f, f.MC_RiderCBox, "MC_RiderCBox");
  ExpectMember(f, f.MC_Rider_BaudList, "MC_Rider_BaudList");
  ExpectMember(f, f.CB_EPP, "CB_EPP");
  ExpectMember(f, f.CB_DynKeysLoad, "CB_DynKeysLoad");
  ExpectMember(f, f.MaxPinLength_Label, "MaxPinLength_Label");
  ExpectMember(f, f.MaxPin_Length, "MaxPin_Length");
  ExpectMember(f, f.ScReader_CB, "ScReader_CB");
  ExpectMember(f, f.ScReaderPark_Label, "ScReaderPark_Label");
  ExpectMember(f, f.ScReaderPark_CB, "ScReaderPark_CB");
  ExpectMember(f, f.ParkID_Label, "ParkID_Label");
  ExpectMember(f, f.ParkID, "ParkID");
  ExpectMember(f, f.BinRange_Label, "BinRange_Label");
  ExpectMember(f, f.BinRange, "BinRange");
  ExpectMember(f, f.BitBtn2, "BitBtn2");
  ExpectMember(f, f.TCPPortEdit, "TCPPortEdit");
  ExpectMember(f, f.TID, "TID");
  ExpectMember(f, f.MakeOfflineCB, "MakeOfflineCB");
  ExpectMember(f, f.Label1, "Label1");
  ExpectMember(f, f.Label65, "Label65");
  ExpectMember(f, f.IPAdr, "IPAdr");
  ExpectMember(f, f.IPPort, "IPPort");
  ExpectMember(f, f.HyperTmsProtocol, "HyperTmsProtocol");
  ExpectMember(f, f.HyperSSL_CB, "HyperSSL_CB");
  ExpectMember(f, f.ResponseTimeout, "ResponseTimeout");
  ExpectMember(f, f.NumReplyRevers, "NumReplyRevers");
  ExpectMember(f, f.LogCB, "LogCB");
  ExpectMember(f, f.ShortLogCB, "ShortLogCB");
  ExpectMember(f, f.ImportBtn, "ImportBtn");
  ExpectMember(f, f.MDB_RiderCBox, "MDB_RiderCBox");
  ExpectMember(f, f.Prn_CBox, "Prn_CBox");
  ExpectMember(f, f.VendMode_BG, "VendMode_BG");
  ExpectMember(f, f.VendMaxAmount, "VendMaxAmount");
  ExpectMember(f, f.VendScale_BG, "VendScale_BG");
  ExpectMember(f, f.PreSelectTimeout, "PreSelectTimeout");
  ExpectMember(f, f.DispenseTimeout, "DispenseTimeout");
  ExpectMember(f, f.SessionTimeout, "SessionTimeout");
  ExpectMember(f, f.RestoreSessionTimeout, "RestoreSessionTimeout");
  ExpectMember(f, f.NotCloseSessionCB, "NotCloseSessionCB");
  ExpectMember(f, f.VendPollingCB, "VendPollingCB");
  ExpectMember(f, f.TimingMDB, "TimingMDB");
  ExpectMember(f, f.SaveBtn, "SaveBtn");
  ExpectMember(f, f.BitBtn1, "BitBtn1");

  if (edition().service) {
    ExpectMember(f, f.ScriptBtn, "ScriptBtn");
    ExpectMember(f, f.LoaderScriptBtn, "LoaderScriptBtn");
  } else {
    EXPECT_EQ(f.ScriptBtn, nullptr);
    EXPECT_EQ(f.LoaderScriptBtn, nullptr);
    EXPECT_EQ(t::FindControl(f, "ScriptBtn"), nullptr);
    EXPECT_EQ(t::FindControl(f, "LoaderScriptBtn"), nullptr);
  }

  // Names are what tests and tools find controls by, so none may repeat.
  std::set<std::string> names;
  for (vcl::TControl* c : Controls()) EXPECT_TRUE(names.insert(c->Name()).second) << c->Name();
}

TEST_P(SetupUnitDesign, ControlsSitOnTheirPagesInTheirGroups) {
  struct Place {
    const char* name;
    vcl::TTabSheet* TForm1::*page;
    const char* group;  // caption of the group box it is in; null on the page itself
  };
  const char* contactless = " Ридер бесконтактных карт ";
  const char* contact = " Ридер/диспенсер контактных карт ";
  const char* pinPad = " Пин-Клавиатура  ";
  const char* loader = " Настройка сервера загрузки параметров ";
  const char* hostReply = "  Обработка отсутствия ответа от хоста  ";
  const char* vendDevices = "  Устройства ";
  const char* vending = "  Параметры Вендинга  ";
  const Place places[] = {
      {"ExtTerm_PC", &TForm1::GlobalSet, contactless},
      {"BaudRG", &TForm1::GlobalSet, contactless},
      {"RiderLCD_CB", &TForm1::GlobalSet, contactless},
      {"MC_RiderCBox", &TForm1::GlobalSet, contact},
      {"MC_Rider_BaudList", &TForm1::GlobalSet, contact},
      {"CB_EPP", &TForm1::GlobalSet, pinPad},
      {"CB_DynKeysLoad", &TForm1::GlobalSet, pinPad},
      {"MaxPinLength_Label", &TForm1::GlobalSet, pinPad},
      {"MaxPin_Length", &TForm1::GlobalSet, pinPad},
      {"ScReader_CB", &TForm1::GlobalSet, nullptr},
      {"ScReaderPark_Label", &TForm1::GlobalSet, nullptr},
      {"ScReaderPark_CB", &TForm1::GlobalSet, nullptr},
      {"ParkID_Label", &TForm1::GlobalSet, nullptr},
      {"ParkID", &TForm1::GlobalSet, nullptr},
      {"BinRange_Label", &TForm1::GlobalSet, nullptr},
      {"BinRange", &TForm1::GlobalSet, nullptr},
      {"BitBtn2", &TForm1::GlobalSet, nullptr},
      {"TCPPortEdit", &TForm1::ConnectSet, nullptr},
      {"TID", &TForm1::ConnectSet, loader},
      {"MakeOfflineCB", &TForm1::ConnectSet, loader},
      {"Label1", &TForm1::ConnectSet, loader},
      {"Label65", &TForm1::ConnectSet, loader},
      {"IPAdr", &TForm1::ConnectSet, loader},
      {"IPPort", &TForm1::ConnectSet, loader},
      {"HyperTmsProtocol", &TForm1::ConnectSet, loader},
      {"HyperSSL_CB", &TForm1::ConnectSet, loader},
      {"ResponseTimeout", &TForm1::ConnectSet, hostReply},
      {"NumReplyRevers", &TForm1::ConnectSet, hostReply},
      {"LogCB", &TForm1::ConnectSet, nullptr},
      {"ShortLogCB", &TForm1::ConnectSet, nullptr},
      {"ImportBtn", &TForm1::ConnectSet, nullptr},
      {"MDB_RiderCBox", &TForm1::VendingPage, vendDevices},
      {"Prn_CBox", &TForm1::VendingPage, vendDevices},
      {"VendMode_BG", &TForm1::VendingPage, vending},
      {"VendMaxAmount", &TForm1::VendingPage, vending},
      {"VendScale_BG", &TForm1::VendingPage, vending},
      {"PreSelectTimeout", &TForm1::VendingPage, vending},
      {"DispenseTimeout", &TForm1::VendingPage, vending},
      {"SessionTimeout", &TForm1::VendingPage, vending},
      {"RestoreSessionTimeout", &TForm1::VendingPage, vending},
      {"NotCloseSessionCB", &TForm1::VendingPage, vending},
      {"VendPollingCB", &TForm1::VendingPage, vending},
      {"TimingMDB", &TForm1::VendingPage, vending},
  };
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    vcl::TControl& control = t::Find<vcl::TControl>(*form, p.name);
    vcl::TWinControl* parent = control.Parent();
    if (p.group) {
      auto* group = dynamic_cast<vcl::TGroupBox*>(parent);
      ASSERT_NE(group, nullptr);
      EXPECT_EQ(group->Caption(), p.group);
      parent = group->Parent();
    }
    EXPECT_EQ(parent, (*form).*p.page);
  }
  for (vcl::TButton* below : {static_cast<vcl::TButton*>(form->SaveBtn), static_cast<vcl::TButton*>(form->BitBtn1)})
    EXPECT_EQ(below->Parent(), form.get()) << below->Name();
  if (edition().service) {
    EXPECT_EQ(PageOf(*form->ScriptBtn), form->ConnectSet);
    EXPECT_EQ(PageOf(*form->LoaderScriptBtn), form->ConnectSet);
  }

  // The labels the design gives the fields, by their exact texts.
  struct LabelPlace {
    const char* caption;
    vcl::TTabSheet* TForm1::*page;
  };
  const LabelPlace labels[] = {
      {"Максимальная длина пин-кода (авто-ввод):", &TForm1::GlobalSet},
      {"SAM-ридер для шифрования: ", &TForm1::GlobalSet},
      {"SAM-ридер для парковочных карт: ", &TForm1::GlobalSet},
      {"ID устройства парковки:", &TForm1::GlobalSet},
      {"BIN электронного счета:", &TForm1::GlobalSet},
      {"Порт TCP для подключения:", &TForm1::ConnectSet},
      {"TID устройства (TMS):", &TForm1::ConnectSet},
      {"TCP/IP адрес : порт", &TForm1::ConnectSet},
      {":", &TForm1::ConnectSet},
      {"Макс. время ожидания ответа от хоста, сек:", &TForm1::ConnectSet},
      {"Кол-во попыток 'автоматической отмены' :", &TForm1::ConnectSet},
      {"(значение '0' - бесконечное кол-во попыток)", &TForm1::ConnectSet},
      {"COM-порт для MDB контроллера:", &TForm1::VendingPage},
      {"COM-порт для связи с принтером:", &TForm1::VendingPage},
      {"Макс. сумма кредита:", &TForm1::VendingPage},
      {"( 0 - неопределенная )", &TForm1::VendingPage},
      {"Время удержания предвыбора товара, сек:", &TForm1::VendingPage},
      {"Длительность выдачи товара, сек      (0 - авто):", &TForm1::VendingPage},
      {"Ожидание выбора товара, сек  (0 - бесконечно):", &TForm1::VendingPage},
      {"Время удержания статуса 'ОДОБРЕНО', сек:", &TForm1::VendingPage},
      {"Жесткость тайминга обмена по MDB:", &TForm1::VendingPage},
  };
  for (const LabelPlace& l : labels) {
    const auto controls = Controls();
    const auto found = std::find_if(controls.begin(), controls.end(), [&](vcl::TControl* c) {
      auto* label = dynamic_cast<vcl::TLabel*>(c);
      return label && label->Caption() == l.caption;
    });
    ASSERT_NE(found, controls.end()) << l.caption;
    EXPECT_EQ(PageOf(**found), (*form).*l.page) << l.caption;
  }
}

TEST_P(SetupUnitDesign, VisibilityFollowsTheEdition) {
  EXPECT_TRUE(form->GlobalSet->TabVisible());
  EXPECT_TRUE(form->ConnectSet->TabVisible());
  EXPECT_EQ(form->VendingPage->TabVisible(), edition().vending);
  for (vcl::TControl* c : Controls()) {
    if (dynamic_cast<vcl::TTabSheet*>(c)) continue;  // the page control shows one page at a time
    bool shown = true;
    if (kNeverShown.count(c->Name())) shown = false;
    if (kParking.count(c->Name())) shown = edition().parking;
    EXPECT_EQ(c->Visible(), shown) << c->Name();
  }
}

TEST_P(SetupUnitDesign, OnlyTheDependentFieldsAndSaveStartDisabled) {
  for (vcl::TControl* c : Controls()) EXPECT_EQ(c->Enabled(), !kDisabled.count(c->Name())) << c->Name();
}

TEST_P(SetupUnitDesign, FieldsHoldTheirDesignLimitsAndValues) {
  struct EditCase {
    vcl::TEdit* edit;
    int maxLength;
    const char* text;
  };
  const EditCase edits[] = {
      {form->ParkID, 4, ""},
      {form->BinRange, 8, ""},
      {form->TCPPortEdit, 5, "2000"},
      {form->TID, 8, ""},
      {form->IPAdr, 15, ""},
      {form->IPPort, 5, ""},
      {form->ResponseTimeout, 2, "40"},
      {form->NumReplyRevers, 1, "0"},
      {form->VendMaxAmount, 5, "0"},
      {form->PreSelectTimeout, 2, "8"},
      {form->DispenseTimeout, 2, "35"},
      {form->SessionTimeout, 2, "25"},
      {form->RestoreSessionTimeout, 2, "15"},
  };
  for (const EditCase& e : edits) {
    EXPECT_EQ(e.edit->MaxLength(), e.maxLength) << e.edit->Name();
    EXPECT_EQ(e.edit->Text(), e.text) << e.edit->Name();
  }

  vcl::TSpinEdit& spin = *form->MaxPin_Length;
  EXPECT_EQ(spin.MinValue(), 4);
  EXPECT_EQ(spin.MaxValue(), 12);
  EXPECT_EQ(spin.Increment(), 1);
  EXPECT_EQ(spin.MaxLength(), 1);
  EXPECT_EQ(spin.Text(), "4");

  vcl::TTrackBar& bar = *form->TimingMDB;
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 10);
  EXPECT_EQ(bar.Widget()->pageStep(), 1);
  EXPECT_EQ(bar.Position(), 4);

  using vcl::TComboBoxStyle;
  const std::vector<std::string> none;
  struct ComboCase {
    vcl::TComboBox* combo;
    TComboBoxStyle style;
    std::vector<std::string> items;
  };
  const ComboCase combos[] = {
      {form->ExtTerm_PC, TComboBoxStyle::csDropDownList, none},
      {form->MC_RiderCBox, TComboBoxStyle::csDropDownList, none},
      {form->MC_Rider_BaudList, TComboBoxStyle::csDropDownList, {"Default", "9600", "19200", "38400", "57600", "115200"}},
      {form->CB_EPP,
       TComboBoxStyle::csDropDownList,
       {"Отсутствует", "ZT598L", "ZT598M", "ZT596E", "ZT596F", "ZT588F", "ZT598J"}},
      {form->ScReader_CB, TComboBoxStyle::csDropDown, none},
      {form->ScReaderPark_CB, TComboBoxStyle::csDropDown, none},
      {form->MDB_RiderCBox, TComboBoxStyle::csDropDownList, none},
      {form->Prn_CBox, TComboBoxStyle::csDropDownList, none},
  };
  for (const ComboCase& c : combos) {
    EXPECT_EQ(c.combo->Style(), c.style) << c.combo->Name();
    EXPECT_EQ(c.combo->Items().ToVector(), c.items) << c.combo->Name();
  }

  struct RadioCase {
    vcl::TRadioGroup* group;
    const char* caption;
    int columns;
    std::vector<std::string> items;
  };
  const RadioCase radios[] = {
      {form->BaudRG, " Скорость порта ", 2, {"115200", "57600", "38400", "19200"}},
      {form->VendMode_BG, " Режим работы ", 1, {"CREDIT FIRST", "SELECT FIRST", "CARD SELECT"}},
      {form->VendScale_BG, " Единица валюты кредита ", 2, {"Рубль", "Копейка"}},
  };
  for (const RadioCase& r : radios) {
    EXPECT_EQ(r.group->Caption(), r.caption);
    EXPECT_EQ(r.group->Columns(), r.columns) << r.caption;
    EXPECT_EQ(r.group->Items().ToVector(), r.items) << r.caption;
  }

  struct CheckCase {
    vcl::TCheckBox* box;
    const char* caption;
    bool checked;
  };
  const CheckCase checks[] = {
      {form->RiderLCD_CB, "Ридер с экраном", false},
      {form->CB_DynKeysLoad, "Динамическая загрузка мастер-ключей   ", false},
      {form->MakeOfflineCB, "Использовать локальную  загрузку параметров", true},
      {form->HyperTmsProtocol, "Загрузка с HypercomTM", false},
      {form->HyperSSL_CB, "Использовать SSL", false},
      {form->LogCB, "Включить логирование операций", true},
      {form->ShortLogCB, "Вести краткий лог", false},
      {form->NotCloseSessionCB, "Включить поддержку MultiVend:", false},
      {form->VendPollingCB, "Отработка VEND через POLLING:", true},
  };
  for (const CheckCase& c : checks) {
    EXPECT_EQ(c.box->Caption(), c.caption);
    EXPECT_EQ(c.box->Checked(), c.checked) << c.caption;
  }

  EXPECT_EQ(form->Label1->Caption(), "TCP/IP адрес : порт");
  EXPECT_EQ(form->Label65->Caption(), ":");
  EXPECT_EQ(form->MaxPinLength_Label->Caption(), "Максимальная длина пин-кода (авто-ввод):");
}

TEST_P(SetupUnitDesign, WindowPagesAndButtons) {
  EXPECT_EQ(form->Caption(), "  Конфигуратор Tormela");
  EXPECT_EQ(form->ClientWidth(), 497);
  EXPECT_EQ(form->ClientHeight(), 629);
  EXPECT_TRUE(form->StayOnTop());
  EXPECT_EQ(form->Position(), vcl::TPosition::poScreenCenter);

  ASSERT_EQ(form->PageControl1->PageCount(), 3);
  EXPECT_EQ(form->PageControl1->Pages(0), form->GlobalSet);
  EXPECT_EQ(form->PageControl1->Pages(1), form->ConnectSet);
  EXPECT_EQ(form->PageControl1->Pages(2), form->VendingPage);
  EXPECT_EQ(form->GlobalSet->Caption(), "Настройка устройств");
  EXPECT_EQ(form->ConnectSet->Caption(), "Параметры");
  EXPECT_EQ(form->VendingPage->Caption(), "Настройка вендинга");
  EXPECT_EQ(form->PageControl1->ActivePage(), form->GlobalSet);

  EXPECT_EQ(form->SaveBtn->Caption(), "Сохранить");
  EXPECT_EQ(form->BitBtn1->Caption(), "Закрыть");
  EXPECT_EQ(form->BitBtn2->Caption(), "Обнаружить устройства ... ");
  EXPECT_EQ(form->ImportBtn->Caption(), "Импорт базы параметров ...");
  EXPECT_TRUE(form->BitBtn1->Default());
  EXPECT_FALSE(form->SaveBtn->Default());
  // Closing must run BitBtn1Click, which a standard close kind would bypass.
  EXPECT_EQ(form->BitBtn1->Kind(), vcl::TBitBtnKind::bkCustom);
  EXPECT_EQ(form->ActiveControl(), form->BitBtn1);
  if (edition().service) {
    EXPECT_EQ(form->ScriptBtn->Caption(), "Скрипт X.25 ...");
    EXPECT_EQ(form->LoaderScriptBtn->Caption(), "Скрипт загрузки X.25 ...");
  }
}

TEST_P(SetupUnitDesign, EventsAreBoundExceptThoseOfLaterFeatures) {
  TForm1& f = *form;
  EXPECT_TRUE(f.OnCreate);
  for (vcl::TEdit* e : {f.TCPPortEdit, f.TID, f.IPAdr, f.IPPort, f.NumReplyRevers, f.ResponseTimeout, f.ParkID,
                        f.BinRange, f.VendMaxAmount, f.PreSelectTimeout, f.DispenseTimeout, f.SessionTimeout,
                        f.RestoreSessionTimeout, static_cast<vcl::TEdit*>(f.MaxPin_Length)})
    EXPECT_TRUE(e->OnChange) << e->Name();
  EXPECT_TRUE(f.TimingMDB->OnChange);
  for (vcl::TRadioGroup* r : {f.BaudRG, f.VendMode_BG, f.VendScale_BG}) EXPECT_TRUE(r->OnClick) << r->Name();
  for (vcl::TCheckBox* c : {f.RiderLCD_CB, f.ShortLogCB, f.HyperTmsProtocol, f.HyperSSL_CB, f.NotCloseSessionCB,
                            f.VendPollingCB, f.LogCB, f.MakeOfflineCB, f.CB_DynKeysLoad})
    EXPECT_TRUE(c->OnClick) << c->Name();
  for (vcl::TComboBox* c : {f.ExtTerm_PC, f.MC_RiderCBox, f.MC_Rider_BaudList, f.MDB_RiderCBox, f.Prn_CBox,
                            f.ScReader_CB, f.ScReaderPark_CB, f.CB_EPP})
    EXPECT_TRUE(c->OnChange) << c->Name();
  EXPECT_TRUE(f.PCSCConnector1.OnReaderListChange);
  EXPECT_TRUE(f.SaveBtn->OnClick);
  EXPECT_TRUE(f.BitBtn1->OnClick);
  if (edition().service) {
    EXPECT_TRUE(f.ScriptBtn->OnClick);
    EXPECT_TRUE(f.LoaderScriptBtn->OnClick);
  }
  // Device search and parameter import come with their own features.
  EXPECT_FALSE(f.BitBtn2->OnClick);
  EXPECT_FALSE(f.ImportBtn->OnClick);
}

// Qt's fonts are wider than the ones the classic design was drawn for: every caption
// must fit its control, every control its parent, and no two shown controls may overlap.
void SetupUnitDesign::ExpectTidyLayout() {
  t::ShowForm(*form);
  for (int i = 0; i < form->PageControl1->PageCount(); ++i) {
    vcl::TTabSheet* page = form->PageControl1->Pages(i);
    if (!page->TabVisible()) continue;
    form->PageControl1->SetActivePage(page);
    vcl::ProcessMessages();
    SCOPED_TRACE(page->Name());

    std::vector<vcl::TControl*> shown;
    for (vcl::TControl* c : Controls())
      if (c->Handle()->isVisibleTo(form->Handle()) && c != page && (PageOf(*c) == page || c->Parent() == form.get()))
        shown.push_back(c);
    ASSERT_GT(shown.size(), 5u);

    for (vcl::TControl* c : shown) {
      const QWidget* w = c->Handle();
      const QRect inside = w->parentWidget()->contentsRect();
      EXPECT_TRUE(inside.contains(w->geometry())) << c->Name() << " leaves its parent";
      EXPECT_GE(w->height(), w->minimumSizeHint().height()) << c->Name();
      const bool hasCaption = qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w);
      const int needed = hasCaption ? w->sizeHint().width() : w->minimumSizeHint().width();
      EXPECT_GE(w->width(), needed) << c->Name() << " clips its caption";
      for (vcl::TControl* other : shown) {
        if (other < c && other->Parent() == c->Parent()) {
          EXPECT_FALSE(w->geometry().intersects(other->Handle()->geometry())) << c->Name() << " / " << other->Name();
        }
      }
    }
  }
}

TEST_P(SetupUnitDesign, LayoutNeitherClipsNorOverlaps) { ExpectTidyLayout(); }

TEST_P(SetupUnitDesign, LayoutSurvivesALargerDesktopFont) {
  const QFont desktop = QApplication::font();
  QFont large = desktop;
  large.setPointSize(desktop.pointSize() + 3);
  QApplication::setFont(large);
  ExpectTidyLayout();
  QApplication::setFont(desktop);
}

INSTANTIATE_TEST_SUITE_P(Editions, SetupUnitDesign, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<EditionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace velcor
