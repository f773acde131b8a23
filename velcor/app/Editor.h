#pragma once
// The editor mode: the application object and the editor's windows.
#include <filesystem>

#include "app/Edition.h"

namespace velcor {

class TForm1;

struct EditorPlaces {
  std::filesystem::path workingFolder;  // where Tor-Mela.ini is read and written
  std::filesystem::path programFolder;  // where TMS/BD.tms lies
};

// Creates the editor's windows in their order, owned by vcl::Application (which must
// exist), after making `places` the process's working directory and program folder.
// The first, the main window, loads the settings as it is created. Tests and tools use
// this as the program does.
TForm1* CreateEditorForms(const EditorPlaces& places, const Edition& edition);

// Runs the editor until its main window closes; the exit code of the program. With
// VELCOR_SCREENSHOTS set to a folder it saves a picture of each page there instead and
// ends.
int runEditor(int argc, char** argv);

}  // namespace velcor
