// Edits: change events from code and user, nested runs, the length limit, the caret.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/testing/Harness.h"

namespace vcl {
namespace {

namespace t = vcl::testing;

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    edit = new TEdit(&form, "Edit1");
    edit->SetBounds(10, 10, 150, 24);
    other = new TEdit(&form, "Edit2");
    other->SetBounds(10, 40, 150, 24);
    edit->OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, edit);
      seen.push_back(edit->Text());
    };
    t::ShowForm(form);
  }

  TForm form{nullptr, "EditForm"};
  TEdit* edit = nullptr;
  TEdit* other = nullptr;
  std::vector<std::string> seen;  // the text at each OnChange
};

TEST_F(EditTest, OnChangeFiresOncePerRealChangeFromCodeAndUser) {
  edit->SetText("20");
  edit->SetText("20");  // no change, no event
  edit->SetSelStart(2);
  t::Type(*edit, "01");
  t::Key(*edit, Qt::Key_Backspace);
  t::SelectAll(*edit);
  t::Paste(*edit, "77");
  t::Paste(*other, "elsewhere");
  EXPECT_EQ(seen, (std::vector<std::string>{"20", "200", "2001", "200", "77"}));
}

TEST_F(EditTest, TextSetFromCodePutsTheCaretAtTheStart) {
  t::Type(*edit, "abc");
  ASSERT_EQ(edit->SelStart(), 3);
  edit->SetText("hello");
  EXPECT_EQ(edit->SelStart(), 0);
  EXPECT_EQ(edit->SelLength(), 0);
}

// A handler that repairs its own field by removing the last character, the way the
// programs' integer fields do; each repair runs the handler again before it returns.
class RepairingEditTest : public EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    edit->OnChange = [this](TObject*) {
      const std::string text = edit->Text();
      seen.push_back(text);
      const bool digits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
      if (digits && text.size() <= 5 && std::stoi(text) <= 65535) return;
      const int caret = edit->SelStart();
      edit->SetText(text.substr(0, text.empty() ? 0 : text.size() - 1));
      edit->SetSelStart(caret - 1);
    };
  }
};

TEST_F(RepairingEditTest, NestedRunsCompleteInsideTheOuterOne) {
  edit->SetText("2000");
  edit->SetSelStart(1);
  t::Type(*edit, "x");
  EXPECT_EQ(seen, (std::vector<std::string>{"2000", "2x000", "2x00", "2x0", "2x", "2"}));
  EXPECT_EQ(edit->Text(), "2");
  EXPECT_EQ(edit->SelStart(), 1);  // the outermost run moves the caret last
}

TEST_F(RepairingEditTest, OverLimitValueLosesTheTypedDigit) {
  edit->SetText("6553");
  edit->SetSelStart(4);
  t::Type(*edit, "6");
  EXPECT_EQ(edit->Text(), "6553");
  EXPECT_EQ(edit->SelStart(), 4);
}

TEST_F(EditTest, MaxLengthLimitsTypingAndPastingButNotCode) {
  struct Case {
    const char* name;
    const char* before;  // set from code
    bool selectAll;
    void (*act)(TEdit&);
    const char* after;
  };
  const Case cases[] = {
      {"typing stops at the limit", "", false, [](TEdit& e) { t::Type(e, "123456"); }, "1234"},
      {"paste is cut to the room left", "12", false, [](TEdit& e) { t::Paste(e, "abcdef"); }, "ab12"},
      {"paste over a selection may fill it", "12", true, [](TEdit& e) { t::Paste(e, "abcdef"); }, "abcd"},
      {"paste keeps the first line only", "", false, [](TEdit& e) { t::Paste(e, "ab\ncd"); }, "ab"},
      {"typing into an over-long text is refused", "123456", false, [](TEdit& e) { t::Type(e, "7"); }, "123456"},
      {"over-long text shrinks by deleting", "123456", false, [](TEdit& e) { t::Key(e, Qt::Key_Delete); }, "23456"},
      {"characters, not bytes", "", false, [](TEdit& e) { t::Type(e, "Привет"); }, "Прив"},
      {"a surrogate pair is one character", "", false, [](TEdit& e) { t::Paste(e, "a😀bcd"); }, "a😀bc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    edit->SetMaxLength(0);
    edit->SetText(c.before);
    edit->SetMaxLength(4);
    EXPECT_EQ(edit->Text(), c.before);  // a new limit leaves the text alone
    t::Focus(*edit);
    edit->SetSelStart(0);
    if (c.selectAll) edit->SelectAll();
    c.act(*edit);
    EXPECT_EQ(edit->Text(), c.after);
  }
}

TEST_F(EditTest, SelStartIsClampedAndCountsCharacters) {
  edit->SetText("Ёж😀z");
  const std::pair<int, int> moves[] = {{2, 2}, {-5, 0}, {99, 4}, {3, 3}};
  for (auto [set, expected] : moves) {
    edit->SetSelStart(set);
    EXPECT_EQ(edit->SelStart(), expected) << "set " << set;
  }
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelLength(), 2);
  EXPECT_EQ(edit->SelStart(), 1);
  edit->SetSelLength(50);
  EXPECT_EQ(edit->SelLength(), 3);
  edit->SetSelStart(2);  // drops the selection
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(edit->SelStart(), 2);
}

TEST_F(EditTest, FocusMovesWithTabAndFiresEnterAndExit) {
  std::vector<std::string> events;
  for (TEdit* e : {edit, other}) {
    e->OnEnter = [&events, e](TObject*) { events.push_back("enter " + e->Name()); };
    e->OnExit = [&events, e](TObject*) { events.push_back("exit " + e->Name()); };
  }
  t::Focus(*other);
  t::Focus(*edit);
  events.clear();
  t::Tab();
  EXPECT_TRUE(other->Focused());
  t::Tab(true);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(events, (std::vector<std::string>{"exit Edit1", "enter Edit2", "exit Edit2", "enter Edit1"}));

  // Another window coming and going moves no focus within the form.
  events.clear();
  t::ModalAnswers answers;
  answers.PressButton(IDOK);
  MessageBox("text", "caption", MB_OK);
  t::ShowForm(form);
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace vcl
