// The stock panel form, across records: moving, the new record and the question about one left
// untouched, the delete, the length-not-below-width rule when a record is left, the fit tests of
// a modified job, the finish and the cancel, and the whole entry from the keyboard.

#include <gtest/gtest.h>

#include <QApplication>

#include "dialogs/PanelFormFixture.h"
#include "job/JobRecordChecks.h"

namespace tranchex::test {
namespace {

using Navigation = PanelFormTest;

const QString kUntouchedQuestion = QStringLiteral(
    "Vous n'avez apporté aucune modification au format de ce panneau. Voulez-vous le conserver ?");
const QString kEditRefused = QStringLiteral(
    "Modification non valide pour ce panneau car une au moins des pièces que vous avez saisi ne "
    "peut plus être insérée dans aucun panneau !\n\nPour pouvoir apporter ces modifications à ce "
    "panneau vous devez d'abords supprimer la ou les pièces qui y sont associées.");
const QString kListRefused = QStringLiteral(
    "Modification non valide de la liste des panneaux car une au moins des pièces que vous avez "
    "saisi ne peut plus être insérée dans aucun panneau !");
const QString kDeleteQuestion = QStringLiteral(
    "Attention !\nAu moins une des pièces que vous avez saisi ne peut être insérée dans aucun "
    "autre panneau.\n\nVoulez vous vraiment supprimer ce panneau ?");

// ---- Moving ---------------------------------------------------------------------------------

TEST_F(Navigation, EachMoveShowsItsRecordWithTheButtonsForIt) {
  panels = Stock({StockPanel(10000, 5000), StockPanel(20000, 5000), StockPanel(30000, 5000)});
  Open(2);
  struct Step {
    QPushButton* TSelPanneaux::*button;
    const char* counter;
    const char* length;
    std::string buttons;  // first, previous, next, last, new, delete
  };
  const Step steps[] = {
      {&TSelPanneaux::BtnSuivant, "2", "2000", "111111"},
      {&TSelPanneaux::BtnSuivant, "3", "3000", "110011"},
      {&TSelPanneaux::BtnPred, "2", "2000", "111111"},
      {&TSelPanneaux::BtnPremier, "1", "1000", "001111"},
      {&TSelPanneaux::BtnDernier, "3", "3000", "110011"},
      {&TSelPanneaux::BtnPremier, "1", "1000", "001111"},
  };
  EXPECT_EQ(Buttons(), "001111");
  for (const Step& s : steps) {
    Click((*form).*s.button);
    EXPECT_EQ(Counter(), QString::fromLatin1(s.counter));
    EXPECT_EQ(form->EdtLongueur->text(), QString::fromLatin1(s.length));
    EXPECT_EQ(Buttons(), s.buttons) << s.counter;
  }
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(Navigation, EditsAreWrittenWhenTheRecordIsLeft) {
  panels = Stock({StockPanel(28000, 20700, 2, GrainIndifferent, 190, 0), StockPanel(20000, 10000)});
  Open(2);
  Click(form->ChbNbPanneaux);
  Enter(form->EdtLongueur, QStringLiteral("2440"));
  Enter(form->EdtLargeur, QStringLiteral("1220"));
  Enter(form->EdtNb, QStringLiteral("4"));
  Enter(form->EdtEpaisseur, QStringLiteral("18"));
  EXPECT_EQ(panels[0].Length, 28000.0);
  Click(form->BtnSuivant);
  const Panneau_p& p = panels[0];
  EXPECT_EQ(p.Length, 24400.0);
  EXPECT_EQ(p.Width, 12200.0);
  EXPECT_EQ(p.Area, 24400.0 * 12200.0);
  EXPECT_EQ(p.Rect, TRect(0, 12200, 24400, 0));
  ASSERT_FALSE(p.FreeRects.empty());
  EXPECT_EQ(TRect(p.FreeRects.front()), TRect(0, 12200, 24400, 0));
  EXPECT_EQ(p.Quantity, 4);
  EXPECT_EQ(p.Thickness, 180.0);
  EXPECT_EQ(p.EntryIndex, 0);
  for (std::uint8_t dirty : {form->LengthDirty, form->WidthDirty, form->CountDirty,
                             form->ThicknessDirty, form->GrainDirty, form->SpeciesEdited})
    EXPECT_EQ(dirty, 0);
}

// The length may equal the width, never be below it; the rule compares what the record shown
// holds, whatever the record shown before it.
TEST_F(Navigation, ALengthBelowTheWidthIsRefusedWhenTheRecordIsLeft) {
  struct Case {
    const char* field;
    const char* typed;
    QPushButton* TSelPanneaux::*button;
    QString message;  // empty: accepted
    double length;    // of the record once left
    double width;
  };
  const QString length = QStringLiteral("Valeur non valide pour une longueur !");
  const QString width = QStringLiteral("Valeur non valide pour une largeur !");
  const QString rule = QStringLiteral("\nLa longueur doit être supérieure ou égale à la largeur.");
  const Case cases[] = {
      {"EdtLongueur", "2400", &TSelPanneaux::BtnSuivant, length, 30000, 25000},
      {"EdtLongueur", "2400", &TSelPanneaux::BtnPred, length, 30000, 25000},
      {"EdtLongueur", "2400", &TSelPanneaux::BtnNouveau, length, 30000, 25000},
      {"EdtLongueur", "2500", &TSelPanneaux::BtnSuivant, {}, 25000, 25000},
      {"EdtLargeur", "3000,1", &TSelPanneaux::BtnSuivant, width, 30000, 25000},
      {"EdtLargeur", "3000", &TSelPanneaux::BtnSuivant, {}, 30000, 30000},
      {"EdtLongueur", "2400", &TSelPanneaux::BtnTerminer, length + rule, 30000, 25000},
      {"EdtLargeur", "3100", &TSelPanneaux::BtnTerminer, width + rule, 30000, 25000},
      {"EdtLongueur", "2500", &TSelPanneaux::BtnTerminer, {}, 25000, 25000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " " + c.typed);
    // Shown after a record of width 1000 mm: the 3000 x 2500 mm record in the middle.
    panels = Stock({StockPanel(20000, 10000), StockPanel(30000, 25000), StockPanel(20000, 10000)});
    prompts.asked.clear();
    Open(2);
    Click(form->BtnSuivant);
    auto* field = form->findChild<QLineEdit*>(QString::fromLatin1(c.field));
    Enter(field, QString::fromLatin1(c.typed));
    Click((*form).*c.button);
    EXPECT_EQ(panels[1].Length, c.length);
    EXPECT_EQ(panels[1].Width, c.width);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(prompts.asked.empty());
    } else {
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{c.message});
      EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Valeur non valide"));
      EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
      EXPECT_EQ(Counter(), QStringLiteral("2"));
      EXPECT_TRUE(field->hasFocus());
      EXPECT_EQ(panels.size(), 3u);
      EXPECT_EQ(form->Finished, 0);
      EXPECT_TRUE(form->isVisible());
    }
    form->hide();
  }
}

// ---- New record -----------------------------------------------------------------------------

TEST_F(Navigation, ANewRecordTakesTheDefaultsAndTheNextPosition) {
  panels = Stock({StockPanel(28000, 20700, 2, GrainVertical, 190, 2), StockPanel(20000, 10000)});
  Open(2);
  Click(form->BtnNouveau);
  ASSERT_EQ(panels.size(), 3u);
  const Panneau_p& p = panels[2];
  EXPECT_EQ(p.Length, 25000.0);
  EXPECT_EQ(p.Width, 12500.0);
  EXPECT_EQ(p.Quantity, 1);
  EXPECT_EQ(p.Thickness, 100.0);
  EXPECT_EQ(p.Species, 0);
  EXPECT_EQ(p.Grain, GrainHorizontal);
  EXPECT_EQ(p.EntryIndex, 2);
  EXPECT_EQ(Counter(), QStringLiteral("3"));
  EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2500"));
  EXPECT_EQ(form->EdtEpaisseur->text(), QStringLiteral("10"));
  EXPECT_EQ(form->CbxEssence->currentText(), QStringLiteral("Chêne"));
  EXPECT_EQ(form->EdtNb->text(), QStringLiteral("1"));
  EXPECT_EQ(Buttons(), "110001");  // no second new record until this one is touched
  EXPECT_TRUE(form->NewPanelUntouched());
  EXPECT_TRUE(form->CurrentPanelIsNew());
  Enter(form->EdtLargeur, QStringLiteral("1200"));
  EXPECT_EQ(Buttons(), "110011");
  EXPECT_FALSE(form->NewPanelUntouched());
  Click(form->BtnNouveau);
  EXPECT_EQ(panels[2].Width, 12000.0);
  EXPECT_EQ(panels.size(), 4u);
  EXPECT_EQ(panels[3].EntryIndex, 3);
}

// Leaving backwards a new record nobody touched asks whether to keep it; leaving forwards never
// can (next and last are disabled on it), and a touched record asks nothing.
TEST_F(Navigation, AnUntouchedNewRecordLeftBackwardsIsKeptOrDropped) {
  struct Case {
    QPushButton* TSelPanneaux::*button;
    PromptAnswer answer;
    std::size_t count;
    const char* counter;
  };
  const Case cases[] = {
      {&TSelPanneaux::BtnPred, PromptAnswer::No, 2, "2"},
      {&TSelPanneaux::BtnPred, PromptAnswer::Yes, 3, "2"},
      {&TSelPanneaux::BtnPred, PromptAnswer::Cancel, 3, "2"},
      {&TSelPanneaux::BtnPremier, PromptAnswer::No, 2, "1"},
      {&TSelPanneaux::BtnPremier, PromptAnswer::Yes, 3, "1"},
  };
  for (const Case& c : cases) {
    panels = Stock({StockPanel(28000, 20700), StockPanel(20000, 10000)});
    prompts.asked.clear();
    prompts.answers = {c.answer};
    Open(2);
    Click(form->BtnDernier);
    Click(form->BtnNouveau);
    Click((*form).*c.button);
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].kind, ScriptedPrompts::Kind::Ask);
    EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Sélection des panneaux"));
    EXPECT_EQ(prompts.asked[0].text, kUntouchedQuestion);
    EXPECT_EQ(prompts.asked[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(panels.size(), c.count);
    EXPECT_EQ(Counter(), QString::fromLatin1(c.counter));
    EXPECT_TRUE(form->BtnNouveau->isEnabled());
    EXPECT_FALSE(form->NewPanelUntouched());
    if (c.count == 3) {
      EXPECT_EQ(panels[2].Length, 25000.0);
    }
    form->hide();
  }
  // A field accepted on the new record: no question.
  panels = Stock({StockPanel(28000, 20700)});
  prompts.asked.clear();
  Open(2);
  Click(form->BtnNouveau);
  Enter(form->EdtLongueur, QStringLiteral("2600"));
  Click(form->BtnPred);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(panels.size(), 2u);
  EXPECT_EQ(panels[1].Length, 26000.0);
}

TEST_F(Navigation, ARecordCreatedThenDeletedAsksNothingOnTheWayBack) {
  panels = Stock({StockPanel(28000, 20700), StockPanel(20000, 10000)});
  Open(2);
  Click(form->BtnDernier);
  Click(form->BtnNouveau);
  Click(form->BtnSupprimer);
  EXPECT_EQ(panels.size(), 2u);
  EXPECT_EQ(Counter(), QStringLiteral("2"));
  Click(form->BtnPred);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Counter(), QStringLiteral("1"));
}

// A job holds at most 10 000 stock entries: a further one could be neither laid out nor saved.
TEST_F(Navigation, NoRecordPastTheJobsLimit) {
  panels.assign(static_cast<std::size_t>(kMaxJobPanels), StockPanel(20000, 10000));
  Open(1);
  Click(form->BtnNouveau);
  EXPECT_EQ(panels.size(), static_cast<std::size_t>(kMaxJobPanels));
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{QStringLiteral("Nombre de panneaux non valide (10001 ; de 1 à 10000)")});
  EXPECT_EQ(Counter(), QStringLiteral("1"));
  // One entry fewer, and the new record is taken.
  panels.pop_back();
  prompts.asked.clear();
  Click(form->BtnNouveau);
  EXPECT_EQ(panels.size(), static_cast<std::size_t>(kMaxJobPanels));
  EXPECT_TRUE(prompts.asked.empty());
}

// ---- Delete ---------------------------------------------------------------------------------

TEST_F(Navigation, ADeleteShowsTheRecordBeforeOrTheFirst) {
  struct Case {
    const char* what;
    int shownAt;                          // 0-based position of the record deleted
    std::vector<double> lengthsAfter;     // of the list
    const char* counter;
    const char* lengthShown;
    std::string buttons;
  };
  const Case cases[] = {
      {"first", 0, {20000, 30000}, "1", "2000", "001111"},
      {"middle", 1, {10000, 30000}, "1", "1000", "001111"},
      {"last", 2, {10000, 20000}, "2", "2000", "110011"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    panels = Stock({StockPanel(10000, 5000), StockPanel(20000, 5000), StockPanel(30000, 5000)});
    Open(2);
    for (int i = 0; i < c.shownAt; ++i) Click(form->BtnSuivant);
    // A pending edit of the record deleted goes with it.
    Enter(form->EdtLargeur, QStringLiteral("400"));
    Click(form->BtnSupprimer);
    std::vector<double> lengths;
    for (const Panneau_p& p : panels) lengths.push_back(p.Length);
    EXPECT_EQ(lengths, c.lengthsAfter);
    for (const Panneau_p& p : panels) EXPECT_EQ(p.Width, 5000.0);
    EXPECT_EQ(Counter(), QString::fromLatin1(c.counter));
    EXPECT_EQ(form->EdtLongueur->text(), QString::fromLatin1(c.lengthShown));
    EXPECT_EQ(Buttons(), c.buttons);
    EXPECT_EQ(form->WidthDirty, 0);
    EXPECT_TRUE(prompts.asked.empty());
    form->hide();
  }
}

TEST_F(Navigation, DeletingOneOfTwoRecordsDisablesTheDelete) {
  panels = Stock({StockPanel(10000, 5000), StockPanel(20000, 5000)});
  Open(2);
  Click(form->BtnSupprimer);
  EXPECT_EQ(panels.size(), 1u);
  EXPECT_EQ(Buttons(), "000010");
}

// In a modified job the only panel may be deleted, once the user confirms that its part will
// have no panel: a default record takes its place.
TEST_F(Navigation, DeletingTheOnlyRecordLeavesTheDefaultOne) {
  panels = Stock({StockPanel(28000, 20700, 3, GrainVertical, 190, 2)});
  parts = {JobPart(6000, 4000, GrainVertical, 190, 2)};
  prompts.answers = {PromptAnswer::Yes};
  Open(2, true);
  EXPECT_EQ(Buttons(), "000011");
  Click(form->BtnSupprimer);
  EXPECT_EQ(prompts.QuestionTexts(), QStringList{kDeleteQuestion});
  ASSERT_EQ(panels.size(), 1u);
  EXPECT_EQ(panels[0].Length, 25000.0);
  EXPECT_EQ(panels[0].Width, 12500.0);
  EXPECT_EQ(panels[0].Quantity, 1);
  EXPECT_EQ(panels[0].Thickness, 100.0);
  EXPECT_EQ(panels[0].Species, 0);
  EXPECT_EQ(Counter(), QStringLiteral("1"));
  EXPECT_EQ(Buttons(), "000010");
}

// In a modified job a panel some part needs is deleted only when the user confirms.
TEST_F(Navigation, DeletingAPanelAPartNeedsAsksFirst) {
  struct Case {
    const char* what;
    int shownAt;
    bool asked;
    PromptAnswer answer;
    std::size_t countAfter;
  };
  const Case cases[] = {
      {"the panel the part needs, Yes", 0, true, PromptAnswer::Yes, 1},
      {"the panel the part needs, No", 0, true, PromptAnswer::No, 2},
      {"the panel the part needs, no answer", 0, true, PromptAnswer::Cancel, 2},
      {"a panel no part needs", 1, false, PromptAnswer::Yes, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    panels = Stock({StockPanel(30000, 20000), StockPanel(10000, 8000)});
    parts = {JobPart(25000, 15000)};
    prompts.asked.clear();
    prompts.answers.clear();
    if (c.asked) prompts.answers = {c.answer};
    Open(2, true);
    for (int i = 0; i < c.shownAt; ++i) Click(form->BtnSuivant);
    Enter(form->EdtLongueur, QStringLiteral("2900"));
    Click(form->BtnSupprimer);
    EXPECT_EQ(panels.size(), c.countAfter);
    if (c.asked) {
      ASSERT_EQ(prompts.asked.size(), 1u);
      EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Suppression d'un panneau"));
      EXPECT_EQ(prompts.asked[0].text, kDeleteQuestion);
      EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Question);
    } else {
      EXPECT_TRUE(prompts.asked.empty());
    }
    // Not deleted: the edit stays pending on the record.
    if (c.countAfter == 2) {
      EXPECT_EQ(form->LengthDirty, 1);
      EXPECT_EQ(form->EdtLongueur->text(), QStringLiteral("2900"));
    }
    form->hide();
  }
  // The same delete while a new job is entered asks nothing.
  panels = Stock({StockPanel(30000, 20000), StockPanel(10000, 8000)});
  prompts.asked.clear();
  Open(2, false);
  Click(form->BtnSupprimer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(panels.size(), 1u);
}

// ---- The fit tests of a modified job --------------------------------------------------------

TEST_F(Navigation, AnEditThatLeavesAPartWithoutAPanelIsRefused) {
  panels = Stock({StockPanel(30000, 20000)});
  parts = {JobPart(28000, 18000)};
  Open(2, true);
  Enter(form->EdtLongueur, QStringLiteral("2000"));
  Click(form->BtnNouveau);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{kEditRefused});
  EXPECT_EQ(prompts.asked[0].caption, QStringLiteral("Valeur non valide"));
  EXPECT_EQ(panels.size(), 1u);
  EXPECT_EQ(Counter(), QStringLiteral("1"));
  // The edit is in the record; every later attempt to leave it is refused the same way.
  EXPECT_EQ(panels[0].Length, 20000.0);
  Click(form->BtnTerminer);
  EXPECT_EQ(prompts.NoticeTexts(), (QStringList{kEditRefused, kListRefused}));
  EXPECT_EQ(form->Finished, 0);
  // Put back, the record is left.
  Enter(form->EdtLongueur, QStringLiteral("2800"));
  Click(form->BtnTerminer);
  EXPECT_EQ(form->Finished, 1);
}

// One part still fits the edited panel, so the panel may be left; the finish then finds the
// other part fits none.
TEST_F(Navigation, TheFinishRefusesAListThatLeavesAPartWithoutAPanel) {
  panels = Stock({StockPanel(30000, 20000)});
  parts = {JobPart(10000, 5000), JobPart(28000, 18000)};
  Open(2, true);
  Enter(form->EdtLongueur, QStringLiteral("2000"));
  Click(form->BtnTerminer);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{kListRefused});
  EXPECT_EQ(form->Finished, 0);
  EXPECT_TRUE(form->isVisible());
  // While a new job is entered nothing is refused.
  form->hide();
  prompts.asked.clear();
  panels = Stock({StockPanel(30000, 20000)});
  Open(2, false);
  Enter(form->EdtLongueur, QStringLiteral("2000"));
  Click(form->BtnNouveau);
  Click(form->BtnTerminer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Finished, 1);
}

// A new record is no way around the whole-list test: narrowed, the first panel still takes the
// small part, so it may be left; a record added and Terminer on it then finds the large part
// without a panel.
TEST_F(Navigation, TheFinishTestsTheWholeListAlsoOnANewRecord) {
  panels = Stock({StockPanel(30000, 20000)});
  parts = {JobPart(10000, 5000), JobPart(28000, 18000)};
  Open(2, true);
  Enter(form->EdtLongueur, QStringLiteral("2000"));
  Click(form->BtnNouveau);
  ASSERT_EQ(panels.size(), 2u);
  ASSERT_TRUE(form->CurrentPanelIsNew());
  Click(form->BtnTerminer);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{kListRefused});
  EXPECT_EQ(form->Finished, 0);
  EXPECT_TRUE(form->isVisible());
}

// A job of stock alone: no part can lose its panel, so nothing is refused or asked.
TEST_F(Navigation, AJobWithoutPartsKeepsEveryPanelEdit) {
  panels = Stock({StockPanel(30000, 20000), StockPanel(10000, 8000, 1, GrainVertical, 160, 1)});
  Open(2, true);
  Enter(form->EdtLongueur, QStringLiteral("2000"));
  Click(form->BtnSuivant);
  EXPECT_EQ(panels[0].Length, 20000.0);
  Click(form->BtnSupprimer);
  EXPECT_EQ(panels.size(), 1u);
  Click(form->BtnTerminer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Finished, 1);
}

// ---- Finish and cancel ----------------------------------------------------------------------

TEST_F(Navigation, TheFinishWritesTheRecordShownAndKeepsAnUntouchedNewOne) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  Enter(form->EdtLongueur, QStringLiteral("2900"));
  Click(form->BtnNouveau);
  Click(form->BtnTerminer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Finished, 1);
  EXPECT_EQ(form->result(), QDialog::Accepted);
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(panels[0].Length, 29000.0);
  EXPECT_EQ(panels[1].Length, 25000.0);
}

// Copies in all: past a million stock panels the job could not be laid out.
TEST_F(Navigation, TheFinishRefusesMoreCopiesThanAJobMayHold) {
  panels.assign(11, StockPanel(20000, 10000, 100000));
  Open(1);
  Click(form->BtnTerminer);
  EXPECT_EQ(prompts.NoticeTexts(),
            QStringList{QStringLiteral("Trop de panneaux à découper (1100000 ; au plus 1000000)")});
  EXPECT_EQ(form->Finished, 0);
  Click(form->BtnSupprimer);
  prompts.asked.clear();
  Click(form->BtnTerminer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Finished, 1);
}

TEST_F(Navigation, CancelLeavesWithoutFinishing) {
  panels = Stock({StockPanel(28000, 20700)});
  Open(2);
  Enter(form->EdtLongueur, QStringLiteral("2900"));
  form->Finished = 1;
  Click(form->BtnAnnul);
  EXPECT_EQ(form->Finished, 0);
  EXPECT_EQ(form->result(), QDialog::Rejected);
  EXPECT_FALSE(form->CurrentPanelIsNew());
}

// ---- The keyboard alone ---------------------------------------------------------------------

class Keyboard : public PanelFormTest {
 protected:
  QWidget* Focused() const { return QApplication::focusWidget(); }
  // Tab until the control has the focus.
  void TabTo(QWidget* target) {
    for (int i = 0; i < 40 && Focused() != target; ++i) QTest::keyClick(Focused(), Qt::Key_Tab);
    ASSERT_EQ(Focused(), target) << target->objectName().toStdString();
  }
  void Press(QPushButton* button) {
    TabTo(button);
    QTest::keyClick(button, Qt::Key_Space);
  }
  void TypeHere(const QString& text) {
    QTest::keyClick(Focused(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Focused(), text);
  }
  // Length and width typed, each left with Tab.
  void EnterSize(const char* length, const char* width) {
    TabTo(form->EdtLongueur);
    TypeHere(QString::fromLatin1(length));
    QTest::keyClick(Focused(), Qt::Key_Tab);
    TypeHere(QString::fromLatin1(width));
    QTest::keyClick(Focused(), Qt::Key_Tab);
  }
};

TEST_F(Keyboard, ThreePanelsEnteredOneDeletedThenFinished) {
  Open(1);
  ASSERT_EQ(Focused(), form->EdtLongueur);
  EnterSize("3000", "2000");
  Press(form->BtnNouveau);
  EnterSize("2800", "2070");
  Press(form->BtnNouveau);
  EnterSize("2500", "1250,5");
  EXPECT_EQ(Counter(), QStringLiteral("3"));
  Press(form->BtnSupprimer);
  EXPECT_EQ(Counter(), QStringLiteral("2"));
  Press(form->BtnTerminer);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(form->Finished, 1);
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(panels[0].Length, 30000.0);
  EXPECT_EQ(panels[0].Width, 20000.0);
  EXPECT_EQ(panels[1].Length, 28000.0);
  EXPECT_EQ(panels[1].Width, 20700.0);
  EXPECT_EQ(panels[0].EntryIndex, 0);
  EXPECT_EQ(panels[1].EntryIndex, 1);
  for (const Panneau_p& p : panels) {
    EXPECT_EQ(p.Quantity, 1);
    EXPECT_EQ(p.Grain, GrainHorizontal);
    EXPECT_EQ(p.Thickness, 100.0);
  }
}

// Every showing of a record puts the focus in its length: the first showing, a second one after
// a finish, a move, Nouveau and a delete. What is typed next goes into the record.
TEST_F(Keyboard, EveryRecordShownIsTypedFromItsLength) {
  panels = Stock({StockPanel(30000, 20000), StockPanel(28000, 20700)});
  Open(1);
  ASSERT_EQ(Focused(), form->EdtLongueur);
  Press(form->BtnTerminer);
  ASSERT_EQ(form->Finished, 1);
  form->ShowPanelRecord();
  ShowActive(*form);
  EXPECT_EQ(Focused(), form->EdtLongueur) << "a second showing";
  Press(form->BtnSuivant);
  EXPECT_EQ(Focused(), form->EdtLongueur) << "a move";
  Press(form->BtnNouveau);
  EXPECT_EQ(Focused(), form->EdtLongueur) << "Nouveau";
  // Typed straight in: 2800 Tab 2070 Tab.
  TypeHere(QStringLiteral("2600"));
  QTest::keyClick(Focused(), Qt::Key_Tab);
  TypeHere(QStringLiteral("2000"));
  QTest::keyClick(Focused(), Qt::Key_Tab);
  EXPECT_EQ(form->PendingLength, 26000.0);
  EXPECT_EQ(form->PendingWidth, 20000.0);
  Press(form->BtnSupprimer);
  EXPECT_EQ(Focused(), form->EdtLongueur) << "a delete";
  EXPECT_EQ(panels.size(), 2u);
  EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace tranchex::test
