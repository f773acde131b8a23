#include "vcl/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <stdexcept>

#include "Internal.h"
#include "vcl/Dialogs.h"
#include "vcl/StdCtrls.h"

namespace vcl {

using detail::Q;
using detail::S;

TApplication* Application = nullptr;

// The window of a form: routes the close box and the dialog keys to the form.
class FormWidget : public QWidget {
 public:
  explicit FormWidget(TForm* form) : form_(form) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();  // the form decides, and hides itself when it closes
    if (!detail::tearingDown) Guarded([&] { form_->CloseBoxPressed(); });
  }

  void keyPressEvent(QKeyEvent* event) override {
    bool handled = false;
    if (!detail::tearingDown) Guarded([&] { form_->KeyPressed(event->key(), handled); });
    if (handled) {
      event->accept();
    } else {
      QWidget::keyPressEvent(event);
    }
  }

 private:
  TForm* form_;
};

namespace {

constexpr Qt::WindowFlags kFormFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The Default (Enter) or Cancel (Escape) button of a form that can be pressed now.
TButton* DialogButton(const TForm& form, bool wantDefault) {
  for (QPushButton* b : form.Handle()->findChildren<QPushButton*>()) {
    auto* button = dynamic_cast<TButton*>(TControl::FromHandle(b));
    if (!button || !b->isVisible() || !b->isEnabled()) continue;
    if (wantDefault ? button->Default() : button->Cancel()) return button;
  }
  return nullptr;
}

}  // namespace

// ---- TForm

TForm::TForm(TComponent* owner, std::string name)
    : TWinControl(owner, nullptr, std::move(name), new FormWidget(this)) {
  Handle()->setWindowFlags(kFormFlags);
  SetClientSize(320, 240);
}

TForm::~TForm() {
  if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
}

std::string TForm::Caption() const { return S(Handle()->windowTitle()); }
void TForm::SetCaption(const std::string& caption) { Handle()->setWindowTitle(Q(caption)); }
void TForm::SetClientSize(int width, int height) { Handle()->setFixedSize(width, height); }

void TForm::SetStayOnTop(bool stayOnTop) {
  stayOnTop_ = stayOnTop;
  const bool shown = Handle()->isVisible();
  Handle()->setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
  if (shown) Handle()->show();  // changing window flags hides a window
}

void TForm::Place() {
  if (position_ == TPosition::poDesigned) return;
  QRect frame = Handle()->frameGeometry();
  const TForm* main = Application ? Application->MainForm() : nullptr;
  if (position_ == TPosition::poMainFormCenter && main && main != this && main->Handle()->isVisible()) {
    frame.moveCenter(main->Handle()->frameGeometry().center());
    Handle()->move(frame.topLeft());
    return;
  }
  QScreen* screen = Handle()->screen() ? Handle()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  frame.moveCenter(screen->availableGeometry().center());
  Handle()->move(frame.topLeft());
}

void TForm::Show() {
  if (!Handle()->isVisible()) {
    Fire(OnShow, this);
    Place();
  }
  Handle()->show();
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) Handle()->raise();
  Handle()->activateWindow();
  if (activeControl_) activeControl_->SetFocus();
}

void TForm::Hide() { Handle()->hide(); }

bool TForm::CloseQuery() {
  bool canClose = true;
  Fire(OnCloseQuery, this, canClose);
  return canClose;
}

TCloseAction TForm::DoClose() {
  TCloseAction action = TCloseAction::caHide;
  Fire(OnClose, this, action);
  return action;
}

void TForm::Close() {
  if (Modal()) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  const TCloseAction action = DoClose();
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Hide();
    Application->Terminate();
  } else if (action == TCloseAction::caMinimize) {
    Handle()->showMinimized();
  } else {
    Hide();
    if (action == TCloseAction::caFree) {
      // Freed once the handler that closed it has returned.
      QTimer::singleShot(0, Handle(), [this] { delete this; });
    }
  }
}

void TForm::CloseBoxPressed() { Close(); }

void TForm::KeyPressed(int key, bool& handled) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!enter && key != Qt::Key_Escape) return;
  if (TButton* button = DialogButton(*this, enter)) {
    handled = true;
    button->Click();
  }
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (loop_ && result != mrNone) loop_->quit();
}

TModalResult TForm::ShowModal() {
  if (Modal() || Handle()->isVisible()) throw std::logic_error("Cannot make a visible window modal");
  QEventLoop loop;
  struct Reset {
    TForm* form;
    ~Reset() {
      form->loop_ = nullptr;
      form->Hide();
      form->Handle()->setWindowModality(Qt::NonModal);
    }
  } reset{this};
  loop_ = &loop;
  modalResult_ = mrNone;
  Handle()->setWindowModality(Qt::ApplicationModal);
  Show();
  if (ModalObserver* observer = CurrentModalObserver()) {
    QTimer::singleShot(0, Handle(), [this, observer] {
      if (loop_) Guarded([&] { observer->FormOpened(*this); });
    });
  }
  for (;;) {
    if (modalResult_ == mrNone) loop.exec();
    if (modalResult_ == mrNone) {  // the application is quitting
      modalResult_ = mrCancel;
      break;
    }
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
      action = TCloseAction::caHide;
      Fire(OnClose, this, action);
    }
    if (action != TCloseAction::caNone) break;
    modalResult_ = mrNone;
  }
  return modalResult_;
}

void TForm::DoCreate() {
  Guarded([&] { Fire(OnCreate, this); });
}

// ---- TApplication

TApplication::TApplication() : TComponent(nullptr, "Application") {
  if (!qApp) throw std::logic_error("TApplication needs a QApplication");
  // The program ends when its main form closes, not when its last window does.
  QApplication::setQuitOnLastWindowClosed(false);
  Application = this;
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) Application = nullptr;
}

std::string TApplication::Title() const {
  return title_.empty() ? S(QCoreApplication::applicationName()) : title_;
}

int TApplication::Run() {
  terminated_ = false;
  if (mainForm_) mainForm_->Show();
  running_ = true;
  const int rc = QApplication::exec();
  running_ = false;
  return rc;
}

void TApplication::Terminate() {
  terminated_ = true;
  // Outside Run there is no loop to end; quitting then would make every later
  // nested loop return at once.
  if (running_) QCoreApplication::quit();
}

void TApplication::ProcessMessages() { vcl::ProcessMessages(); }

void ShowExceptionBox(const std::string& message) {
  const std::string caption = Application ? Application->Title() : S(QCoreApplication::applicationName());
  MessageBox(message, caption, MB_OK | MB_ICONERROR);
}

void ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool SaveScreenshot(const TControl& control, const std::filesystem::path& pngFile) {
  return control.Handle()->grab().save(QString::fromStdString(pngFile.string()), "PNG");
}

void Synchronize(const std::function<void()>& f) {
  if (QThread::currentThread() == qApp->thread()) {
    f();
    return;
  }
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      qApp,
      [&] {
        try {
          f();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error) std::rethrow_exception(error);
}

void Queue(std::function<void()> f) {
  QMetaObject::invokeMethod(
      qApp,
      [f = std::move(f)] {
        if (!detail::tearingDown) Guarded(f);
      },
      Qt::QueuedConnection);
}

}  // namespace vcl
