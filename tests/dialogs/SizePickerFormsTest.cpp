// The stock panel form with the real size picker: the caller's size preselected, a size chosen
// coming back into the form's fields, its thickness only while the picker's box is ticked.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>

#include "dialogs/PanelFormFixture.h"
#include "dialogs/UGestDimensions.h"

namespace tranchex::test {
namespace {

class PanelFormWithPicker : public PanelFormTest {
 protected:
  void Pick(std::function<void(TFGestDimensions&)> drive) {
    prompts.modals.push_back([drive](QDialog& d) {
      auto& form = dynamic_cast<TFGestDimensions&>(d);
      ShowActive(form);
      drive(form);
      return form.result();
    });
    QTest::mouseClick(form->BitBtnLongueur, Qt::LeftButton);
  }
};

TEST_F(PanelFormWithPicker, AChosenSizeFillsTheFieldsWithItsThicknessWhileTheBoxIsTicked) {
  for (const bool untick : {false, true}) {
    SCOPED_TRACE(untick ? "unticked" : "ticked");
    settings.PanelSizes = {{28000, 20700, 190, 2}, {24400, 12200, 180, 2}};
    prompts = ScriptedPrompts();
    TFGestDimensions picker(settings, prompts, help);
    this->picker = &picker;
    panels = Stock({StockPanel(28000, 20700), StockPanel(20000, 10000)});
    Open(2);
    Pick([untick](TFGestDimensions& dialog) {
      // The record shown is the first size.
      EXPECT_EQ(dialog.PickContext, 2);
      EXPECT_EQ(dialog.LbDimensions->currentRow(), 0);
      if (untick) dialog.CbxEpaisseur->click();
      QListWidgetItem* item = dialog.LbDimensions->item(1);
      QTest::mouseClick(dialog.LbDimensions->viewport(), Qt::LeftButton, {},
                        dialog.LbDimensions->visualItemRect(item).center());
      QTest::mouseClick(dialog.BtnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2440"));
    EXPECT_EQ(form->EdtLargeur->text(), QStringLiteral("1220"));
    EXPECT_EQ(form->EdtEpaisseur->text(), untick ? QStringLiteral("19") : QStringLiteral("18"));
    EXPECT_EQ(form->PanelSizesChanged, 0);
    Click(form->BtnSuivant);
    EXPECT_EQ(panels[0].Length, 24400.0);
    EXPECT_EQ(panels[0].Thickness, untick ? 190.0 : 180.0);
    form->hide();
    this->picker = nullptr;
    form.reset();
  }
}

// A size typed in the picker is added to the panel sizes and marks them changed in the form.
TEST_F(PanelFormWithPicker, ASizeTypedIsAddedAndReported) {
  TFGestDimensions picker(settings, prompts, help);
  this->picker = &picker;
  panels = Stock({StockPanel(28000, 20700)});
  Open(1);
  Pick([this](TFGestDimensions& dialog) {
    Enter(dialog.EdtLongueur, QStringLiteral("2050"));
    Enter(dialog.EdtLargeur, QStringLiteral("925"));
    QTest::mouseClick(dialog.BtnOK, Qt::LeftButton);
  });
  EXPECT_EQ(settings.PanelSizes, (std::vector<DIMENSIONS>{{20500, 9250, 100, 1}}));
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2050"));
  EXPECT_EQ(form->EdtLargeur->text(), QStringLiteral("925"));
  EXPECT_EQ(form->PanelSizesChanged, 1);
  form.reset();
}

}  // namespace
}  // namespace tranchex::test
