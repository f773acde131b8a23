#pragma once
// The editor mode: the application object and the main window.
namespace velcor {

// Runs the editor until its main window closes; the exit code of the program.
int runEditor(int argc, char** argv);

}  // namespace velcor
