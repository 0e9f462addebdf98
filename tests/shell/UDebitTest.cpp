#include "shell/UDebit.h"

#include <gtest/gtest.h>

#include "job/JobState.h"
#include "job/Settings.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

TEST(TFDebit, OpensTitledWithTheApplicationName) {
  test::TempDir dir;
  test::ScriptedPrompts prompts;
  Settings settings;
  JobState job;
  TFDebit window(prompts, settings, job, QString::fromStdString(dir.path().string()));
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Tranchex"));
  EXPECT_EQ(window.size(), QSize(690, 430));
}

}  // namespace
}  // namespace tranchex
