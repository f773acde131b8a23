#include "vcl/Dialogs.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "Internal.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace vcl {

using detail::Q;
using detail::S;

namespace {

ModalObserver* g_observer = nullptr;

struct ButtonId {
  int id;
  QMessageBox::StandardButton button;
};

// In the order a classic box shows them.
constexpr ButtonId kButtons[] = {
    {IDOK, QMessageBox::Ok},       {IDYES, QMessageBox::Yes},       {IDNO, QMessageBox::No},
    {IDABORT, QMessageBox::Abort}, {IDRETRY, QMessageBox::Retry},   {IDIGNORE, QMessageBox::Ignore},
    {IDCANCEL, QMessageBox::Cancel},
};

std::vector<int> ButtonSet(unsigned flags) {
  switch (flags & 0xF) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

QMessageBox::StandardButton Standard(int id) {
  for (const ButtonId& b : kButtons)
    if (b.id == id) return b.button;
  return QMessageBox::NoButton;
}

int IdOf(const QMessageBox& box, const QAbstractButton* button) {
  if (!button) return 0;
  const QMessageBox::StandardButton standard = box.standardButton(const_cast<QAbstractButton*>(button));
  for (const ButtonId& b : kButtons)
    if (b.button == standard) return b.id;
  return 0;
}

QMessageBox::Icon IconOf(unsigned flags) {
  switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

constexpr const char* kTextProperty = "vclText";

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  QMessageBox box;
  box.setWindowTitle(Q(caption));
  box.setTextFormat(Qt::PlainText);
  // The classic box breaks lines at a lone CR as well; Qt only at LF. The text as given
  // is kept for Describe.
  QString shown = Q(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box.setText(shown);
  box.setProperty(kTextProperty, Q(text));
  box.setIcon(IconOf(flags));
  const std::vector<int> ids = ButtonSet(flags);
  for (int id : ids) box.addButton(Standard(id));
  const std::size_t defaultIndex = (flags >> 8) & 0xF;
  box.setDefaultButton(Standard(ids[defaultIndex < ids.size() ? defaultIndex : 0]));
  // Escape and the close box mean Cancel, or OK when it is the only button; otherwise
  // Qt picks one (No for Yes/No).
  if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) {
    box.setEscapeButton(cancel);
  } else if (ids.size() == 1) {
    box.setEscapeButton(box.button(QMessageBox::Ok));
  }
  box.setWindowFlag(Qt::WindowStaysOnTopHint, (flags & MB_TOPMOST) != 0);
  if (ModalObserver* observer = g_observer) {
    QTimer::singleShot(0, &box, [&box, observer] { Guarded([&] { observer->MessageBoxOpened(box); }); });
  }
  box.exec();
  const int id = IdOf(box, box.clickedButton());
  return id ? id : (box.button(QMessageBox::Cancel) ? IDCANCEL : ids.front());
}

void ShowMessage(const std::string& text) {
  const std::string caption = Application ? Application->Title() : S(QCoreApplication::applicationName());
  MessageBox(text, caption, MB_OK);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  auto form = std::make_unique<TForm>(nullptr, "InputQueryForm");
  form->SetCaption(caption);
  form->SetClientSize(300, 110);
  auto* label = new TLabel(form.get(), "Prompt");
  label->SetBounds(10, 10, 280, 20);
  label->SetCaption(prompt);
  auto* edit = new TEdit(form.get(), "Value");
  edit->SetBounds(10, 34, 280, 24);
  edit->SetText(value);
  edit->SelectAll();
  auto* ok = new TButton(form.get(), "OK");
  ok->SetBounds(130, 72, 75, 26);
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(form.get(), "Cancel");
  cancel->SetBounds(215, 72, 75, 26);
  cancel->SetCaption("Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  form->SetActiveControl(edit);
  if (form->ShowModal() != mrOk) return false;
  value = edit->Text();
  return true;
}

MessageBoxInfo Describe(const QMessageBox& box) {
  MessageBoxInfo info;
  info.caption = S(box.windowTitle());
  const QVariant given = box.property(kTextProperty);
  info.text = S(given.isValid() ? given.toString() : box.text());
  switch (box.icon()) {
    case QMessageBox::Critical: info.icon = TMsgIcon::Error; break;
    case QMessageBox::Warning: info.icon = TMsgIcon::Warning; break;
    case QMessageBox::Question: info.icon = TMsgIcon::Question; break;
    case QMessageBox::Information: info.icon = TMsgIcon::Information; break;
    default: info.icon = TMsgIcon::None; break;
  }
  for (const ButtonId& b : kButtons)
    if (box.button(b.button)) info.buttons.push_back(b.id);
  info.defaultButton = IdOf(box, box.defaultButton());
  info.topmost = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  return info;
}

QAbstractButton* ButtonOf(const QMessageBox& box, int id) {
  const QMessageBox::StandardButton standard = Standard(id);
  return standard == QMessageBox::NoButton ? nullptr : box.button(standard);
}

ModalObserver* SetModalObserver(ModalObserver* observer) {
  ModalObserver* previous = g_observer;
  g_observer = observer;
  return previous;
}

ModalObserver* CurrentModalObserver() { return g_observer; }

}  // namespace vcl
