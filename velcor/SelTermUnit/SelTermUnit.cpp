#include "SelTermUnit/SelTermUnit.h"

namespace velcor {

TSelTermForm::TSelTermForm(vcl::TComponent* owner) : vcl::TForm(owner, "SelTermForm") {
  SetCaption("Укажите требуемый идентификатор устройства");
  // Wide enough for the whole caption in the title bar.
  SetClientSize(440, 260);
}

}  // namespace velcor
