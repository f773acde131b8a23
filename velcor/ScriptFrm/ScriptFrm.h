#pragma once
// The X.25 connection script dialog (and, through TLoaderScriptForm, the parameter
// loading one): the script as text, kept only when the user presses "Запомнить".
#include <string>
#include <vector>

#include "vcl/Vcl.h"

namespace velcor {

using vcl::TObject;

class TScriptForm : public vcl::TForm {
 public:
  explicit TScriptForm(vcl::TComponent* owner);

  // --- Controls of the form design ---
  vcl::TPanel* Panel1 = nullptr;  // upper panel, the script
  vcl::TMemo* MemoScript = nullptr;
  vcl::TPanel* Panel2 = nullptr;  // buttons
  vcl::TBitBtn* SaveScriptBtn = nullptr;  // "Запомнить", enabled by the user's first change
  vcl::TBitBtn* BitBtn2 = nullptr;        // "Отмена", also Esc

  // --- Handlers bound by the form design ---
  void MemoScriptChange(TObject* Sender);

  // Puts the lines into the memo for a new round of editing: "Запомнить" is disabled
  // again, and this text, set by the program, does not count as a change.
  void SetScript(const std::vector<std::string>& lines);
  // The memo's lines; a final line break adds no empty line.
  std::vector<std::string> Script() const;

 protected:
  TScriptForm(vcl::TComponent* owner, std::string name, const std::string& caption,
              const std::vector<std::string>& designText);

 private:
  void CreateDesign(const std::string& caption, const std::vector<std::string>& designText);  // ScriptFrmDesign.cpp
};

// Shows the dialog modally with `lines` in it. On "Запомнить" the lines become the
// memo's and the result is true; on "Отмена", Esc or the close box they stay as they
// were and the result is false.
bool editScript(TScriptForm& form, std::vector<std::string>& lines);

}  // namespace velcor
