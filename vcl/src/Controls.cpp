#include "vcl/Controls.h"

#include <QEvent>
#include <QFocusEvent>
#include <QVariant>

#include "Internal.h"
#include "vcl/Forms.h"

namespace vcl {

int detail::tearingDown = 0;

namespace {

constexpr const char* kControlProperty = "vclControl";

TComponent* OwnerFor(TWinControl* parent) {
  if (!parent) return nullptr;
  if (TForm* form = parent->ParentForm()) return form;
  return parent;
}

}  // namespace

// Turns the widget's focus events into OnEnter and OnExit.
class FocusWatcher : public QObject {
 public:
  explicit FocusWatcher(TWinControl* control) : QObject(control->Handle()), control_(control) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (detail::tearingDown || watched != control_->Handle()) return false;
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      // Focus that only leaves for another window or a popup (a message box, a combo
      // box's list) stays with the control as far as the form is concerned.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      if (event->type() == QEvent::FocusIn) {
        Guarded([&] { Fire(control_->OnEnter, control_); });
      } else if (event->type() == QEvent::FocusOut) {
        Guarded([&] {
          Fire(control_->OnExit, control_);
          control_->FocusLeft();
        });
      }
    }
    return false;
  }

 private:
  TWinControl* control_;
};

TControl::TControl(TWinControl* parent, std::string name, QWidget* widget)
    : TControl(OwnerFor(parent), parent, std::move(name), widget) {}

TControl::TControl(TComponent* owner, TWinControl* parent, std::string name, QWidget* widget)
    : TComponent(owner, std::move(name)), widget_(widget), parent_(parent) {
  widget->setObjectName(QString::fromStdString(Name()));
  widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
  if (parent) {
    widget->setParent(parent->Client());
    widget->setVisible(true);
  }
}

TControl::~TControl() {
  ++detail::tearingDown;
  DestroyComponents();  // a form's controls go before the window they sit in
  if (widget_) {
    widget_->setProperty(kControlProperty, QVariant());
    delete widget_.data();
  }
  --detail::tearingDown;
}

TControl* TControl::FromHandle(const QWidget* widget) {
  if (!widget) return nullptr;
  return static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
}

TForm* TControl::ParentForm() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
  return nullptr;
}

bool TControl::Visible() const { return !widget_->isHidden(); }
void TControl::SetVisible(bool visible) { widget_->setVisible(visible); }
bool TControl::Enabled() const { return !widget_->testAttribute(Qt::WA_ForceDisabled); }
void TControl::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

void TControl::SetBounds(int left, int top, int width, int height) {
  widget_->setGeometry(left, top, width, height);
}

void TControl::SetHint(const std::string& hint) { widget_->setToolTip(QString::fromStdString(hint)); }

TWinControl::TWinControl(TWinControl* parent, std::string name, QWidget* widget)
    : TWinControl(OwnerFor(parent), parent, std::move(name), widget) {}

TWinControl::TWinControl(TComponent* owner, TWinControl* parent, std::string name, QWidget* widget)
    : TControl(owner, parent, std::move(name), widget) {
  widget->installEventFilter(new FocusWatcher(this));
}

void TWinControl::SetFocus() { Handle()->setFocus(Qt::OtherFocusReason); }

bool TWinControl::Focused() const { return Handle()->hasFocus(); }

void TWinControl::SetTabStop(bool tabStop) {
  Handle()->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace vcl
