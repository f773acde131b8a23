#include "vcl/testing/Harness.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace vcl::testing {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void Activate(QWidget* window) {
  if (QApplication::activeWindow() == window) return;
  // Offscreen activation is asynchronous; setting it directly sends the focus events now.
  QT_WARNING_PUSH
  QT_WARNING_DISABLE_DEPRECATED
  QApplication::setActiveWindow(window);
  QT_WARNING_POP
}

// Where a click presses a button: the box of a check box or radio button, the middle
// of anything else.
QPoint ClickPoint(const QWidget* widget) {
  if (qobject_cast<const QAbstractButton*>(widget) && !widget->inherits("QPushButton"))
    return {std::min(8, widget->width() / 2), widget->height() / 2};
  return widget->rect().center();
}

}  // namespace

TControl* FindControl(const TControl& root, std::string_view name) {
  const QString qname = Q(name);
  if (root.Handle()->objectName() == qname) return const_cast<TControl*>(&root);
  for (QWidget* w : root.Handle()->findChildren<QWidget*>(qname))
    if (TControl* control = TControl::FromHandle(w)) return control;
  return nullptr;
}

void ShowForm(TForm& form) {
  form.Show();
  Activate(form.Handle()->window());
  ProcessMessages();
}

void Focus(TWinControl& control) {
  Activate(control.Handle()->window());
  control.Handle()->setFocus(Qt::OtherFocusReason);
}

void Tab(bool backwards) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) throw std::runtime_error("Tab: no widget has the focus");
  QTest::keyClick(focus, backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
}

void Type(TWinControl& control, std::string_view text) {
  Focus(control);
  const QString q = Q(text);
  for (int i = 0; i < q.size(); ++i) {
    if (q[i] == u'\n') {
      QTest::keyClick(control.Handle(), Qt::Key_Return);
      continue;
    }
    QString ch(q[i]);
    if (q[i].isHighSurrogate() && i + 1 < q.size()) ch += q[++i];
    const char latin = ch.size() == 1 ? q[i].toLatin1() : 0;
    const Qt::Key key = latin > 0 ? QTest::asciiToKey(latin) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, control.Handle(), key, ch, Qt::NoModifier);
  }
}

void Key(TWinControl& control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  Focus(control);
  QTest::keyClick(control.Handle(), key, modifiers);
}

void SelectAll(TWinControl& control) {
  Focus(control);
  QTest::keySequence(control.Handle(), QKeySequence::SelectAll);
}

void Paste(TWinControl& control, std::string_view text) {
  QGuiApplication::clipboard()->setText(Q(text));
  Focus(control);
  QTest::keySequence(control.Handle(), QKeySequence::Paste);
}

void Click(TControl& control) {
  Activate(control.Handle()->window());
  QTest::mouseClick(control.Handle(), Qt::LeftButton, Qt::NoModifier, ClickPoint(control.Handle()));
}

void ClickItem(TRadioGroup& group, int index) {
  QAbstractButton* button = group.ItemButton(index);
  if (!button) throw std::runtime_error(group.Name() + " has no item " + std::to_string(index));
  Activate(button->window());
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, ClickPoint(button));
}

void ClickTab(TPageControl& pages, int index) {
  QTabBar* bar = pages.Widget()->tabBar();
  Activate(bar->window());
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void ClickSpin(TSpinEdit& spin, bool up) {
  QWidget* box = spin.SpinWidget();
  Activate(box->window());
  // The arrows sit on the right edge, up above down.
  const QPoint point(box->width() - 6, up ? box->height() / 4 : box->height() * 3 / 4);
  QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, point);
}

void Choose(TComboBox& box, int index) {
  if (index < 0 || index >= box.Items().Count())
    throw std::runtime_error(box.Name() + " has no item " + std::to_string(index));
  Key(box, Qt::Key_F4);
  QAbstractItemView* list = box.Widget()->view();
  if (!list->isVisible()) throw std::runtime_error(box.Name() + ": the list did not open");
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < index; ++i) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
}

// ---- ModalAnswers

ModalAnswers::ModalAnswers() : previous_(SetModalObserver(this)) {}

ModalAnswers::~ModalAnswers() {
  SetModalObserver(previous_);
  if (!queue_.empty()) ADD_FAILURE() << queue_.size() << " modal answer(s) never used";
}

void ModalAnswers::PressButton(int id) { queue_.push_back({true, id, {}, mrNone}); }

void ModalAnswers::AnswerForm(std::function<void(TForm&)> act, TModalResult result) {
  queue_.push_back({false, 0, std::move(act), result});
}

void ModalAnswers::MessageBoxOpened(QMessageBox& box) {
  const MessageBoxInfo info = Describe(box);
  ModalRecord record{true, {}, info.caption, info.text, info.icon, info.buttons, info.defaultButton, info.topmost, 0};
  QAbstractButton* button = nullptr;
  if (queue_.empty() || !queue_.front().messageBox) {
    ADD_FAILURE() << "unexpected message box \"" << info.caption << "\": " << info.text;
    button = box.escapeButton() ? box.escapeButton() : box.buttons().value(0);
  } else {
    const int id = queue_.front().button;
    queue_.pop_front();
    button = ButtonOf(box, id);
    if (!button) {
      ADD_FAILURE() << "message box \"" << info.caption << "\" has no button " << id;
      button = box.escapeButton() ? box.escapeButton() : box.buttons().value(0);
    }
  }
  for (int id : info.buttons)
    if (ButtonOf(box, id) == button) record.answer = id;
  seen_.push_back(record);
  QTest::mouseClick(button, Qt::LeftButton);
}

void ModalAnswers::FormOpened(TForm& form) {
  ModalRecord record;
  record.messageBox = false;
  record.name = form.Name();
  record.caption = form.Caption();
  record.topmost = form.StayOnTop();
  const std::size_t index = seen_.size();
  seen_.push_back(record);
  if (queue_.empty() || queue_.front().messageBox) {
    ADD_FAILURE() << "unexpected modal form " << form.Name() << " \"" << form.Caption() << "\"";
    form.SetModalResult(mrCancel);
  } else {
    Answer answer = std::move(queue_.front());
    queue_.pop_front();
    Activate(form.Handle());
    if (answer.act) answer.act(form);
    if (form.Modal() && form.ModalResult() == mrNone) form.SetModalResult(answer.result);
  }
  seen_[index].answer = form.ModalResult();
}

}  // namespace vcl::testing
