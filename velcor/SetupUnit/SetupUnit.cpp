#include "SetupUnit/SetupUnit.h"

namespace velcor {

TForm1::TForm1(vcl::TComponent* owner, const Edition& edition) : vcl::TForm(owner, "Form1"), edition_(edition) {
  CreateDesign();
}

TForm1::~TForm1() = default;

}  // namespace velcor
