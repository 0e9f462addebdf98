// The part entry form on the offscreen platform: the size bounds by grain, the record display and
// navigation, the swap question, the finish, the delete, the reference and count checks. Fields
// are typed into and left with Tab, buttons clicked with the mouse, as a person does.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/CharacteristicPicker.h"
#include "dialogs/DesignationPicker.h"
#include "dialogs/DialogKit.h"
#include "dialogs/SizePicker.h"
#include "dialogs/USelPieces.h"
#include "job/JobRecordChecks.h"
#include "job/ListTexts.h"
#include "job/PanelCharacteristics.h"
#include "platform/Bitmaps.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

Panneau_p Stock(double length, double width, int grain, double thickness = 190.0) {
  Panneau_p p(length, width, thickness, 0);
  p.Grain = grain;
  p.Quantity = 1;
  return p;
}

TPiece Part(double length, double width, int grain, int quantity = 1) {
  TPiece p(length, width, 190.0, 0);
  p.Grain = grain;
  p.Quantity = quantity;
  PanelFromDimensions(p);
  return p;
}

// 2800 x 2070 horizontal and 2500 x 1250 vertical; only horizontal panels; only vertical ones.
PanelList BothGrains() { return {Stock(28000, 20700, 0), Stock(25000, 12500, 1)}; }
PanelList HorizontalOnly() { return {Stock(28000, 20700, 0), Stock(20000, 10000, 0)}; }
PanelList VerticalOnly() { return {Stock(28000, 20700, 1)}; }

struct BoundCase {
  const char* stock;
  bool length;
  int grain;
  double bound;
  bool fromGrain;
};

TEST(PartSizeBounds, FollowTheGrainAndTheStock) {
  const BoundCase cases[] = {
      {"both", true, 0, 28000, false},      {"both", true, 1, 28000, false},
      {"both", true, 2, 28000, true},       {"both", false, 0, 20700, false},
      {"both", false, 1, 20700, false},     {"both", false, 2, 28000, true},
      {"horizontal", true, 0, 28000, false}, {"horizontal", true, 1, 20700, true},
      {"horizontal", true, 2, 28000, true},  {"horizontal", false, 0, 20700, false},
      {"horizontal", false, 1, 28000, true}, {"horizontal", false, 2, 28000, true},
      {"vertical", true, 0, 28000, true},    {"vertical", false, 0, 20700, true},
      {"vertical", true, 1, 28000, false},   {"vertical", false, 1, 20700, false},
  };
  for (const BoundCase& c : cases) {
    const std::string stock = c.stock;
    const PanelList panels = stock == "both"         ? BothGrains()
                             : stock == "horizontal" ? HorizontalOnly()
                                                     : VerticalOnly();
    const auto bound = c.length ? PartLengthBound(panels, c.grain) : PartWidthBound(panels, c.grain);
    SCOPED_TRACE(stock + (c.length ? " length" : " width") + " grain " + std::to_string(c.grain));
    ASSERT_TRUE(bound.has_value());
    EXPECT_EQ(bound->Bound, c.bound);
    EXPECT_EQ(bound->FromGrain, c.fromGrain);
  }
  EXPECT_FALSE(PartLengthBound(BothGrains(), 3).has_value());
}

class PartFormTest : public ::testing::Test {
 protected:
  void SetUp() override { settings = TestSettings(); }

  void Open(int kind = 1) {
    form = std::make_unique<TSelPieces>(settings, prompts, help);
    form->JobKind = kind;
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
    form->DesignationList = &designationNames;
    BuildPanelCharacteristics(characteristics, panels, settings.SpeciesNames, unit, kind,
                              LoadListTexts(','));
    form->PanelCharacteristicList = &characteristics;
    form->DesignationsPicker = designationPicker;
    form->CharacteristicsPicker = characteristicPicker;
    form->ShowPartRecord();
    ShowActive(*form);
    ExpectListsSound();
  }
  // Parts with designations Piece1.. and references a, b, ...
  void Parts(std::vector<TPiece> list) {
    parts = std::move(list);
    designations.clear();
    references.clear();
    for (std::size_t i = 0; i < parts.size(); ++i) {
      parts[i].Number = static_cast<int>(i);
      designations.push_back("Piece" + std::to_string(i + 1));
      references.push_back(std::string(1, static_cast<char>('a' + i)));
    }
  }
  // The three lists of equal length, the index inside them, numbers equal to positions.
  void ExpectListsSound() {
    ASSERT_EQ(designations.size(), parts.size());
    ASSERT_EQ(references.size(), parts.size());
    if (form->isVisible()) {
      EXPECT_GE(form->CurrentPartIndex(), 0);
      EXPECT_LT(form->CurrentPartIndex(), static_cast<int>(parts.size()));
    }
    EXPECT_TRUE(PartNumbersArePositions(parts));
  }
  void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    bool ascii = true;
    for (const QChar ch : text) ascii = ascii && ch.unicode() < 0x80;
    // Letters the test keyboard lacks are put in as an input method would.
    if (ascii) {
      QTest::keyClicks(field, text);
    } else {
      field->insert(text);
    }
  }
  void Enter(QLineEdit* field, const QString& text) {
    Type(field, text);
    PressTab(field);
  }
  void Enter(QLineEdit* field, const char* text) { Enter(field, QString::fromUtf8(text)); }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void PickGrain(int grain) {
    form->CbxSens->setCurrentIndex(grain);
    form->CbxSens->activated(grain);
  }
  QString LastNotice() const {
    const auto notices = prompts.Of(Kind::Notice);
    return notices.empty() ? QString() : notices.back().text;
  }

  Settings settings;
  PanelList panels = BothGrains();
  PartList parts;
  std::vector<std::string> designations;
  std::vector<std::string> references;
  EngineContext engine;
  MarginsBlock margins;
  UNITE_MESURE unit;  // millimetres
  std::vector<std::string> designationNames{"Etagère", "Montant"};
  CharacteristicList characteristics;
  DesignationPicker* designationPicker = nullptr;
  CharacteristicPicker* characteristicPicker = nullptr;
  ScriptedPrompts prompts;
  RecordingHelp help;
  std::unique_ptr<TSelPieces> form;
};

const QString kRefusal = QStringLiteral(
    "Vous devez saisir un format valide pour la pièce, c'est à dire, permettant son insertion "
    "dans au moins l'un des panneaux que vous avez sélectionnés !");

TEST_F(PartFormTest, AnEmptyListOpensOnAFreshFirstPart) {
  Open();
  EXPECT_EQ(form->EdtDesignation->text().toStdString(), "Piece1");
  EXPECT_EQ(form->EdtReference->text().toStdString(), "a");
  EXPECT_EQ(form->EdtLongueur->text().toStdString(), "");
  EXPECT_EQ(form->EdtLargeur->text().toStdString(), "");
  EXPECT_EQ(form->EdtNb->text().toStdString(), "1");
  EXPECT_EQ(form->EdtCompteur->text().toStdString(), "1");
  EXPECT_FALSE(form->BtnSupprimer->isEnabled());
  EXPECT_FALSE(form->BtnPred->isEnabled());
  EXPECT_FALSE(form->BtnPremier->isEnabled());
  EXPECT_EQ(parts.size(), 1u);
  EXPECT_EQ(form->windowTitle().toStdString(), "Sélection des pièces");
}

struct SizeCase {
  int grain;
  const char* field;  // "L" or "W"
  const char* typed;
  bool accepted;
  const char* bound;      // named in the message when refused
  bool grainText;         // the message invites another grain
};

TEST_F(PartFormTest, SizesAreHeldAgainstTheStockByGrain) {
  const SizeCase cases[] = {
      {0, "L", "2800", true, "", false},       {0, "L", "2801", false, "2800 mm", false},
      {1, "L", "2600", true, "", false},       {2, "L", "2801", false, "2800 mm", true},
      {0, "W", "2070", true, "", false},       {0, "W", "2071", false, "2070 mm", false},
      {0, "W", "abc", false, "2800 mm", false}, {0, "L", "0", false, "2800 mm", false},
  };
  Open();
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed + " grain " + std::to_string(c.grain));
    prompts.asked.clear();
    PickGrain(c.grain);
    QLineEdit* field = std::string(c.field) == "L" ? form->EdtLongueur : form->EdtLargeur;
    Enter(field, QString::fromLatin1(c.typed));
    if (c.accepted) {
      EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
      EXPECT_EQ(field->text(), QString::fromLatin1(c.typed));
    } else {
      const QString head = std::string(c.field) == "L"
                               ? QStringLiteral("Valeur non valide pour une longueur !\n")
                               : QStringLiteral("Valeur non valide pour une largeur !\n");
      const QString range =
          QStringLiteral("Vous devez saisir une valeur comprise entre 0 et ") + QString::fromUtf8(c.bound);
      EXPECT_TRUE(LastNotice().startsWith(head + range)) << LastNotice().toStdString();
      EXPECT_EQ(LastNotice().contains(QStringLiteral("modifier le sens du fil")), c.grainText);
      EXPECT_EQ(field->text().toStdString(), "");
    }
    field->clear();
  }
}

// Only horizontal panels: a vertical part's length meets the largest width.
TEST_F(PartFormTest, AGrainChoiceEmptiesALengthThatNoLongerFits) {
  panels = HorizontalOnly();
  Open();
  Enter(form->EdtLongueur, "2100");
  EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
  PickGrain(GrainVertical);
  EXPECT_EQ(form->EdtLongueur->text().toStdString(), "");
  EXPECT_EQ(form->PendingLength, 0.0);
  EXPECT_TRUE(LastNotice().contains(QStringLiteral("entre 0 et 2070 mm ou modifier le sens")));
}

// The user's own words in the grain message, in lower case.
TEST_F(PartFormTest, TheGrainMessageCarriesTheUsersWords) {
  settings.WordPart = "Elément";
  settings.WordPanel = "Plaque";
  Open();
  PickGrain(GrainIndifferent);
  Enter(form->EdtLongueur, "3000");
  EXPECT_TRUE(LastNotice().contains(
      QStringLiteral("placement différent de la elément dans le plaque.")))
      << LastNotice().toStdString();
}

// A record shown sets the grain its sizes are held against: tabbing through it refuses nothing.
TEST_F(PartFormTest, TabbingThroughAValidRecordRefusesNothing) {
  panels = HorizontalOnly();
  Parts({Part(20000, 10000, GrainHorizontal), Part(25000, 10000, GrainHorizontal)});
  Open();
  PickGrain(GrainVertical);  // 2000 mm still fits across a 2070 mm wide panel
  EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
  Click(form->BtnSuivant);
  ASSERT_EQ(form->CurrentPartIndex(), 1);
  form->EdtLongueur->setFocus();
  PressTab(form->EdtLongueur);
  EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
  EXPECT_EQ(form->EdtLongueur->text().toStdString(), "2500");
  ExpectListsSound();
}

TEST_F(PartFormTest, TheSwapQuestionReadsWhole) {
  Open();
  const QString q = form->SwapQuestion();
  EXPECT_TRUE(q.startsWith(QStringLiteral("Attention !\nLa pièce que vous avez définie")));
  EXPECT_TRUE(q.contains(QStringLiteral("le sens du fils de la pièce de façon")));
  EXPECT_TRUE(q.contains(QStringLiteral("dans le panneau.")));
  EXPECT_TRUE(q.endsWith(QStringLiteral("les dimensions de la pièce.")));
  EXPECT_FALSE(q.contains(QStringLiteral("val")));
}

// Width 6000 over length 5000, grain horizontal: Yes stores the part turned, No changes nothing.
TEST_F(PartFormTest, TheSwapQuestionYesTurnsThePartAndNoKeepsIt) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    prompts = ScriptedPrompts();
    Parts({Part(20000, 10000, GrainHorizontal), Part(20000, 10000, GrainHorizontal)});
    Open();
    Enter(form->EdtLongueur, "500");
    Enter(form->EdtLargeur, "600");
    prompts.answers = {yes ? PromptAnswer::Yes : PromptAnswer::No};
    Click(form->BtnSuivant);
    ASSERT_EQ(prompts.Of(Kind::Ask).size(), 1u);
    if (yes) {
      EXPECT_EQ(form->CurrentPartIndex(), 1);
      EXPECT_EQ(parts[0].Length, 6000);
      EXPECT_EQ(parts[0].Width, 5000);
      EXPECT_EQ(parts[0].Grain, GrainVertical);
    } else {
      EXPECT_EQ(form->CurrentPartIndex(), 0);
      EXPECT_EQ(parts[0].Length, 20000);
      EXPECT_EQ(parts[0].Width, 10000);
      EXPECT_EQ(parts[0].Grain, GrainHorizontal);
      EXPECT_EQ(form->LengthDirty, 1);
      EXPECT_EQ(form->WidthDirty, 1);
      EXPECT_EQ(form->EdtLongueur->text().toStdString(), "500");
      EXPECT_TRUE(prompts.Of(Kind::Notice).empty());
    }
    ExpectListsSound();
  }
}

// A swap the fit test then refuses puts the values from before the swap back, pending.
TEST_F(PartFormTest, AFitRefusalAfterASwapRestoresThePendingValues) {
  Parts({Part(20000, 10000, GrainHorizontal), Part(20000, 10000, GrainHorizontal)});
  parts[0].Thickness = 220.0;  // thicker than every panel: no panel takes it, turned or not
  Open();
  Enter(form->EdtLargeur, "450");
  Enter(form->EdtLongueur, "400");
  prompts.answers = {PromptAnswer::Yes};
  Click(form->BtnSuivant);
  EXPECT_EQ(form->CurrentPartIndex(), 0);
  EXPECT_EQ(LastNotice(), kRefusal);
  EXPECT_EQ(form->PendingLength, 4000);
  EXPECT_EQ(form->PendingWidth, 4500);
  EXPECT_EQ(form->CbxSens->currentIndex(), GrainHorizontal);
  EXPECT_EQ(form->LengthDirty, 1);
  EXPECT_EQ(form->WidthDirty, 1);
  EXPECT_EQ(form->GrainDirty, 1);
}

// Terminer on a middle record with a size emptied is refused; nothing is dropped.
TEST_F(PartFormTest, FinishingOnAnIncompleteMiddleRecordIsRefused) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0), Part(12000, 10000, 0)});
  Open();
  Click(form->BtnSuivant);
  Enter(form->EdtLargeur, "");
  Click(form->BtnTerminer);
  EXPECT_EQ(form->Finished, 0);
  EXPECT_EQ(parts.size(), 3u);
  EXPECT_EQ(LastNotice(), kRefusal);
  ExpectListsSound();
}

// A new last record left empty is dropped at the finish; the others stay.
TEST_F(PartFormTest, FinishingOnAnEmptyNewRecordDropsOnlyIt) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  Open();
  Click(form->BtnDernier);
  Click(form->BtnNouveau);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(form->EdtDesignation->text().toStdString(), "Piece3");
  EXPECT_EQ(form->EdtReference->text().toStdString(), "c");
  Click(form->BtnTerminer);
  EXPECT_EQ(form->Finished, 1);
  EXPECT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[1].Length, 15000);
  ExpectListsSound();
}

TEST_F(PartFormTest, ANewPartTakesTheFirstFreeReference) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  references = {"a", "c"};
  Open();
  Click(form->BtnDernier);
  Click(form->BtnNouveau);
  EXPECT_EQ(references.back(), "b");
  EXPECT_EQ(parts.back().Number, 2);
  ExpectListsSound();
}

// Deleting the last of three shows the one before it, as stored; numbers stay positions.
TEST_F(PartFormTest, DeletingTheLastOfThreeShowsItsNeighbour) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0), Part(12000, 10000, 0)});
  Open();
  Click(form->BtnDernier);
  Click(form->BtnSupprimer);
  EXPECT_EQ(parts.size(), 2u);
  EXPECT_EQ(form->CurrentPartIndex(), 1);
  EXPECT_EQ(form->EdtLongueur->text().toStdString(), "1500");
  EXPECT_EQ(form->EdtCompteur->text().toStdString(), "2");
  EXPECT_TRUE(prompts.asked.empty());
  ExpectListsSound();
}

struct DeleteCase {
  int records;
  int at;         // index deleted
  int shownAt;    // index shown after
  double shownLength;
};

TEST_F(PartFormTest, DeletingShowsTheRightRecord) {
  const DeleteCase cases[] = {{5, 2, 1, 15000}, {3, 0, 0, 15000}, {2, 1, 0, 20000}};
  for (const DeleteCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.records) + " delete " + std::to_string(c.at));
    std::vector<TPiece> list;
    for (int i = 0; i < c.records; ++i) list.push_back(Part(20000 - 5000 * (i % 3), 10000, 0));
    Parts(list);
    Open();
    for (int i = 0; i < c.at; ++i) Click(form->BtnSuivant);
    ASSERT_EQ(form->CurrentPartIndex(), c.at);
    Click(form->BtnSupprimer);
    EXPECT_EQ(form->CurrentPartIndex(), c.shownAt);
    EXPECT_EQ(parts[static_cast<std::size_t>(c.shownAt)].Length, c.shownLength);
    EXPECT_EQ(parts.size(), static_cast<std::size_t>(c.records - 1));
    ExpectListsSound();
  }
}

// Back from a new record nobody touched: No drops it, Yes keeps it and stays on it.
TEST_F(PartFormTest, TheDiscardQuestion) {
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "Yes" : "No");
    prompts = ScriptedPrompts();
    Parts({Part(20000, 10000, 0)});
    Open();
    Click(form->BtnNouveau);
    ASSERT_EQ(parts.size(), 2u);
    prompts.answers = {keep ? PromptAnswer::Yes : PromptAnswer::No};
    Click(form->BtnPred);
    ASSERT_EQ(prompts.Of(Kind::Ask).size(), 1u);
    EXPECT_EQ(prompts.Of(Kind::Ask)[0].text,
              QStringLiteral("Vous n'avez saisi aucune valeur pour la longueur et la largeur de "
                             "cette pièce. Voulez-vous la conserver et saisir les valeurs "
                             "manquantes ?"));
    if (keep) {
      EXPECT_EQ(parts.size(), 2u);
      EXPECT_EQ(form->CurrentPartIndex(), 1);
      EXPECT_EQ(LastNotice(), kRefusal);
    } else {
      EXPECT_EQ(parts.size(), 1u);
      EXPECT_EQ(form->CurrentPartIndex(), 0);
      EXPECT_FALSE(form->BtnSupprimer->isEnabled());
    }
    ExpectListsSound();
  }
}

// A declined swap at Nouveau adds nothing, and a later No to the discard question erases
// nothing that was there.
TEST_F(PartFormTest, ADeclinedSwapAtNewAddsNothing) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  Open();
  Click(form->BtnDernier);
  Enter(form->EdtLargeur, "1600");
  prompts.answers = {PromptAnswer::No};
  Click(form->BtnNouveau);
  EXPECT_EQ(parts.size(), 2u);
  EXPECT_FALSE(form->NewRecordUntouched());
  Enter(form->EdtLargeur, "1000");
  Click(form->BtnPred);
  EXPECT_EQ(parts.size(), 2u);
  EXPECT_EQ(form->CurrentPartIndex(), 0);
  ExpectListsSound();
}

struct ReferenceCase {
  const char* typed;
  const char* message;  // empty: accepted
};

TEST_F(PartFormTest, ReferencesAreCheckedAndRefusalsShowTheStoredOne) {
  const ReferenceCase cases[] = {
      {"abcd", "La réference ne doit pas faire plus de 3 caractères !"},
      {"", "Vous devez saisir une réference ou laisser celle par défaut !"},
      {"b", "Cette réference exite déja !"},
      {"éàè", ""},
      {"a", ""},
  };
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  Open();
  for (const ReferenceCase& c : cases) {
    SCOPED_TRACE(c.typed);
    prompts.asked.clear();
    Enter(form->EdtReference, QString::fromUtf8(c.typed));
    if (std::string(c.message).empty()) {
      EXPECT_TRUE(prompts.asked.empty());
      EXPECT_EQ(form->EdtReference->text(), QString::fromUtf8(c.typed));
    } else {
      EXPECT_EQ(LastNotice(), QString::fromUtf8(c.message));
      EXPECT_EQ(form->EdtReference->text().toStdString(), "a");
      EXPECT_EQ(form->ReferenceDirty, 0);
    }
  }
}

TEST_F(PartFormTest, ARefusedCountShowsTheStoredCount) {
  Parts({Part(20000, 10000, 0, 3)});
  Open();
  form->ChbNbPieces->setChecked(true);
  for (const char* typed : {"0", "-3", "2,5", "", "100001"}) {
    SCOPED_TRACE(typed);
    prompts.asked.clear();
    Enter(form->EdtNb, QString::fromLatin1(typed));
    EXPECT_TRUE(LastNotice().startsWith(QStringLiteral("Valeur non valide pour un nombre !")));
    EXPECT_EQ(form->EdtNb->text().toStdString(), "3");
    EXPECT_EQ(form->CountDirty, 0);
  }
}

TEST_F(PartFormTest, ADesignationOverFortyNineCharactersIsRefused) {
  Open();
  Enter(form->EdtDesignation, QString(50, QLatin1Char('x')));
  EXPECT_EQ(LastNotice().toStdString(), "Longueur de texte non valide pour une désignation");
  EXPECT_EQ(form->EdtDesignation->text().toStdString(), "Piece1");
  prompts.asked.clear();
  Enter(form->EdtDesignation, QStringLiteral("Etagère"));
  EXPECT_TRUE(prompts.asked.empty());
}

// Thicknesses chosen from the stock carry the panel's own value, whatever the unit.
TEST_F(PartFormTest, AChosenThicknessIsThePanelsOwn) {
  panels = {Stock(28000, 20700, 0, 190), Stock(28000, 20700, 0, 190),
            Stock(28000, 20700, 0, 220), Stock(28000, 20700, 0, 191)};
  Open(2);
  ASSERT_EQ(form->CbxEpaisseur->count(), 3);
  for (int item = 0; item < 3; ++item) {
    form->CbxEpaisseur->setCurrentIndex(item);
    form->CbxEpaisseur->activated(item);
    EXPECT_EQ(form->PendingThickness, (std::vector<double>{190, 220, 191})[item]);
    EXPECT_EQ(form->ThicknessDirty, 1);
  }
  EXPECT_TRUE(prompts.asked.empty());
}

// Each record shown brings its grain picture; the size labels carry the unit at each showing.
TEST_F(PartFormTest, TheGrainPictureAndTheLabelsFollowTheRecordAndTheUnit) {
  Parts({Part(20000, 10000, GrainHorizontal), Part(20000, 10000, GrainVertical),
         Part(20000, 10000, GrainIndifferent)});
  Open();
  EXPECT_EQ(form->lblLongueur->text().toStdString(), "Longueur en mm");
  EXPECT_EQ(form->lblLargeur->text().toStdString(), "Largeur en mm");
  const char* pictures[] = {"sens_horiz", "sens_vert", "sens_non"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(form->Image->pixmap().toImage(),
              LoadNamedBitmap(QString::fromLatin1(pictures[i])).toImage());
    EXPECT_EQ(form->PendingGrain, i);
    Click(form->BtnSuivant);
  }
}

// In a complex job a species no stock panel has is refused and the first panel's comes back.
TEST_F(PartFormTest, ASpeciesNoPanelHasIsRefused) {
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  Open(2);
  ASSERT_EQ(form->CbxEssence->count(), 2);
  form->CbxEssence->setFocus();
  form->CbxEssence->setCurrentIndex(1);
  PressTab(form->CbxEssence);
  EXPECT_EQ(LastNotice().toStdString(),
            "L'essence que vous avez saisie ne fait pas partie de celles que vous avez "
            "sélectionnées pour les panneaux !");
  EXPECT_EQ(form->CbxEssence->currentIndex(), 0);
  EXPECT_EQ(form->SpeciesEdited, 0);
}

// A job holds at most kMaxJobParts parts: the new-record button refuses one more.
TEST_F(PartFormTest, TheNewButtonRefusesAPartPastTheJobsLimit) {
  Parts(std::vector<TPiece>(static_cast<std::size_t>(kMaxJobParts), Part(20000, 10000, 0)));
  Open();
  Click(form->BtnDernier);
  Click(form->BtnNouveau);
  EXPECT_EQ(parts.size(), static_cast<std::size_t>(kMaxJobParts));
  EXPECT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(form->CurrentPartIndex(), kMaxJobParts - 1);
  ExpectListsSound();
}

class FakeSizePicker : public SizePicker {
 public:
  SizePickerOutput Pick(const SizePickerInput& input, QWidget& /*caller*/) override {
    inputs.push_back(input);
    return answer;
  }
  SizePickerOutput answer;
  std::vector<SizePickerInput> inputs;
};

struct PickerCase {
  int kind;
  bool thickerStock;
  int context;
  double thicknessTaken;  // the pending thickness after a pick of 600 x 400 x 22 mm
};

// The picker is told who asks; it brings back a thickness only where the thickness is typed.
TEST_F(PartFormTest, TheSizePickerContextsAndWhatComesBack) {
  const PickerCase cases[] = {{1, false, 3, 190.0}, {2, false, 4, 190.0}, {2, true, 5, 220.0}};
  for (const PickerCase& c : cases) {
    SCOPED_TRACE(c.context);
    FakeSizePicker picker;
    picker.answer.SizePicked = 1;
    picker.answer.SizeLength = 6000;
    picker.answer.SizeWidth = 4000;
    picker.answer.SizeThickness = 220;
    picker.answer.ThicknessGiven = true;
    picker.answer.SizeChanged = 1;
    margins.ThickerStockAllowed = c.thickerStock ? 1 : 0;
    panels = {Stock(28000, 20700, 0, 190), Stock(28000, 20700, 0, 250)};
    Open(c.kind);
    form->Picker = &picker;
    form->ShowPartRecord();
    ASSERT_TRUE(form->BitBtnLongueur->isEnabled());
    form->PendingThickness = 190.0;
    // A length typed and not yet left is checked first, and refused here (no panel is 3 m long).
    Type(form->EdtLongueur, QStringLiteral("3000"));
    Click(form->BitBtnLargeur);
    ASSERT_EQ(picker.inputs.size(), 1u);
    EXPECT_EQ(picker.inputs[0].SizeContext, c.context);
    EXPECT_EQ(picker.inputs[0].SizeLength, 0);
    EXPECT_TRUE(LastNotice().startsWith(QStringLiteral("Valeur non valide pour une longueur !")));
    EXPECT_EQ(form->EdtLongueur->text().toStdString(), "600");
    EXPECT_EQ(form->EdtLargeur->text().toStdString(), "400");
    EXPECT_EQ(form->PendingLength, 6000);
    EXPECT_EQ(form->PendingWidth, 4000);
    EXPECT_EQ(form->PendingThickness, c.thicknessTaken);
    EXPECT_EQ(form->PartSizesChanged, 1);
    prompts.asked.clear();
  }
}

class FakeDesignationPicker : public DesignationPicker {
 public:
  DesignationPickerOutput Pick(const DesignationPickerInput& input, QWidget& /*caller*/) override {
    inputs.push_back(input);
    return answer;
  }
  DesignationPickerOutput answer;
  std::vector<DesignationPickerInput> inputs;
};

class FakeCharacteristicPicker : public CharacteristicPicker {
 public:
  CharacteristicPickerOutput Pick(const CharacteristicPickerInput& input,
                                  QWidget& /*caller*/) override {
    inputs.push_back(input);
    return answer;
  }
  CharacteristicPickerOutput answer;
  std::vector<CharacteristicPickerInput> inputs;
};

Panneau_p StockOf(double length, double width, int grain, double thickness, int species) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = 1;
  return p;
}

// Stock panels of 19, 19 and 22 mm: the thickness box shows "19" and "22", one item for the two
// equal neighbours. Species Chêne, Hêtre, Hêtre; the 22 mm panel is the only vertical one.
PanelList NineteenNineteenTwentyTwo() {
  return {StockOf(28000, 20700, GrainHorizontal, 190, 0),
          StockOf(28000, 20700, GrainHorizontal, 190, 1),
          StockOf(25000, 12500, GrainVertical, 220, 1)};
}

struct DesignationPickCase {
  const char* name;
  bool chosen;
  const char* text;        // the designation chosen
  bool changed;            // the user added or deleted designations in the picker
  const char* shown;       // the designation field afterwards
  const char* notice;      // the refusal shown; empty: none
};

// What the picker is handed, and what comes back: a choice fills the designation (stored at the
// finish), a list changed is reported whatever was chosen, a designation the job cannot hold is
// refused as if typed.
TEST_F(PartFormTest, TheDesignationPickerFillsTheDesignation) {
  const std::string tooLong(50, 'x');
  const DesignationPickCase cases[] = {
      {"chosen", true, "Etagère", false, "Etagère", ""},
      {"closed after a change", false, "", true, "Piece1", ""},
      {"too long", true, tooLong.c_str(), false, "Piece1",
       "Longueur de texte non valide pour une désignation"},
      {"not Windows-1252", true, "Ωmega", true, "Piece1",
       "Valeur non valide pour une désignation !"},
  };
  for (const DesignationPickCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    FakeDesignationPicker picker;
    picker.answer.DesignationChosen = c.chosen ? 1 : 0;
    picker.answer.ChosenDesignation = c.text;
    picker.answer.DesignationsChanged = c.changed ? 1 : 0;
    designationPicker = &picker;
    Parts({Part(20000, 10000, GrainHorizontal)});
    Open();
    ASSERT_TRUE(form->BitBtnDesignation->isEnabled());
    Click(form->BitBtnDesignation);
    ASSERT_EQ(picker.inputs.size(), 1u);
    EXPECT_EQ(picker.inputs[0].ManagedDesignationList, &designationNames);
    EXPECT_EQ(picker.inputs[0].DesignationPickMode, 1);
    EXPECT_EQ(form->EdtDesignation->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(LastNotice(), QString::fromUtf8(c.notice));
    EXPECT_EQ(form->DesignationsChanged, c.changed ? 1 : 0);
    EXPECT_EQ(form->DesignationDirty, std::string(c.notice).empty() && c.chosen ? 1 : 0);
    ExpectListsSound();
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_EQ(designations[0], c.shown);
    ExpectListsSound();
  }
}

// The right button in the designation opens the picker; the left one only places the caret.
// Without a picker the button is disabled and the right button opens nothing.
TEST_F(PartFormTest, TheRightButtonOnTheDesignationOpensThePicker) {
  FakeDesignationPicker picker;
  designationPicker = &picker;
  Open();
  QTest::mouseClick(form->EdtDesignation, Qt::LeftButton);
  EXPECT_TRUE(picker.inputs.empty());
  QTest::mouseClick(form->EdtDesignation, Qt::RightButton);
  EXPECT_EQ(picker.inputs.size(), 1u);

  designationPicker = nullptr;
  Open(2);
  EXPECT_FALSE(form->BitBtnDesignation->isEnabled());
  for (QToolButton* b : {form->BitBtnSens, form->BitBtnEpaisseur, form->BitBtnEssence})
    EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  QTest::mouseClick(form->EdtDesignation, Qt::RightButton);
  EXPECT_EQ(picker.inputs.size(), 1u);
  EXPECT_TRUE(prompts.asked.empty());
}

// A picker opens only once the field being left has taken its value: a refused reference stops
// the pick, an accepted one lets it open.
TEST_F(PartFormTest, APickWaitsForTheFieldBeingLeft) {
  FakeDesignationPicker designation;
  FakeCharacteristicPicker characteristic;
  FakeSizePicker size;
  designationPicker = &designation;
  characteristicPicker = &characteristic;
  const char* buttons[] = {"BitBtnDesignation", "BitBtnSens", "BitBtnEpaisseur", "BitBtnEssence",
                           "BitBtnLongueur"};
  Parts({Part(20000, 10000, GrainHorizontal), Part(15000, 10000, GrainHorizontal)});
  for (const char* name : buttons) {
    SCOPED_TRACE(name);
    prompts = ScriptedPrompts();
    Open(2);
    form->Picker = &size;
    form->ShowPartRecord();
    auto* button = form->findChild<QToolButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    const std::size_t before =
        designation.inputs.size() + characteristic.inputs.size() + size.inputs.size();
    Type(form->EdtReference, QStringLiteral("abcd"));
    Click(button);
    EXPECT_EQ(LastNotice().toStdString(), "La réference ne doit pas faire plus de 3 caractères !");
    EXPECT_EQ(designation.inputs.size() + characteristic.inputs.size() + size.inputs.size(),
              before);
    Type(form->EdtReference, QStringLiteral("z"));
    Click(button);
    EXPECT_EQ(designation.inputs.size() + characteristic.inputs.size() + size.inputs.size(),
              before + 1);
    EXPECT_EQ(form->ReferenceDirty, 1);
    ExpectListsSound();
  }
}

struct CharacteristicCase {
  int chosen;              // the entry picked: one per stock panel
  int item;                // the thickness item selected
  const char* itemText;
  double thickness;
  int grain;
  int species;
};

// Each entry selects the thickness item of its value (the two 19 mm panels share one item), and
// brings its grain, with its picture, and its species; the finish stores them.
TEST_F(PartFormTest, ACharacteristicsPickTakesThePanelsValues) {
  const CharacteristicCase cases[] = {
      {0, 0, "19", 190, GrainHorizontal, 0},
      {1, 0, "19", 190, GrainHorizontal, 1},
      {2, 1, "22", 220, GrainVertical, 1},
  };
  const char* pictures[] = {"sens_horiz", "sens_vert", "sens_non"};
  panels = NineteenNineteenTwentyTwo();
  for (const CharacteristicCase& c : cases) {
    SCOPED_TRACE(c.chosen);
    prompts = ScriptedPrompts();
    FakeCharacteristicPicker picker;
    picker.answer.CharacteristicChosen = 1;
    picker.answer.ChosenCharacteristic = c.chosen;
    characteristicPicker = &picker;
    Parts({Part(10000, 5000, GrainIndifferent)});
    Open(2);
    ASSERT_EQ(form->CbxEpaisseur->count(), 2);
    Click(form->BitBtnSens);
    ASSERT_EQ(picker.inputs.size(), 1u);
    EXPECT_EQ(picker.inputs[0].CharacteristicList, &characteristics);
    EXPECT_EQ(picker.inputs[0].CharacteristicSpecies, &settings.SpeciesNames);
    EXPECT_EQ(picker.inputs[0].CharacteristicJobKind, 2);
    EXPECT_EQ(characteristics.size(), 3u);
    EXPECT_EQ(form->CbxEpaisseur->currentIndex(), c.item);
    EXPECT_EQ(form->CbxEpaisseur->currentText().toStdString(), c.itemText);
    EXPECT_EQ(form->PendingThickness, c.thickness);
    EXPECT_EQ(form->CbxSens->currentIndex(), c.grain);
    EXPECT_EQ(form->PendingGrain, c.grain);
    EXPECT_EQ(form->Image->pixmap().toImage(),
              LoadNamedBitmap(QString::fromLatin1(pictures[c.grain])).toImage());
    EXPECT_EQ(form->CbxEssence->currentText().toStdString(),
              settings.SpeciesNames[static_cast<std::size_t>(c.species)]);
    EXPECT_TRUE(prompts.asked.empty());
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_EQ(parts[0].Thickness, c.thickness);
    EXPECT_EQ(parts[0].Grain, c.grain);
    EXPECT_EQ(parts[0].Species, c.species);
    ExpectListsSound();
  }
}

// A picked grain holds the sizes already entered against it, as a grain chosen in the box does:
// 2500 mm across is taken while the grain is indifferent, not once it is horizontal.
TEST_F(PartFormTest, APickedGrainHoldsTheSizesAgain) {
  panels = NineteenNineteenTwentyTwo();
  FakeCharacteristicPicker picker;
  picker.answer.CharacteristicChosen = 1;
  picker.answer.ChosenCharacteristic = 0;
  characteristicPicker = &picker;
  Open(2);
  PickGrain(GrainIndifferent);
  Enter(form->EdtLargeur, "2500");
  ASSERT_TRUE(prompts.Of(Kind::Notice).empty());
  Click(form->BitBtnEssence);
  EXPECT_TRUE(LastNotice().startsWith(
      QStringLiteral("Valeur non valide pour une largeur !\nVous devez saisir une valeur comprise "
                     "entre 0 et 2070 mm")))
      << LastNotice().toStdString();
  EXPECT_EQ(form->EdtLargeur->text().toStdString(), "");
  EXPECT_EQ(form->PendingWidth, 0.0);
  EXPECT_EQ(form->WidthDirty, 0);
  ExpectListsSound();
}

struct PickScopeCase {
  const char* name;
  int kind;
  bool thicknessMargin;
  int chosenFlag;      // CharacteristicChosen
  int chosen;          // ChosenCharacteristic
  int grain;           // the grain box afterwards
  double thickness;    // the pending thickness afterwards
  int thicknessDirty;
  int speciesEdited;
};

// A simple job takes only the grain; with a thickness margin the thickness stays typed; a
// closed picker or an entry outside the list changes nothing.
TEST_F(PartFormTest, WhatACharacteristicsPickTakes) {
  const PickScopeCase cases[] = {
      {"simple job", 1, false, 1, 2, GrainVertical, 190, 0, 0},
      {"thickness margin", 2, true, 1, 2, GrainVertical, 190, 0, 1},
      {"closed", 2, false, 0, 2, GrainHorizontal, 190, 0, 0},
      {"past the list", 2, false, 1, 3, GrainHorizontal, 190, 0, 0},
      {"before the list", 2, false, 1, -1, GrainHorizontal, 190, 0, 0},
  };
  panels = NineteenNineteenTwentyTwo();
  for (const PickScopeCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    FakeCharacteristicPicker picker;
    picker.answer.CharacteristicChosen = static_cast<std::uint8_t>(c.chosenFlag);
    picker.answer.ChosenCharacteristic = c.chosen;
    characteristicPicker = &picker;
    margins.ThickerStockAllowed = c.thicknessMargin ? 1 : 0;
    Parts({Part(10000, 5000, GrainHorizontal)});
    Open(c.kind);
    const QString thicknessText = form->EdtEpaisseur->text();
    Click(form->BitBtnSens);
    ASSERT_EQ(picker.inputs.size(), 1u);
    EXPECT_EQ(form->CbxSens->currentIndex(), c.grain);
    EXPECT_EQ(form->PendingThickness, c.thickness);
    EXPECT_EQ(form->ThicknessDirty, c.thicknessDirty);
    EXPECT_EQ(form->SpeciesEdited, c.speciesEdited);
    EXPECT_EQ(form->EdtEpaisseur->text(), thicknessText);
    EXPECT_TRUE(prompts.asked.empty());
    ExpectListsSound();
  }
  margins.ThickerStockAllowed = 0;
}

struct UnitCase {
  const char* name;
  double factor;
  const char* abbreviation;
  std::vector<std::string> items;  // the thickness items, in the unit, to the tenth of a mm
};

// Every panel thickness chosen in centimetres and in inches is stored as the panel's own, not
// as its two-decimal text read back (0,75 inch would be 190,5 tenths of a millimetre).
TEST_F(PartFormTest, EveryPanelThicknessChosenInCentimetresAndInches) {
  const UnitCase cases[] = {
      {"cm", kCentimetreFactor, "cm", {"1,9", "1,85", "2,22"}},
      {"inch", kInchFactor, "po", {"0,748", "0,728", "0,874"}},
  };
  const double thicknesses[] = {190, 185, 222};
  for (const UnitCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    unit.Factor = c.factor;
    unit.Abbreviation = c.abbreviation;
    panels.clear();
    for (const double t : thicknesses) panels.push_back(StockOf(28000, 20700, 0, t, 0));
    Parts({Part(10000, 5000, 0), Part(10000, 5000, 0), Part(10000, 5000, 0)});
    Open(2);
    ASSERT_EQ(form->CbxEpaisseur->count(), 3);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(form->CbxEpaisseur->itemText(i).toStdString(), c.items[static_cast<std::size_t>(i)]);
      ASSERT_EQ(form->CurrentPartIndex(), i);
      form->CbxEpaisseur->setCurrentIndex(i);
      form->CbxEpaisseur->activated(i);
      Click(i < 2 ? form->BtnSuivant : form->BtnTerminer);
      ExpectListsSound();
    }
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(form->Finished, 1);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(parts[i].Thickness, thicknesses[i]);
  }
  unit = UNITE_MESURE();
}

struct TextCase {
  const char* field;  // "reference" or "designation"
  const char* typed;
  const char* message;
};

// Texts the job file cannot hold in Windows-1252 are refused; the field shows the stored text.
// A letter outside the basic plane counts as one character.
TEST_F(PartFormTest, TextsWindows1252CannotHoldAreRefused) {
  const TextCase cases[] = {
      {"reference", "Ω", "Valeur non valide pour une référence !"},
      {"reference", "a🙂", "Valeur non valide pour une référence !"},
      {"reference", "🙂🙂", "Valeur non valide pour une référence !"},
      {"designation", "Ωmega", "Valeur non valide pour une désignation !"},
      {"designation", "Etagère 🙂", "Valeur non valide pour une désignation !"},
  };
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  Open();
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    prompts.asked.clear();
    const bool reference = std::string(c.field) == "reference";
    QLineEdit* field = reference ? form->EdtReference : form->EdtDesignation;
    Enter(field, QString::fromUtf8(c.typed));
    EXPECT_EQ(LastNotice(), QString::fromUtf8(c.message));
    EXPECT_EQ(field->text().toStdString(), reference ? "a" : "Piece1");
    EXPECT_EQ(reference ? form->ReferenceDirty : form->DesignationDirty, 0);
  }
  Click(form->BtnTerminer);
  EXPECT_EQ(references[0], "a");
  EXPECT_EQ(designations[0], "Piece1");
  ExpectListsSound();
}

struct SpeciesCase {
  const char* typed;
  PromptAnswer answer;  // to the new-species question, when it is asked
  bool asked;
  bool added;
  const char* notice;   // empty: none
  const char* shown;    // the species box afterwards
  int edited;           // SpeciesEdited
};

// A name the species list lacks: asked about, added on Yes (its file to be rewritten), yet no
// stock panel has it, so the part keeps the species shown before. A name Windows-1252 cannot
// hold is refused before any question. A listed species a panel has is taken as typed.
TEST_F(PartFormTest, ASpeciesTypedInTheForm) {
  const std::string notInStock =
      "L'essence que vous avez saisie ne fait pas partie de celles que vous avez sélectionnées "
      "pour les panneaux !";
  const SpeciesCase cases[] = {
      {"Noyer", PromptAnswer::Yes, true, true, notInStock.c_str(), "Hêtre", 0},
      {"Noyer", PromptAnswer::No, true, false, "", "Hêtre", 0},
      {"Ωak", PromptAnswer::Yes, false, false,
       "Le nom de l'essence contient un caractère qui ne peut pas être enregistré.", "Hêtre", 0},
      {"Pin", PromptAnswer::Yes, false, false, notInStock.c_str(), "Hêtre", 0},
      {"Chêne", PromptAnswer::Yes, false, false, "", "Chêne", 1},
  };
  panels = NineteenNineteenTwentyTwo();
  for (const SpeciesCase& c : cases) {
    SCOPED_TRACE(c.typed);
    prompts = ScriptedPrompts();
    settings = TestSettings();  // Chêne, Hêtre, Pin
    Parts({Part(10000, 5000, GrainHorizontal)});
    parts[0].Species = 1;
    Open(2);
    ASSERT_EQ(form->CbxEssence->currentText().toStdString(), "Hêtre");
    if (c.asked) prompts.answers = {c.answer};
    form->CbxEssence->setFocus();
    form->CbxEssence->lineEdit()->selectAll();
    form->CbxEssence->lineEdit()->insert(QString::fromUtf8(c.typed));
    PressTab(form->CbxEssence);
    const auto questions = prompts.Of(Kind::Ask);
    ASSERT_EQ(questions.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(questions[0].caption.toStdString(), "Nouvelle essence");
      EXPECT_EQ(questions[0].text.toStdString(),
                "Voulez-vous ajouter cette essence à la liste des essences ?");
    }
    EXPECT_EQ(settings.SpeciesNames.size(), c.added ? 4u : 3u);
    if (c.added) {
      EXPECT_EQ(settings.SpeciesNames.back(), c.typed);
    }
    EXPECT_EQ(form->SpeciesChanged, c.added ? 1 : 0);
    EXPECT_EQ(LastNotice().toStdString(), c.notice);
    EXPECT_EQ(form->CbxEssence->currentText().toStdString(), c.shown);
    EXPECT_EQ(form->SpeciesEdited, c.edited);
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_EQ(parts[0].Species, c.edited ? 0 : 1);
    ExpectListsSound();
  }
}

// The hints of the picker buttons.
TEST_F(PartFormTest, ThePickerButtonsSayWhatTheyDo) {
  Open();
  EXPECT_EQ(form->BitBtnLongueur->toolTip().toStdString(),
            "Cliquez sur le bouton droit de la souris pour sélectionner les dimensions dans la "
            "liste");
  for (QToolButton* b : {form->BitBtnLargeur, form->BitBtnDesignation, form->BitBtnSens,
                         form->BitBtnEpaisseur, form->BitBtnEssence})
    EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
  EXPECT_TRUE(form->BitBtnDesignation->toolTip().contains(QStringLiteral("désignation")));
}


// ---- What the user did not retype stays as it was --------------------------------------------

struct MeasureCase {
  const char* name;
  UNITE_MESURE unit;
};
const MeasureCase kUnits[] = {{"mm", UNITE_MESURE{10.0, "mm", ""}},
                           {"cm", UNITE_MESURE{100.0, "cm", ""}},
                           {"m", UNITE_MESURE{10000.0, "m", ""}},
                           {"inch", UNITE_MESURE{254.0, "pouces", ""}}};

// Parts of 2805 x 1254,4 mm, 1003,5 x 500,3 mm and 1001,1 x 600,5 mm, shown rounded to two
// decimals of the unit ("2,81 x 1,25" in metres): Tab through every size of every record, then
// Terminer, stores each size as it was, in every unit.
TEST_F(PartFormTest, SizesTabbedThroughAreKeptInEveryUnit) {
  for (const MeasureCase& u : kUnits) {
    SCOPED_TRACE(u.name);
    prompts = ScriptedPrompts();
    panels = {Stock(30000, 20700, GrainHorizontal)};
    Parts({Part(28050, 12544, GrainHorizontal), Part(10035, 5003, GrainHorizontal),
           Part(10011, 6005, GrainHorizontal)});
    const PartList before = parts;
    unit = u.unit;
    Open();
    for (int record = 0; record < 3; ++record) {
      if (record > 0) Click(form->BtnSuivant);
      ASSERT_EQ(form->CurrentPartIndex(), record);
      form->EdtLongueur->setFocus();
      PressTab(form->EdtLongueur);
      PressTab(form->EdtLargeur);
    }
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_TRUE(prompts.Of(Kind::Notice).empty()) << LastNotice().toStdString();
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(parts[i].Length, before[i].Length) << i;
      EXPECT_EQ(parts[i].Width, before[i].Width) << i;
    }
  }
}

struct TypedThenGrainCase {
  const char* name;
  UNITE_MESURE unit;
  const char* typed;
  double stored;  // tenths of a millimetre
};

// A size typed with more decimals than the field shows keeps what was typed when a grain chosen
// afterwards checks the sizes again ("2,805" in metres is 2805 mm, though the field shows 2,81).
TEST_F(PartFormTest, ASizeTypedStaysAsTypedWhenAGrainIsChosen) {
  const TypedThenGrainCase cases[] = {
      {"mm", UNITE_MESURE{10.0, "mm", ""}, "1254,44", 12544},
      {"cm", UNITE_MESURE{100.0, "cm", ""}, "125,444", 12544},
      {"m", UNITE_MESURE{10000.0, "m", ""}, "2,805", 28050},
      {"inch", UNITE_MESURE{254.0, "pouces", ""}, "39,413", 10011},
  };
  for (const TypedThenGrainCase& c : cases) {
    SCOPED_TRACE(c.name);
    prompts = ScriptedPrompts();
    panels = {Stock(30000, 20700, GrainHorizontal), Stock(30000, 20700, GrainVertical)};
    Parts({Part(5000, 4000, GrainHorizontal)});
    unit = c.unit;
    Open();
    Enter(form->EdtLongueur, c.typed);
    PickGrain(GrainVertical);
    PickGrain(GrainHorizontal);
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_TRUE(prompts.Of(Kind::Notice).empty()) << LastNotice().toStdString();
    EXPECT_EQ(parts[0].Length, c.stored);
    EXPECT_EQ(parts[0].Width, 4000);
  }
}

// A standard size of 2805 x 1244 mm picked from the list is stored as listed, in every unit,
// also when the fields are then passed through.
TEST_F(PartFormTest, APickedSizeIsStoredAsListed) {
  for (const MeasureCase& u : kUnits) {
    SCOPED_TRACE(u.name);
    prompts = ScriptedPrompts();
    FakeSizePicker picker;
    picker.answer.SizePicked = 1;
    picker.answer.SizeLength = 28050;
    picker.answer.SizeWidth = 12440;
    panels = {Stock(30000, 20700, GrainHorizontal)};
    Parts({Part(5000, 4000, GrainHorizontal)});
    unit = u.unit;
    Open();
    form->Picker = &picker;
    form->ShowPartRecord();
    Click(form->BitBtnLongueur);
    form->EdtLongueur->setFocus();
    PressTab(form->EdtLongueur);
    PressTab(form->EdtLargeur);
    Click(form->BtnTerminer);
    EXPECT_EQ(form->Finished, 1);
    EXPECT_EQ(parts[0].Length, 28050);
    EXPECT_EQ(parts[0].Width, 12440);
  }
}

// In inches a 2800 mm panel is 110,236 inches: the refusal names a bound that is accepted when
// typed back, and the value typed is stored.
TEST_F(PartFormTest, TheBoundARefusalNamesIsAcceptedTypedBack) {
  unit = UNITE_MESURE{254.0, "pouces", ""};
  Open();
  Enter(form->EdtLongueur, "111");
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  const QString message = LastNotice();
  const QString start = QStringLiteral("comprise entre 0 et ");
  const qsizetype at = message.indexOf(start);
  ASSERT_GE(at, 0) << message.toStdString();
  const QString bound = message.mid(at + start.size()).section(QLatin1Char(' '), 0, 0);
  EXPECT_FALSE(bound.isEmpty());
  Enter(form->EdtLongueur, bound);
  EXPECT_EQ(prompts.Of(Kind::Notice).size(), 1u) << LastNotice().toStdString();
  EXPECT_GT(form->PendingLength, 27900.0);
  EXPECT_LE(form->PendingLength, 28000.0);
}

// Stock of 19 and 22 mm in metres: the thickness list tells them apart.
TEST_F(PartFormTest, TheThicknessListTellsEveryStockThicknessApart) {
  panels = {Stock(28000, 20700, GrainHorizontal, 190), Stock(28000, 20700, GrainHorizontal, 220),
            Stock(28000, 20700, GrainHorizontal, 195)};
  unit = UNITE_MESURE{10000.0, "m", ""};
  Open(2);
  ASSERT_EQ(form->CbxEpaisseur->count(), 3);
  EXPECT_EQ(form->CbxEpaisseur->itemText(0).toStdString(), "0,019");
  EXPECT_EQ(form->CbxEpaisseur->itemText(1).toStdString(), "0,022");
  EXPECT_EQ(form->CbxEpaisseur->itemText(2).toStdString(), "0,0195");
}

// ---- Every part names itself ----------------------------------------------------------------

// Parts typed one after the other point at their own designations; a designation edited points
// its part at its own entry; a delete renumbers what follows.
TEST_F(PartFormTest, EveryPartPointsAtItsOwnDesignation) {
  Open();
  for (int i = 0; i < 3; ++i) {
    if (i > 0) Click(form->BtnNouveau);
    Enter(form->EdtLongueur, "800");
    Enter(form->EdtLargeur, "300");
  }
  Click(form->BtnTerminer);
  ASSERT_EQ(parts.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(parts[i].DesignationIndex, static_cast<int>(i));

  // A job whose parts all point at the first designation, as saved before.
  for (TPiece& p : parts) p.DesignationIndex = 0;
  Open();
  Click(form->BtnSuivant);
  Enter(form->EdtDesignation, "Montant");
  Click(form->BtnSuivant);
  EXPECT_EQ(parts[1].DesignationIndex, 1);
  EXPECT_EQ(designations[1], "Montant");
  Click(form->BtnPremier);
  Click(form->BtnSupprimer);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].DesignationIndex, 0);
  EXPECT_EQ(parts[1].DesignationIndex, 1);
  EXPECT_EQ(designations[0], "Montant");
}

// ---- The focus is where the typing goes -------------------------------------------------------

TEST_F(PartFormTest, EveryRecordShownIsTypedFromItsFirstField) {
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0), Part(12000, 10000, 0)});
  Open();
  EXPECT_EQ(form->focusWidget(), form->EdtReference);
  // A second showing after one left on Annuler.
  form->BtnAnnul->setFocus();
  Click(form->BtnAnnul);
  ASSERT_FALSE(form->isVisible());
  form->ShowPartRecord();
  ShowActive(*form);
  EXPECT_EQ(form->focusWidget(), form->EdtReference);

  form->EdtNb->setEnabled(true);
  form->EdtNb->setFocus();
  Click(form->BtnSuivant);
  EXPECT_EQ(form->focusWidget(), form->EdtReference) << "a move";
  form->BtnSuivant->setFocus();
  QTest::keyClick(form->BtnSuivant, Qt::Key_Space);
  ASSERT_EQ(form->CurrentPartIndex(), 2);
  EXPECT_EQ(form->focusWidget(), form->EdtReference) << "a move from the keyboard";
  form->BtnNouveau->setFocus();
  QTest::keyClick(form->BtnNouveau, Qt::Key_Space);
  ASSERT_EQ(parts.size(), 4u);
  EXPECT_EQ(form->focusWidget(), form->EdtReference) << "Nouveau";
  EXPECT_TRUE(form->NewRecordUntouched());
  for (const std::uint8_t dirty : {form->DesignationDirty, form->ReferenceDirty, form->LengthDirty,
                                   form->WidthDirty, form->CountDirty, form->GrainDirty,
                                   form->ThicknessDirty, form->SpeciesEdited})
    EXPECT_EQ(dirty, 0);
  form->BtnSupprimer->setFocus();
  QTest::keyClick(form->BtnSupprimer, Qt::Key_Space);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(form->focusWidget(), form->EdtReference) << "a delete";
  // What is typed next goes into the record, not onto a button.
  QTest::keyClicks(form->focusWidget(), QStringLiteral("x"));
  EXPECT_TRUE(form->EdtReference->text().endsWith(QLatin1Char('x')));
  EXPECT_EQ(parts.size(), 3u);
  EXPECT_EQ(form->Finished, 0);
}

// ---- The new-record button -----------------------------------------------------------------

TEST_F(PartFormTest, NouveauComesBackOnceBothSizesAreFilled) {
  Open();
  EXPECT_FALSE(form->BtnNouveau->isEnabled());
  Enter(form->EdtLongueur, "800");
  EXPECT_FALSE(form->BtnNouveau->isEnabled());
  Enter(form->EdtLargeur, "300");
  EXPECT_TRUE(form->BtnNouveau->isEnabled());
  Click(form->BtnNouveau);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_FALSE(form->BtnNouveau->isEnabled());
  Enter(form->EdtLongueur, "600");
  Enter(form->EdtLargeur, "200");
  ASSERT_TRUE(form->BtnNouveau->isEnabled());
  Click(form->BtnNouveau);
  EXPECT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[1].Length, 6000);
  EXPECT_TRUE(prompts.asked.empty());
}

// ---- Reference lists added to during a showing ----------------------------------------------

// A designation, a standard size and a species added from the form are reported after it closes,
// also when a delete showed the first record again in between.
TEST_F(PartFormTest, ReferenceListsAddedToAreReportedAfterADelete) {
  FakeDesignationPicker designationFake;
  designationFake.answer.DesignationsChanged = 1;
  FakeSizePicker sizeFake;
  sizeFake.answer.SizeChanged = 1;
  designationPicker = &designationFake;
  panels = {Stock(28000, 20700, 0, 190)};
  Parts({Part(20000, 10000, 0), Part(15000, 10000, 0)});
  Open(2);
  form->Picker = &sizeFake;
  form->ShowPartRecord();
  Click(form->BitBtnDesignation);
  Click(form->BitBtnLongueur);
  prompts.answers = {PromptAnswer::Yes};
  form->CbxEssence->setFocus();
  form->CbxEssence->lineEdit()->selectAll();
  form->CbxEssence->lineEdit()->insert(QStringLiteral("Noyer"));
  PressTab(form->CbxEssence);
  ASSERT_EQ(settings.SpeciesNames.back(), "Noyer");
  Click(form->BtnSupprimer);
  ASSERT_EQ(parts.size(), 1u);
  Click(form->BtnTerminer);
  EXPECT_EQ(form->Finished, 1);
  EXPECT_EQ(form->DesignationsChanged, 1);
  EXPECT_EQ(form->PartSizesChanged, 1);
  EXPECT_EQ(form->SpeciesChanged, 1);
  // The next showing starts with nothing changed.
  form->hide();
  form->ShowPartRecord();
  ShowActive(*form);
  EXPECT_EQ(form->DesignationsChanged, 0);
  EXPECT_EQ(form->PartSizesChanged, 0);
  EXPECT_EQ(form->SpeciesChanged, 0);
}

// ---- Grain ----------------------------------------------------------------------------------

// With the grain option off a part stored horizontal shows its own grain; turned, it is a part
// of vertical grain, never one of no grain.
TEST_F(PartFormTest, WithTheGrainOptionOffARecordKeepsItsOwnGrain) {
  settings.GrainDirectionEnabled = false;
  Parts({Part(20000, 10000, GrainHorizontal)});
  Open();
  EXPECT_EQ(form->CbxSens->currentIndex(), GrainHorizontal);
  EXPECT_FALSE(form->CbxSens->isEnabled());
  Enter(form->EdtLongueur, "500");
  Enter(form->EdtLargeur, "600");
  prompts.answers = {PromptAnswer::Yes};
  Click(form->BtnTerminer);
  ASSERT_EQ(form->Finished, 1);
  EXPECT_EQ(parts[0].Length, 6000);
  EXPECT_EQ(parts[0].Width, 5000);
  EXPECT_EQ(parts[0].Grain, GrainVertical);
}

// Turned, the part fits no panel (nor would it unturned): the turn is undone, and a length typed
// again is held against the bounds of the grain shown (horizontal: 2800 mm), not of the turned
// one (2070 mm).
TEST_F(PartFormTest, AfterARefusedTurnTheBoundsAreThoseOfTheGrainShown) {
  panels = HorizontalOnly();
  Parts({Part(20000, 10000, GrainHorizontal), Part(20000, 10000, GrainHorizontal)});
  parts[0].Thickness = 220.0;  // thicker than every panel: no panel takes it, turned or not
  Open();
  Enter(form->EdtLongueur, "1500");
  Enter(form->EdtLargeur, "2000");
  prompts.answers = {PromptAnswer::Yes};
  Click(form->BtnSuivant);
  ASSERT_EQ(form->CurrentPartIndex(), 0);
  ASSERT_EQ(LastNotice(), kRefusal);
  ASSERT_EQ(form->CbxSens->currentIndex(), GrainHorizontal);
  const std::size_t notices = prompts.Of(Kind::Notice).size();
  Enter(form->EdtLongueur, "2600");
  EXPECT_EQ(prompts.Of(Kind::Notice).size(), notices) << LastNotice().toStdString();
  EXPECT_EQ(form->PendingLength, 26000);
}

}  // namespace
}  // namespace tranchex::test
