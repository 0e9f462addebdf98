#include "platform/Bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tranchex {
namespace {

TEST(Bitmaps, TheThreeGrainPicturesLoadByName) {
  for (const char* picture : {"sens_horiz", "sens_vert", "sens_non"}) {
    const QPixmap pixmap = LoadNamedBitmap(QString::fromLatin1(picture));
    EXPECT_FALSE(pixmap.isNull()) << picture;
    EXPECT_GT(pixmap.width(), pixmap.height()) << picture;  // drawn as a lying panel
  }
  const QImage horiz = LoadNamedBitmap(QStringLiteral("sens_horiz")).toImage();
  const QImage vert = LoadNamedBitmap(QStringLiteral("sens_vert")).toImage();
  const QImage none = LoadNamedBitmap(QStringLiteral("sens_non")).toImage();
  EXPECT_NE(horiz, vert);
  EXPECT_NE(horiz, none);
  EXPECT_NE(vert, none);
  EXPECT_TRUE(LoadNamedBitmap(QStringLiteral("sens_diagonal")).isNull());
  EXPECT_TRUE(LoadNamedBitmap(QString()).isNull());
}

}  // namespace
}  // namespace tranchex
