// The form design of the script dialogs.
#include <QFont>

#include "ScriptFrm/ScriptFrm.h"
#include "ScriptFrm/Scripts.h"

namespace velcor {

using vcl::TBitBtn;
using vcl::TBitBtnKind;
using vcl::TMemo;
using vcl::TPanel;

TScriptForm::TScriptForm(vcl::TComponent* owner)
    : TScriptForm(owner, "ScriptForm", "  Скрипт для подключения в сеть X.25", defaultConnectionScript()) {}

TScriptForm::TScriptForm(vcl::TComponent* owner, std::string name, const std::string& caption,
                         const std::vector<std::string>& designText)
    : TForm(owner, std::move(name)) {
  CreateDesign(caption, designText);
}

void TScriptForm::CreateDesign(const std::string& caption, const std::vector<std::string>& designText) {
  SetCaption(caption);
  SetClientSize(520, 360);
  SetPosition(vcl::TPosition::poMainFormCenter);
  // The main window stays on top; a modal dialog below it could not be reached.
  SetStayOnTop(true);
  // Fixed positions need a fixed font size, the one of the main window.
  QFont font = Handle()->font();
  font.setPointSize(9);
  Handle()->setFont(font);

  Panel1 = new TPanel(this, "Panel1");
  Panel1->SetBounds(0, 0, 520, 319);
  Panel1->SetBevelOuter(vcl::TBevelCut::bvNone);
  MemoScript = new TMemo(Panel1, "MemoScript");
  MemoScript->SetBounds(4, 4, 512, 315);
  MemoScript->SetMaxLength(928);
  MemoScript->SetScrollBars(vcl::TScrollStyle::ssBoth);
  MemoScript->SetWordWrap(false);
  MemoScript->SetFontBold(true);
  MemoScript->Lines().Assign(designText);

  Panel2 = new TPanel(this, "Panel2");
  Panel2->SetBounds(0, 319, 520, 41);
  Panel2->SetBevelOuter(vcl::TBevelCut::bvNone);
  SaveScriptBtn = new TBitBtn(Panel2, "SaveScriptBtn");
  SaveScriptBtn->SetBounds(300, 7, 105, 27);
  SaveScriptBtn->SetKind(TBitBtnKind::bkOK);  // closes with mrOk
  SaveScriptBtn->SetCaption("Запомнить");
  SaveScriptBtn->SetEnabled(false);
  BitBtn2 = new TBitBtn(Panel2, "BitBtn2");
  BitBtn2->SetBounds(411, 7, 105, 27);
  BitBtn2->SetKind(TBitBtnKind::bkCancel);  // Esc, mrCancel
  BitBtn2->SetCaption("Отмена");

  SetActiveControl(MemoScript);
  MemoScript->OnChange = [this](TObject* sender) { MemoScriptChange(sender); };
}

}  // namespace velcor
