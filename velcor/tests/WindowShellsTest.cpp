// The small windows the editor creates at start, before their contents arrive.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <functional>
#include <memory>

#include "FloodApp/FloodApp.h"
#include "SelTermUnit/SelTermUnit.h"
#include "Unit3/Unit3.h"

namespace velcor {
namespace {

TEST(WindowShells, CaptionsAndSizes) {
  struct Case {
    std::function<vcl::TForm*()> create;
    const char* name;
    const char* caption;
    bool stayOnTop;
  };
  const Case cases[] = {
      {[] { return new TForm3(nullptr); }, "Form3", " Импорт файлов данных", true},
      {[] { return new TSelTermForm(nullptr); }, "SelTermForm", "Укажите требуемый идентификатор устройства", false},
      {[] { return new TFloodForm(nullptr); }, "FloodForm", "  Поиск устройств", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<vcl::TForm> form(c.create());
    EXPECT_EQ(form->Name(), c.name);
    EXPECT_EQ(form->Caption(), c.caption);
    EXPECT_EQ(form->StayOnTop(), c.stayOnTop);
    EXPECT_FALSE(form->Handle()->isVisible());  // made hidden; shown only when needed
    // Room for the whole caption in the title bar, beside its buttons.
    const int captionWidth = QFontMetrics(form->Handle()->font()).horizontalAdvance(QString::fromUtf8(c.caption));
    EXPECT_GE(form->ClientWidth(), captionWidth + 100);
    EXPECT_GE(form->ClientHeight(), 60);
  }
}

}  // namespace
}  // namespace velcor
