// The two script dialogs driven as the user does: typing, pasting, Esc, "Запомнить".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFont>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "ScriptFrm/ScriptFrm.h"
#include "ScriptFrm/ScriptFrmLoader.h"
#include "ScriptFrm/Scripts.h"
#include "settings/Text.h"
#include "vcl/testing/Harness.h"

namespace {

namespace t = vcl::testing;
using Lines = std::vector<std::string>;
using velcor::TScriptForm;

struct Dialog {
  const char* name;
  std::function<std::unique_ptr<TScriptForm>()> create;
  const char* caption;
  Lines designText;
};

const Dialog kDialogs[] = {
    {"ScriptForm", [] { return std::make_unique<TScriptForm>(nullptr); }, "  Скрипт для подключения в сеть X.25",
     velcor::defaultConnectionScript()},
    {"LoaderScriptForm", [] { return std::make_unique<velcor::TLoaderScriptForm>(nullptr); },
     "Скрипт для загрузки параметров в сети X.25", velcor::defaultLoaderScript()},
};

std::string repeat(const std::string& s, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += s;
  return out;
}

// In the memo each line ends with a line break, one character.
std::size_t charsInMemo(const Lines& lines) {
  std::size_t count = lines.size();
  for (const std::string& line : lines) count += velcor::charCount(line);
  return count;
}

TEST(ScriptDialogs, Design) {
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    std::unique_ptr<TScriptForm> form = d.create();
    EXPECT_EQ(form->Name(), d.name);
    EXPECT_EQ(form->Caption(), d.caption);
    EXPECT_EQ(form->Position(), vcl::TPosition::poMainFormCenter);
    EXPECT_TRUE(form->StayOnTop());
    vcl::TMemo& memo = t::Find<vcl::TMemo>(*form, "MemoScript");
    EXPECT_EQ(memo.Lines().ToVector(), d.designText);
    EXPECT_EQ(memo.MaxLength(), 928);
    EXPECT_EQ(memo.ScrollBars(), vcl::TScrollStyle::ssBoth);
    EXPECT_FALSE(memo.WordWrap());
    EXPECT_TRUE(memo.FontBold());
    auto& save = t::Find<vcl::TBitBtn>(*form, "SaveScriptBtn");
    EXPECT_EQ(save.Caption(), "Запомнить");
    EXPECT_FALSE(save.Enabled());
    EXPECT_EQ(t::Find<vcl::TBitBtn>(*form, "BitBtn2").Caption(), "Отмена");

    t::ShowForm(*form);
    EXPECT_TRUE(memo.Focused());
    const auto png = std::filesystem::path(::testing::TempDir()) / (std::string(d.name) + ".png");
    EXPECT_TRUE(vcl::SaveScreenshot(*form, png));
    std::cout << "screenshot: " << png.string() << "\n";
    form->Hide();
  }
}

// Every caption fits its button and every control its parent, also under a larger
// desktop font, and nothing overlaps.
TEST(ScriptDialogs, LayoutIsTidy) {
  const QFont desktop = QApplication::font();
  QFont large = desktop;
  large.setPointSize(desktop.pointSize() + 3);
  for (const QFont& font : {desktop, large}) {
    QApplication::setFont(font);
    for (const Dialog& d : kDialogs) {
      SCOPED_TRACE(std::string(d.name) + " at " + std::to_string(font.pointSize()) + " pt");
      std::unique_ptr<TScriptForm> form = d.create();
      t::ShowForm(*form);
      const std::vector<vcl::TControl*> controls = {form->Panel1, form->MemoScript, form->Panel2, form->SaveScriptBtn,
                                                    form->BitBtn2};
      for (vcl::TControl* c : controls) {
        const QWidget* w = c->Handle();
        EXPECT_TRUE(w->parentWidget()->contentsRect().contains(w->geometry())) << c->Name() << " leaves its parent";
        const bool button = qobject_cast<const QAbstractButton*>(w) != nullptr;
        EXPECT_GE(w->width(), button ? w->sizeHint().width() : w->minimumSizeHint().width()) << c->Name();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << c->Name();
        for (vcl::TControl* other : controls) {
          if (other != c && other->Parent() == c->Parent()) {
            EXPECT_FALSE(w->geometry().intersects(other->Handle()->geometry())) << c->Name() << " / " << other->Name();
          }
        }
      }
      form->Hide();
    }
  }
  QApplication::setFont(desktop);
}

TEST(ScriptDialogs, TypingEnablesSaveAndSaveReturnsTheEditedLines) {
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    std::unique_ptr<TScriptForm> form = d.create();
    Lines lines = {"Pause 100", "X"};
    t::ModalAnswers answers;
    answers.AnswerForm([&](vcl::TForm&) {
      EXPECT_EQ(form->MemoScript->Text(), "Pause 100\nX\n");
      EXPECT_TRUE(form->MemoScript->Focused());
      EXPECT_FALSE(form->SaveScriptBtn->Enabled());  // the program's text is no change
      t::Type(*form->MemoScript, "!");
      EXPECT_TRUE(form->SaveScriptBtn->Enabled());
      t::Key(*form->MemoScript, Qt::Key_Backspace);  // back as it was: stays enabled
      EXPECT_TRUE(form->SaveScriptBtn->Enabled());
      t::Key(*form->MemoScript, Qt::Key_End, Qt::ControlModifier);
      t::Type(*form->MemoScript, "Send HEX, 0D\n");  // the final line break adds no line
      t::Click(*form->SaveScriptBtn);
    });
    EXPECT_TRUE(velcor::editScript(*form, lines));
    EXPECT_EQ(lines, (Lines{"Pause 100", "X", "Send HEX, 0D"}));
    EXPECT_EQ(answers.Seen().at(0).answer, vcl::mrOk);
  }
}

TEST(ScriptDialogs, EscapeCancelsAndTheNextOpeningStartsAfresh) {
  for (const Dialog& d : kDialogs) {
    SCOPED_TRACE(d.name);
    std::unique_ptr<TScriptForm> form = d.create();
    Lines lines = d.designText;
    t::ModalAnswers answers;
    answers.AnswerForm([&](vcl::TForm&) {
      t::Type(*form->MemoScript, "junk");
      t::Key(*form->MemoScript, Qt::Key_Escape);
    }, vcl::mrOk);  // what the dialog would give if Esc did not close it
    answers.AnswerForm([&](vcl::TForm&) {
      EXPECT_EQ(form->Script(), d.designText);
      EXPECT_FALSE(form->SaveScriptBtn->Enabled());
      t::Click(*form->BitBtn2);
    }, vcl::mrOk);
    EXPECT_FALSE(velcor::editScript(*form, lines));
    EXPECT_EQ(lines, d.designText);
    EXPECT_FALSE(velcor::editScript(*form, lines));
    EXPECT_EQ(lines, d.designText);
  }
}

TEST(ScriptDialogs, The929thCharacterIsRefused) {
  // Cyrillic letters take two bytes each: a limit counted in bytes would show here.
  const std::string filler = repeat("Ж", 100);
  const Lines bulk = {filler, filler, filler, filler, filler, filler, filler, filler, repeat("Ж", 92)};
  const struct Case {
    const char* name;
    int room;  // characters left before the limit
    std::function<void(vcl::TMemo&)> act;
    std::string expectedStart;  // the caret is at the start when the dialog opens
  } cases[] = {
      {"typing stops at 928", 2, [](vcl::TMemo& m) { t::Type(m, "abc"); }, "abЖ"},
      {"a pasted text is cut at 928", 2, [](vcl::TMemo& m) { t::Paste(m, "xyz"); }, "xyЖ"},
      {"a paste into a full memo is refused", 0, [](vcl::TMemo& m) { t::Paste(m, "xyz"); }, "ЖЖ"},
      {"a line break is a character too", 0, [](vcl::TMemo& m) { t::Type(m, "\n"); }, "ЖЖ"},
      {"a typed Cyrillic letter counts once", 1, [](vcl::TMemo& m) { t::Type(m, "ЯЮ"); }, "ЯЖ"},
  };
  for (const Dialog& d : kDialogs) {
    std::unique_ptr<TScriptForm> form = d.create();
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(d.name) + ": " + c.name);
      Lines lines = bulk;
      lines.push_back(repeat("-", 26 - c.room));
      ASSERT_EQ(charsInMemo(lines), 928u - c.room);
      t::ModalAnswers answers;
      answers.AnswerForm([&](vcl::TForm&) {
        c.act(*form->MemoScript);
        t::Click(*form->SaveScriptBtn);
      });
      const bool saved = velcor::editScript(*form, lines);
      EXPECT_EQ(charsInMemo(lines), 928u);
      EXPECT_EQ(lines[0].substr(0, c.expectedStart.size()), c.expectedStart);
      // Nothing typed or pasted leaves "Запомнить" disabled, and the click does nothing.
      EXPECT_EQ(saved, c.room > 0);
    }
  }
}

}  // namespace
