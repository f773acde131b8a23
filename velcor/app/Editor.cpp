#include "app/Editor.h"

#include <QApplication>

#include "SetupUnit/SetupUnit.h"

namespace velcor {

int runEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName("Velcor");
  TForm1 mainWindow;
  mainWindow.show();
  app.exec();
  return 0;
}

}  // namespace velcor
