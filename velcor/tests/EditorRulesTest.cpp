// The field rules, driven with real keys, clicks and pastes.
#include <climits>
#include <functional>

#include "EditorFixture.h"
#include "settings/Text.h"

namespace velcor::testing {
namespace {

using namespace vcl::testing;

class EditorRules : public EditorTest {
 protected:
  TForm1& show(const Edition& edition = {}) {
    TForm1& f = open(edition);
    ShowForm(f);
    return f;
  }
  // Puts the caret at `position` and types there.
  static void typeAt(vcl::TEdit* edit, int position, std::string_view text) {
    Focus(*edit);
    edit->SetSelStart(position);
    Type(*edit, text);
  }
};

TEST_F(EditorRules, TcpPortRepairsItself) {
  writeIni("[Main Settings]\r\nTCP Port for Link=6553\r\n");
  TForm1& f = show();
  typeAt(f.TCPPortEdit, 4, "6");  // 65536 is over the limit
  EXPECT_EQ(f.TCPPortEdit->Text(), "6553");
  EXPECT_EQ(f.TCPPortEdit->SelStart(), 4);
  EXPECT_FALSE(f.SaveBtn->Enabled());

  f.TCPPortEdit->SetText("2000");
  typeAt(f.TCPPortEdit, 1, "x");  // 2x000, 2x00, 2x0, 2x, then 2 is accepted
  EXPECT_EQ(f.TCPPortEdit->Text(), "2");
  EXPECT_EQ(f.TCPPortEdit->SelStart(), 1);
  EXPECT_EQ(f.Loaded.tcpPort, "2");
  EXPECT_TRUE(f.SaveBtn->Enabled());
}

TEST_F(EditorRules, TextAndIntegerFields) {
  TForm1& f = show();
  f.MakeOfflineCB->SetChecked(false);
  typeAt(f.IPPort, 0, "123a");
  EXPECT_EQ(f.IPPort->Text(), "123");
  EXPECT_EQ(f.IPPort->SelStart(), 3);
  Paste(*f.IPPort, "99999");
  EXPECT_EQ(f.IPPort->Text(), "12399");  // five characters at most, any number

  // The one-digit field is never empty.
  f.SaveBtn->SetEnabled(false);
  Focus(*f.NumReplyRevers);
  f.NumReplyRevers->SetSelStart(1);
  Key(*f.NumReplyRevers, Qt::Key_Backspace);
  EXPECT_EQ(f.NumReplyRevers->Text(), "1");
  EXPECT_EQ(f.NumReplyRevers->SelStart(), 0);
  EXPECT_TRUE(f.SaveBtn->Enabled());  // loaded "0"

  // Emptying a value field leaves it empty and changes nothing; 07 after 7 is 7.
  f.SaveBtn->SetEnabled(false);
  f.ResponseTimeout->SetText("7");
  f.SaveBtn->SetEnabled(false);
  SelectAll(*f.ResponseTimeout);
  Key(*f.ResponseTimeout, Qt::Key_Delete);
  EXPECT_EQ(f.ResponseTimeout->Text(), "");
  EXPECT_EQ(f.Loaded.responseTimeout, 7);
  EXPECT_FALSE(f.SaveBtn->Enabled());
  typeAt(f.ResponseTimeout, 0, "7");
  typeAt(f.ResponseTimeout, 0, "0");
  EXPECT_EQ(f.ResponseTimeout->Text(), "07");
  EXPECT_FALSE(f.SaveBtn->Enabled());
}

TEST_F(EditorRules, UpperLimits) {
  struct Case {
    const char* name;
    const char* ini;
    const char* field;
    const char* pasted;
    const char* shown;
    bool saveEnabled;
  } cases[] = {
      {"approval hold over 30 enables save at the limit", "[Vending]\r\nHoldApproveTimeout=30\r\n",
       "RestoreSessionTimeout", "45", "30", true},
      {"credit over 65535 at the loaded limit stays clean", "[Vending]\r\nMaxAmount=65535\r\n", "VendMaxAmount", "70000",
       "65535", false},
      {"credit over 65535 from lower", "[Vending]\r\nMaxAmount=100\r\n", "VendMaxAmount", "99999", "65535", true},
      {"dispense time takes two digits", "", "DispenseTimeout", "120", "12", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeIni(c.ini);
    TForm1& f = show({true, false, false});
    f.PageControl1->SetActivePageIndex(2);
    auto& edit = find<vcl::TEdit>(c.field);
    SelectAll(edit);
    Paste(edit, c.pasted);
    EXPECT_EQ(edit.Text(), c.shown);
    EXPECT_EQ(f.SaveBtn->Enabled(), c.saveEnabled);
  }
}

TEST_F(EditorRules, SpinField) {
  writeIni("[EPP]\r\nNAME=ZT598L\r\nPIN WK IDX=30\r\n");
  TForm1& f = show();
  auto& spin = *f.MaxPin_Length;
  SelectAll(spin);
  Type(spin, "9");
  EXPECT_EQ(spin.Value(), 9);
  Type(spin, "1");  // one typed character at most
  EXPECT_EQ(spin.Text(), "9");
  EXPECT_TRUE(f.SaveBtn->Enabled());
  spin.SetValue(12);
  ClickSpin(spin, true);
  EXPECT_EQ(spin.Value(), 12);
  SelectAll(spin);
  Type(spin, "0");
  Focus(*f.BitBtn1);
  EXPECT_EQ(spin.Text(), "4");
}

TEST_F(EditorRules, Dependencies) {
  TForm1& f = show({true, false, false});

  f.ShortLogCB->SetChecked(true);
  Click(*f.LogCB);
  EXPECT_FALSE(f.ShortLogCB->Checked());
  EXPECT_FALSE(f.ShortLogCB->Enabled());
  EXPECT_FALSE(f.Loaded.shortLog);
  Click(*f.LogCB);
  EXPECT_TRUE(f.ShortLogCB->Enabled());
  EXPECT_FALSE(f.ShortLogCB->Checked());

  f.PageControl1->SetActivePageIndex(1);
  f.SaveBtn->SetEnabled(false);
  Click(*f.MakeOfflineCB);
  EXPECT_TRUE(f.IPAdr->Enabled() && f.IPPort->Enabled() && f.Label1->Enabled() && f.Label65->Enabled());
  EXPECT_TRUE(f.SaveBtn->Enabled());
  Click(*f.MakeOfflineCB);
  EXPECT_FALSE(f.IPAdr->Enabled() || f.IPPort->Enabled() || f.Label1->Enabled() || f.Label65->Enabled());

  f.PageControl1->SetActivePageIndex(2);
  ClickItem(*f.VendMode_BG, 1);
  EXPECT_EQ(f.SessionTimeout->Text(), "0");
  EXPECT_FALSE(f.SessionTimeout->Enabled());
  ClickItem(*f.VendMode_BG, 0);
  EXPECT_TRUE(f.SessionTimeout->Enabled());
  EXPECT_EQ(f.SessionTimeout->Text(), "0");

  f.PageControl1->SetActivePageIndex(0);
  Choose(*f.CB_EPP, 2);
  EXPECT_TRUE(f.MaxPin_Length->Enabled());
  f.MaxPin_Length->SetValue(8);
  Choose(*f.CB_EPP, 0);
  EXPECT_FALSE(f.MaxPin_Length->Enabled() || f.CB_DynKeysLoad->Enabled() || f.MaxPinLength_Label->Enabled());
  EXPECT_EQ(f.MaxPin_Length->Value(), 8);

  // A list counts every pick, the same item too.
  f.SaveBtn->SetEnabled(false);
  Choose(*f.ExtTerm_PC, f.ExtTerm_PC->ItemIndex());
  EXPECT_TRUE(f.SaveBtn->Enabled());
}

TEST_F(EditorRules, TrackBarKeepsItsLoadedPosition) {
  TForm1& f = show({true, false, false});
  f.TimingMDB->SetPosition(5);
  f.TimingMDB->SetPosition(3);
  EXPECT_TRUE(f.SaveBtn->Enabled());
  f.SaveBtn->SetEnabled(false);
  f.TimingMDB->SetPosition(4);
  EXPECT_TRUE(f.SaveBtn->Enabled());
}

// Enter presses the close button from an edit; the prompt's three answers.
TEST_F(EditorRules, ClosePrompt) {
  TForm1& f = show();
  bool closed = false;
  f.OnClose = [&](vcl::TObject*, vcl::TCloseAction&) { closed = true; };
  Key(*f.TCPPortEdit, Qt::Key_Escape);
  EXPECT_FALSE(closed);

  SelectAll(*f.TID);
  Type(*f.TID, "T0000002");
  {
    ModalAnswers answers;
    answers.PressButton(vcl::IDCANCEL);
    Key(*f.TID, Qt::Key_Return);
    ASSERT_EQ(answers.Seen().size(), 1u);
    const auto& box = answers.Seen()[0];
    EXPECT_EQ(box.caption, "  Подтверждение");
    EXPECT_EQ(box.text, "Были сделаны изменения в настройках.\r\rСохранить изменения ?");
    EXPECT_EQ(box.icon, vcl::TMsgIcon::Warning);
    EXPECT_EQ(box.buttons, (std::vector<int>{vcl::IDYES, vcl::IDNO, vcl::IDCANCEL}));
    EXPECT_TRUE(box.topmost);
    EXPECT_FALSE(closed);
  }
  {
    // Yes with a short TID: the check's message, and the window stays with the edits.
    f.TID->SetText("T01");
    ModalAnswers answers;
    answers.PressButton(vcl::IDYES);
    answers.PressButton(vcl::IDOK);
    Click(*f.BitBtn1);
    ASSERT_EQ(answers.Seen().size(), 2u);
    EXPECT_EQ(answers.Seen()[1].caption, "Ошибка конфигуратора");
    EXPECT_FALSE(closed);
    EXPECT_TRUE(f.SaveBtn->Enabled());
    EXPECT_FALSE(fs::exists(iniPath()));
  }
  {
    ModalAnswers answers;
    answers.PressButton(vcl::IDNO);
    Click(*f.BitBtn1);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(fs::exists(iniPath()));
  }
}

TEST_F(EditorRules, CloseWithoutChangesAsksNothingAndYesSaves) {
  TForm1& f = show();
  bool closed = false;
  f.OnClose = [&](vcl::TObject*, vcl::TCloseAction&) { closed = true; };
  Click(*f.BitBtn1);
  EXPECT_TRUE(closed);

  closed = false;
  TForm1& g = show();
  g.OnClose = [&](vcl::TObject*, vcl::TCloseAction&) { closed = true; };
  typeAt(g.TCPPortEdit, 4, "1");
  ModalAnswers answers;
  answers.PressButton(vcl::IDYES);
  Click(*g.BitBtn1);
  EXPECT_TRUE(closed);
  EXPECT_NE(readIni().find("TCP Port for Link=20001\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velcor::testing

namespace velcor::testing {
namespace {

using namespace vcl::testing;

// The service edition's script buttons: a remembered connection script is a pending
// change that the save writes; the loading script stays in memory.
TEST_F(EditorTest, ScriptDialogsOfTheServiceEdition) {
  writeIni("[Script]\r\nNum Lines=2\r\nLine1=ATZ\r\nLine2=ATD123\r\n");
  TForm1& f = open({false, false, true});
  ShowForm(f);
  EXPECT_EQ(f.ConnectionScript, (std::vector<std::string>{"ATZ", "ATD123"}));
  f.PageControl1->SetActivePageIndex(1);

  ModalAnswers answers;
  answers.AnswerForm([](vcl::TForm& dialog) {
    auto& memo = Find<vcl::TMemo>(dialog, "MemoScript");
    Focus(memo);
    Key(memo, Qt::Key_End, Qt::ControlModifier);
    Type(memo, "ATH");  // the text ends with a line break already
    Click(Find<vcl::TBitBtn>(dialog, "SaveScriptBtn"));
  });
  answers.AnswerForm({}, vcl::mrCancel);  // the loading script: cancelled
  Click(*f.ScriptBtn);
  Click(*f.LoaderScriptBtn);
  EXPECT_EQ(answers.Seen()[0].caption, "  Скрипт для подключения в сеть X.25");
  EXPECT_EQ(answers.Seen()[1].caption, "Скрипт для загрузки параметров в сети X.25");
  EXPECT_EQ(f.ConnectionScript, (std::vector<std::string>{"ATZ", "ATD123", "ATH"}));
  EXPECT_EQ(f.LoaderScript.size(), 24u);
  ASSERT_TRUE(f.SaveBtn->Enabled());

  Click(*f.SaveBtn);
  EXPECT_NE(readIni().find("[Script]\r\nNum Lines=3\r\nLine1=ATZ\r\nLine2=ATD123\r\nLine3=ATH\r\n"), std::string::npos);
}

}  // namespace
}  // namespace velcor::testing

namespace velcor::testing {
namespace {

using namespace vcl::testing;

// Whatever is pasted, every field ends in a state its rule accepts, without a message
// (an unexpected box fails the test).
TEST_F(EditorTest, PastedTextOfAnyKindIsRepaired) {
  using Valid = std::function<bool(const std::string&)>;
  auto integerOrEmpty = [](std::int64_t limit) -> Valid {
    return [limit](const std::string& t) { return t.empty() || (toInt32(t) && *toInt32(t) <= limit); };
  };
  const Valid any = [](const std::string&) { return true; };
  const struct {
    const char* field;
    Valid valid;
  } fields[] = {
      {"TCPPortEdit", integerOrEmpty(65535)},
      {"TID", any},
      {"IPAdr", any},
      {"IPPort", integerOrEmpty(INT32_MAX)},
      {"NumReplyRevers", [](const std::string& t) { return t.size() == 1 && t[0] >= '0' && t[0] <= '9'; }},
      {"ResponseTimeout", integerOrEmpty(INT32_MAX)},
      {"ParkID", integerOrEmpty(INT32_MAX)},
      {"BinRange", [](const std::string& t) { return t.empty() || toInt64(t).has_value(); }},
      {"VendMaxAmount", integerOrEmpty(65535)},
      {"PreSelectTimeout", integerOrEmpty(99)},
      {"DispenseTimeout", integerOrEmpty(99)},
      {"SessionTimeout", integerOrEmpty(99)},
      {"RestoreSessionTimeout", integerOrEmpty(30)},
  };
  const char* inputs[] = {"abc", "-", "+5", "12x", " 7 ", "Привет", "\t\x01", "99999999999", "-1",
                          "\xD9\xA3", "\xEF\xBC\x91", "1e3", "0x10", "65536", "31", "4294967296", "x1"};
  TForm1& f = open({true, true, false});
  ShowForm(f);
  f.MakeOfflineCB->SetChecked(false);
  for (const auto& field : fields) {
    auto& edit = find<vcl::TEdit>(field.field);
    for (int page = 0; page < 3 && !edit.Handle()->isVisible(); ++page) f.PageControl1->SetActivePageIndex(page);
    for (const char* input : inputs) {
      SelectAll(edit);
      Paste(edit, input);
      EXPECT_TRUE(field.valid(edit.Text())) << field.field << " <- \"" << input << "\" shows \"" << edit.Text() << "\"";
      EXPECT_LE(static_cast<int>(charCount(edit.Text())), std::max(edit.MaxLength(), 1)) << field.field;
    }
  }
}

}  // namespace
}  // namespace velcor::testing
