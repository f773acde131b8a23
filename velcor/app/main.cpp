#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Launcher.h"

// The launcher modes run without an application object: they must work where there
// is no display at all.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  switch (velcor::selectMode(args)) {
    case velcor::Mode::Rerun: return velcor::runRerun(args, velcor::LauncherHooks::real());
    case velcor::Mode::DelayRun: return velcor::runDelayRun(args, velcor::LauncherHooks::real());
    case velcor::Mode::Editor: break;
  }
  return velcor::runEditor(argc, argv);
}
