// The import column options form offscreen: the columns swap and renumber as the user chooses,
// designation and species left to the import cannot be added to the lists, the default grain
// shown is the one handed in, a unit change counts as a change, and OK asks for confirmation
// (Escape and No keep the form open) and never hands back a grain the options file refuses.

#include "exchange/UOptionsImportation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "dialogs/DialogKit.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

using Form = TFOptionsImportation;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

class ImportOptionsForm : public ::testing::Test {
 protected:
  void Show() {
    form.ColumnList = &columns;
    ShowActive(form);
  }
  // A column chosen in a box's list, as a click in its drop-down does.
  void Choose(int entry, int column) {
    QComboBox* box = form.ColumnBoxes[static_cast<std::size_t>(entry)];
    box->setCurrentIndex(column - 1);
    Q_EMIT box->activated(column - 1);
  }
  void ChooseUnit(int index) {
    form.CbxListeUnites->setCurrentIndex(index);
    Q_EMIT form.CbxListeUnites->activated(index);
  }
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  // A radio button answers a click on its circle or its caption, not on the rest of its row.
  void ClickRadio(QRadioButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
  }
  void Automatic(int entry) { ClickRadio(form.AutomaticButtons[static_cast<std::size_t>(entry)]); }
  void Given(int entry) { ClickRadio(form.GivenButtons[static_cast<std::size_t>(entry)]); }
  // The column numbers of the eight entries, and which are given ("11111111").
  std::vector<int> Numbers() const {
    std::vector<int> out;
    for (const OPTION_COL_IMPORT& c : columns) out.push_back(c.Column);
    return out;
  }
  std::string GivenFlags() const {
    std::string out;
    for (const OPTION_COL_IMPORT& c : columns) out += c.Given != 0 ? '1' : '0';
    return out;
  }
  // The selection each column box shows, -1 for none.
  std::vector<int> Shown() const {
    std::vector<int> out;
    for (QComboBox* box : form.ColumnBoxes) out.push_back(box->currentIndex() + 1);
    return out;
  }

  ScriptedPrompts prompts;
  RecordingHelp help;
  std::vector<OPTION_COL_IMPORT> columns = DefaultImportColumns();
  Form form{prompts, help};
};

TEST_F(ImportOptionsForm, ShowsTheMapTheSwitchesAndTheGrainHandedIn) {
  columns[Form::Thickness].Given = 0;
  columns[Form::Species].Column = 6;
  columns[Form::Grain].Column = 7;
  columns[Form::Thickness].Column = 8;  // left to the import: its number only orders the summary
  form.AddSpecies = 1;
  form.AddDimensions = 1;
  form.DefaultGrain = 2;
  form.Changed = 1;
  Show();
  EXPECT_EQ(form.Changed, 0);  // cleared at each showing
  EXPECT_TRUE(form.ChbxEssences->isChecked());
  EXPECT_FALSE(form.ChbxDesignations->isChecked());
  EXPECT_TRUE(form.ChbxDimensions->isChecked());
  EXPECT_EQ(form.ColumnBoxes[Form::Count]->count(), 7);  // 1..k for the seven given fields
  EXPECT_EQ(Shown(), (std::vector<int>{1, 2, 3, 4, 5, 0, 6, 7}));  // 0: nothing shown
  EXPECT_TRUE(form.AutomaticButtons[Form::Thickness]->isChecked());
  EXPECT_FALSE(form.ColumnBoxes[Form::Thickness]->isEnabled());
  EXPECT_TRUE(form.GivenButtons[Form::Grain]->isChecked());
  EXPECT_EQ(form.AutomaticButtons[Form::Count], nullptr);  // count, length, width: always given
  // The grain box shows the default grain and is used only when the file has no grain.
  EXPECT_EQ(form.CbxSens->currentText(), Text(TextId::Grain::Indifferent));
  EXPECT_FALSE(form.CbxSens->isEnabled());
  EXPECT_EQ(form.CbxListeUnites->currentText(), Text(TextId::ImportForm::Millimetre));
  EXPECT_EQ(form.windowTitle(), Text(TextId::ImportOptionsForm::Caption));
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ImportOptionsForm, ChoosingAColumnSwapsItWithTheFieldThatHeldIt) {
  Show();
  Choose(Form::Reference, 3);
  EXPECT_EQ(Numbers(), (std::vector<int>{3, 2, 1, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Shown(), (std::vector<int>{3, 2, 1, 4, 5, 6, 7, 8}));
  Choose(Form::Grain, 3);  // the reference had 3: it takes the grain's 8
  EXPECT_EQ(Numbers(), (std::vector<int>{8, 2, 1, 4, 5, 6, 7, 3}));
  EXPECT_EQ(Shown(), Numbers());
  EXPECT_EQ(form.Changed, 1);
}

TEST_F(ImportOptionsForm, SwitchingAFieldRenumbersTheGivenFieldsInEntryOrder) {
  form.AddDesignations = 1;
  Show();
  Choose(Form::Width, 1);  // an order of the user's, lost at the next switch
  Automatic(Form::Designation);
  EXPECT_EQ(GivenFlags(), "10111111");
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 2, 3, 4, 5, 6, 7}));  // the designation keeps 2
  EXPECT_EQ(form.ColumnBoxes[Form::Count]->count(), 7);
  EXPECT_EQ(form.ColumnBoxes[Form::Designation]->count(), 0);
  EXPECT_FALSE(form.ColumnBoxes[Form::Designation]->isEnabled());
  // A designation the file does not give can never be added to the list.
  EXPECT_FALSE(form.ChbxDesignations->isChecked());
  EXPECT_FALSE(form.ChbxDesignations->isEnabled());
  EXPECT_FALSE(form.LblDesignations->isEnabled());
  EXPECT_EQ(form.AddDesignations, 0);

  Automatic(Form::Designation);  // already automatic: nothing more
  EXPECT_EQ(form.ColumnBoxes[Form::Count]->count(), 7);

  Given(Form::Designation);
  EXPECT_EQ(GivenFlags(), "11111111");
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Shown(), Numbers());
  EXPECT_TRUE(form.ChbxDesignations->isEnabled());
  EXPECT_FALSE(form.ChbxDesignations->isChecked());  // enabled again, left as it was
  EXPECT_EQ(form.Changed, 1);
}

TEST_F(ImportOptionsForm, ASpeciesLeftToTheImportIsNotAddedEvenWhenTheSwitchWasOn) {
  columns[Form::Species].Given = 0;
  form.AddSpecies = 1;
  Show();
  EXPECT_FALSE(form.ChbxEssences->isChecked());
  EXPECT_FALSE(form.ChbxEssences->isEnabled());
  EXPECT_EQ(form.AddSpecies, 0);
}

TEST_F(ImportOptionsForm, TheGrainBoxFollowsTheGrainField) {
  form.DefaultGrain = 0;
  Show();
  Automatic(Form::Grain);
  EXPECT_TRUE(form.CbxSens->isEnabled());
  EXPECT_EQ(form.CbxSens->currentText(), Text(TextId::Grain::Horizontal));
  Given(Form::Grain);
  EXPECT_FALSE(form.CbxSens->isEnabled());
}

TEST_F(ImportOptionsForm, TheSwitchesAreHandedBackAsTicked) {
  Show();
  Click(form.ChbxEssences);
  Click(form.ChbxDimensions);
  EXPECT_EQ(form.AddSpecies, 1);
  EXPECT_EQ(form.AddDimensions, 1);
  EXPECT_EQ(form.AddDesignations, 0);
  EXPECT_EQ(form.Changed, 1);
}

// A restore after a minimise is no new showing: the ticks and the change are kept.
TEST_F(ImportOptionsForm, AMinimiseKeepsTheTicksAndTheChange) {
  Show();
  Click(form.ChbxEssences);
  MinimiseAndRestore(form);
  EXPECT_TRUE(form.ChbxEssences->isChecked());
  EXPECT_EQ(form.AddSpecies, 1);
  EXPECT_EQ(form.Changed, 1);
}

TEST_F(ImportOptionsForm, OkWithoutAChangeClosesWithoutAQuestion) {
  Show();
  Click(form.BtnOk);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(ImportOptionsForm, AUnitChosenForTheFileIsAChangeAndWarnsWhenItIsNotTheProgramsOwn) {
  struct Case {
    int index;
    double factor;
    std::string abbreviation;
  };
  const Case cases[] = {{1, 100.0, "cm"}, {2, 254.0, ""}, {3, 10000.0, "m"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    form.UnitFactor = 10.0;
    form.UnitAbbreviation = "mm";
    prompts.asked.clear();
    Show();
    ChooseUnit(c.index);
    EXPECT_EQ(form.UnitFactor, c.factor);
    EXPECT_EQ(form.UnitAbbreviation, c.abbreviation);
    EXPECT_EQ(form.Changed, 1);
    EXPECT_EQ(prompts.NoticeTexts(), QStringList{Text(TextId::ImportOptionsForm::UnitDiffers)});
    EXPECT_EQ(prompts.asked.at(0).caption, Text(TextId::ImportOptionsForm::Caption));
    ChooseUnit(0);  // back to the program's unit: no warning
    EXPECT_EQ(prompts.NoticeTexts().size(), 1);
    EXPECT_EQ(form.UnitFactor, 10.0);
    form.hide();
  }
}

TEST_F(ImportOptionsForm, TheSummaryListsTheColumnsThenTheFieldsFilledAutomatically) {
  columns[Form::Reference].Given = 0;
  columns[Form::Grain].Given = 0;
  form.DefaultGrain = 1;
  Show();
  Click(form.ChbxDimensions);
  namespace id = TextId::ImportOptionsForm;
  // The map as handed in (only a switch renumbers): the given fields by column, then the
  // reference (1) and the grain (8) filled automatically.
  QString expected = Text(id::SummaryStart);
  const std::pair<int, int> given[] = {{2, Form::Designation}, {3, Form::Count},
                                       {4, Form::Length},      {5, Form::Width},
                                       {6, Form::Thickness},   {7, Form::Species}};
  for (const auto& [column, entry] : given) {
    expected += Text(id::SummaryColumn) + QString::number(column) + QStringLiteral(" - ") +
                QString::number(column) + QStringLiteral(" : ") +
                QString::fromStdString(columns[static_cast<std::size_t>(entry)].Title) +
                QStringLiteral("\n");
  }
  expected += Text(TextId::Columns::TextReference) + Text(id::SummaryAutomatic);
  expected += Text(TextId::Columns::TextGrain) +
              Text(id::SummaryDefaultGrain).replace(QStringLiteral("valdef"),
                                                    QStringLiteral("vertical"));
  expected += Text(id::SummaryEnd);
  EXPECT_EQ(form.ConfirmationText(), expected);
}

TEST_F(ImportOptionsForm, OnlyYesToTheSummaryClosesTheForm) {
  struct Case {
    const char* name;
    PromptAnswer answer;
    bool closes;
  };
  const Case cases[] = {{"yes", PromptAnswer::Yes, true},
                        {"no", PromptAnswer::No, false},
                        {"escape", PromptAnswer::Cancel, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    columns = DefaultImportColumns();
    prompts.asked.clear();
    Show();
    Choose(Form::Reference, 2);
    prompts.answers = {c.answer};
    Click(form.BtnOk);
    ASSERT_EQ(prompts.Of(ScriptedPrompts::Kind::Ask).size(), 1u);
    EXPECT_EQ(prompts.asked.back().caption, Text(TextId::ImportOptionsForm::MessageCaption));
    EXPECT_EQ(prompts.asked.back().buttons, PromptButtons::YesNo);
    EXPECT_EQ(form.isVisible(), !c.closes);
    // The edit is kept either way (the form has no cancel).
    EXPECT_EQ(Numbers(), (std::vector<int>{2, 1, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(form.Changed, 1);
    form.hide();
  }
}

TEST_F(ImportOptionsForm, OkTakesTheGrainChosenAndNeverAGrainTheOptionsFileRefuses) {
  struct Case {
    const char* name;
    std::int32_t handedIn;
    bool grainAutomatic;
    int chosen;  // -1: none chosen
    bool closes;
    std::int32_t handedBack;
  };
  const Case cases[] = {
      {"grain chosen", 1, true, 2, true, 2},
      // Nothing shown in the box with the grain left to the import: refused, the form stays.
      {"grain missing", -1, true, -1, false, -1},
      // The file gives the grain: an empty box keeps the factory grain rather than "none".
      {"grain given, box empty", -1, false, -1, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    columns = DefaultImportColumns();
    prompts.asked.clear();
    form.DefaultGrain = c.handedIn;
    Show();
    if (c.grainAutomatic) {
      Automatic(Form::Grain);
    } else {
      Click(form.ChbxDimensions);
    }
    if (c.chosen >= 0) {
      form.CbxSens->setCurrentIndex(c.chosen);
      Q_EMIT form.CbxSens->activated(c.chosen);
    }
    if (c.closes) prompts.answers = {PromptAnswer::Yes};
    Click(form.BtnOk);
    EXPECT_EQ(form.isVisible(), !c.closes);
    EXPECT_EQ(form.DefaultGrain, c.handedBack);
    if (!c.closes) {
      EXPECT_EQ(prompts.NoticeTexts(),
                QStringList{Text(TextId::ImportOptionsForm::NoDefaultGrain)});
      EXPECT_EQ(prompts.asked.back().caption, Text(TextId::ImportOptionsForm::MessageCaption));
    }
    form.hide();
  }
}

TEST_F(ImportOptionsForm, EscapeClosesWithoutTheSummaryAndKeepsTheEdits) {
  Show();
  Choose(Form::Count, 5);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Numbers(), (std::vector<int>{1, 2, 5, 4, 3, 6, 7, 8}));
  EXPECT_EQ(form.Changed, 1);
}

TEST_F(ImportOptionsForm, HelpOpensItsContext) {
  Show();
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{2030});
}

TEST_F(ImportOptionsForm, TheSwitchesNamePartSizes) {
  Show();
  EXPECT_TRUE(form.LblDimensions->text().contains(QStringLiteral("pièces")));
  EXPECT_FALSE(form.LblDimensions->text().contains(QStringLiteral("panneaux")));
}

}  // namespace
}  // namespace tranchex::test
