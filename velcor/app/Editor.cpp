#include "app/Editor.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "FloodApp/FloodApp.h"
#include "ScriptFrm/ScriptFrmLoader.h"
#include "SelTermUnit/SelTermUnit.h"
#include "SetupUnit/SetupUnit.h"
#include "Unit3/Unit3.h"
#include "host/paths.h"
#include "vcl/Vcl.h"

namespace velcor {
namespace {

int saveScreenshots(TForm1& form, const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  form.Show();
  vcl::ProcessMessages();
  int failures = 0;
  for (int i = 0; i < form.PageControl1->PageCount(); ++i) {
    vcl::TTabSheet* page = form.PageControl1->Pages(i);
    if (!page->TabVisible()) continue;
    form.PageControl1->SetActivePageIndex(i);
    vcl::ProcessMessages();
    std::filesystem::path file = folder / ("velcor-" + page->Name() + ".png");
    if (vcl::SaveScreenshot(form, file)) {
      std::printf("%s\n", file.c_str());
    } else {
      std::fprintf(stderr, "velcor: cannot write %s\n", file.c_str());
      ++failures;
    }
  }
  return failures ? 1 : 0;
}

}  // namespace

TForm1* CreateEditorForms(const EditorPlaces& places, const Edition& edition) {
  std::filesystem::current_path(places.workingFolder);
  host::setProgramFolder(places.programFolder);
  auto* main = vcl::Application->CreateForm<TForm1>(edition);
  vcl::Application->CreateForm<TForm3>();
  vcl::Application->CreateForm<TSelTermForm>();
  main->ScriptForm = vcl::Application->CreateForm<TScriptForm>();
  main->LoaderScriptForm = vcl::Application->CreateForm<TLoaderScriptForm>();
  vcl::Application->CreateForm<TFloodForm>();
  return main;
}

int runEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  vcl::TApplication application;
  application.SetTitle("Velcor");
  TForm1* mainWindow =
      CreateEditorForms({std::filesystem::current_path(), host::programFolder()}, startEdition());
  if (const char* folder = std::getenv("VELCOR_SCREENSHOTS"); folder && *folder)
    return saveScreenshots(*mainWindow, folder);
  return application.Run();
}

}  // namespace velcor
