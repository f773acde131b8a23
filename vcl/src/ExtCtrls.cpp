#include "vcl/ExtCtrls.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <stdexcept>

#include "Internal.h"

namespace vcl {

using detail::OnSignal;
using detail::Q;
using detail::S;

// ---- TPanel

TPanel::TPanel(TWinControl* parent, std::string name) : TWinControl(parent, std::move(name), new QFrame) {
  caption_ = new QLabel(Widget());
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
  caption_->lower();
  SetBevelOuter(TBevelCut::bvRaised);
}

QFrame* TPanel::Widget() const { return static_cast<QFrame*>(Handle()); }
std::string TPanel::Caption() const { return S(caption_->text()); }

void TPanel::SetCaption(const std::string& caption) {
  caption_->setText(Q(caption));
  caption_->setGeometry(Widget()->rect());
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
  switch (bevel) {
    case TBevelCut::bvNone: Widget()->setFrameStyle(QFrame::NoFrame); break;
    case TBevelCut::bvLowered: Widget()->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case TBevelCut::bvRaised: Widget()->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
  }
}

// ---- TRadioGroup

class TRadioGroup::ItemList : public TStrings {
 public:
  explicit ItemList(TRadioGroup& group) : group_(group) {}
  int Count() const override { return static_cast<int>(group_.texts_.size()); }
  std::string Get(int index) const override {
    Check(index, Count());
    return group_.texts_[index];
  }
  void Insert(int index, const std::string& s) override {
    Check(index, Count() + 1);
    group_.texts_.insert(group_.texts_.begin() + index, s);
    group_.Rebuild();
  }
  void Delete(int index) override {
    Check(index, Count());
    group_.texts_.erase(group_.texts_.begin() + index);
    group_.Rebuild();
  }
  void Clear() override {
    group_.texts_.clear();
    group_.Rebuild();
  }

 private:
  static void Check(int index, int end) {
    if (index < 0 || index >= end) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  }
  TRadioGroup& group_;
};

TRadioGroup::TRadioGroup(TWinControl* parent, std::string name)
    : TGroupBox(parent, std::move(name)), items_(std::make_unique<ItemList>(*this)) {
  group_ = new QButtonGroup(Widget());
  layout_ = new QGridLayout(Widget());
  OnSignal(group_, &QButtonGroup::idClicked, [this](int id) { ButtonClicked(id); });
}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::Rebuild() {
  for (QAbstractButton* b : group_->buttons()) delete b;
  const int count = static_cast<int>(texts_.size());
  // Items fill each column top to bottom before the next one starts.
  const int rows = count == 0 ? 0 : (count + columns_ - 1) / columns_;
  for (int i = 0; i < count; ++i) {
    auto* button = new QRadioButton(Q(texts_[i]), Widget());
    group_->addButton(button, i);
    layout_->addWidget(button, i % rows, i / rows);
  }
  // An index past the items falls back to the last one, like the classic control.
  index_ = std::min(index_, count - 1);
  Check(index_);
}

void TRadioGroup::Check(int index) {
  // An exclusive group would refuse to uncheck its last button.
  group_->setExclusive(false);
  for (QAbstractButton* b : group_->buttons()) b->setChecked(group_->id(b) == index);
  group_->setExclusive(true);
}

void TRadioGroup::ButtonClicked(int index) {
  if (index == index_) return;
  index_ = index;
  Fire(OnClick, this);
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, static_cast<int>(texts_.size()) - 1);
  if (index == index_) return;
  index_ = index;
  Check(index);
  Fire(OnClick, this);
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::max(columns, 1);
  Rebuild();
}

QAbstractButton* TRadioGroup::ItemButton(int index) const { return group_->button(index); }

}  // namespace vcl
