#pragma once
// Standard controls: labels, edits, combo boxes, check boxes, buttons, group boxes.
#include <memory>
#include <string>

#include "vcl/Controls.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vcl {

class LineEdit;

class TLabel : public TControl {
 public:
  TLabel(TWinControl* parent, std::string name);
  QLabel* Widget() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);  // AutoSize labels fit their text
  void SetAutoSize(bool autoSize);
  void SetWordWrap(bool wordWrap);
  void SetAlignment(Qt::Alignment alignment);

 private:
  bool autoSize_ = true;
};

// Caret and selection positions count characters, and a changed text fires OnChange
// once whether the user or the program changed it.
class TEdit : public TWinControl {
 public:
  TEdit(TWinControl* parent, std::string name);
  QLineEdit* Widget() const;

  std::string Text() const;
  // Not limited by MaxLength. The caret goes to the start, as after WM_SETTEXT.
  void SetText(const std::string& text);
  // Limits typing and pasting only; 0 means no limit.
  int MaxLength() const;
  void SetMaxLength(int maxLength);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);

  // Start of the selection (the caret when nothing is selected), in characters.
  int SelStart() const;
  // Moves the caret, clamped to 0..length, and drops the selection.
  void SetSelStart(int position);
  int SelLength() const;
  void SetSelLength(int length);  // from SelStart, clamped to the text
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  TEdit(TWinControl* parent, std::string name, QWidget* widget, LineEdit* edit);
  LineEdit* edit_;
  int quiet_ = 0;

 private:
  void TextChangedByUser();
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

// csDropDownList: a user's selection fires OnChange every time, also for the item
// already selected; selecting from code (ItemIndex, Text) fires nothing.
// csDropDown: the user's typing fires OnChange like an edit, and so does a selection
// from the list; text set from code fires nothing.
class TComboBox : public TWinControl {
 public:
  TComboBox(TWinControl* parent, std::string name,
            TComboBoxStyle style = TComboBoxStyle::csDropDownList);
  ~TComboBox() override;
  QComboBox* Widget() const;

  TComboBoxStyle Style() const { return style_; }
  TStrings& Items() { return *items_; }
  int ItemIndex() const;
  void SetItemIndex(int index);  // -1 selects nothing (and empties the text)
  std::string Text() const;
  // Drop-down list: selects the first item with that text, or nothing.
  void SetText(const std::string& text);
  void SetDropDownCount(int count);

  TNotifyEvent OnChange;

 private:
  TComboBoxStyle style_;
  std::unique_ptr<TStrings> items_;
  int quiet_ = 0;
};

// Setting Checked from code fires OnClick, like the user's click, when it changes.
class TCheckBox : public TWinControl {
 public:
  TCheckBox(TWinControl* parent, std::string name);
  QCheckBox* Widget() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);

  TNotifyEvent OnClick;
};

class TButton : public TWinControl {
 public:
  TButton(TWinControl* parent, std::string name);
  QPushButton* Widget() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // Enter anywhere in the form presses the Default button (unless another button has
  // the focus); Escape presses the Cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }
  // Set on the form when the button is clicked, before OnClick.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  // What a click does: the form's ModalResult, then OnClick.
  virtual void Click();

  TNotifyEvent OnClick;

 private:
  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
};

class TGroupBox : public TWinControl {
 public:
  TGroupBox(TWinControl* parent, std::string name);
  QGroupBox* Widget() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);

 protected:
  TGroupBox(TWinControl* parent, std::string name, QWidget* widget);
};

}  // namespace vcl
