// The settings commands of the main window that open a form: the unit of measure.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>

#include "dialogs/USelUnite.h"
#include "job/SettingsFiles.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

class UnitCommand : public MainWindowTest {
 protected:
  // Runs "Unités de mesure", clicks the named buttons in the form, then OK.
  void ChooseUnit(std::vector<const char*> clicks) {
    prompts.modals.push_back([this, clicks](QDialog& d) {
      auto& form = dynamic_cast<TFSelUnite&>(d);
      shownAt = form.pos();
      for (const char* name : clicks)
        form.findChild<QRadioButton*>(QString::fromLatin1(name))->click();
      form.BtnOk->click();
      return form.result();
    });
    Trigger("Unites");
  }
  QPoint shownAt;
};

TEST_F(UnitCommand, InchesChosenAreShownAtOnceAndKeptAfterARestart) {
  Start();
  OpenByDialog(WriteJob("unite.deb", GoodJob()));
  ASSERT_EQ(settings.MeasureUnit.Abbreviation, "mm");
  ChooseUnit({"RbtnPouce"});
  EXPECT_EQ(settings.MeasureUnit.Factor, 254.0);
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "pouces");
  EXPECT_EQ(settings.UnitFileDirty, 1);
  // Placed over the window: centred on its client area, 14 pixels below its top.
  EXPECT_EQ(shownAt, QPoint(window->x() + window->width() / 2 - window->FSelUnite->width() / 2,
                            window->y() + 14));
  // At exit the unit file is written; the next start reads inches.
  window->close();
  Settings next;
  LoadUnitFile(dir.path(), next);
  EXPECT_EQ(next.MeasureUnit.Factor, 254.0);
  EXPECT_EQ(next.MeasureUnit.Abbreviation, "pouces");
}

TEST_F(UnitCommand, NoClickLeavesTheUnitAndItsFileAlone) {
  SaveUnitFile(dir.path(), settings);  // millimetres, read at start: nothing to rewrite
  Start();
  ASSERT_EQ(settings.UnitFileDirty, 0);
  ChooseUnit({});
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "mm");
  EXPECT_EQ(settings.UnitFileDirty, 0);
}

TEST_F(UnitCommand, AChangeMarkedEarlierStaysMarked) {
  SaveUnitFile(dir.path(), settings);
  Start();
  ChooseUnit({"RbtnCentimetre"});
  ChooseUnit({});
  EXPECT_EQ(settings.MeasureUnit.Abbreviation, "cm");
  EXPECT_EQ(settings.UnitFileDirty, 1);
}

}  // namespace
}  // namespace tranchex::test
