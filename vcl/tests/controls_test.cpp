// Combo boxes, check boxes, radio groups, track bars, spin edits and pages: which
// changes fire their events, from code and from the user.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <string>
#include <vector>

#include "vcl/testing/Harness.h"

namespace vcl {
namespace {

namespace t = vcl::testing;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { t::ShowForm(form); }

  // Counts the events of one control.
  TNotifyEvent Counter(int& count) {
    return [&count](TObject*) { ++count; };
  }

  TForm form{nullptr, "ControlsForm"};
};

TEST_F(ControlsTest, DropDownListFiresForEveryUserChoiceOnly) {
  auto* box = new TComboBox(&form, "Ports");
  box->SetBounds(10, 10, 120, 24);
  int changes = 0;
  box->OnChange = Counter(changes);
  box->Items().Assign({"Отсутствует", "COM1", "COM3", "USB"});
  EXPECT_EQ(box->ItemIndex(), -1);  // adding items selects nothing

  box->SetItemIndex(2);
  box->SetText("USB");
  EXPECT_EQ(box->ItemIndex(), 3);
  EXPECT_EQ(changes, 0);

  t::Choose(*box, 1);
  EXPECT_EQ(box->Text(), "COM1");
  t::Choose(*box, 1);  // the same item again still counts
  t::Key(*box, Qt::Key_Down);
  EXPECT_EQ(box->ItemIndex(), 2);
  EXPECT_EQ(changes, 3);

  box->SetText("COM9");  // not in the list
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Text(), "");
  EXPECT_EQ(changes, 3);
}

TEST_F(ControlsTest, EditableComboFiresForTypingAndChoosingNotForCode) {
  auto* box = new TComboBox(&form, "Reader", TComboBoxStyle::csDropDown);
  box->SetBounds(10, 10, 160, 24);
  std::vector<std::string> seen;
  box->OnChange = [&](TObject*) { seen.push_back(box->Text()); };
  new TEdit(&form, "Next");
  box->Items().Assign({"Отсутствует", "Virtual PCD 00 00", "Vi"});
  box->SetItemIndex(1);
  box->SetText("typed from code");
  EXPECT_TRUE(seen.empty());

  box->SetText("");
  t::Type(*box, "Vi");  // no completion: the typed text stays as typed
  t::Tab();  // leaving with an item's text picks nothing
  EXPECT_EQ(box->ItemIndex(), 1);
  t::Choose(*box, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"V", "Vi", "Отсутствует"}));

  box->Items().Clear();
  EXPECT_EQ(box->ItemIndex(), -1);
  EXPECT_EQ(box->Text(), "");
}

TEST_F(ControlsTest, CheckBoxFiresOnClickFromCodeAndUser) {
  auto* check = new TCheckBox(&form, "LogCB");
  check->SetBounds(10, 10, 200, 20);
  check->SetCaption("Включить логирование операций");
  std::vector<bool> seen;
  check->OnClick = [&](TObject*) { seen.push_back(check->Checked()); };
  check->SetChecked(true);
  check->SetChecked(true);
  t::Click(*check);
  t::Key(*check, Qt::Key_Space);
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(ControlsTest, RadioGroupItemIndexFiresOnRealChanges) {
  auto* group = new TRadioGroup(&form, "BaudRG");
  group->SetBounds(10, 10, 200, 80);
  group->SetColumns(2);
  group->Items().Assign({"115200", "57600", "38400", "19200"});
  std::vector<int> seen;
  group->OnClick = [&](TObject*) { seen.push_back(group->ItemIndex()); };
  EXPECT_EQ(group->ItemIndex(), -1);
  ProcessMessages();
  // Two columns filled top to bottom: 0 1 in the first, 2 3 in the second.
  EXPECT_LT(group->ItemButton(0)->x(), group->ItemButton(2)->x());
  EXPECT_LT(group->ItemButton(0)->y(), group->ItemButton(1)->y());
  EXPECT_EQ(group->ItemButton(0)->y(), group->ItemButton(2)->y());

  group->SetItemIndex(3);
  group->SetItemIndex(3);
  t::ClickItem(*group, 1);
  t::ClickItem(*group, 1);  // already selected
  group->SetItemIndex(-1);
  EXPECT_EQ(seen, (std::vector<int>{3, 1, -1}));
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(group->ItemButton(i)->isChecked()) << i;
  group->SetItemIndex(9);  // past the items: the last one
  EXPECT_EQ(group->ItemIndex(), 3);
}

TEST_F(ControlsTest, RadioGroupHandlerMayChangeItsOwnIndex) {
  auto* group = new TRadioGroup(&form, "VendMode_BG");
  group->Items().Assign({"CREDIT FIRST", "SELECT FIRST", "CARD SELECT"});
  std::vector<int> seen;
  group->OnClick = [&](TObject*) {
    seen.push_back(group->ItemIndex());
    if (group->ItemIndex() == 2) group->SetItemIndex(0);
  };
  group->SetItemIndex(2);
  EXPECT_EQ(seen, (std::vector<int>{2, 0}));
  EXPECT_TRUE(group->ItemButton(0)->isChecked());
}

TEST_F(ControlsTest, TrackBarPositionFiresFromCodeAndUserAndIsClamped) {
  auto* bar = new TTrackBar(&form, "TimingMDB");
  bar->SetBounds(10, 10, 200, 30);
  bar->SetRange(0, 10);
  bar->SetPageSize(1);
  std::vector<int> seen;
  bar->OnChange = [&](TObject*) { seen.push_back(bar->Position()); };
  bar->SetPosition(4);
  bar->SetPosition(4);
  bar->SetPosition(25);
  t::Key(*bar, Qt::Key_Left);
  bar->SetRange(0, 5);  // pulls the position in
  EXPECT_EQ(seen, (std::vector<int>{4, 10, 9, 5}));
}

class SpinEditTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    spin = new TSpinEdit(&form, "MaxPin_Length");
    spin->SetBounds(10, 10, 60, 24);
    spin->SetMinValue(4);
    spin->SetMaxValue(12);
    spin->SetMaxLength(1);
    spin->SetValue(4);
    next = new TEdit(&form, "Next");
    next->SetBounds(10, 40, 60, 24);
    spin->OnChange = [this](TObject*) { seen.push_back(spin->Text()); };
  }

  void Retype(const char* text) {
    t::SelectAll(*spin);
    t::Key(*spin, Qt::Key_Delete);
    t::Type(*spin, text);
  }

  TSpinEdit* spin = nullptr;
  TEdit* next = nullptr;
  std::vector<std::string> seen;
};

TEST_F(SpinEditTest, TypingTakesOneDigitAndRefusesOtherCharacters) {
  Retype("9");
  t::Type(*spin, "1");  // over the length limit
  EXPECT_EQ(spin->Text(), "9");
  Retype("x");
  EXPECT_EQ(spin->Text(), "");
  EXPECT_EQ(spin->Value(), 4);  // not an integer: MinValue
  Retype("-");
  EXPECT_EQ(spin->Text(), "-");
  EXPECT_EQ(seen, (std::vector<std::string>{"", "9", "", "-"}));
}

TEST_F(SpinEditTest, LeavingClampsIntoTheRange) {
  Retype("0");
  t::Focus(*next);
  EXPECT_EQ(spin->Text(), "4");
  spin->SetText("99");  // from code: not limited, not clamped until focus leaves
  EXPECT_EQ(spin->Value(), 99);
  t::Focus(*spin);
  t::Tab();
  EXPECT_EQ(spin->Text(), "12");
  Retype("-");
  t::Focus(*next);
  EXPECT_EQ(spin->Text(), "-");  // no integer, nothing to clamp
}

TEST_F(SpinEditTest, ArrowsStepWithinTheRange) {
  spin->SetValue(11);
  seen.clear();
  t::Key(*spin, Qt::Key_Up);
  t::Key(*spin, Qt::Key_Up);  // at the top already
  t::ClickSpin(*spin, false);
  t::ClickSpin(*spin, true);
  spin->SetValue(-3);
  EXPECT_EQ(seen, (std::vector<std::string>{"12", "11", "12", "4"}));
}

TEST(SpinEdit, TextSetBeforeShowingSurvivesIt) {
  TForm form(nullptr, "Form");
  auto* spin = new TSpinEdit(&form, "Spin");
  spin->SetMaxValue(12);
  spin->SetMinValue(4);
  spin->SetValue(7);
  t::ShowForm(form);
  t::Focus(*spin);
  EXPECT_EQ(spin->Text(), "7");
}

TEST_F(ControlsTest, PagesHideTabsKeepTheirControlsAndSwitchSilentlyFromCode) {
  auto* pages = new TPageControl(&form, "PageControl1");
  pages->SetBounds(0, 0, 300, 200);
  auto* devices = new TTabSheet(pages, "GlobalSet");
  devices->SetCaption("Настройка устройств");
  auto* params = new TTabSheet(pages, "ConnectSet");
  params->SetCaption("Параметры");
  auto* vending = new TTabSheet(pages, "VendingPage");
  vending->SetCaption("Настройка вендинга");
  auto* field = new TEdit(vending, "VendMaxAmount");
  vending->SetTabVisible(false);
  int changes = 0;
  pages->OnChange = Counter(changes);

  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_FALSE(vending->TabVisible());
  EXPECT_EQ(&t::Find<TEdit>(form, "VendMaxAmount"), field);
  EXPECT_EQ(field->ParentForm(), &form);
  EXPECT_EQ(pages->Pages(2), vending);

  pages->SetActivePage(params);
  EXPECT_EQ(changes, 0);
  t::ClickTab(*pages, 0);
  EXPECT_EQ(pages->ActivePage(), devices);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(params->Caption(), "Параметры");
}

TEST_F(ControlsTest, VisibleAndEnabledAreTheControlsOwnFlags) {
  auto* pages = new TPageControl(&form, "Pages");
  new TTabSheet(pages, "First");
  auto* hiddenPage = new TTabSheet(pages, "Second");
  hiddenPage->SetTabVisible(false);
  auto* group = new TGroupBox(hiddenPage, "Group");
  auto* field = new TEdit(group, "Field");
  auto* hidden = new TEdit(group, "Hidden");
  hidden->SetVisible(false);
  group->SetEnabled(false);
  ProcessMessages();

  EXPECT_TRUE(field->Visible());  // although its page is not shown
  EXPECT_FALSE(field->Handle()->isVisible());
  EXPECT_TRUE(field->Enabled());  // although its group is disabled
  EXPECT_FALSE(field->Handle()->isEnabled());
  EXPECT_FALSE(hidden->Visible());
  EXPECT_FALSE(group->Enabled());
  field->SetText("carried");  // hidden controls still carry their values
  EXPECT_EQ(field->Text(), "carried");
}

TEST_F(ControlsTest, AutoSizeLabelFitsItsCaption) {
  auto* label = new TLabel(&form, "Label1");
  label->SetBounds(10, 10, 5, 5);
  label->SetCaption("Макс. время ожидания ответа от хоста, сек:");
  EXPECT_GE(label->Width(), label->Widget()->sizeHint().width());
  auto* fixed = new TLabel(&form, "Label2");
  fixed->SetAutoSize(false);
  fixed->SetBounds(10, 40, 30, 15);
  fixed->SetCaption("TCP/IP адрес : порт");
  EXPECT_EQ(fixed->Width(), 30);
}

TEST_F(ControlsTest, FindChecksNameAndType) {
  auto* group = new TGroupBox(&form, "Group");
  new TLabel(group, "Caption1");
  EXPECT_NO_THROW(t::Find<TLabel>(form, "Caption1"));
  EXPECT_THROW(t::Find<TEdit>(form, "Caption1"), std::runtime_error);
  EXPECT_THROW(t::Find<TLabel>(form, "Missing"), std::runtime_error);
  EXPECT_EQ(form.FindComponent("Caption1"), t::FindControl(form, "Caption1"));
}

}  // namespace
}  // namespace vcl
