#include "vcl/Spin.h"

#include <QAbstractSpinBox>
#include <QLocale>
#include <climits>

#include "Internal.h"
#include "LineEdit.h"

namespace vcl {

// The arrows and keys of a spin box over the layer's own line edit; the text is the
// only state, so Qt's value machinery stays idle.
class SpinBox : public QAbstractSpinBox {
 public:
  explicit SpinBox(LineEdit* edit) { setLineEdit(edit); }
  TSpinEdit* owner = nullptr;

  void stepBy(int steps) override {
    if (!owner || detail::tearingDown) return;
    Guarded([&] {
      const long long next = owner->Value() + static_cast<long long>(steps) * owner->Increment();
      owner->SetValue(static_cast<int>(std::clamp<long long>(next, INT_MIN, INT_MAX)));
    });
  }
  QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }
  void fixup(QString&) const override {}

 protected:
  StepEnabled stepEnabled() const override {
    return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
  }
};

TSpinEdit::TSpinEdit(TWinControl* parent, std::string name) : TSpinEdit(parent, std::move(name), new LineEdit) {}

TSpinEdit::TSpinEdit(TWinControl* parent, std::string name, LineEdit* edit)
    : TEdit(parent, std::move(name), new SpinBox(edit), edit) {
  static_cast<SpinBox*>(Handle())->owner = this;
  edit_->acceptChar = [](QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || QString(c) == QLocale().decimalPoint();
  };
  SetText("0");
}

QAbstractSpinBox* TSpinEdit::SpinWidget() const { return static_cast<QAbstractSpinBox*>(Handle()); }

int TSpinEdit::Clamp(int value) const {
  if (max_ == min_) return value;
  return std::clamp(value, min_, std::max(min_, max_));
}

int TSpinEdit::Value() const {
  bool ok = false;
  const int value = edit_->text().toInt(&ok);
  return ok ? value : min_;
}

void TSpinEdit::SetValue(int value) { SetText(std::to_string(Clamp(value))); }

void TSpinEdit::FocusLeft() {
  const int value = Value();
  if (Clamp(value) != value) SetValue(value);
}

}  // namespace vcl
