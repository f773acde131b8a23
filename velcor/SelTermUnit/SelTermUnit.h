#pragma once
// The choice of one terminal identifier among those a parameter database offers.
#include "vcl/Vcl.h"

namespace velcor {

class TSelTermForm : public vcl::TForm {
 public:
  explicit TSelTermForm(vcl::TComponent* owner);
};

}  // namespace velcor
