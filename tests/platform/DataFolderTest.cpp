#include "platform/DataFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

#include "support/TempDir.h"

namespace tranchex {
namespace {

TEST(DataFolder, FollowsTranchexHomeAndMakesTheFolder) {
  test::TempDir dir;
  const std::string home = (dir.path() / "data").string();
  ::setenv("TRANCHEX_HOME", home.c_str(), 1);
  EXPECT_EQ(DataFolder(), QString::fromStdString(home));
  EXPECT_TRUE(QFileInfo(DataFolder()).isDir());
  ::unsetenv("TRANCHEX_HOME");
  EXPECT_FALSE(DataFolder().isEmpty());
}

}  // namespace
}  // namespace tranchex
