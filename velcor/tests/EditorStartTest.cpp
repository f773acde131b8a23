// The editor's start as the program makes it.
#include "EditorFixture.h"
#include "app/Editor.h"

namespace velcor::testing {
namespace {

TEST_F(EditorTest, CreateEditorFormsMakesTheSixWindowsInOrder) {
  writeIni("[Main Settings]\r\nTCP Port for Link=2345\r\n");
  fs::current_path("/");
  const int before = vcl::Application->ComponentCount();
  TForm1* main = CreateEditorForms({work(), program()}, Edition{true, false, false});
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(fs::current_path(), work());
  EXPECT_EQ(host::programFolder(), program());
  EXPECT_EQ(main->TCPPortEdit->Text(), "2345");
  EXPECT_EQ(main->Caption(), "  Конфигуратор Tormela  (Вендинг)");

  const char* captions[] = {"  Конфигуратор Tormela  (Вендинг)", " Импорт файлов данных",
                            "Укажите требуемый идентификатор устройства", "  Скрипт для подключения в сеть X.25",
                            "Скрипт для загрузки параметров в сети X.25", "  Поиск устройств"};
  ASSERT_EQ(vcl::Application->ComponentCount(), before + 6);
  for (int i = 0; i < 6; ++i) {
    auto* form = dynamic_cast<vcl::TForm*>(vcl::Application->Components(before + i));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Caption(), captions[i]);
    EXPECT_EQ(form->Handle()->isVisible(), false);  // nothing is shown before the program runs
  }
  EXPECT_NE(main->ScriptForm, nullptr);
  EXPECT_NE(main->LoaderScriptForm, nullptr);
}

}  // namespace
}  // namespace velcor::testing
