// F1 in the part form, with the program's help viewer: the page shipped beside the program opens
// at the part form's topic, which the page has.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "dialogs/USelPieces.h"
#include "job/ListTexts.h"
#include "job/PanelCharacteristics.h"
#include "platform/HelpPages.h"
#include "support/JobBuilder.h"
#include "support/RecordingUrlOpener.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

TEST(PartFormHelp, F1OpensTheShippedPageAtThePartFormsTopic) {
  Settings settings = TestSettings();
  ScriptedPrompts prompts;
  RecordingUrlOpener browser;
  HelpPages help(HelpFolderBesideProgram(), browser, prompts);

  Panneau_p stock(28000, 20700, 190.0, 0);
  stock.Quantity = 1;
  PanelList panels{stock};
  PartList parts;
  std::vector<std::string> designations, references, designationNames;
  EngineContext engine;
  UNITE_MESURE unit;
  CharacteristicList characteristics;
  TSelPieces form(settings, prompts, help);
  form.JobKind = 1;
  form.SpeciesList = &settings.SpeciesNames;
  form.AddSpecies = AppendingAdder(settings.SpeciesNames);
  form.PartList = &parts;
  form.PartDesignationList = &designations;
  form.PartReferenceList = &references;
  form.PanelList = &panels;
  form.Engine = &engine;
  form.Unit = unit;
  form.DesignationList = &designationNames;
  BuildPanelCharacteristics(characteristics, panels, settings.SpeciesNames, unit, 1,
                            LoadListTexts(','));
  form.PanelCharacteristicList = &characteristics;
  form.ShowPartRecord();
  ShowActive(form);

  // Wherever the focus is in the form.
  form.EdtLongueur->setFocus();
  QTest::keyClick(form.EdtLongueur, Qt::Key_F1);
  ASSERT_EQ(browser.urls.size(), 1u);
  const QUrl url = browser.urls.front();
  EXPECT_EQ(url.fragment(), QStringLiteral("aide-1040"));
  const QString page = url.toLocalFile();
  EXPECT_EQ(page, QDir(QCoreApplication::applicationDirPath())
                      .absoluteFilePath(QStringLiteral("help/aide-1040.html")));
  QFile file(page);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
  EXPECT_TRUE(file.readAll().contains("id=\"aide-1040\""));
  EXPECT_TRUE(prompts.asked.empty());
  form.hide();
}

}  // namespace
}  // namespace tranchex::test
