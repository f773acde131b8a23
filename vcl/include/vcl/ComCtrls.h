#pragma once
// Page controls with their tab sheets, and track bars.
#include <string>

#include "vcl/Controls.h"

class QSlider;
class QTabWidget;

namespace vcl {

class TTabSheet;

class TPageControl : public TWinControl {
 public:
  TPageControl(TWinControl* parent, std::string name);
  QTabWidget* Widget() const;

  int PageCount() const;
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet* page);  // from code: OnChange does not fire
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

  // The user switched pages.
  TNotifyEvent OnChange;

 private:
  friend class TTabSheet;
  int quiet_ = 0;
};

// A page of a page control; pages keep the order in which they were made.
class TTabSheet : public TWinControl {
 public:
  TTabSheet(TPageControl* pageControl, std::string name);
  QWidget* Widget() const { return Handle(); }

  TPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const;
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // A hidden tab keeps its page and controls; only its tab goes.
  bool TabVisible() const;
  void SetTabVisible(bool visible);

 private:
  TPageControl* pageControl_;
};

// A changed Position fires OnChange, from code as from the user.
class TTrackBar : public TWinControl {
 public:
  TTrackBar(TWinControl* parent, std::string name);
  QSlider* Widget() const;

  int Min() const;
  int Max() const;
  void SetRange(int min, int max);  // a Position outside is pulled in (and fires)
  int Position() const;
  void SetPosition(int position);  // clamped to the range
  void SetPageSize(int pageSize);
  void SetFrequency(int frequency);  // tick spacing

  TNotifyEvent OnChange;

 private:
  template <class F>
  void FromCode(F&& change);
  int quiet_ = 0;
};

}  // namespace vcl
