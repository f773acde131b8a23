#pragma once
// The X.25 parameter loading script dialog: the connection script dialog with its own
// caption and default text.
#include "ScriptFrm/ScriptFrm.h"

namespace velcor {

class TLoaderScriptForm : public TScriptForm {
 public:
  explicit TLoaderScriptForm(vcl::TComponent* owner);  // ScriptFrmLoaderDesign.cpp
};

}  // namespace velcor
