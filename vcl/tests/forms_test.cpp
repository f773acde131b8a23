// Forms, modal windows, message boxes, the standard error box, screenshots.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QThread>
#include <QScreen>
#include <QTimer>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "vcl/testing/Harness.h"

namespace vcl {
namespace {

namespace t = vcl::testing;

// A small dialog: an edit, OK (Default, mrOk) and Cancel (Cancel, mrCancel).
class Dialog : public TForm {
 public:
  explicit Dialog(TComponent* owner) : TForm(owner, "AskForm") {
    SetCaption("Ask");
    SetClientSize(240, 130);
    Value = new TEdit(this, "Value");
    Value->SetBounds(10, 10, 220, 24);
    Reader = new TComboBox(this, "Reader", TComboBoxStyle::csDropDown);
    Reader->SetBounds(10, 96, 100, 24);
    Reader->Items().Assign({"A", "B"});
    Port = new TComboBox(this, "Port");
    Port->SetBounds(120, 96, 50, 24);
    Port->Items().Assign({"COM1", "COM2"});
    Spin = new TSpinEdit(this, "Spin");
    Spin->SetBounds(180, 96, 50, 24);
    Check = new TCheckBox(this, "Check");
    Check->SetBounds(10, 36, 100, 20);
    OkBtn = new TButton(this, "OkBtn");
    OkBtn->SetBounds(70, 60, 75, 26);
    OkBtn->SetCaption("OK");
    OkBtn->SetDefault(true);
    OkBtn->SetModalResult(mrOk);
    CancelBtn = new TButton(this, "CancelBtn");
    CancelBtn->SetBounds(155, 60, 75, 26);
    CancelBtn->SetCaption("Cancel");
    CancelBtn->SetCancel(true);
    CancelBtn->SetModalResult(mrCancel);
    SetActiveControl(Value);
  }
  TEdit* Value;
  TComboBox* Reader;
  TComboBox* Port;
  TSpinEdit* Spin;
  TCheckBox* Check;
  TButton* OkBtn;
  TButton* CancelBtn;
};

TEST(Forms, ShowModalReturnsTheModalResultOfTheButtonPressed) {
  Dialog dialog(nullptr);
  t::ModalAnswers answers;
  answers.AnswerForm([](TForm& form) {
    EXPECT_TRUE(form.Modal());
    EXPECT_TRUE(form.Handle()->isVisible());
    t::Type(t::Find<TEdit>(form, "Value"), "42");
    t::Click(t::Find<TButton>(form, "OkBtn"));
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(dialog.Value->Text(), "42");
  EXPECT_FALSE(dialog.Handle()->isVisible());
  ASSERT_EQ(answers.Seen().size(), 1u);
  EXPECT_FALSE(answers.Seen()[0].messageBox);
  EXPECT_EQ(answers.Seen()[0].name, "AskForm");
  EXPECT_EQ(answers.Seen()[0].caption, "Ask");
  EXPECT_EQ(answers.Seen()[0].answer, mrOk);
}

TEST(Forms, EnterPressesTheDefaultButtonAndEscapeTheCancelButton) {
  struct Case {
    const char* name;
    TWinControl* (*target)(Dialog&);
    Qt::Key key;
    TModalResult expected;
  };
  const Case cases[] = {
      {"Enter in an edit", [](Dialog& d) -> TWinControl* { return d.Value; }, Qt::Key_Return, mrOk},
      {"Enter in an editable combo box", [](Dialog& d) -> TWinControl* { return d.Reader; }, Qt::Key_Return, mrOk},
      {"Enter in a drop-down list", [](Dialog& d) -> TWinControl* { return d.Port; }, Qt::Key_Enter, mrOk},
      {"Enter in a spin edit", [](Dialog& d) -> TWinControl* { return d.Spin; }, Qt::Key_Return, mrOk},
      {"Enter on a check box", [](Dialog& d) -> TWinControl* { return d.Check; }, Qt::Key_Return, mrOk},
      {"Escape", [](Dialog& d) -> TWinControl* { return d.Value; }, Qt::Key_Escape, mrCancel},
      {"Enter on a focused button presses that one", [](Dialog& d) -> TWinControl* { return d.CancelBtn; },
       Qt::Key_Return, mrCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Dialog dialog(nullptr);
    int okClicks = 0;
    int changes = 0;
    dialog.OkBtn->OnClick = [&](TObject*) { ++okClicks; };
    dialog.Reader->OnChange = dialog.Port->OnChange = [&](TObject*) { ++changes; };
    dialog.Reader->SetText("B");
    t::ModalAnswers answers;
    answers.AnswerForm([&](TForm&) { t::Key(*c.target(dialog), c.key); });
    EXPECT_EQ(dialog.ShowModal(), c.expected);
    EXPECT_EQ(okClicks, c.expected == mrOk ? 1 : 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(dialog.Check->Checked());
  }
}

TEST(Forms, CloseQueryCanKeepAModalFormOpen) {
  Dialog dialog(nullptr);
  bool allow = false;
  int asked = 0;
  dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = allow;
  };
  t::ModalAnswers answers;
  answers.AnswerForm([&](TForm& form) {
    t::Click(*dialog.OkBtn);  // refused once the loop has turned
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(form.Modal());
      EXPECT_TRUE(form.Handle()->isVisible());
      EXPECT_EQ(form.ModalResult(), mrNone);
      allow = true;
      form.Handle()->close();  // the close box
    });
  });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
}

TEST(Forms, CloseBoxOfAModelessFormAsksAndHides) {
  Dialog dialog(nullptr);
  std::vector<std::string> events;
  dialog.OnShow = [&](TObject*) { events.push_back("show"); };
  dialog.OnCloseQuery = [&](TObject*, bool&) { events.push_back("query"); };
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    events.push_back("close");
    EXPECT_EQ(action, TCloseAction::caHide);
  };
  t::ShowForm(dialog);
  EXPECT_TRUE(dialog.Value->Focused());  // the active control
  dialog.Handle()->close();
  EXPECT_FALSE(dialog.Handle()->isVisible());
  EXPECT_EQ(events, (std::vector<std::string>{"show", "query", "close"}));
}

TEST(Forms, BitBtnKindsSetResultsAndCloseCloses) {
  TForm form(nullptr, "Form");
  auto* ok = new TBitBtn(&form, "OkBtn");
  ok->SetBounds(10, 10, 80, 26);
  ok->SetKind(TBitBtnKind::bkOK);
  auto* close = new TBitBtn(&form, "CloseBtn");
  close->SetBounds(100, 10, 80, 26);
  close->SetKind(TBitBtnKind::bkClose);
  close->SetCaption("Закрыть");
  int closeClicks = 0;
  close->OnClick = [&](TObject*) { ++closeClicks; };
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(close->Caption(), "Закрыть");

  t::ModalAnswers answers;
  answers.AnswerForm([&](TForm& f) {
    t::Key(*close, Qt::Key_Escape);  // no Cancel button: nothing happens
    EXPECT_EQ(f.ModalResult(), mrNone);
    t::Key(*ok, Qt::Key_Return);
  });
  answers.AnswerForm([&](TForm&) { t::Click(*close); });
  EXPECT_EQ(form.ShowModal(), mrOk);
  EXPECT_EQ(form.ShowModal(), mrCancel);
  t::ShowForm(form);
  t::Click(*close);
  EXPECT_FALSE(form.Handle()->isVisible());
  EXPECT_EQ(closeClicks, 0);
}

TEST(Forms, FormIsFixedCentredAndOptionallyOnTop) {
  TForm form(nullptr, "Form1");
  form.SetClientSize(497, 629);
  form.SetStayOnTop(true);
  t::ShowForm(form);
  EXPECT_EQ(form.ClientWidth(), 497);
  EXPECT_EQ(form.ClientHeight(), 629);
  EXPECT_EQ(form.Handle()->minimumSize(), form.Handle()->maximumSize());
  const Qt::WindowFlags flags = form.Handle()->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  const QRect screen = form.Handle()->screen()->availableGeometry();
  EXPECT_LE(std::abs(form.Handle()->frameGeometry().center().x() - screen.center().x()), 2);
}

TEST(MessageBoxes, ReturnThePressedButtonAndAreRecordedAsShown) {
  struct Case {
    unsigned flags;
    int press;
    TMsgIcon icon;
    std::vector<int> buttons;
    int defaultButton;
    bool topmost;
  };
  const Case cases[] = {
      {MB_OK | MB_ICONERROR | MB_TOPMOST, IDOK, TMsgIcon::Error, {IDOK}, IDOK, true},
      {MB_YESNOCANCEL | MB_ICONWARNING | MB_TOPMOST, IDNO, TMsgIcon::Warning, {IDYES, IDNO, IDCANCEL}, IDYES, true},
      {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDYES, TMsgIcon::Question, {IDYES, IDNO}, IDNO, false},
      {MB_OKCANCEL | MB_ICONINFORMATION, IDCANCEL, TMsgIcon::Information, {IDOK, IDCANCEL}, IDOK, false},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDRETRY, TMsgIcon::None, {IDABORT, IDRETRY, IDIGNORE}, IDIGNORE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    t::ModalAnswers answers;
    answers.PressButton(c.press);
    EXPECT_EQ(MessageBox("Были сделаны изменения в настройках.\r\rСохранить изменения ?", "  Подтверждение", c.flags),
              c.press);
    ASSERT_EQ(answers.Seen().size(), 1u);
    const t::ModalRecord& seen = answers.Seen()[0];
    EXPECT_TRUE(seen.messageBox);
    EXPECT_EQ(seen.caption, "  Подтверждение");
    EXPECT_EQ(seen.text, "Были сделаны изменения в настройках.\r\rСохранить изменения ?");
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(seen.defaultButton, c.defaultButton);
    EXPECT_EQ(seen.topmost, c.topmost);
    EXPECT_EQ(seen.answer, c.press);
  }
}

TEST(MessageBoxes, AnswersAreTakenInTheOrderWindowsOpen) {
  Dialog dialog(nullptr);
  dialog.OkBtn->OnClick = [](TObject*) { MessageBox("Saved", "Info", MB_OK); };
  t::ModalAnswers answers;
  answers.AnswerForm([&](TForm&) { t::Click(*dialog.OkBtn); });
  answers.PressButton(IDOK);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  ASSERT_EQ(answers.Seen().size(), 2u);
  EXPECT_EQ(answers.Seen()[1].text, "Saved");
}

TEST(MessageBoxes, AnUnansweredBoxFailsTheTestInsteadOfHanging) {
  EXPECT_NONFATAL_FAILURE(
      {
        t::ModalAnswers answers;
        EXPECT_EQ(MessageBox("text", "Surprise", MB_YESNOCANCEL), IDCANCEL);
      },
      "unexpected message box \"Surprise\"");
  EXPECT_NONFATAL_FAILURE(
      {
        t::ModalAnswers answers;
        answers.PressButton(IDOK);
      },
      "never used");
}

TEST(MessageBoxes, InputQueryReturnsTheTypedValue) {
  std::string value = "old";
  t::ModalAnswers answers;
  answers.AnswerForm([](TForm& form) {
    TEdit& edit = t::Find<TEdit>(form, "Value");
    EXPECT_EQ(edit.SelLength(), 3);  // the old value is selected, typing replaces it
    t::Type(edit, "new");
    t::Key(edit, Qt::Key_Return);
  });
  answers.AnswerForm({}, mrCancel);
  EXPECT_TRUE(InputQuery("Пароль", "Введите пароль:", value));
  EXPECT_EQ(value, "new");
  EXPECT_FALSE(InputQuery("Пароль", "Введите пароль:", value));
  EXPECT_EQ(value, "new");
  EXPECT_EQ(answers.Seen()[0].caption, "Пароль");
}

// Exceptions leaving handlers: the standard error box, and the program goes on.
class ErrorBoxTest : public ::testing::Test {
 protected:
  void ExpectErrorBox(const t::ModalRecord& seen, const std::string& text) {
    EXPECT_TRUE(seen.messageBox);
    EXPECT_EQ(seen.caption, Application->Title());
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.icon, TMsgIcon::Error);
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
  }
  t::ModalAnswers answers;
};

TEST_F(ErrorBoxTest, ThrowingUserEventHandlerShowsTheBoxAndTheProgramGoesOn) {
  TForm form(nullptr, "Form");
  auto* edit = new TEdit(&form, "Edit1");
  auto* check = new TCheckBox(&form, "Check");
  check->SetBounds(10, 40, 100, 20);
  edit->OnChange = [&](TObject*) {
    if (edit->Text() == "b") throw std::runtime_error("'b' is not a valid integer value");
  };
  check->OnClick = [](TObject*) { throw std::runtime_error("no click today"); };
  t::ShowForm(form);
  answers.PressButton(IDOK);
  answers.PressButton(IDOK);
  t::Type(*edit, "b");
  t::Click(*check);
  t::Key(*edit, Qt::Key_End);
  t::Type(*edit, "c");
  EXPECT_EQ(edit->Text(), "bc");
  EXPECT_TRUE(check->Checked());
  ASSERT_EQ(answers.Seen().size(), 2u);
  ExpectErrorBox(answers.Seen()[0], "'b' is not a valid integer value");
  ExpectErrorBox(answers.Seen()[1], "no click today");
}

TEST_F(ErrorBoxTest, ExceptionFromANestedChangeEndsTheOuterHandlerToo) {
  TForm form(nullptr, "Form");
  auto* first = new TEdit(&form, "First");
  auto* second = new TEdit(&form, "Second");
  second->OnChange = [](TObject*) { throw std::runtime_error("nested"); };
  bool outerFinished = false;
  first->OnChange = [&](TObject*) {
    second->SetText("x");
    outerFinished = true;
  };
  t::ShowForm(form);
  answers.PressButton(IDOK);
  t::Type(*first, "1");
  EXPECT_FALSE(outerFinished);
  ASSERT_EQ(answers.Seen().size(), 1u);
  ExpectErrorBox(answers.Seen()[0], "nested");
  // Changes from code outside any handler leave the exception to their caller.
  EXPECT_THROW(second->SetText("y"), std::runtime_error);
}

TEST_F(ErrorBoxTest, ThrowingOnCreateLeavesTheFormWithTheStateReachedSoFar) {
  struct Form1 : TForm {
    explicit Form1(TComponent* owner) : TForm(owner, "Form1") {
      Field = new TEdit(this, "Field");
      OnCreate = [this](TObject*) {
        Field->SetText("step 1");
        throw std::runtime_error("Cannot create file \"/missing/default.ini\".");
      };
    }
    TEdit* Field;
  };
  answers.PressButton(IDOK);
  Form1* form = Application->CreateForm<Form1>();
  EXPECT_EQ(form->Field->Text(), "step 1");
  ExpectErrorBox(answers.Seen().at(0), "Cannot create file \"/missing/default.ini\".");
  delete form;
}

TEST(Application, ProcessMessagesRunsPendingEventsAndTimers) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  ProcessMessages();
  EXPECT_TRUE(ran);
}

TEST(Application, WorkerThreadsHandWorkToTheUserInterfaceThread) {
  TForm form(nullptr, "Form");
  auto* edit = new TEdit(&form, "Progress");
  std::vector<std::string> seen;
  edit->OnChange = [&](TObject*) {
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    seen.push_back(edit->Text());
  };
  QEventLoop loop;
  bool rethrown = false;
  std::thread worker([&] {
    Synchronize([&] { edit->SetText("50%"); });
    try {
      Synchronize([] { throw std::runtime_error("read error"); });
    } catch (const std::runtime_error&) {
      rethrown = true;
    }
    Queue([&] { edit->SetText("100%"); });
    Queue([&] { loop.quit(); });
  });
  loop.exec();
  worker.join();
  EXPECT_TRUE(rethrown);
  EXPECT_EQ(seen, (std::vector<std::string>{"50%", "100%"}));
}

TEST(Application, RunShowsTheMainFormUntilItCloses) {
  struct Main : TForm {
    explicit Main(TComponent* owner) : TForm(owner, "MainForm") {}
  };
  ASSERT_EQ(Application->MainForm(), nullptr);
  Main* form = Application->CreateForm<Main>();
  Dialog* dialog = Application->CreateForm<Dialog>();
  t::ModalAnswers answers;
  answers.PressButton(IDOK);
  answers.AnswerForm({}, mrOk);
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(form->Visible());
    form->Hide();  // windows coming and going leave the loop running
    MessageBox("Done", "Info", MB_OK);
    dialog->ShowModal();
    form->Show();
    QTimer::singleShot(0, [&] { form->Close(); });
  });
  EXPECT_EQ(Application->Run(), 0);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(answers.Seen().size(), 2u);
  delete dialog;
  delete form;
}

TEST(Application, ClosingTheMainFormTerminates) {
  struct Main : TForm {
    explicit Main(TComponent* owner) : TForm(owner, "MainForm") {}
  };
  ASSERT_EQ(Application->MainForm(), nullptr);
  Main* form = Application->CreateForm<Main>();
  EXPECT_EQ(Application->MainForm(), form);
  t::ShowForm(*form);
  form->Close();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form->Handle()->isVisible());
  delete form;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, DialogsCanBeCentredOnTheMainForm) {
  struct Main : TForm {
    explicit Main(TComponent* owner) : TForm(owner, "MainForm") { SetClientSize(500, 400); }
  };
  ASSERT_EQ(Application->MainForm(), nullptr);
  Main* form = Application->CreateForm<Main>();
  Dialog dialog(nullptr);
  dialog.SetPosition(TPosition::poMainFormCenter);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  // The window frame is only known once the window is shown, so a centre may be off
  // by its width.
  auto offCentre = [&](const QPoint& centre) {
    return (dialog.Handle()->frameGeometry().center() - centre).manhattanLength();
  };

  t::ShowForm(dialog);  // the main form is hidden: the screen's centre
  EXPECT_LE(offCentre(screenCentre), 8);
  dialog.Hide();

  t::ShowForm(*form);
  form->Handle()->move(30, 20);
  t::ShowForm(dialog);
  EXPECT_LE(offCentre(form->Handle()->frameGeometry().center()), 8);
  EXPECT_GT(offCentre(screenCentre), 100);
  dialog.Hide();
  delete form;
}

TEST(Screenshots, SaveAPngOfTheForm) {
  Dialog dialog(nullptr);
  dialog.Value->SetText("screenshot");
  t::ShowForm(dialog);
  const std::filesystem::path file = std::filesystem::path(::testing::TempDir()) / "vcl_dialog.png";
  std::filesystem::remove(file);
  ASSERT_TRUE(SaveScreenshot(dialog, file));
  QImage image(QString::fromStdString(file.string()), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), dialog.ClientWidth() * image.devicePixelRatio());
  EXPECT_EQ(image.height(), dialog.ClientHeight() * image.devicePixelRatio());
  EXPECT_NE(image.pixel(5, 5), image.pixel(dialog.Value->Left() + 3, dialog.Value->Top() + 12));
}

}  // namespace
}  // namespace vcl
