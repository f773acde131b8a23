#pragma once
// Buttons with a glyph.
#include <string>

#include "vcl/StdCtrls.h"

namespace vcl {

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkYes, bkNo, bkClose, bkHelp, bkAbort, bkRetry, bkIgnore };

class TBitBtn : public TButton {
 public:
  TBitBtn(TWinControl* parent, std::string name);

  TBitBtnKind Kind() const { return kind_; }
  // A standard kind gives the button its glyph, caption, and (except bkClose and
  // bkHelp) its modal result; OK is Default, Cancel is Cancel.
  void SetKind(TBitBtnKind kind);
  void SetGlyph(const std::string& imageFile);
  // bkClose closes the form instead of firing OnClick.
  void Click() override;

 private:
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

}  // namespace vcl
