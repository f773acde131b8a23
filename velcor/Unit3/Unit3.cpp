#include "Unit3/Unit3.h"

namespace velcor {

TForm3::TForm3(vcl::TComponent* owner) : vcl::TForm(owner, "Form3") {
  SetCaption(" Импорт файлов данных");
  SetClientSize(420, 300);
  SetStayOnTop(true);
}

}  // namespace velcor
