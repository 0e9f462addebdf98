// The caption and the messages the main window's commands show.

#include <gtest/gtest.h>

#include "shell/UDebit.h"

namespace tranchex {
namespace {

TEST(MainFormTexts, LanguageTexts) {
  const MainFormTexts t = LoadMainWindowTexts();
  EXPECT_EQ(t.AppTitle, QStringLiteral("Tranchex"));
  EXPECT_EQ(t.MsgSaveChanges,
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à"));
  EXPECT_EQ(t.MsgNotSaved, QStringLiteral("Le débit n'a pas été sauvegardé !"));
  EXPECT_EQ(t.MsgOpenError, QStringLiteral("Erreur dans l'ouverture du fichier !"));
  EXPECT_EQ(t.MsgOpenCancelled, QStringLiteral("Annulation de l'ouverture débit !"));
}

}  // namespace
}  // namespace tranchex
