#pragma once
// Windows (TForm) and the application object.
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "vcl/Controls.h"

class QEventLoop;

namespace vcl {

class TButton;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// poMainFormCenter centres on the application's main form, or on the screen when the
// form is the main form or the main form is hidden.
enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };

// A top-level window: fixed single border with only a close box, placed by
// Position when it is shown. Children are placed by SetBounds in client coordinates.
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner, std::string name = {});
  ~TForm() override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  int ClientWidth() const { return Handle()->width(); }
  int ClientHeight() const { return Handle()->height(); }
  void SetClientSize(int width, int height);  // also fixes the window's size
  bool StayOnTop() const { return stayOnTop_; }
  void SetStayOnTop(bool stayOnTop);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // The control that gets the focus when the window opens.
  void SetActiveControl(TWinControl* control) { activeControl_ = control; }
  TWinControl* ActiveControl() const { return activeControl_; }

  void Show();
  void Hide();
  // Asks OnCloseQuery, then OnClose, then hides. Closing the main form ends the
  // application; closing a modal form sets ModalResult to mrCancel.
  void Close();
  // Shows the window modally in a nested event loop until ModalResult is set and
  // OnCloseQuery agrees. Returns ModalResult.
  TModalResult ShowModal();
  bool Modal() const { return loop_ != nullptr; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);

  // Runs OnCreate under the error guard; TApplication::CreateForm calls it once the
  // design is in place.
  void DoCreate();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  std::function<void(TObject* Sender, bool& CanClose)> OnCloseQuery;
  std::function<void(TObject* Sender, TCloseAction& Action)> OnClose;

 private:
  friend class FormWidget;
  void CloseBoxPressed();
  void KeyPressed(int key, bool& handled);
  bool CloseQuery();
  TCloseAction DoClose();
  void Place();

  bool stayOnTop_ = false;
  TPosition position_ = TPosition::poScreenCenter;
  TWinControl* activeControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  QEventLoop* loop_ = nullptr;
};

class TApplication : public TComponent {
 public:
  // Needs a QApplication; sets the global Application pointer.
  TApplication();
  ~TApplication() override;

  // The program's name: caption of the standard error box. Defaults to the name of
  // the executable.
  std::string Title() const;
  void SetTitle(const std::string& title) { title_ = title; }

  // Creates a form owned by the application and runs its OnCreate. The first form
  // created is the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(this, std::forward<Args>(args)...);
    if (!mainForm_) mainForm_ = form;
    form->DoCreate();
    return form;
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and runs the event loop until Terminate.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();

  // Replaces the standard error box for exceptions that leave handlers.
  std::function<void(TObject* Sender, const std::string& message)> OnException;

 private:
  friend class TForm;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool running_ = false;
};

// The application object; null until a TApplication exists.
extern TApplication* Application;

// The standard error box: caption is the application's title (the executable's name
// without a TApplication), the message is the text, error icon, OK.
void ShowExceptionBox(const std::string& message);

// Processes pending events: painting, timers, input. Works with or without Application.
void ProcessMessages();

// Renders a control (a form: its client area) into a PNG file, also on the offscreen
// platform. False when the file cannot be written.
bool SaveScreenshot(const TControl& control, const std::filesystem::path& pngFile);

// Work handed from another thread to the user-interface thread.
// Synchronize runs f there and waits for it; an exception from f is rethrown to the
// caller. Called on the user-interface thread it runs f at once. The user-interface
// thread must not be blocked waiting for the caller meanwhile.
void Synchronize(const std::function<void()>& f);
// Queue runs f there later, from the event loop; what f throws goes to the standard
// error box.
void Queue(std::function<void()> f);

}  // namespace vcl
