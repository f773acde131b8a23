#pragma once
// Driving forms in tests: finding controls by their design names, real key and mouse
// input through QTest, answering modal windows and message boxes, screenshots.
// Windows run on Qt's offscreen platform (QT_QPA_PLATFORM=offscreen in the test
// registration).
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/Vcl.h"

namespace vcl::testing {

// The control named `name` among the widgets of `root`, or null.
TControl* FindControl(const TControl& root, std::string_view name);

// The control of that name and type; throws std::runtime_error naming what is missing
// or what type it really has.
template <class T>
T& Find(const TControl& root, std::string_view name) {
  TControl* control = FindControl(root, name);
  if (!control) throw std::runtime_error("no control named " + std::string(name) + " in " + root.Name());
  T* typed = dynamic_cast<T*>(control);
  if (!typed) throw std::runtime_error(std::string(name) + " in " + root.Name() + " has another type");
  return *typed;
}

// Shows the form and makes its window the active one, so that focus changes send
// real focus events.
void ShowForm(TForm& form);

// Keyboard focus, moved the way the user does: FocusOut on the old control, FocusIn on
// the new one, OnExit and OnEnter with them.
void Focus(TWinControl& control);
void Tab(bool backwards = false);  // Tab (or Shift+Tab) to the focused widget

// Key events go to the control after it has the focus.
// One key click per character; "\n" presses Return.
void Type(TWinControl& control, std::string_view text);
void Key(TWinControl& control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void SelectAll(TWinControl& control);  // Ctrl+A
// Puts the text on the clipboard and presses the paste keys.
void Paste(TWinControl& control, std::string_view text);

// Left mouse click: a button in its middle, a check box on its box.
void Click(TControl& control);
void ClickItem(TRadioGroup& group, int index);
void ClickTab(TPageControl& pages, int index);
void ClickSpin(TSpinEdit& spin, bool up);
// Opens the combo box's list with F4, moves to the item with Home and Down, and takes
// it with Enter: the user's choice, also of the item already shown.
void Choose(TComboBox& box, int index);

// Screenshots: vcl::SaveScreenshot(form, "page.png") from the layer itself.

// One modal window or message box as it appeared.
struct ModalRecord {
  bool messageBox = true;  // false: a modal form
  std::string name;  // the form's name
  std::string caption;
  std::string text;  // message boxes only
  TMsgIcon icon = TMsgIcon::None;
  std::vector<int> buttons;  // IDOK, IDYES, ... in the box's order
  int defaultButton = 0;
  bool topmost = false;
  int answer = 0;  // the button pressed, or the form's modal result
};

// Answers modal windows in the order they open, from a queue, and records each one.
// While it lives it is the layer's modal observer. A window with no answer queued, or
// of another kind than the next answer, fails the current test and is dismissed
// (Cancel, or the box's escape button), so a test never hangs on it. Answers still
// queued at destruction fail the test too.
class ModalAnswers : public ModalObserver {
 public:
  ModalAnswers();
  ~ModalAnswers() override;
  ModalAnswers(const ModalAnswers&) = delete;
  ModalAnswers& operator=(const ModalAnswers&) = delete;

  // The next message box: click this button (IDOK, IDYES, ...).
  void PressButton(int id);
  // The next modal form: run `act` on it (type, click, take a screenshot); if the form
  // is still open afterwards, set its ModalResult to `result`.
  void AnswerForm(std::function<void(TForm&)> act = {}, TModalResult result = mrCancel);

  const std::vector<ModalRecord>& Seen() const { return seen_; }
  std::size_t Pending() const { return queue_.size(); }

  void MessageBoxOpened(QMessageBox& box) override;
  void FormOpened(TForm& form) override;

 private:
  struct Answer {
    bool messageBox;
    int button;
    std::function<void(TForm&)> act;
    TModalResult result;
  };
  ModalObserver* previous_;
  std::deque<Answer> queue_;
  std::vector<ModalRecord> seen_;
};

}  // namespace vcl::testing
