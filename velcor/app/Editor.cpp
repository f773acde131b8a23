#include "app/Editor.h"

#include <QApplication>

#include "SetupUnit/SetupUnit.h"
#include "app/Edition.h"
#include "vcl/Vcl.h"

namespace velcor {

int runEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  vcl::TApplication application;
  application.SetTitle("Velcor");
  application.CreateForm<TForm1>(startEdition());
  return application.Run();
}

}  // namespace velcor
