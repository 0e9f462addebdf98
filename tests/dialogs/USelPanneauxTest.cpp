// The stock panel form, inside one record: what a record shows, the checks of its fields, the
// grain picture, the species box and the standard-size picker.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>

#include "dialogs/PanelFormFixture.h"
#include "job/JobRecordChecks.h"

namespace tranchex::test {
namespace {

using Form = PanelFormTest;

// ---- The record shown ---------------------------------------------------------------------

TEST_F(Form, AnEmptyListGetsOneDefaultRecord) {
  struct Case {
    int kind;
    bool grainEnabled;
    const char* thicknessText;
    int grain;
    const char* picture;
  };
  const Case cases[] = {
      {1, true, "", GrainHorizontal, "sens_horiz"},
      {2, true, "10", GrainHorizontal, "sens_horiz"},
      {2, false, "10", GrainIndifferent, "sens_non"},
      {1, false, "", GrainIndifferent, "sens_non"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " grain " << c.grainEnabled);
    panels.clear();
    settings.GrainDirectionEnabled = c.grainEnabled ? 1 : 0;
    Open(c.kind);
    ASSERT_EQ(panels.size(), 1u);
    const Panneau_p& p = panels[0];
    EXPECT_EQ(p.Length, 25000.0);
    EXPECT_EQ(p.Width, 12500.0);
    EXPECT_EQ(p.Area, 25000.0 * 12500.0);
    EXPECT_EQ(p.Rect, TRect(0, 12500, 25000, 0));
    EXPECT_EQ(p.Thickness, 100.0);
    EXPECT_EQ(p.Quantity, 1);
    EXPECT_EQ(p.Species, 0);
    EXPECT_EQ(p.Grain, c.grain);
    EXPECT_EQ(p.EntryIndex, 0);
    EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2500"));
    EXPECT_EQ(form->EdtLargeur->text(), QStringLiteral("1250"));
    EXPECT_EQ(form->EdtNb->text(), QStringLiteral("1"));
    EXPECT_EQ(form->EdtEpaisseur->text(), QString::fromLatin1(c.thicknessText));
    EXPECT_EQ(form->CbxSens->currentIndex(), c.grain);
    EXPECT_EQ(form->CbxSens->isEnabled(), c.grainEnabled);
    EXPECT_TRUE(ShowsPicture(form->Image, c.picture));
    EXPECT_EQ(Counter(), QStringLiteral("1"));
    EXPECT_EQ(Buttons(), "000010");  // only "Nouveau"
    EXPECT_TRUE(form->BtnAnnul->isEnabled());
    EXPECT_TRUE(form->BtnTerminer->isEnabled());
    // Thickness and species are entered in a complex job only.
    EXPECT_EQ(form->EdtEpaisseur->isEnabled(), c.kind == 2);
    EXPECT_EQ(form->CbxEssence->isEnabled(), c.kind == 2);
    if (c.kind == 2) {
      EXPECT_EQ(form->CbxEssence->currentText(), QStringLiteral("Chêne"));
    }
    form->hide();
  }
}

TEST_F(Form, ARecordShowsItsValuesInTheUnitAndItsGrainPicture) {
  panels = Stock({StockPanel(28000, 20700, 3, GrainVertical, 190, 1),
                  StockPanel(25005, 12500, 1, GrainIndifferent, 160, 2)});
  unit = UNITE_MESURE{100.0, "cm", ""};
  Open(2);
  EXPECT_EQ(form->lblLongueur->text(), QStringLiteral("Longueur en cm"));
  EXPECT_EQ(form->lblLargeur->text(), QStringLiteral("Largeur en cm"));
  EXPECT_EQ(form->lblEpaisseur->text(), QStringLiteral("Epaisseur en cm"));
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("280"));
  EXPECT_EQ(form->EdtLargeur->text(), QStringLiteral("207"));
  EXPECT_EQ(form->EdtEpaisseur->text(), QStringLiteral("1,9"));
  EXPECT_EQ(form->EdtNb->text(), QStringLiteral("3"));
  EXPECT_EQ(form->CbxEssence->currentText(), QStringLiteral("Hêtre"));
  EXPECT_EQ(form->CbxSens->currentText(), QStringLiteral("Vertical"));
  EXPECT_TRUE(ShowsPicture(form->Image, "sens_vert"));
  EXPECT_EQ(Buttons(), "001111");
  Click(form->BtnSuivant);
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("250,05"));
  EXPECT_EQ(form->CbxEssence->currentText(), QStringLiteral("Pin"));
  EXPECT_TRUE(ShowsPicture(form->Image, "sens_non"));
  EXPECT_EQ(Counter(), QStringLiteral("2"));  // the position only, never a total
  // Nothing was edited: the records are as they were.
  EXPECT_EQ(panels[0].Species, 1);
  EXPECT_EQ(panels[1].Length, 25005.0);
}

// A species index with no name in the list (a job from another machine) shows an empty box,
// not the name of the record shown before it, and leaving the box keeps the record's index.
TEST_F(Form, ASpeciesWithoutANameShowsNoneAndIsKept) {
  panels = Stock({StockPanel(28000, 20700, 1, GrainIndifferent, 190, 1),
                  StockPanel(20000, 10000, 1, GrainIndifferent, 190, 7)});
  Open(2);
  ASSERT_EQ(form->CbxEssence->currentText(), QStringLiteral("Hêtre"));
  Click(form->BtnSuivant);
  EXPECT_EQ(form->CbxEssence->currentText(), QString());
  EnterSpecies(QString());
  EXPECT_EQ(form->SpeciesEdited, 1);
  Click(form->BtnPred);
  EXPECT_EQ(panels[1].Species, 7);
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(Form, TheCountFieldIsLockedUntilItsBoxIsTicked) {
  panels = Stock({StockPanel(28000, 20700, 2), StockPanel(20000, 10000, 5)});
  Open(2);
  EXPECT_FALSE(form->ChbNbPanneaux->isChecked());
  EXPECT_FALSE(form->EdtNb->isEnabled());
  Click(form->ChbNbPanneaux);
  EXPECT_TRUE(form->EdtNb->isEnabled());
  // Moving keeps it unlocked; a new showing locks it again.
  Click(form->BtnSuivant);
  EXPECT_TRUE(form->ChbNbPanneaux->isChecked());
  EXPECT_TRUE(form->EdtNb->isEnabled());
  form->hide();
  form->ShowPanelRecord();
  EXPECT_FALSE(form->ChbNbPanneaux->isChecked());
  EXPECT_FALSE(form->EdtNb->isEnabled());
}

// ---- Field checks -------------------------------------------------------------------------

// Each field at its bounds: the value taken pending, or refused with its message and the stored
// value shown and pending again. The record itself changes only when it is left.
TEST_F(Form, EachFieldTakesItsBoundsAndRefusesBeyond) {
  struct Case {
    const char* field;
    const char* typed;
    bool accepted;
    QString message;      // when refused
    const char* shown;    // the field's text afterwards
    double pending;       // the pending value afterwards
  };
  const QString length = QStringLiteral("Valeur non valide pour une longueur !\n");
  const QString width = QStringLiteral("Valeur non valide pour une largeur !\n");
  const QString thickness = QStringLiteral("Valeur non valide pour une épaisseur !\n");
  const QString count = QStringLiteral("Valeur non valide pour un nombre !");
  const Case cases[] = {
      {"EdtLongueur", "6000", true, {}, "6000", 60000},
      {"EdtLongueur", "6000,1", false, length + RangeText(QStringLiteral("6000 mm")), "2800", 28000},
      {"EdtLongueur", "0", false, length + RangeText(QStringLiteral("6000 mm")), "2800", 28000},
      {"EdtLongueur", "", false, length + RangeText(QStringLiteral("6000 mm")), "2800", 28000},
      {"EdtLongueur", "12.5", false, length + RangeText(QStringLiteral("6000 mm")), "2800", 28000},
      {"EdtLongueur", "1200,06", true, {}, "1200,1", 12001},
      {"EdtLargeur", "6000", true, {}, "6000", 60000},
      {"EdtLargeur", "6000,1", false, width + RangeText(QStringLiteral("6000 mm")), "2070", 20700},
      {"EdtEpaisseur", "150", true, {}, "150", 1500},
      {"EdtEpaisseur", "150,05", false, thickness + RangeText(QStringLiteral("150 mm")), "19", 190},
      {"EdtEpaisseur", "-1", false, thickness + RangeText(QStringLiteral("150 mm")), "19", 190},
      {"EdtNb", "100000", true, {}, "100000", 100000},
      {"EdtNb", "1", true, {}, "1", 1},
      // A count of 0 is refused: the range names the counts taken, 1 to 100000.
      {"EdtNb", "100001", false,
       count + QStringLiteral("\n") + RangeText(QStringLiteral("100000"), QStringLiteral("1")), "3",
       3},
      {"EdtNb", "0", false, count, "3", 3},
      {"EdtNb", "-2", false, count, "3", 3},
      {"EdtNb", "2,5", false, count, "3", 3},
      {"EdtNb", "", false, count, "3", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " \"" + c.typed + "\"");
    panels = Stock({StockPanel(28000, 20700, 3, GrainIndifferent, 190, 0)});
    prompts.asked.clear();
    Open(2);
    Click(form->ChbNbPanneaux);
    auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(c.field));
    Enter(field, QString::fromLatin1(c.typed));
    const std::string name = c.field;
    const double pending = name == "EdtLongueur"    ? form->PendingLength
                           : name == "EdtLargeur"   ? form->PendingWidth
                           : name == "EdtEpaisseur" ? form->PendingThickness
                                                    : form->PendingCount;
    const int dirty = name == "EdtLongueur"    ? form->LengthDirty
                      : name == "EdtLargeur"   ? form->WidthDirty
                      : name == "EdtEpaisseur" ? form->ThicknessDirty
                                               : form->CountDirty;
    EXPECT_EQ(field->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(pending, c.pending);
    EXPECT_EQ(dirty, c.accepted ? 1 : 0);
    if (c.accepted) {
      EXPECT_TRUE(prompts.asked.empty());
    } else {
      ASSERT_EQ(prompts.asked.size(), 1u);
      EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Valeur non valide"));
      EXPECT_EQ(prompts.asked[0].text, c.message);
      EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
      EXPECT_TRUE(field->hasFocus());
    }
    // Nothing reaches the record before it is left.
    EXPECT_EQ(panels[0].Length, 28000.0);
    EXPECT_EQ(panels[0].Quantity, 3);
    EXPECT_EQ(panels[0].Thickness, 190.0);
    form->hide();
  }
}

TEST_F(Form, TheLargestLengthIsTheOptionsOneInTheUnit) {
  settings.MaxLength = 30000.0;
  unit = UNITE_MESURE{100.0, "cm", ""};
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  Enter(form->EdtLongueur, QStringLiteral("300,01"));
  ASSERT_EQ(prompts.NoticeTexts().size(), 1);
  EXPECT_EQ(prompts.NoticeTexts()[0], QStringLiteral("Valeur non valide pour une longueur !\n") +
                                          RangeText(QStringLiteral("300 cm")));
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("280"));
  Enter(form->EdtLongueur, QStringLiteral("300"));
  EXPECT_EQ(form->PendingLength, 30000.0);
  EXPECT_EQ(prompts.NoticeTexts().size(), 1);
}

// An exit without a change of text reads nothing and marks nothing.
TEST_F(Form, AFieldLeftUnchangedIsNotRead) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  form->EdtLongueur->setFocus();
  PressTab(form->EdtLongueur);
  EXPECT_EQ(form->LengthDirty, 0);
  EXPECT_TRUE(prompts.asked.empty());
}

// ---- Grain ----------------------------------------------------------------------------------

TEST_F(Form, AGrainChosenShowsItsPictureAndIsWrittenWhenTheRecordIsLeft) {
  panels = Stock({StockPanel(28000, 20700, 1, GrainHorizontal), StockPanel(20000, 10000)});
  Open(2);
  // Chosen from the keyboard, as a person does.
  const struct {
    Qt::Key key;
    int index;
    const char* picture;
  } choices[] = {{Qt::Key_End, GrainIndifferent, "sens_non"},
                 {Qt::Key_Up, GrainVertical, "sens_vert"},
                 {Qt::Key_Home, GrainHorizontal, "sens_horiz"},
                 {Qt::Key_End, GrainIndifferent, "sens_non"}};
  form->CbxSens->setFocus();
  for (const auto& c : choices) {
    QTest::keyClick(form->CbxSens, c.key);
    EXPECT_EQ(form->CbxSens->currentIndex(), c.index);
    EXPECT_TRUE(ShowsPicture(form->Image, c.picture)) << c.picture;
    EXPECT_EQ(form->GrainDirty, 1);
  }
  EXPECT_EQ(panels[0].Grain, GrainHorizontal);
  Click(form->BtnSuivant);
  EXPECT_EQ(panels[0].Grain, GrainIndifferent);
}

TEST_F(Form, WithoutGrainDirectionEveryRecordIsIndifferent) {
  settings.GrainDirectionEnabled = 0;
  panels = Stock({StockPanel(28000, 20700, 1, GrainIndifferent)});
  Open(1);
  EXPECT_FALSE(form->CbxSens->isEnabled());
  EXPECT_FALSE(form->lblSens->isEnabled());
  Click(form->BtnNouveau);
  EXPECT_EQ(panels[1].Grain, GrainIndifferent);
  EXPECT_EQ(form->CbxSens->currentIndex(), GrainIndifferent);
  EXPECT_FALSE(form->CbxSens->isEnabled());
}

// The modification that ends an import: the grain the parts share goes to a new record and the
// grain box is free whatever the options; in a simple job a new record takes the first part's
// thickness.
TEST_F(Form, TheImportFlowGivesNewRecordsThePartsGrainAndThickness) {
  settings.GrainDirectionEnabled = 0;
  panels = Stock({StockPanel(28000, 20700, 1, GrainIndifferent, 190)});
  parts = {JobPart(6000, 4000, GrainVertical, 220), JobPart(3000, 2000, GrainVertical, 190)};
  importPending = 1;
  importGrain = GrainVertical;
  Open(1, true);
  EXPECT_TRUE(form->CbxSens->isEnabled());
  Click(form->BtnNouveau);
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(panels[1].Grain, GrainVertical);
  EXPECT_EQ(panels[1].Thickness, 220.0);
  EXPECT_TRUE(ShowsPicture(form->Image, "sens_vert"));
  EXPECT_TRUE(form->CbxSens->isEnabled());
  // Shown later for a new job, none of this applies.
  form->hide();
  panels.clear();
  form->ImportPending = 0;
  form->ImportGrain = -1;
  form->ModifyMode = 0;
  form->ShowPanelRecord();
  EXPECT_FALSE(form->CbxSens->isEnabled());
  Click(form->BtnNouveau);
  EXPECT_EQ(panels[1].Grain, GrainIndifferent);
  EXPECT_EQ(panels[1].Thickness, 100.0);
}

// ---- Species --------------------------------------------------------------------------------

TEST_F(Form, ASpeciesTypedJoinsTheListOnlyWhenTheUserSaysSo) {
  struct Case {
    const char* what;
    QString typed;
    std::vector<PromptAnswer> answers;  // to the question "Nouvelle essence"
    bool refused;                       // a name the species file cannot hold
    std::vector<std::string> list;      // the species list afterwards
    int stored;                         // the record's species once left
    QString shown;                      // the box afterwards
  };
  const std::vector<std::string> three = {"Chêne", "Hêtre", "Pin"};
  const std::string fifty(50, 'x');
  const Case cases[] = {
      {"a listed name", QStringLiteral("Pin"), {}, false, three, 2, QStringLiteral("Pin")},
      {"another letter case, added", QStringLiteral("pin"), {PromptAnswer::Yes}, false,
       {"Chêne", "Hêtre", "Pin", "pin"}, 3, QStringLiteral("pin")},
      {"a new name declined", QStringLiteral("Noyer"), {PromptAnswer::No}, false, three, 1,
       QStringLiteral("Hêtre")},
      {"a question left unanswered", QStringLiteral("Noyer"), {PromptAnswer::Cancel}, false, three,
       1, QStringLiteral("Hêtre")},
      {"emptied", QString(), {}, false, three, 1, QStringLiteral("Hêtre")},
      {"50 characters", QString::fromStdString(fifty), {}, true, three, 1, QStringLiteral("Hêtre")},
      {"a character outside Windows-1252", QStringLiteral("Cèdre 日本"), {}, true, three, 1,
       QStringLiteral("Hêtre")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings.SpeciesNames = three;
    panels = Stock({StockPanel(28000, 20700, 1, GrainIndifferent, 190, 1), StockPanel(20000, 10000)});
    prompts.asked.clear();
    prompts.answers.assign(c.answers.begin(), c.answers.end());
    Open(2);
    EnterSpecies(c.typed);
    EXPECT_EQ(settings.SpeciesNames, c.list);
    EXPECT_EQ(form->SpeciesChanged, c.list.size() > 3 ? 1 : 0);
    EXPECT_EQ(form->SpeciesEdited, 1);
    EXPECT_EQ(form->CbxEssence->currentText(), c.shown);
    EXPECT_TRUE(prompts.Exhausted());
    if (!c.answers.empty()) {
      ASSERT_EQ(prompts.Of(ScriptedPrompts::Kind::Ask).size(), 1u);
      EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Nouvelle essence"));
      EXPECT_EQ(prompts.asked[0].text,
                QStringLiteral("Voulez-vous ajouter cette essence à la liste des essences ?"));
    }
    if (c.refused) {
      ASSERT_EQ(prompts.asked.size(), 1u);
      EXPECT_EQ(prompts.asked[0].kind, ScriptedPrompts::Kind::Notice);
      EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Nouvelle essence"));
      EXPECT_EQ(prompts.asked[0].text,
                QString::fromStdString(*SpeciesNameRefusal(c.typed.toStdString())));
    }
    if (c.answers.empty() && !c.refused) {
      EXPECT_TRUE(prompts.asked.empty());
    }
    Click(form->BtnSuivant);
    EXPECT_EQ(panels[0].Species, c.stored);
    form->hide();
  }
}

TEST_F(Form, ASpeciesChosenFromTheListIsStored) {
  panels = Stock({StockPanel(28000, 20700), StockPanel(20000, 10000)});
  Open(2);
  form->CbxEssence->setFocus();
  form->CbxEssence->setCurrentIndex(2);
  PressTab(form->CbxEssence);
  Click(form->BtnSuivant);
  EXPECT_EQ(panels[0].Species, 2);
  EXPECT_EQ(panels[1].Species, 0);
}

// ---- Standard-size picker -------------------------------------------------------------------

TEST_F(Form, WithoutAPickerTheSizeButtonsAreDisabledAndTheRightButtonOpensNothing) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  for (QToolButton* b : {form->BitBtnLongueur, form->BitBtnLargeur, form->BitBtnEpaisseur})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  QTest::mouseClick(form->EdtLongueur, Qt::RightButton);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->LengthDirty, 0);
}

TEST_F(Form, APickedSizeFillsTheFieldsAndCountsAsAnEdit) {
  struct Case {
    int kind;
    bool thicknessGiven;
    int context;
    const char* thicknessShown;
    double thickness;
  };
  for (const Case c : {Case{2, true, 2, "18", 180}, Case{2, false, 2, "19", 190},
                       Case{1, true, 1, "", 190}}) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " thickness " << c.thicknessGiven);
    FakePicker fake;
    fake.answer = {1, 24400, 12200, 180, c.thicknessGiven, 1};
    picker = &fake;
    panels = Stock({StockPanel(28000, 20700), StockPanel(20000, 10000)});
    Open(c.kind);
    EXPECT_TRUE(form->BitBtnLongueur->isEnabled());
    EXPECT_EQ(form->BitBtnEpaisseur->isEnabled(), c.kind == 2);
    Click(form->BitBtnLargeur);
    ASSERT_EQ(fake.inputs.size(), 1u);
    const SizePickerInput& in = fake.inputs[0];
    EXPECT_EQ(in.SizeList, &settings.PanelSizes);
    EXPECT_EQ(in.SizePanelList, nullptr);
    EXPECT_EQ(in.SizeJobKind, c.kind);
    EXPECT_EQ(in.SizePickMode, 1);
    EXPECT_EQ(in.SizeContext, c.context);
    EXPECT_EQ(in.SizeLength, 28000);
    EXPECT_EQ(in.SizeWidth, 20700);
    EXPECT_EQ(in.SizeThickness, c.kind == 2 ? 190 : 0);  // an empty field hands 0
    EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2440"));
    EXPECT_EQ(form->EdtLargeur->text(), QStringLiteral("1220"));
    EXPECT_EQ(form->EdtEpaisseur->text(), QString::fromLatin1(c.thicknessShown));
    EXPECT_EQ(form->PanelSizesChanged, 1);
    Click(form->BtnSuivant);
    EXPECT_EQ(panels[0].Length, 24400.0);
    EXPECT_EQ(panels[0].Width, 12200.0);
    EXPECT_EQ(panels[0].Rect, TRect(0, 12200, 24400, 0));
    EXPECT_EQ(panels[0].Thickness, c.thickness);
    form->hide();
  }
}

// A panel of 2805 x 1254,4 x 19,5 mm shown rounded in the unit ("2,81 x 1,25 x 0,02" in metres):
// tabbed through, it stays as it was; a standard size of 2805 x 1244 x 19,5 mm picked and then
// tabbed through is stored as listed. In every unit.
TEST_F(Form, SizesPassedThroughOrPickedAreKeptInEveryUnit) {
  const UNITE_MESURE units[] = {UNITE_MESURE{10.0, "mm", ""}, UNITE_MESURE{100.0, "cm", ""},
                                UNITE_MESURE{10000.0, "m", ""},
                                UNITE_MESURE{254.0, "pouces", ""}};
  for (const UNITE_MESURE& u : units) {
    SCOPED_TRACE(u.Abbreviation);
    prompts = ScriptedPrompts();
    FakePicker fake;
    fake.answer = {1, 28050, 12440, 195, true, 0};
    picker = &fake;
    unit = u;
    panels = Stock({StockPanel(28050, 12544, 1, GrainHorizontal, 195),
                    StockPanel(20000, 10000, 1, GrainHorizontal, 190)});
    Open(2);
    for (QLineEdit* field : {form->EdtLongueur, form->EdtLargeur, form->EdtEpaisseur}) {
      field->setFocus();
      PressTab(field);
    }
    Click(form->BtnSuivant);
    Click(form->BitBtnLongueur);
    for (QLineEdit* field : {form->EdtLongueur, form->EdtLargeur, form->EdtEpaisseur}) {
      field->setFocus();
      PressTab(field);
    }
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(panels[0].Length, 28050.0);
    EXPECT_EQ(panels[0].Width, 12544.0);
    EXPECT_EQ(panels[0].Thickness, 195.0);
    EXPECT_EQ(panels[1].Length, 28050.0);
    EXPECT_EQ(panels[1].Width, 12440.0);
    EXPECT_EQ(panels[1].Thickness, 195.0);
    form->hide();
  }
}

TEST_F(Form, TheRightButtonOnASizeFieldOpensThePickerAfterCheckingWhatWasTyped) {
  FakePicker fake;  // the user closes it without choosing
  picker = &fake;
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  Type(form->EdtLongueur, QStringLiteral("abc"));
  QTest::mouseClick(form->EdtLongueur, Qt::RightButton);
  // The bad length is refused and the stored one comes back before the picker opens.
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{QStringLiteral("Valeur non valide pour une longueur !\n") +
                        RangeText(QStringLiteral("6000 mm"))});
  ASSERT_EQ(fake.inputs.size(), 1u);
  EXPECT_EQ(fake.inputs[0].SizeLength, 28000);
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2800"));
  EXPECT_EQ(form->LengthDirty, 0);
  EXPECT_EQ(form->PanelSizesChanged, 0);
  // A value typed and accepted is handed as it stands.
  Type(form->EdtLargeur, QStringLiteral("2000"));
  QTest::mouseClick(form->EdtEpaisseur, Qt::RightButton);
  ASSERT_EQ(fake.inputs.size(), 2u);
  EXPECT_EQ(fake.inputs[1].SizeWidth, 20000);
}

// ---- Texts ----------------------------------------------------------------------------------

TEST_F(Form, CaptionsAndHintsReadAsTheShopExpects) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  const struct {
    QString shown;
    const char* expected;
  } texts[] = {
      {form->windowTitle(), "Sélection des panneaux"},
      {form->BtnPremier->text(), "|<  Premier"},
      {form->BtnPred->text(), "< Preced"},
      {form->BtnSuivant->text(), "Suivant >"},
      {form->BtnDernier->text(), "Dernier  >|"},
      {form->BtnNouveau->text(), "Nouveau"},
      {form->BtnSupprimer->text(), "Supprimer"},
      {form->BtnAnnul->text(), "Annuler"},
      {form->BtnTerminer->text(), "Terminer"},
      {form->ChbNbPanneaux->text(), "Saisie du nombre"},
      {form->lblNb->text(), "Nombre"},
      {form->lblSens->text(), "Sens"},
      {form->lblEssence->text(), "Essence"},
      {form->GpbDebitComplexe->title(), "Débit complexe"},
      {form->BitBtnLongueur->toolTip(),
       "Cliquez sur le bouton droit de la souris pour sélectionner les dimensions dans la liste"},
      {form->BitBtnLargeur->toolTip(), "Choisir les dimensions dans la liste des dimensions standard"},
      {form->BitBtnEpaisseur->toolTip(), "Choisir l'épaisseur dans la liste des dimensions standard"},
  };
  for (const auto& t : texts) EXPECT_EQ(t.shown, QString::fromUtf8(t.expected));
  const QStringList grains = {QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                              QStringLiteral("Indifférent")};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(form->CbxSens->itemText(i), grains[i]);
}

TEST_F(Form, TheShopsOwnWordsReachTheCaptionAtTheNextShowing) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  form->hide();
  settings.WordPanels = "Plateaux";
  form->ShowPanelRecord();
  ShowActive(*form);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Sélection des plateaux"));
}

// No caption is cut: every label, box and button is at least as wide as its text needs, with the
// longest unit.
TEST_F(Form, NoTextIsCut) {
  unit = UNITE_MESURE{254.0, "pouces", ""};
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w)) continue;
    EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
    EXPECT_GE(w->height(), w->minimumSizeHint().height()) << w->objectName().toStdString();
  }
}

TEST_F(Form, F1OpensItsHelpAndEscapeCancels) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  QTest::keyClick(form.get(), Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{1030});
  form->Finished = 1;
  QTest::keyClick(form->EdtLargeur, Qt::Key_Escape);
  EXPECT_EQ(form->Finished, 0);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace tranchex::test
