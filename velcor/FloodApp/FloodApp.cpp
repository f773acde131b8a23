#include "FloodApp/FloodApp.h"

namespace velcor {

TFloodForm::TFloodForm(vcl::TComponent* owner) : vcl::TForm(owner, "FloodForm") {
  SetCaption("  Поиск устройств");
  SetClientSize(497, 629);
  SetStayOnTop(true);
}

}  // namespace velcor
