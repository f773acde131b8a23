#include "ScriptFrm/ScriptFrm.h"

namespace velcor {

void TScriptForm::MemoScriptChange(TObject*) { SaveScriptBtn->SetEnabled(true); }

void TScriptForm::SetScript(const std::vector<std::string>& lines) {
  std::string text;  // as the memo's Lines would write it, in one change
  for (const std::string& line : lines) text += line + '\n';
  // The program's text fires MemoScriptChange like any change; disabling the button
  // after it leaves the user's first edit as the one that enables it.
  MemoScript->SetText(text);
  SaveScriptBtn->SetEnabled(false);
}

std::vector<std::string> TScriptForm::Script() const { return MemoScript->Lines().ToVector(); }

bool editScript(TScriptForm& form, std::vector<std::string>& lines) {
  form.SetScript(lines);
  if (form.ShowModal() != vcl::mrOk) return false;
  lines = form.Script();
  return true;
}

}  // namespace velcor
