// The panel characteristics picker: its rows, what a row click shows by job kind and thickness
// margin, and what OK, a double click, the close box and Escape return.

#include "dialogs/UGestDonneesPanneaux.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/DialogKit.h"
#include "job/ListTexts.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

Panneau_p Stock(double length, double width, int grain, double thickness, int species) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = 1;
  return p;
}

// Oak 19 mm horizontal, beech 22 mm indifferent, an unknown species 19,5 mm vertical.
PanelList ThreePanels() {
  return {Stock(28000, 20700, 0, 190, 0), Stock(25000, 12500, 2, 220, 1),
          Stock(20000, 10000, 1, 195, 7)};
}

class CharacteristicsForm : public ::testing::Test {
 protected:
  void Show(int kind, std::uint8_t thickerStock = 0, PanelList panels = ThreePanels()) {
    BuildPanelCharacteristics(characteristics, panels, species, unit, kind, LoadListTexts(','));
    form.Characteristics = &characteristics;
    form.SpeciesList = &species;
    form.JobKind = kind;
    form.ThickerStockAllowed = thickerStock;
    form.Unit = unit;
    ShowActive(form);
  }
  QPoint RowCentre(int row) {
    return form.LbCaract->visualItemRect(form.LbCaract->item(row)).center();
  }
  void ClickRow(int row) {
    QTest::mouseClick(form.LbCaract->viewport(), Qt::LeftButton, {}, RowCentre(row));
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < form.LbCaract->count(); ++i)
      out.push_back(form.LbCaract->item(i)->text().toStdString());
    return out;
  }
  // Essence, sens, épaisseur as shown.
  std::vector<std::string> Fields() const {
    return {form.EdtEssence->text().toStdString(), form.EdtSens->text().toStdString(),
            form.EdtEpaisseur->text().toStdString()};
  }
  static QColor Base(const QLineEdit* field) {
    return field->palette().color(QPalette::Disabled, QPalette::Base);
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::vector<std::string> species{"Chêne", "Hêtre"};
  UNITE_MESURE unit;  // millimetres
  CharacteristicList characteristics;
  TFGestDonneesPanneaux form{prompts, help};
};

TEST_F(CharacteristicsForm, CaptionsAndFrame) {
  EXPECT_EQ(form.windowTitle(), Text(313));
  EXPECT_EQ(form.Label1->text(), Text(314));
  EXPECT_EQ(form.LblEssence->text(), QStringLiteral("Essence"));
  EXPECT_EQ(form.LblSens->text(), QStringLiteral("Sens du fil"));
  EXPECT_EQ(form.LblEpaisseur->text(), QStringLiteral("Epaisseur"));
  EXPECT_EQ(form.BtnOK->text(), QStringLiteral("Ok"));
  EXPECT_TRUE(form.BtnOK->font().bold());
  EXPECT_EQ(form.BtnOK->font().pixelSize(), 12);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  Show(2);
  // No help for this form.
  QTest::keyClick(form.LbCaract, Qt::Key_F1);
  EXPECT_TRUE(help.contexts.empty());
}

// One row per panel, by the label the characteristics were built with, in panel order.
TEST_F(CharacteristicsForm, OneRowPerPanel) {
  Show(2);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2800x2070x19 - chêne - horizontal",
                                              "2500x1250x22 - hêtre - indifférent",
                                              "2000x1000x19,5 - Non spécifié - vertical"}));
  EXPECT_EQ(Fields(), (std::vector<std::string>{"", "", ""}));
  form.close();
  Show(1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2800x2070 - horizontal", "2500x1250 - indifférent",
                                              "2000x1000 - vertical"}));
}

struct ClickCase {
  const char* name;
  int kind;
  std::uint8_t thickerStock;
  double factor;
  const char* abbreviation;
  int row;
  std::vector<std::string> fields;  // essence, sens, épaisseur
};

// A row shows its grain; a complex job its species too and, without the thickness margin, its
// thickness in the unit. A species the list lacks reads "Non spécifié".
TEST_F(CharacteristicsForm, WhatARowClickShows) {
  const ClickCase cases[] = {
      {"simple job", 1, 0, 10.0, "mm", 0, {"", "Horizontal", ""}},
      {"simple job, indifferent", 1, 0, 10.0, "mm", 1, {"", "Indifférent", ""}},
      {"complex job", 2, 0, 10.0, "mm", 1, {"Hêtre", "Indifférent", "22"}},
      {"complex job, centimetres", 2, 0, 100.0, "cm", 1, {"Hêtre", "Indifférent", "2,2"}},
      // Every tenth in metres: 19,5 mm is not 0,02 m.
      {"complex job, metres", 2, 0, 10000.0, "m", 2, {"Non spécifié", "Vertical", "0,0195"}},
      {"complex job, thickness margin", 2, 1, 10.0, "mm", 1, {"Hêtre", "Indifférent", ""}},
      {"unknown species", 2, 0, 10.0, "mm", 2, {"Non spécifié", "Vertical", "19,5"}},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    unit.Factor = c.factor;
    unit.Abbreviation = c.abbreviation;
    Show(c.kind, c.thickerStock);
    ClickRow(c.row);
    EXPECT_EQ(Fields(), c.fields);
    for (QLineEdit* field : {form.EdtEssence, form.EdtSens, form.EdtEpaisseur})
      EXPECT_FALSE(field->isEnabled()) << field->objectName().toStdString();
    // Species and thickness say nothing in a simple job: grey; white otherwise.
    const QColor expected = c.kind == 1 ? form.palette().color(QPalette::Button)
                                        : QColor(Qt::white);
    EXPECT_EQ(Base(form.EdtEssence), expected);
    EXPECT_EQ(Base(form.EdtEpaisseur), expected);
    // A later showing starts with empty fields.
    form.close();
    Show(c.kind, c.thickerStock);
    EXPECT_EQ(Fields(), (std::vector<std::string>{"", "", ""}));
    form.close();
  }
}

struct ChoiceCase {
  const char* name;
  int row;          // clicked first; -1 none
  const char* how;  // "ok", "double", "close", "escape"
  std::uint8_t chosen;
  int index;
};

// OK or a double click returns the row; OK without a row, the close box and Escape return no
// choice, whatever an earlier showing chose.
TEST_F(CharacteristicsForm, WhatComesBack) {
  const ChoiceCase cases[] = {
      {"ok", 2, "ok", 1, 2},           {"double click", 1, "double", 1, 1},
      {"ok without a row", -1, "ok", 0, -1}, {"close box", 1, "close", 0, -1},
      {"escape", 1, "escape", 0, -1},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    Show(2);
    ClickRow(0);
    QTest::mouseClick(form.BtnOK, Qt::LeftButton);
    ASSERT_EQ(form.Chosen, 1);

    Show(2);
    EXPECT_EQ(form.Chosen, 0);
    EXPECT_EQ(form.SelectedIndex, -1);
    if (c.row >= 0) ClickRow(c.row);
    const std::string how = c.how;
    if (how == "ok") {
      QTest::mouseClick(form.BtnOK, Qt::LeftButton);
    } else if (how == "double") {
      QTest::mouseDClick(form.LbCaract->viewport(), Qt::LeftButton, {}, RowCentre(c.row));
    } else if (how == "close") {
      form.close();
    } else {
      QTest::keyClick(form.LbCaract, Qt::Key_Escape);
    }
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Chosen, c.chosen);
    EXPECT_EQ(form.SelectedIndex, c.index);
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(CharacteristicsForm, NoPanelNoRowNoChoice) {
  characteristics.clear();
  form.Characteristics = &characteristics;
  form.SpeciesList = &species;
  form.JobKind = 2;
  ShowActive(form);
  EXPECT_EQ(form.LbCaract->count(), 0);
  QTest::mouseClick(form.BtnOK, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Chosen, 0);
}

// The part form's picker: what it is handed goes to the form, which is placed over the caller
// (centred on it, 14 pixels below its top); the row chosen comes back.
TEST_F(CharacteristicsForm, AsThePartFormsPicker) {
  QWidget caller;
  caller.setGeometry(100, 80, 700, 500);
  caller.show();
  BuildPanelCharacteristics(characteristics, ThreePanels(), species, unit, 2, LoadListTexts(','));
  CharacteristicPickerInput in;
  in.CharacteristicList = &characteristics;
  in.CharacteristicSpecies = &species;
  in.CharacteristicJobKind = 2;
  in.CharacteristicThickerStockAllowed = 1;
  in.CharacteristicUnit.Factor = 100.0;

  QPoint shownAt;
  std::vector<std::string> fields;
  prompts.modals.push_back([&](QDialog&) {
    shownAt = form.pos();
    ClickRow(1);
    fields = Fields();
    QTest::mouseClick(form.BtnOK, Qt::LeftButton);
    return form.result();
  });
  CharacteristicPickerOutput out = form.Pick(in, caller);
  EXPECT_EQ(shownAt, QPoint(caller.x() + caller.width() / 2 - form.width() / 2, caller.y() + 14));
  EXPECT_EQ(fields, (std::vector<std::string>{"Hêtre", "Indifférent", ""}));
  EXPECT_EQ(out.CharacteristicChosen, 1);
  EXPECT_EQ(out.ChosenCharacteristic, 1);

  prompts.modals.push_back([&](QDialog&) {
    ClickRow(2);
    form.close();
    return form.result();
  });
  out = form.Pick(in, caller);
  EXPECT_EQ(out.CharacteristicChosen, 0);
  EXPECT_EQ(out.ChosenCharacteristic, -1);
  EXPECT_TRUE(prompts.Exhausted());
}

}  // namespace
}  // namespace tranchex::test
