// The form design of the parameter loading script dialog: the connection script
// dialog's layout with its own caption and text.
#include "ScriptFrm/ScriptFrmLoader.h"
#include "ScriptFrm/Scripts.h"

namespace velcor {

TLoaderScriptForm::TLoaderScriptForm(vcl::TComponent* owner)
    : TScriptForm(owner, "LoaderScriptForm", "Скрипт для загрузки параметров в сети X.25", defaultLoaderScript()) {}

}  // namespace velcor
