// The part form with the program's own pickers: the designations manager in pick mode and the
// panel characteristics picker, driven through the scripted modal forms as a person would.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <memory>

#include "dialogs/DialogKit.h"
#include "dialogs/UGestDesPieces.h"
#include "dialogs/UGestDonneesPanneaux.h"
#include "dialogs/USelPieces.h"
#include "job/ListTexts.h"
#include "job/PanelCharacteristics.h"
#include "platform/Texts.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;
using Names = std::vector<std::string>;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

Panneau_p Stock(double length, double width, int grain, double thickness, int species) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = 1;
  return p;
}

void ClickRow(QListWidget& list, int row) {
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(list.item(row)).center());
}

void MakeActive(QDialog& form) {
  QApplication::setActiveWindow(&form);
  form.activateWindow();
}

class PartFormWithPickers : public ::testing::Test {
 protected:
  void SetUp() override { settings = TestSettings(); }

  // A complex job on 19 mm oak, 19 mm beech and 22 mm vertical beech; one part of 1000 x 500 mm,
  // 19 mm oak, grain indifferent, designated "Piece1".
  void Open(std::uint8_t thickerStock = 0) {
    panels = {Stock(28000, 20700, GrainHorizontal, 190, 0),
              Stock(28000, 20700, GrainHorizontal, 190, 1),
              Stock(25000, 12500, GrainVertical, 220, 1)};
    TPiece part(10000, 5000, 190.0, 0);
    part.Grain = GrainIndifferent;
    part.Quantity = 1;
    PanelFromDimensions(part);
    parts = {part};
    designations = {"Piece1"};
    references = {"a"};
    margins.ThickerStockAllowed = thickerStock;
    form = std::make_unique<TSelPieces>(settings, prompts, help);
    form->JobKind = 2;
    form->SpeciesList = &settings.SpeciesNames;
    form->AddSpecies = AppendingAdder(settings.SpeciesNames);
    form->PartList = &parts;
    form->PartDesignationList = &designations;
    form->PartReferenceList = &references;
    form->PanelList = &panels;
    form->Engine = &engine;
    form->Margins = margins;
    form->ModifyMode = 1;
    form->Unit = unit;
    form->DesignationList = &shop;
    BuildPanelCharacteristics(characteristics, panels, settings.SpeciesNames, unit, 2,
                              LoadListTexts(','));
    form->PanelCharacteristicList = &characteristics;
    form->DesignationsPicker = &designationPicker;
    form->CharacteristicsPicker = &characteristicPicker;
    form->ShowPartRecord();
    ShowActive(*form);
  }
  // The next picker shown is answered by `script`, which gets it as the picker form.
  template <class Form>
  void Script(std::function<void(Form&)> script) {
    prompts.modals.push_back([this, script](QDialog& d) {
      auto& picker = dynamic_cast<Form&>(d);
      MakeActive(picker);
      pickerAt = picker.pos();
      script(picker);
      return picker.result();
    });
  }
  static void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    field->insert(text);
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  QPoint Expected(const QWidget& picker) const {
    return QPoint(form->x() + form->width() / 2 - picker.width() / 2, form->y() + 14);
  }

  Settings settings;
  PanelList panels;
  PartList parts;
  std::vector<std::string> designations;
  std::vector<std::string> references;
  EngineContext engine;
  MarginsBlock margins;
  UNITE_MESURE unit;  // millimetres
  Names shop{"Etagère", "Montant"};
  CharacteristicList characteristics;
  ScriptedPrompts prompts;
  RecordingHelp help;
  TFGestDesPieces designationPicker{prompts, help};
  TFGestDonneesPanneaux characteristicPicker{prompts, help};
  std::unique_ptr<TSelPieces> form;
  QPoint pickerAt;
};

struct DesignationScriptCase {
  const char* name;
  std::function<void(TFGestDesPieces&)> script;
  const char* shown;  // the part's designation field afterwards
  Names shopAfter;
  std::uint8_t changed;  // the form's DesignationsChanged
  QStringList notices;
};

// In pick mode the add and delete buttons stay disabled; a new name typed is added and taken, a
// row clicked is taken, a close takes nothing, a name a part cannot hold is refused in the
// picker. The finish stores what the field shows.
TEST_F(PartFormWithPickers, TheDesignationsManagerPicksForThePart) {
  const DesignationScriptCase cases[] = {
      {"new name",
       [](TFGestDesPieces& p) {
         Type(p.EdtDesPiece, QStringLiteral("Traverse"));
         Click(p.BtnOK);
       },
       "Traverse", {"Etagère", "Montant", "Traverse"}, 1, {}},
      {"row clicked",
       [](TFGestDesPieces& p) {
         ClickRow(*p.LbDesPieces, 1);
         Click(p.BtnOK);
       },
       "Montant", {"Etagère", "Montant"}, 0, {}},
      {"closed",
       [](TFGestDesPieces& p) {
         Type(p.EdtDesPiece, QStringLiteral("Traverse"));
         p.close();
       },
       "Piece1", {"Etagère", "Montant"}, 0, {}},
      {"too long, then closed",
       [](TFGestDesPieces& p) {
         Type(p.EdtDesPiece, QString(50, QLatin1Char('x')));
         Click(p.BtnOK);
         EXPECT_TRUE(p.isVisible());
         p.close();
       },
       "Piece1", {"Etagère", "Montant"}, 0, {Text(17)}},
  };
  for (const DesignationScriptCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    shop = {"Etagère", "Montant"};
    Open();
    std::string buttons;
    Script<TFGestDesPieces>([&](TFGestDesPieces& p) {
      buttons = std::string(p.BtnAjouter->isEnabled() ? "1" : "0") +
                (p.BtnSupprimer->isEnabled() ? "1" : "0");
      c.script(p);
    });
    Click(form->BitBtnDesignation);
    EXPECT_TRUE(prompts.Exhausted());
    ASSERT_EQ(prompts.Of(Kind::Modal).size(), 1u);
    EXPECT_EQ(prompts.Of(Kind::Modal)[0].text, QStringLiteral("FGestDesPieces"));
    EXPECT_EQ(pickerAt, Expected(designationPicker));
    EXPECT_EQ(buttons, "00");
    EXPECT_EQ(prompts.NoticeTexts(), c.notices);
    EXPECT_EQ(form->EdtDesignation->text().toStdString(), c.shown);
    EXPECT_EQ(shop, c.shopAfter);
    EXPECT_EQ(form->DesignationsChanged, c.changed);
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_EQ(designations, Names{c.shown});
  }
}

struct CharacteristicScriptCase {
  const char* name;
  std::uint8_t thickerStock;
  int row;      // clicked in the picker
  bool ok;      // OK, or the close box
  std::vector<std::string> fields;  // essence, sens, épaisseur shown by the picker
  int grain;    // the part afterwards
  double thickness;
  int species;
};

// A row picked gives the part the panel's grain and species and, without the thickness margin,
// its thickness; the picker shows the same; a close gives nothing.
TEST_F(PartFormWithPickers, TheCharacteristicsPickerGivesThePanelsValues) {
  const CharacteristicScriptCase cases[] = {
      {"22 mm beech", 0, 2, true, {"Hêtre", "Vertical", "22"}, GrainVertical, 220, 1},
      {"19 mm beech", 0, 1, true, {"Hêtre", "Horizontal", "19"}, GrainHorizontal, 190, 1},
      {"thickness margin", 1, 2, true, {"Hêtre", "Vertical", ""}, GrainVertical, 190, 1},
      {"closed", 0, 2, false, {"Hêtre", "Vertical", "22"}, GrainIndifferent, 190, 0},
  };
  for (const CharacteristicScriptCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    Open(c.thickerStock);
    std::vector<std::string> fields;
    std::vector<std::string> rows;
    Script<TFGestDonneesPanneaux>([&](TFGestDonneesPanneaux& p) {
      for (int i = 0; i < p.LbCaract->count(); ++i)
        rows.push_back(p.LbCaract->item(i)->text().toStdString());
      ClickRow(*p.LbCaract, c.row);
      fields = {p.EdtEssence->text().toStdString(), p.EdtSens->text().toStdString(),
                p.EdtEpaisseur->text().toStdString()};
      if (c.ok) {
        Click(p.BtnOK);
      } else {
        p.close();
      }
    });
    // The three characteristics buttons open the same picker; the thickness one is disabled
    // when the thickness is typed.
    Click(c.thickerStock ? form->BitBtnEssence : form->BitBtnEpaisseur);
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(pickerAt, Expected(characteristicPicker));
    EXPECT_EQ(rows, (std::vector<std::string>{"2800x2070x19 - chêne - horizontal",
                                              "2800x2070x19 - hêtre - horizontal",
                                              "2500x1250x22 - hêtre - vertical"}));
    EXPECT_EQ(fields, c.fields);
    EXPECT_TRUE(prompts.NoticeTexts().isEmpty());
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Grain, c.grain);
    EXPECT_EQ(parts[0].Thickness, c.thickness);
    EXPECT_EQ(parts[0].Species, c.species);
  }
}

}  // namespace
}  // namespace tranchex::test
