#pragma once
// The import window: shows the progress of the parameter import, modeless.
#include "vcl/Vcl.h"

namespace velcor {

class TForm3 : public vcl::TForm {
 public:
  explicit TForm3(vcl::TComponent* owner);
};

}  // namespace velcor
