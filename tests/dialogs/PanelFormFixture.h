#pragma once
// The stock panel form on the offscreen platform, with a panel list, a part list and settings of
// the test's own, scripted prompts and a picker to plug in. Fields are typed into and left with
// Tab, buttons clicked with the mouse, as a person does.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "dialogs/SizePicker.h"
#include "dialogs/USelPanneaux.h"
#include "platform/Bitmaps.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {

// A stock panel record as the job holds one.
inline Panneau_p StockPanel(double length, double width, int quantity = 1,
                            int grain = GrainIndifferent, double thickness = 190.0,
                            int species = 0) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = quantity;
  return p;
}

// Panels in entry order, each with its position as entry index.
inline PanelList Stock(std::initializer_list<Panneau_p> panels) {
  PanelList list(panels);
  for (std::size_t i = 0; i < list.size(); ++i) SetPanelEntryIndex(list[i], static_cast<int>(i));
  return list;
}

inline TPiece JobPart(double length, double width, int grain = GrainIndifferent,
                      double thickness = 190.0, int species = 0) {
  TPiece p(length, width, thickness, species);
  p.Grain = grain;
  return p;
}

// A picker that answers as told and records what it was handed.
class FakePicker : public SizePicker {
 public:
  SizePickerOutput Pick(const SizePickerInput& input, QWidget& /*caller*/) override {
    inputs.push_back(input);
    return answer;
  }
  SizePickerOutput answer;
  std::vector<SizePickerInput> inputs;
};

inline bool ShowsPicture(const QLabel* image, const char* name) {
  return image->pixmap().toImage() == LoadNamedBitmap(QString::fromLatin1(name)).toImage();
}

// The range text of a refused value, for the bound given ("6000 mm", "100000").
inline QString RangeText(const QString& upper, const QString& lower = QStringLiteral("0")) {
  return QStringLiteral(
             "Vous devez saisir une valeur comprise entre %1 et %2 et utiliser pour les nombres "
             "décimaux le séparateur décimal paramétré dans les options régionales et "
             "linguistiques de votre ordinateur.")
      .arg(lower, upper);
}

class PanelFormTest : public ::testing::Test {
 protected:
  void SetUp() override { settings = TestSettings(); }

  // The form as the main window shows it: members written, the first record shown, shown.
  void Open(int kind = 2, bool modify = false) {
    form = std::make_unique<TSelPanneaux>(settings, prompts, help);
    form->JobKind = kind;
    form->SpeciesList = &settings.SpeciesNames;
    form->AddSpecies = AppendingAdder(settings.SpeciesNames);
    form->PanelList = &panels;
    form->PartList = &parts;
    form->PanelSizeList = &settings.PanelSizes;
    form->Margins = margins;
    form->ModifyMode = modify ? 1 : 0;
    form->ImportPending = importPending;
    form->ImportGrain = importGrain;
    form->Unit = unit;
    form->Picker = picker;
    form->ShowPanelRecord();
    ShowActive(*form);
  }

  // Types into a field as a person does: all its text replaced.
  void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    if (!text.isEmpty()) QTest::keyClicks(field, text);
  }
  // Typed, then left with Tab.
  void Enter(QLineEdit* field, const QString& text) {
    Type(field, text);
    PressTab(field);
  }
  void EnterSpecies(const QString& text) {
    form->CbxEssence->setFocus();
    QLineEdit* edit = form->CbxEssence->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Typed key by key where the keyboard has the keys; a name in another script is put in as
    // an input method would.
    bool ascii = true;
    for (const QChar ch : text) ascii = ascii && ch.unicode() < 0x80;
    if (ascii) {
      QTest::keyClicks(edit, text);
    } else {
      edit->insert(text);
    }
    PressTab(form->CbxEssence);
  }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  // Enabled states of first, previous, next, last, new, delete, as "1" / "0".
  std::string Buttons() const {
    std::string s;
    for (const QPushButton* b : {form->BtnPremier, form->BtnPred, form->BtnSuivant,
                                 form->BtnDernier, form->BtnNouveau, form->BtnSupprimer})
      s += b->isEnabled() ? '1' : '0';
    return s;
  }
  QString Counter() const { return form->EdtCompteur->text(); }

  Settings settings;
  PanelList panels;
  PartList parts;
  MarginsBlock margins;
  UNITE_MESURE unit;  // millimetres
  std::uint8_t importPending = 0;
  std::int32_t importGrain = -1;
  SizePicker* picker = nullptr;
  ScriptedPrompts prompts;
  RecordingHelp help;
  std::unique_ptr<TSelPanneaux> form;
};

}  // namespace tranchex::test
