#pragma once
// The whole form layer.
#include "vcl/Buttons.h"
#include "vcl/Classes.h"
#include "vcl/ComCtrls.h"
#include "vcl/Controls.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Memo.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"
