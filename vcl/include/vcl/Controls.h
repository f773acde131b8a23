#pragma once
// Controls: a component that wraps one Qt widget. The widget's objectName is the
// control's name, so tests and tools find controls by their design names.
#include <string>

#include <QPointer>
#include <QWidget>

#include "vcl/Classes.h"

namespace vcl {

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;

class TWinControl;
class TForm;

class TControl : public TComponent {
 public:
  ~TControl() override;  // frees the widget unless Qt already did

  QWidget* Handle() const { return widget_; }
  // The control whose widget this is, or null for a widget the layer did not make.
  static TControl* FromHandle(const QWidget* widget);

  TWinControl* Parent() const { return parent_; }
  TForm* ParentForm() const;

  // The control's own flags, as the design sets them: a visible control on a hidden
  // page is still Visible(), an enabled one in a disabled group still Enabled().
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);

  int Left() const { return widget_->x(); }
  int Top() const { return widget_->y(); }
  int Width() const { return widget_->width(); }
  int Height() const { return widget_->height(); }
  void SetBounds(int left, int top, int width, int height);
  void SetHint(const std::string& hint);

 protected:
  // Takes the widget over; the owner is the parent's form (or the parent itself).
  TControl(TWinControl* parent, std::string name, QWidget* widget);
  TControl(TComponent* owner, TWinControl* parent, std::string name, QWidget* widget);

 private:
  QPointer<QWidget> widget_;
  TWinControl* parent_;
};

// A control that can hold other controls and take the keyboard focus.
class TWinControl : public TControl {
 public:
  // Where child widgets go; the control's own widget unless it has an inner page.
  virtual QWidget* Client() const { return Handle(); }

  void SetFocus();
  bool Focused() const;
  // TabStop false keeps Tab from landing here; clicks still focus the control.
  void SetTabStop(bool tabStop);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  TWinControl(TWinControl* parent, std::string name, QWidget* widget);
  TWinControl(TComponent* owner, TWinControl* parent, std::string name, QWidget* widget);
  // Called after OnExit when the control loses the focus.
  virtual void FocusLeft() {}

  friend class FocusWatcher;
};

}  // namespace vcl
