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

#include "dialogs/DialogKit.h"
#include "dialogs/SizePicker.h"
#include "dialogs/USelPieces.h"
#include "job/JobRecordChecks.h"
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
    form->PartList = &parts;
    form->PartDesignationList = &designations;
    form->PartReferenceList = &references;
    form->PanelList = &panels;
    form->Engine = &engine;
    form->Margins = margins;
    form->ModifyMode = 1;
    form->Unit = unit;
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

}  // namespace
}  // namespace tranchex::test
