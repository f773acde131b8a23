#pragma once
// The multi-line edit.
#include <memory>
#include <string>

#include "vcl/Controls.h"

class QPlainTextEdit;

namespace vcl {

class MemoEdit;

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Text is UTF-8 with "\n" between lines; text set from code may use CR LF, LF or CR.
// A line break counts as one character, for MaxLength as everywhere. OnChange fires
// once per real change of the text, from code (SetText, Lines) as from the user.
// Tab moves the focus on; Enter breaks the line rather than pressing the Default
// button; Escape still reaches the form's Cancel button.
class TMemo : public TWinControl {
 public:
  TMemo(TWinControl* parent, std::string name);
  ~TMemo() override;
  QPlainTextEdit* Widget() const;

  std::string Text() const;
  // Not limited by MaxLength. The caret goes to the start.
  void SetText(const std::string& text);
  // The text's lines, editing the control directly; each change fires OnChange. A
  // last line left empty by a final line break is not counted, so "a\nb\n" has two;
  // lines written through it each end with a break.
  TStrings& Lines() { return *lines_; }

  // Limits typing and pasting only, in characters; 0 means no limit.
  int MaxLength() const;
  void SetMaxLength(int maxLength);
  bool ReadOnly() const;
  void SetReadOnly(bool readOnly);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle scrollBars);  // shown always, as on the classic control
  bool WordWrap() const;
  void SetWordWrap(bool wordWrap);
  bool FontBold() const;
  void SetFontBold(bool bold);

  TNotifyEvent OnChange;

 private:
  class LineList;
  void TextChanged();

  MemoEdit* edit_;
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  QString last_;  // the text OnChange last reported, to fire once per real change
  int quiet_ = 0;
};

}  // namespace vcl
