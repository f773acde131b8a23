#include "vcl/ComCtrls.h"

#include <QSlider>
#include <QTabWidget>

#include "Internal.h"

namespace vcl {

using detail::OnSignal;
using detail::Q;
using detail::Quiet;
using detail::S;

// ---- TPageControl

TPageControl::TPageControl(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name), new QTabWidget) {
  OnSignal(Widget(), &QTabWidget::currentChanged, [this](int) {
    if (!quiet_) Fire(OnChange, this);
  });
}

QTabWidget* TPageControl::Widget() const { return static_cast<QTabWidget*>(Handle()); }
int TPageControl::PageCount() const { return Widget()->count(); }

TTabSheet* TPageControl::Pages(int index) const {
  return dynamic_cast<TTabSheet*>(TControl::FromHandle(Widget()->widget(index)));
}

TTabSheet* TPageControl::ActivePage() const { return Pages(Widget()->currentIndex()); }

void TPageControl::SetActivePage(TTabSheet* page) {
  Quiet quiet(quiet_);
  Widget()->setCurrentWidget(page->Handle());
}

int TPageControl::ActivePageIndex() const { return Widget()->currentIndex(); }

void TPageControl::SetActivePageIndex(int index) {
  Quiet quiet(quiet_);
  Widget()->setCurrentIndex(index);
}

// ---- TTabSheet

TTabSheet::TTabSheet(TPageControl* pageControl, std::string name)
    : TWinControl(pageControl, std::move(name), new QWidget), pageControl_(pageControl) {
  Quiet quiet(pageControl_->quiet_);
  pageControl_->Widget()->addTab(Handle(), QString());
}

int TTabSheet::PageIndex() const { return pageControl_->Widget()->indexOf(Handle()); }
std::string TTabSheet::Caption() const { return S(pageControl_->Widget()->tabText(PageIndex())); }
void TTabSheet::SetCaption(const std::string& caption) { pageControl_->Widget()->setTabText(PageIndex(), Q(caption)); }
bool TTabSheet::TabVisible() const { return pageControl_->Widget()->isTabVisible(PageIndex()); }

void TTabSheet::SetTabVisible(bool visible) {
  Quiet quiet(pageControl_->quiet_);
  pageControl_->Widget()->setTabVisible(PageIndex(), visible);
}

// ---- TTrackBar

TTrackBar::TTrackBar(TWinControl* parent, std::string name) : TWinControl(parent, std::move(name), new QSlider) {
  QSlider* slider = Widget();
  slider->setOrientation(Qt::Horizontal);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setRange(0, 10);
  slider->setTickInterval(1);
  slider->setPageStep(2);
  OnSignal(slider, &QSlider::valueChanged, [this](int) {
    if (!quiet_) Fire(OnChange, this);
  });
}

QSlider* TTrackBar::Widget() const { return static_cast<QSlider*>(Handle()); }
int TTrackBar::Min() const { return Widget()->minimum(); }
int TTrackBar::Max() const { return Widget()->maximum(); }
int TTrackBar::Position() const { return Widget()->value(); }

template <class F>
void TTrackBar::FromCode(F&& change) {
  const int before = Position();
  {
    Quiet quiet(quiet_);
    change();
  }
  if (Position() != before) Fire(OnChange, this);
}

void TTrackBar::SetRange(int min, int max) {
  FromCode([&] { Widget()->setRange(min, max); });
}

void TTrackBar::SetPosition(int position) {
  FromCode([&] { Widget()->setValue(position); });
}

void TTrackBar::SetPageSize(int pageSize) { Widget()->setPageStep(pageSize); }
void TTrackBar::SetFrequency(int frequency) { Widget()->setTickInterval(frequency); }

}  // namespace vcl
