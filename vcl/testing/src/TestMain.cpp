// main() of GUI test binaries: one QApplication and one TApplication for all tests,
// and a strict modal observer, so an unanswered message box fails its test instead
// of hanging it.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "vcl/testing/Harness.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (ctest's discovery) must work without any display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  vcl::TApplication application;
  vcl::testing::ModalAnswers strict;
  return RUN_ALL_TESTS();
}
