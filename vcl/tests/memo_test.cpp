// The multi-line edit: change events, the line view, the length limit, dialog keys.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "vcl/testing/Harness.h"

namespace vcl {
namespace {

namespace t = vcl::testing;

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetClientSize(300, 200);
    memo = new TMemo(&form, "Memo1");
    memo->SetBounds(10, 10, 200, 120);
    memo->OnChange = [this](TObject* sender) {
      EXPECT_EQ(sender, memo);
      seen.push_back(memo->Text());
    };
    t::ShowForm(form);
  }

  TForm form{nullptr, "MemoForm"};
  TMemo* memo = nullptr;
  std::vector<std::string> seen;  // the text at each OnChange
};

TEST_F(MemoTest, OnChangeFiresOncePerRealChangeFromCodeAndUser) {
  memo->SetText("a\r\nb");
  memo->SetText("a\nb");  // the same text with other line breaks
  t::Type(*memo, "c");    // the caret is at the start after SetText
  t::Key(*memo, Qt::Key_Backspace);
  t::Key(*memo, Qt::Key_Backspace);  // nothing left of the caret: no change
  t::Paste(*memo, "x\r\ny");         // one paste, one change
  memo->Lines().Add("z");
  memo->Lines().Delete(0);
  memo->Lines().Clear();
  memo->Lines().Clear();
  EXPECT_EQ(seen, (std::vector<std::string>{"a\nb", "ca\nb", "a\nb", "x\nya\nb", "x\nya\nb\nz\n", "ya\nb\nz\n", ""}));
}

TEST_F(MemoTest, LinesViewTheTextAndEditIt) {
  const std::pair<const char*, std::vector<std::string>> texts[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},  // a final line break opens no line of its own
      {"a\n\n", {"a", ""}},
      {"\n", {""}},
      {"a\r\nb\rc", {"a", "b", "c"}},
      {" x \n\tЁж😀", {" x ", "\tЁж😀"}},
  };
  for (const auto& [text, lines] : texts) {
    memo->SetText(text);
    EXPECT_EQ(memo->Lines().ToVector(), lines) << text;
    EXPECT_EQ(memo->Lines().Count(), static_cast<int>(lines.size())) << text;
  }

  // Each line written through Lines() ends with a break, so every list reads back.
  memo->SetText("one\ntwo");
  memo->Lines().Insert(1, "1.5");
  memo->Lines().Add("three");
  EXPECT_EQ(memo->Text(), "one\n1.5\ntwo\nthree\n");
  memo->Lines().Insert(0, "a\r\nb");  // a line break in the new item makes two lines
  EXPECT_EQ(memo->Lines().Count(), 6);
  EXPECT_EQ(memo->Lines()[1], "b");
  for (const std::vector<std::string>& lines :
       {std::vector<std::string>{""}, {"x", ""}, {"", "", "y"}, {"x", "y"}}) {
    memo->Lines().Assign(lines);
    EXPECT_EQ(memo->Lines().ToVector(), lines);
  }
  EXPECT_THROW(memo->Lines().Get(2), std::out_of_range);
  EXPECT_THROW(memo->Lines().Insert(3, "q"), std::out_of_range);
  EXPECT_THROW(memo->Lines().Delete(-1), std::out_of_range);
  EXPECT_EQ(memo->Text(), "x\ny\n");
}

TEST_F(MemoTest, MaxLengthLimitsTypingAndPastingButNotCode) {
  struct Case {
    const char* name;
    const char* before;  // set from code
    bool selectAll;
    void (*act)(TMemo&);
    const char* after;
  };
  const Case cases[] = {
      {"typing stops at the limit", "", false, [](TMemo& m) { t::Type(m, "123456"); }, "1234"},
      {"a line break is one character", "", false, [](TMemo& m) { t::Type(m, "ab\ncd"); }, "ab\nc"},
      {"Enter is refused when full", "1234", false, [](TMemo& m) { t::Type(m, "\n"); }, "1234"},
      {"paste is cut to the room left", "12", false, [](TMemo& m) { t::Paste(m, "a\r\nbcd"); }, "a\n12"},
      {"paste over a selection may fill it", "12", true, [](TMemo& m) { t::Paste(m, "abcdef"); }, "abcd"},
      {"paste into a full memo is refused", "1\n34", false, [](TMemo& m) { t::Paste(m, "x"); }, "1\n34"},
      {"typing into an over-long text is refused", "123456", false, [](TMemo& m) { t::Type(m, "7"); }, "123456"},
      {"over-long text shrinks by deleting", "123456", false, [](TMemo& m) { t::Key(m, Qt::Key_Delete); }, "23456"},
      {"characters, not bytes", "", false, [](TMemo& m) { t::Type(m, "Привет"); }, "Прив"},
      {"a surrogate pair is one character", "", false, [](TMemo& m) { t::Paste(m, "a😀bcd"); }, "a😀bc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    memo->SetMaxLength(0);
    memo->SetText(c.before);
    memo->SetMaxLength(4);
    EXPECT_EQ(memo->Text(), c.before);  // a new limit leaves the text alone
    t::Focus(*memo);
    if (c.selectAll) t::SelectAll(*memo);
    c.act(*memo);
    EXPECT_EQ(memo->Text(), c.after);
  }
}

TEST_F(MemoTest, EnterBreaksTheLineTabLeavesAndEscapeCancels) {
  auto* ok = new TButton(&form, "OkBtn");
  ok->SetBounds(220, 10, 70, 26);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(&form, "CancelBtn");
  cancel->SetBounds(220, 40, 70, 26);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  form.Hide();
  t::ModalAnswers answers;
  answers.AnswerForm([&](TForm& f) {
    t::Type(*memo, "a\nb");
    EXPECT_EQ(f.ModalResult(), mrNone);
    t::Tab();
    EXPECT_FALSE(memo->Focused());
    t::Key(*memo, Qt::Key_Escape);
  }, mrAbort);  // what the form would give if Escape did not close it
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_EQ(memo->Text(), "a\nb");
}

}  // namespace
}  // namespace vcl
