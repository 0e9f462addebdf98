// Qt's own windows speak French, as the rest of the program does.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>

namespace {

TEST(FrenchTranslation, TheFilePickerLabelsAreFrench) {
  QFileDialog dialog(nullptr, QStringLiteral("Ouvrir"));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  const QLabel* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  const QLabel* fileName = dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"));
  ASSERT_NE(lookIn, nullptr);
  ASSERT_NE(fileName, nullptr);
  EXPECT_EQ(lookIn->text(), QStringLiteral("Voir dans :"));
  EXPECT_EQ(fileName->text(), QStringLiteral("&Nom de fichier :"));
}

TEST(FrenchTranslation, TheStandardButtonsAreFrench) {
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
}

}  // namespace
