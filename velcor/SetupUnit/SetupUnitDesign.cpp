#include "SetupUnit/SetupUnit.h"

namespace velcor {

void TForm1::CreateDesign() {
  SetCaption("  Конфигуратор Tormela");
  SetClientSize(497, 629);
  SetStayOnTop(true);
  OnCreate = [this](TObject* sender) { FormCreate(sender); };
}

}  // namespace velcor
