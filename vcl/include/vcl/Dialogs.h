#pragma once
// Message boxes, the input query, and the hook through which tests answer modal
// windows.
#include <string>
#include <vector>

class QAbstractButton;
class QMessageBox;

namespace vcl {

class TForm;

// Flags of MessageBox: one button set, one icon, one default button, and options.
enum MessageBoxFlags : unsigned {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_ABORTRETRYIGNORE = 0x2,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
  MB_DEFBUTTON1 = 0x000,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFBUTTON3 = 0x200,
  MB_TOPMOST = 0x40000,
};

// The button that closed a message box.
enum MessageBoxResult : int {
  IDOK = 1,
  IDCANCEL = 2,
  IDABORT = 3,
  IDRETRY = 4,
  IDIGNORE = 5,
  IDYES = 6,
  IDNO = 7,
};

enum class TMsgIcon { None, Error, Warning, Question, Information };

// Shows a modal message box in a nested event loop and returns the button that closed
// it. Escape and the close box give IDCANCEL when there is a Cancel button, IDOK for a
// lone OK, IDNO for Yes/No.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
// Caption is the application's title, OK only.
void ShowMessage(const std::string& text);
// A small modal form "InputQueryForm" with the label "Prompt", the edit "Value" and the
// buttons "OK" and "Cancel". True (and value updated) when closed with OK.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

// What a message box shows, read back from the box itself.
struct MessageBoxInfo {
  std::string caption;
  std::string text;
  TMsgIcon icon = TMsgIcon::None;
  std::vector<int> buttons;  // IDOK, IDCANCEL, ... in the order of the box
  int defaultButton = 0;
  bool topmost = false;
};
MessageBoxInfo Describe(const QMessageBox& box);
// The button of a box for an ID of MessageBoxResult, or null.
QAbstractButton* ButtonOf(const QMessageBox& box, int id);

// Told about every modal window once it is on screen and its nested event loop runs;
// whatever it does there happens inside that loop. Tests install one to answer.
class ModalObserver {
 public:
  virtual ~ModalObserver() = default;
  virtual void MessageBoxOpened(QMessageBox& box) = 0;
  virtual void FormOpened(TForm& form) = 0;
};
// Installs an observer (null removes it); returns the one it replaces.
ModalObserver* SetModalObserver(ModalObserver* observer);
ModalObserver* CurrentModalObserver();

}  // namespace vcl
