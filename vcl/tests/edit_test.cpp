#include <gtest/gtest.h>

#include "vcl/testing/Harness.h"

namespace vcl {
namespace {

using testing::Find;

TEST(Smoke, Builds) {
  TForm form(nullptr, "Form");
  auto* edit = new TEdit(&form, "Edit1");
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  testing::ShowForm(form);
  testing::Type(*edit, "abc");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(&Find<TEdit>(form, "Edit1"), edit);
}

}  // namespace
}  // namespace vcl
