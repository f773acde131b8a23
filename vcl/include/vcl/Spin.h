#pragma once
// The spin edit: an edit holding an integer, with arrow buttons.
#include <string>

#include "vcl/StdCtrls.h"

class QAbstractSpinBox;

namespace vcl {

class SpinBox;

// Text-based like its classic model: OnChange fires on every change of the text.
// Typing accepts only signs, digits and the decimal separator, up to MaxLength
// characters. Value() is the text as an integer, MinValue when it is not one. The
// arrows and the Up/Down keys step by Increment within the range; leaving the control
// pulls an out-of-range value into the range.
class TSpinEdit : public TEdit {
 public:
  TSpinEdit(TWinControl* parent, std::string name);
  QAbstractSpinBox* SpinWidget() const;

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinValue(int value) { min_ = value; }
  void SetMaxValue(int value) { max_ = value; }
  int Increment() const { return increment_; }
  void SetIncrement(int increment) { increment_ = increment; }

  int Value() const;
  void SetValue(int value);  // clamped; the text changes, so OnChange fires

 protected:
  void FocusLeft() override;

 private:
  friend class SpinBox;
  TSpinEdit(TWinControl* parent, std::string name, LineEdit* edit);
  int Clamp(int value) const;  // no range when MinValue == MaxValue

  int min_ = 0;
  int max_ = 0;
  int increment_ = 1;
};

}  // namespace vcl
