#include "vcl/StdCtrls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <stdexcept>

#include "Internal.h"
#include "LineEdit.h"
#include "vcl/Forms.h"

namespace vcl {

using detail::OnSignal;
using detail::Q;
using detail::Quiet;
using detail::S;

// ---- TLabel

TLabel::TLabel(TWinControl* parent, std::string name) : TControl(parent, std::move(name), new QLabel) {
  Widget()->setTextFormat(Qt::PlainText);
}

QLabel* TLabel::Widget() const { return static_cast<QLabel*>(Handle()); }
std::string TLabel::Caption() const { return S(Widget()->text()); }

void TLabel::SetCaption(const std::string& caption) {
  Widget()->setText(Q(caption));
  if (autoSize_) Widget()->adjustSize();
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  if (autoSize_) Widget()->adjustSize();
}

void TLabel::SetWordWrap(bool wordWrap) { Widget()->setWordWrap(wordWrap); }
void TLabel::SetAlignment(Qt::Alignment alignment) { Widget()->setAlignment(alignment); }

// ---- TEdit

TEdit::TEdit(TWinControl* parent, std::string name) : TEdit(parent, std::move(name), nullptr, new LineEdit) {}

TEdit::TEdit(TWinControl* parent, std::string name, QWidget* widget, LineEdit* edit)
    : TWinControl(parent, std::move(name), widget ? widget : edit), edit_(edit) {
  OnSignal(edit_, &QLineEdit::textChanged, [this](const QString&) { TextChangedByUser(); });
}

void TEdit::TextChangedByUser() {
  if (quiet_) return;
  Fire(OnChange, this);
}

QLineEdit* TEdit::Widget() const { return edit_; }
std::string TEdit::Text() const { return S(edit_->text()); }

void TEdit::SetText(const std::string& text) {
  const QString q = Q(text);
  if (q == edit_->text()) return;
  {
    Quiet quiet(quiet_);
    edit_->setText(q);
    edit_->setCursorPosition(0);
  }
  Fire(OnChange, this);
}

int TEdit::MaxLength() const { return edit_->limit; }
void TEdit::SetMaxLength(int maxLength) { edit_->limit = std::max(maxLength, 0); }
bool TEdit::ReadOnly() const { return edit_->isReadOnly(); }
void TEdit::SetReadOnly(bool readOnly) { edit_->setReadOnly(readOnly); }

int TEdit::SelStart() const {
  const int pos = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
  return CharIndex(edit_->text(), pos);
}

void TEdit::SetSelStart(int position) {
  const QString text = edit_->text();
  edit_->setCursorPosition(Utf16Pos(text, std::clamp(position, 0, CharCount(text))));
}

int TEdit::SelLength() const { return CharCount(edit_->selectedText()); }

void TEdit::SetSelLength(int length) {
  const QString text = edit_->text();
  const int start = SelStart();
  const int end = std::clamp(start + std::max(length, 0), start, CharCount(text));
  const int from = Utf16Pos(text, start);
  edit_->setSelection(from, Utf16Pos(text, end) - from);
}

void TEdit::SelectAll() { edit_->selectAll(); }

// ---- TComboBox

namespace {

class ComboItems : public TStrings {
 public:
  ComboItems(QComboBox* box, int& quiet) : box_(box), quiet_(quiet) {}

  int Count() const override { return box_->count(); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return S(box_->itemText(index));
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    Quiet quiet(quiet_);
    // Qt selects the first item added to an empty box; a classic list does not.
    const int current = box_->currentIndex();
    const QString text = box_->currentText();
    box_->insertItem(index, Q(s));
    if (current < 0) {
      box_->setCurrentIndex(-1);
      if (box_->isEditable()) box_->setEditText(text);
    }
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    Quiet quiet(quiet_);
    box_->removeItem(index);
  }
  void Clear() override {
    Quiet quiet(quiet_);
    box_->clear();
  }

 private:
  QComboBox* box_;
  int& quiet_;
};

}  // namespace

TComboBox::TComboBox(TWinControl* parent, std::string name, TComboBoxStyle style)
    : TWinControl(parent, std::move(name), new QComboBox), style_(style) {
  QComboBox* box = Widget();
  items_ = std::make_unique<ComboItems>(box, quiet_);
  if (style_ == TComboBoxStyle::csDropDown) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);  // typing must not pick items by itself
    // Enter and leaving the box would otherwise select the item matching the typed text
    // and report that as the user's choice.
    QObject::disconnect(box->lineEdit(), &QLineEdit::returnPressed, box, nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    OnSignal(box->lineEdit(), &QLineEdit::textEdited, [this](const QString&) {
      if (!quiet_) Fire(OnChange, this);
    });
  }
  // activated: the user's choice, also of the item already shown.
  OnSignal(box, &QComboBox::activated, [this](int) {
    if (!quiet_) Fire(OnChange, this);
  });
}

TComboBox::~TComboBox() = default;

QComboBox* TComboBox::Widget() const { return static_cast<QComboBox*>(Handle()); }
int TComboBox::ItemIndex() const { return Widget()->currentIndex(); }

void TComboBox::SetItemIndex(int index) {
  Quiet quiet(quiet_);
  if (index < 0 || index >= Widget()->count()) {
    Widget()->setCurrentIndex(-1);
    if (Widget()->isEditable()) Widget()->setEditText(QString());
  } else {
    Widget()->setCurrentIndex(index);
  }
}

std::string TComboBox::Text() const { return S(Widget()->currentText()); }

void TComboBox::SetText(const std::string& text) {
  if (Widget()->isEditable()) {
    Quiet quiet(quiet_);
    Widget()->setEditText(Q(text));
  } else {
    SetItemIndex(Widget()->findText(Q(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
  }
}

void TComboBox::SetDropDownCount(int count) { Widget()->setMaxVisibleItems(count); }

// ---- TCheckBox

TCheckBox::TCheckBox(TWinControl* parent, std::string name) : TWinControl(parent, std::move(name), new QCheckBox) {
  OnSignal(Widget(), &QCheckBox::clicked, [this](bool) { Fire(OnClick, this); });
}

QCheckBox* TCheckBox::Widget() const { return static_cast<QCheckBox*>(Handle()); }
std::string TCheckBox::Caption() const { return S(Widget()->text()); }
void TCheckBox::SetCaption(const std::string& caption) { Widget()->setText(Q(caption)); }
bool TCheckBox::Checked() const { return Widget()->isChecked(); }

void TCheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  Widget()->setChecked(checked);  // emits toggled, not clicked
  Fire(OnClick, this);
}

// ---- TButton

TButton::TButton(TWinControl* parent, std::string name) : TWinControl(parent, std::move(name), new QPushButton) {
  // Enter on a focused button presses it, as on a classic form.
  Widget()->setAutoDefault(true);
  OnSignal(Widget(), &QPushButton::clicked, [this](bool) { Click(); });
}

QPushButton* TButton::Widget() const { return static_cast<QPushButton*>(Handle()); }
std::string TButton::Caption() const { return S(Widget()->text()); }
void TButton::SetCaption(const std::string& caption) { Widget()->setText(Q(caption)); }

void TButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  Widget()->setDefault(isDefault);
}

void TButton::Click() {
  if (TForm* form = ParentForm(); form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
  Fire(OnClick, this);
}

// ---- TGroupBox

TGroupBox::TGroupBox(TWinControl* parent, std::string name) : TGroupBox(parent, std::move(name), new QGroupBox) {}
TGroupBox::TGroupBox(TWinControl* parent, std::string name, QWidget* widget)
    : TWinControl(parent, std::move(name), widget) {}

QGroupBox* TGroupBox::Widget() const { return static_cast<QGroupBox*>(Handle()); }
std::string TGroupBox::Caption() const { return S(Widget()->title()); }
void TGroupBox::SetCaption(const std::string& caption) { Widget()->setTitle(Q(caption)); }

}  // namespace vcl
