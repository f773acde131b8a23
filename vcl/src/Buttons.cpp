#include "vcl/Buttons.h"

#include <QApplication>
#include <QIcon>
#include <QPushButton>
#include <QStyle>

#include "Internal.h"
#include "vcl/Forms.h"

namespace vcl {

TBitBtn::TBitBtn(TWinControl* parent, std::string name) : TButton(parent, std::move(name)) {}

void TBitBtn::SetKind(TBitBtnKind kind) {
  struct Look {
    TBitBtnKind kind;
    const char* caption;
    QStyle::StandardPixmap icon;
    TModalResult result;
  };
  static constexpr Look kLooks[] = {
      {TBitBtnKind::bkOK, "OK", QStyle::SP_DialogOkButton, mrOk},
      {TBitBtnKind::bkCancel, "Cancel", QStyle::SP_DialogCancelButton, mrCancel},
      {TBitBtnKind::bkYes, "&Yes", QStyle::SP_DialogYesButton, mrYes},
      {TBitBtnKind::bkNo, "&No", QStyle::SP_DialogNoButton, mrNo},
      {TBitBtnKind::bkClose, "&Close", QStyle::SP_DialogCloseButton, mrNone},
      {TBitBtnKind::bkHelp, "&Help", QStyle::SP_DialogHelpButton, mrNone},
      {TBitBtnKind::bkAbort, "Abort", QStyle::SP_DialogAbortButton, mrAbort},
      {TBitBtnKind::bkRetry, "&Retry", QStyle::SP_DialogRetryButton, mrRetry},
      {TBitBtnKind::bkIgnore, "&Ignore", QStyle::SP_DialogIgnoreButton, mrIgnore},
  };
  kind_ = kind;
  for (const Look& look : kLooks) {
    if (look.kind != kind) continue;
    SetCaption(look.caption);
    Widget()->setIcon(Widget()->style()->standardIcon(look.icon));
    SetModalResult(look.result);
    if (kind == TBitBtnKind::bkOK) SetDefault(true);
    if (kind == TBitBtnKind::bkCancel) SetCancel(true);
  }
}

void TBitBtn::Click() {
  TForm* form = ParentForm();
  if (kind_ == TBitBtnKind::bkClose && form) {
    form->Close();
  } else {
    TButton::Click();
  }
}

void TBitBtn::SetGlyph(const std::string& imageFile) {
  kind_ = TBitBtnKind::bkCustom;
  Widget()->setIcon(QIcon(detail::Q(imageFile)));
}

}  // namespace vcl
