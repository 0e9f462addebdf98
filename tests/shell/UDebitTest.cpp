#include "shell/UDebit.h"

#include <gtest/gtest.h>

namespace tranchex {
namespace {

TEST(TFDebit, OpensTitledWithTheApplicationName) {
  TFDebit window;
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tranchex"));
  EXPECT_EQ(window.size(), QSize(690, 430));
}

}  // namespace
}  // namespace tranchex
