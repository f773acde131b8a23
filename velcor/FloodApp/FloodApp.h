#pragma once
// The device search dialog.
#include "vcl/Vcl.h"

namespace velcor {

class TFloodForm : public vcl::TForm {
 public:
  explicit TFloodForm(vcl::TComponent* owner);
};

}  // namespace velcor
