#include "platform/DataFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

#include "support/TempDir.h"

namespace tranchex {
namespace {

TEST(DataFolder, FollowsTranchexHomeAndMakesTheJobFolder) {
  test::TempDir dir;
  const std::string home = (dir.path() / "data").string();
  ::setenv("TRANCHEX_HOME", home.c_str(), 1);
  EXPECT_EQ(DataFolder(), QString::fromStdString(home));
  EXPECT_EQ(JobFolder(), QString::fromStdString(home) + QStringLiteral("/Mesdebits"));
  EXPECT_TRUE(QFileInfo(JobFolder()).isDir());
  ::unsetenv("TRANCHEX_HOME");
  EXPECT_FALSE(DataFolder().isEmpty());
}

}  // namespace
}  // namespace tranchex
