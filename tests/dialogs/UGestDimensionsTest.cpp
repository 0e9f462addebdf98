// The standard dimensions manager: its six openings, the list each fills, the preselection, adds
// and deletes, the checks of what is typed, OK in both modes, and closing without OK.

#include "dialogs/UGestDimensions.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/JobBuilder.h"
#include "support/ScriptedPrompts.h"

namespace tranchex::test {
namespace {

using Kind = ScriptedPrompts::Kind;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

QString RangeText(const QString& upper) {
  return QStringLiteral(
             "Vous devez saisir une valeur comprise entre 0 et %1 et utiliser pour les nombres "
             "décimaux le séparateur décimal paramétré dans les options régionales et "
             "linguistiques de votre ordinateur.")
      .arg(upper);
}

// 2500 x 1250 x 19 mm for complex jobs; 2440 x 1220 for both kinds (10 mm, stored twice);
// 2000 x 1000 for simple jobs only; 2500 x 1250 x 22 mm for complex jobs.
std::vector<DIMENSIONS> Sizes() {
  return {{25000, 12500, 190, 2}, {24400, 12200, 100, 1}, {24400, 12200, 100, 2},
          {20000, 10000, 100, 1}, {25000, 12500, 220, 2}};
}

PanelList PanelsOf(double thickness) { return {Panneau_p(28000, 20700, thickness, 0)}; }

int KindOf(int context) { return context == 1 || context == 3 ? 1 : 2; }

class SizeManager : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = TestSettings();
    sizes = Sizes();
  }

  // The form shown as its opener shows it: context 0 from the main window (on a job of
  // `jobKind`), 1 to 5 from the panel and part forms.
  void Show(int context, std::int32_t length = 0, std::int32_t width = 0,
            std::int32_t thickness = 0, const PanelList* panels = nullptr, int jobKind = 1) {
    form.SizeList = &sizes;
    form.Kind = context == 0 ? jobKind : KindOf(context);
    form.PickMode = context == 0 ? 0 : 1;
    form.PickContext = context;
    form.FilterPanels = panels;
    form.PickedLength = length;
    form.PickedWidth = width;
    form.PickedThickness = thickness;
    ShowActive(form);
  }

  // Picks through the picker interface: `drive` answers the form once it is shown.
  SizePickerOutput Pick(int context, std::function<void()> drive, std::int32_t length = 0,
                        std::int32_t width = 0, std::int32_t thickness = 0,
                        const PanelList* panels = nullptr) {
    SizePickerInput in;
    in.SizeList = &sizes;
    in.SizePanelList = panels;
    in.SizeJobKind = KindOf(context);
    in.SizePickMode = 1;
    in.SizeContext = context;
    in.SizeLength = length;
    in.SizeWidth = width;
    in.SizeThickness = thickness;
    prompts.modals.push_back([this, drive](QDialog& d) {
      ShowActive(dynamic_cast<QDialog&>(d));
      drive();
      return d.result();
    });
    QWidget caller;
    caller.setGeometry(100, 80, 600, 400);
    return form.Pick(in, caller);
  }

  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    if (!text.isEmpty()) QTest::keyClicks(edit, text);
  }
  // Typed, then left with Tab, which checks it.
  void Enter(QLineEdit* edit, const QString& text) {
    Type(edit, text);
    PressTab(edit);
  }
  void EnterSize(const char* length, const char* width, const char* thickness = nullptr) {
    Enter(form.EdtLongueur, QString::fromUtf8(length));
    Enter(form.EdtLargeur, QString::fromUtf8(width));
    if (thickness != nullptr) Enter(form.EdtEpaisseur, QString::fromUtf8(thickness));
  }
  void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  void ClickRow(int row) {
    QListWidgetItem* item = form.LbDimensions->item(row);
    QTest::mouseClick(form.LbDimensions->viewport(), Qt::LeftButton, {},
                      form.LbDimensions->visualItemRect(item).center());
  }
  void DoubleClickRow(int row) {
    QListWidgetItem* item = form.LbDimensions->item(row);
    const QPoint at = form.LbDimensions->visualItemRect(item).center();
    QTest::mouseClick(form.LbDimensions->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(form.LbDimensions->viewport(), Qt::LeftButton, {}, at);
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> out;
    for (int i = 0; i < form.LbDimensions->count(); ++i)
      out.push_back(form.LbDimensions->item(i)->text().toStdString());
    return out;
  }
  // Length, width, thickness edits as "2500|1250|19".
  std::string Edits() const {
    return (form.EdtLongueur->text() + QLatin1Char('|') + form.EdtLargeur->text() +
            QLatin1Char('|') + form.EdtEpaisseur->text())
        .toStdString();
  }
  // Add and delete enabled, as "10", "01"...
  std::string Buttons() const {
    return std::string(form.BtnAjouter->isEnabled() ? "1" : "0") +
           (form.BtnSupprimer->isEnabled() ? "1" : "0");
  }

  Settings settings;
  std::vector<DIMENSIONS> sizes;
  ScriptedPrompts prompts;
  RecordingHelp help;
  TFGestDimensions form{settings, prompts, help};
};

TEST_F(SizeManager, TextsHelpAndFrame) {
  EXPECT_EQ(form.objectName(), QStringLiteral("FGestDimensions"));
  EXPECT_EQ(form.windowTitle(), Text(186));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Gestionnaire des dimensions"));
  EXPECT_EQ(form.LblLongueur->text(), QStringLiteral("Longueur"));
  EXPECT_EQ(form.LblLargeur->text(), QStringLiteral("Largeur"));
  EXPECT_EQ(form.LblEpaisseur->text(), QStringLiteral("Epaisseur"));
  EXPECT_EQ(form.BtnAjouter->text(), QStringLiteral("Ajouter"));
  EXPECT_EQ(form.BtnSupprimer->text(), QStringLiteral("Supprimer"));
  EXPECT_EQ(form.BtnOK->text(), Text(36));
  EXPECT_EQ(form.CbxEpaisseur->text(), QStringLiteral("Sélectionner l'épaisseur"));
  // The two messages of the form have their texts.
  EXPECT_FALSE(Text(213).isEmpty());
  EXPECT_FALSE(Text(270).isEmpty());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(form.BtnOK->isDefault());
  Show(0);
  QTest::keyClick(form.EdtLongueur, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{180});
}

// What each opening enables and lists. The thickness box starts in the state given and is
// changed only from the panel form of a complex job and the part form of a complex job.
TEST_F(SizeManager, TheSixOpenings) {
  const PanelList simplePanels = PanelsOf(100);
  const PanelList panels19 = PanelsOf(190);
  struct Case {
    int context;
    const PanelList* panels;
    bool boxBefore;
    bool thicknessEnabled, boxEnabled, boxAfter;
    const char* buttons;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {0, nullptr, true, true, false, true, "10",
       {"2500 x 1250 x 19", "2440 x 1220 x 10", "2000 x 1000 x 10", "2500 x 1250 x 22"}},
      {0, nullptr, false, true, false, false, "10",
       {"2500 x 1250 x 19", "2440 x 1220 x 10", "2000 x 1000 x 10", "2500 x 1250 x 22"}},
      {1, nullptr, true, false, false, true, "00", {"2440 x 1220", "2000 x 1000"}},
      {2, nullptr, false, true, true, true, "00",
       {"2500 x 1250 x 19", "2440 x 1220 x 10", "2500 x 1250 x 22"}},
      {3, &simplePanels, false, false, false, false, "00", {"2440 x 1220", "2000 x 1000"}},
      {4, &panels19, true, false, false, false, "00", {"2500 x 1250 x 19"}},
      {5, &panels19, false, true, true, true, "00", {"2500 x 1250 x 19"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "context " << c.context << " box " << c.boxBefore);
    form.CbxEpaisseur->setChecked(c.boxBefore);
    Show(c.context, 0, 0, 0, c.panels);
    EXPECT_EQ(form.Kind, c.context == 0 ? 2 : KindOf(c.context));
    EXPECT_EQ(form.EdtEpaisseur->isEnabled(), c.thicknessEnabled);
    EXPECT_EQ(form.CbxEpaisseur->isEnabled(), c.boxEnabled);
    EXPECT_EQ(form.CbxEpaisseur->isChecked(), c.boxAfter);
    EXPECT_EQ(Buttons(), c.buttons);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(Edits(), "||");
    EXPECT_EQ(form.LbDimensions->currentRow(), -1);
    form.hide();
  }
  // The sizes offered are all still in the list.
  EXPECT_EQ(sizes, Sizes());
}

// A restore after a minimise is no new showing: the size added before it is still reported and
// the fields keep what was typed.
TEST_F(SizeManager, AMinimiseKeepsTheChange) {
  sizes.clear();
  Show(0);
  EnterSize("1800", "600", "10");
  Click(form.BtnAjouter);
  MinimiseAndRestore(form);
  EXPECT_EQ(form.SizesChanged, 1);
  EXPECT_EQ(Edits(), "1800|600|10");
  EXPECT_EQ(Rows(), std::vector<std::string>{"1800 x 600 x 10"});
}

TEST_F(SizeManager, ATenMillimetreSizeIsStoredForBothKindsAndDeletedAsOne) {
  sizes.clear();
  Show(0);
  EnterSize("1800", "600", "10");
  Click(form.BtnAjouter);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{18000, 6000, 100, 1}, {18000, 6000, 100, 2}}));
  EXPECT_EQ(Rows(), std::vector<std::string>{"1800 x 600 x 10"});
  EXPECT_EQ(form.RowRecords, std::vector<std::size_t>{1});
  EXPECT_EQ(form.SizesChanged, 1);
  // Shown again: one row, that of the first record; nothing changed in this showing yet.
  form.hide();
  Show(0);
  EXPECT_EQ(Rows(), std::vector<std::string>{"1800 x 600 x 10"});
  EXPECT_EQ(form.RowRecords, std::vector<std::size_t>{0});
  EXPECT_EQ(form.SizesChanged, 0);
  ClickRow(0);
  EXPECT_EQ(Edits(), "1800|600|10");
  EXPECT_EQ(Buttons(), "11");
  Click(form.BtnSupprimer);
  EXPECT_TRUE(sizes.empty());
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Edits(), "||");
  EXPECT_EQ(Buttons(), "10");
  EXPECT_EQ(form.SizesChanged, 1);
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SizeManager, ManagingOtherSizesAndDuplicates) {
  Show(0);
  // A row shows the first of equal texts; deleting it takes its twin of the other kind.
  ClickRow(1);
  EXPECT_EQ(Edits(), "2440|1220|10");
  Click(form.BtnSupprimer);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{25000, 12500, 190, 2}, {20000, 10000, 100, 1},
                                           {25000, 12500, 220, 2}}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2500 x 1250 x 19", "2000 x 1000 x 10",
                                              "2500 x 1250 x 22"}));
  // A size already there is not added again, and nothing is said.
  EnterSize("2500", "1250", "19");
  Click(form.BtnAjouter);
  EXPECT_EQ(sizes.size(), 3u);
  // Another thickness serves complex jobs only; the row shows the texts as typed.
  EnterSize("2500", "1250", "25,0");
  EXPECT_EQ(Buttons(), "10");
  Click(form.BtnAjouter);
  EXPECT_EQ(sizes.back(), (DIMENSIONS{25000, 12500, 250, 2}));
  EXPECT_EQ(Rows().back(), "2500 x 1250 x 25,0");
  // Without a thickness nothing is added.
  EnterSize("2000", "1000");
  Type(form.EdtEpaisseur, QString());
  Click(form.BtnAjouter);
  EXPECT_EQ(sizes.size(), 4u);
  EXPECT_TRUE(prompts.asked.empty());
}

// In metres three panels 2800 x 2070 mm of 16, 19 and 22 mm are three rows, each with its own
// thickness, and deleting one deletes that size alone.
TEST_F(SizeManager, InMetresEachStoredSizeIsItsOwnRowAndDeletesItself) {
  settings.MeasureUnit = UNITE_MESURE{10000.0, "m", ""};
  sizes = {{28000, 20700, 160, 2}, {28000, 20700, 190, 2}, {28000, 20700, 220, 2}};
  Show(0);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2,8 x 2,07 x 0,016", "2,8 x 2,07 x 0,019",
                                              "2,8 x 2,07 x 0,022"}));
  ClickRow(1);
  EXPECT_EQ(Edits(), "2,8|2,07|0,019");
  Click(form.BtnSupprimer);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{28000, 20700, 160, 2}, {28000, 20700, 220, 2}}));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"2,8 x 2,07 x 0,016", "2,8 x 2,07 x 0,022"}));
  ClickRow(1);
  Click(form.BtnSupprimer);
  EXPECT_EQ(sizes, (std::vector<DIMENSIONS>{{28000, 20700, 160, 2}}));
  EXPECT_EQ(Rows(), std::vector<std::string>{"2,8 x 2,07 x 0,016"});
  EXPECT_EQ(form.SizesChanged, 1);
}

// A width above the length is refused at Add, and OK stays open on it so that it is mended.
TEST_F(SizeManager, AWidthAboveTheLengthIsRefused) {
  Show(0);
  EnterSize("600", "1800", "19");
  Click(form.BtnAjouter);
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(prompts.Of(Kind::Notice)[0].caption, QStringLiteral("Valeur non valide"));
  EXPECT_EQ(prompts.Of(Kind::Notice)[0].text, Text(213));
  EXPECT_EQ(prompts.Of(Kind::Notice)[0].icon, PromptIcon::Warning);
  EXPECT_EQ(sizes, Sizes());
  EXPECT_EQ(Edits(), "600|1800|19");
  // OK offers to add it, and refuses it again.
  prompts.answers = {PromptAnswer::Yes};
  Click(form.BtnOK);
  EXPECT_EQ(prompts.QuestionTexts(), QStringList{Text(270)});
  EXPECT_EQ(prompts.Of(Kind::Notice).size(), 2u);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(sizes, Sizes());

  // Picking, OK adds what was typed: the same refusal keeps the form open, and nothing comes
  // back until the width is mended.
  form.hide();
  prompts.asked.clear();
  const SizePickerOutput out = Pick(2, [this] {
    EnterSize("600", "1800", "19");
    Click(form.BtnOK);
    EXPECT_EQ(prompts.NoticeTexts(), QStringList{Text(213)});
    EXPECT_TRUE(form.isVisible());
    EnterSize("600", "180");
    Click(form.BtnOK);
    EXPECT_FALSE(form.isVisible());
  });
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeLength, 6000);
  EXPECT_EQ(out.SizeWidth, 1800);
  EXPECT_EQ(out.SizeThickness, 190);
  EXPECT_EQ(out.SizeChanged, 1);
  EXPECT_EQ(sizes.back(), (DIMENSIONS{6000, 1800, 190, 2}));
}

// OK after typing a size that is not listed asks whether to add it.
TEST_F(SizeManager, OkWhenManagingAsksAboutASizeTyped) {
  struct Case {
    const char* name;
    const char* length;
    const char* width;
    const char* thickness;
    std::optional<PromptAnswer> answer;  // none: no question
    std::size_t sizesAfter;
  };
  const Case cases[] = {
      {"new, No", "1800", "600", "19", PromptAnswer::No, 5},
      {"new, Yes", "1800", "600", "19", PromptAnswer::Yes, 6},
      {"new, 10 mm, Yes", "1800", "600", "10", PromptAnswer::Yes, 7},
      {"listed", "2500", "1250", "22", std::nullopt, 5},
      {"no thickness: nothing to add", "1800", "600", "", std::nullopt, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sizes = Sizes();
    prompts = ScriptedPrompts();
    if (c.answer) prompts.answers = {*c.answer};
    Show(0);
    EnterSize(c.length, c.width, c.thickness);
    Click(form.BtnOK);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(prompts.QuestionTexts(), c.answer ? QStringList{Text(270)} : QStringList{});
    if (c.answer) {
      EXPECT_EQ(prompts.Of(Kind::Ask)[0].caption, Text(186));
      EXPECT_EQ(prompts.Of(Kind::Ask)[0].buttons, PromptButtons::YesNo);
      EXPECT_EQ(prompts.Of(Kind::Ask)[0].icon, PromptIcon::Question);
    }
    EXPECT_EQ(sizes.size(), c.sizesAfter);
    EXPECT_EQ(form.SizesChanged, c.sizesAfter != 5 ? 1 : 0);
  }
  // Nothing typed: OK closes without a word.
  prompts = ScriptedPrompts();
  Show(0);
  ClickRow(0);
  Click(form.BtnOK);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(prompts.asked.empty());
}

TEST_F(SizeManager, ADoubleClickPicksButOnlySelectsWhenManaging) {
  Show(0);
  DoubleClickRow(3);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Edits(), "2500|1250|22");
  EXPECT_EQ(Buttons(), "11");
  form.hide();

  const SizePickerOutput out = Pick(2, [this] { DoubleClickRow(2); });
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeLength, 25000);
  EXPECT_EQ(out.SizeWidth, 12500);
  EXPECT_EQ(out.SizeThickness, 220);
  EXPECT_TRUE(out.ThicknessGiven);
  EXPECT_EQ(out.SizeChanged, 0);
  EXPECT_EQ(sizes, Sizes());
}

// A simple job: its sizes without a thickness; one typed is stored 10 mm thick for simple jobs,
// and comes back without a thickness (the caller's stays as it was handed).
TEST_F(SizeManager, PickingForASimpleJob) {
  const SizePickerOutput out = Pick(1, [this] {
    EXPECT_EQ(Rows(), (std::vector<std::string>{"2440 x 1220", "2000 x 1000"}));
    EXPECT_FALSE(form.EdtEpaisseur->isEnabled());
    EXPECT_FALSE(form.CbxEpaisseur->isEnabled());
    EnterSize("1800", "600");
    EXPECT_EQ(Buttons(), "00");  // picking, a size typed is added by OK
    Click(form.BtnOK);
  });
  EXPECT_EQ(sizes.back(), (DIMENSIONS{18000, 6000, 100, 1}));
  EXPECT_EQ(sizes.size(), 6u);
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeLength, 18000);
  EXPECT_EQ(out.SizeWidth, 6000);
  EXPECT_EQ(out.SizeThickness, 0);
  EXPECT_FALSE(out.ThicknessGiven);
  EXPECT_EQ(out.SizeChanged, 1);
}

// A simple job's sizes are all 10 mm thick: a size typed that is already listed is found
// whatever thickness the form last held (here 19 mm typed in an earlier showing).
TEST_F(SizeManager, ASimpleJobFindsItsSizesAt10Millimetres) {
  Show(0);
  EnterSize("2500", "1250", "19");
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(sizes, Sizes());
  for (const int context : {1, 3}) {
    const PanelList panels = PanelsOf(100);
    const SizePickerOutput out = Pick(
        context,
        [this] {
          EnterSize("2000", "1000");
          Click(form.BtnOK);
        },
        0, 0, 0, context == 3 ? &panels : nullptr);
    EXPECT_EQ(sizes, Sizes()) << context;
    EXPECT_EQ(out.SizeChanged, 0);
    EXPECT_EQ(out.SizePicked, 1);
    EXPECT_EQ(out.SizeLength, 20000);
    EXPECT_EQ(out.SizeWidth, 10000);
  }
}

// From the part form a size no stock panel is as thick as is not offered, although it stays in
// the list; a size typed is added whatever its thickness.
TEST_F(SizeManager, TheStockThicknessesFilterWhatIsOfferedNotWhatIsTyped) {
  const PanelList panels = PanelsOf(190);
  const SizePickerOutput out = Pick(
      5,
      [this] {
        EXPECT_EQ(Rows(), std::vector<std::string>{"2500 x 1250 x 19"});
        EnterSize("1800", "600", "25");
        Click(form.BtnOK);
      },
      0, 0, 0, &panels);
  EXPECT_EQ(sizes.back(), (DIMENSIONS{18000, 6000, 250, 2}));
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeThickness, 250);
  EXPECT_TRUE(out.ThicknessGiven);
  Show(5, 0, 0, 0, &panels);
  EXPECT_EQ(Rows(), std::vector<std::string>{"2500 x 1250 x 19"});
}

TEST_F(SizeManager, TheCallersSizeIsPreselected) {
  const PanelList panels19 = PanelsOf(190);
  struct Case {
    const char* name;
    int context;
    std::int32_t length, width, thickness;
    const PanelList* panels;
    int row;
    const char* edits;
  };
  const Case cases[] = {
      {"nothing given", 2, 0, 0, 0, nullptr, -1, "||"},
      {"width only: the first of the kind", 2, 0, 12500, 0, nullptr, 0, "2500|1250|19"},
      {"all three", 2, 25000, 12500, 220, nullptr, 2, "2500|1250|22"},
      {"simple job: no thickness shown", 1, 24400, 0, 0, nullptr, 0, "2440|1220|"},
      {"simple job: the other kind's size is not taken", 1, 25000, 12500, 0, nullptr, -1, "||"},
      // Filtered out: the edits take it, no row is selected; its thickness is shown although
      // the thickness edit is disabled.
      {"not offered", 4, 25000, 12500, 220, &panels19, -1, "2500|1250|22"},
      {"no size matches", 2, 25000, 12500, 180, nullptr, -1, "||"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show(c.context, c.length, c.width, c.thickness, c.panels);
    EXPECT_EQ(form.LbDimensions->currentRow(), c.row);
    if (c.row >= 0) {
      EXPECT_TRUE(form.LbDimensions->item(c.row)->isSelected());
    }
    EXPECT_EQ(Edits(), c.edits);
    EXPECT_EQ(Buttons(), "00");
    form.hide();
  }
  // OK with the preselected size and nothing typed returns it and adds nothing.
  const SizePickerOutput out =
      Pick(2, [this] { Click(form.BtnOK); }, 0, 12500, 0);
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeLength, 25000);
  EXPECT_EQ(out.SizeWidth, 12500);
  EXPECT_EQ(out.SizeThickness, 190);
  EXPECT_EQ(out.SizeChanged, 0);
  EXPECT_EQ(sizes, Sizes());
}

// A row clicked fills the thickness only where the thickness is taken over: from the panel form
// and the part form with a thickness margin while the box is ticked. Without it the size comes
// back without a thickness.
TEST_F(SizeManager, AClickedRowBringsItsThicknessOnlyWhereItIsTaken) {
  const PanelList panels19 = PanelsOf(190);
  struct Case {
    int context;
    bool untick;
    const char* edits;
  };
  const Case cases[] = {{2, false, "2500|1250|19"},
                        {2, true, "2500|1250|"},
                        {4, false, "2500|1250|"},
                        {5, false, "2500|1250|19"},
                        {5, true, "2500|1250|"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.context << (c.untick ? " unticked" : ""));
    const SizePickerOutput out = Pick(
        c.context,
        [this, c] {
          if (c.untick) {
            form.CbxEpaisseur->click();
            EXPECT_FALSE(form.EdtEpaisseur->isEnabled());
          }
          ClickRow(0);
          EXPECT_EQ(Edits(), c.edits);
          EXPECT_EQ(Buttons(), "00");
          Click(form.BtnOK);
        },
        0, 0, 0, c.context == 2 ? nullptr : &panels19);
    EXPECT_EQ(out.SizePicked, 1);
    EXPECT_EQ(out.SizeLength, 25000);
    EXPECT_EQ(out.SizeWidth, 12500);
    EXPECT_EQ(out.ThicknessGiven, std::string(c.edits).back() != '|');
    EXPECT_EQ(sizes, Sizes());
  }
}

// Bad entries: the field's message with the range in the unit, the text kept and the focus back;
// OK then neither closes nor returns the size shown before.
TEST_F(SizeManager, BadEntriesAreRefusedAndKeepTheFormOpen) {
  struct Case {
    int field;  // 0 length, 1 width, 2 thickness
    const char* typed;
    const char* message;
  };
  const QString lengthMessage =
      QStringLiteral("Valeur non valide pour une longueur !\n") + RangeText(QStringLiteral("6000 mm"));
  const QString widthMessage =
      QStringLiteral("Valeur non valide pour une largeur !\n") + RangeText(QStringLiteral("5000 mm"));
  const QString thicknessMessage =
      QStringLiteral("Valeur non valide pour une épaisseur !\n") + RangeText(QStringLiteral("150 mm"));
  const Case cases[] = {{0, "0", "length"},     {0, "6000,1", "length"}, {0, "-5", "length"},
                        {0, "abc", "length"},   {1, "0", "width"},       {1, "5000,1", "width"},
                        {2, "0", "thickness"},  {2, "150,1", "thickness"},
                        {2, "1,2,3", "thickness"}};
  settings.MaxWidth = 50000.0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    prompts = ScriptedPrompts();
    const SizePickerOutput out = Pick(
        2,
        [&] {
          QLineEdit* edit =
              c.field == 0 ? form.EdtLongueur : c.field == 1 ? form.EdtLargeur : form.EdtEpaisseur;
          Enter(edit, QString::fromUtf8(c.typed));
          const std::string which = c.message;
          const QString message = which == "length"  ? lengthMessage
                                  : which == "width" ? widthMessage
                                                     : thicknessMessage;
          EXPECT_EQ(prompts.NoticeTexts(), QStringList{message});
          EXPECT_EQ(prompts.Of(Kind::Notice)[0].caption, QStringLiteral("Valeur non valide"));
          EXPECT_EQ(edit->text(), QString::fromUtf8(c.typed));
          EXPECT_EQ(form.focusWidget(), edit);
          // OK, by the mouse or otherwise, stays open on the refused text.
          Click(form.BtnOK);
          EXPECT_TRUE(form.isVisible());
          form.BtnOK->click();
          EXPECT_TRUE(form.isVisible());
          EXPECT_EQ(prompts.NoticeTexts().size(), 3);
          EXPECT_EQ(sizes, Sizes());
        },
        25000, 12500, 190);
    EXPECT_EQ(out.SizePicked, 0);
    EXPECT_EQ(out.SizeChanged, 0);
    EXPECT_EQ(sizes, Sizes());
  }
}

TEST_F(SizeManager, TheLargestValuesAreAcceptedAndAValueIsRoundedToTheUnit) {
  settings.MaxLength = 30000.0;
  settings.MaxWidth = 20000.0;
  const SizePickerOutput out = Pick(2, [this] {
    EnterSize("3000", "2000", "150");
    EXPECT_EQ(prompts.NoticeTexts(), QStringList{});
    EnterSize("2500,456", "1250,04", "18,96");
    EXPECT_EQ(Edits(), "2500,5|1250|19");
    Click(form.BtnOK);
  });
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{});
  EXPECT_EQ(out.SizePicked, 1);
  EXPECT_EQ(out.SizeLength, 25005);
  EXPECT_EQ(out.SizeWidth, 12500);
  EXPECT_EQ(out.SizeThickness, 190);
  // 2500.5 x 1250 x 19 was not listed: it is added.
  EXPECT_EQ(sizes.back(), (DIMENSIONS{25005, 12500, 190, 2}));

  // In centimetres the range is said in centimetres.
  settings.MeasureUnit = UNITE_MESURE{100.0, "cm", {}};
  prompts = ScriptedPrompts();
  Pick(2, [this] {
    EXPECT_EQ(Rows().front(), "250 x 125 x 1,9");
    Enter(form.EdtLongueur, QStringLiteral("301"));
    EXPECT_EQ(prompts.NoticeTexts(),
              QStringList{QStringLiteral("Valeur non valide pour une longueur !\n") +
                          RangeText(QStringLiteral("300 cm"))});
    QTest::keyClick(&form, Qt::Key_Escape);
  });
}

// The close box and Escape run no OK: nothing typed is added or asked about, no size is chosen
// (whatever an earlier showing returned), the caller's size comes back unchanged; what was
// added before closing stays and is reported.
TEST_F(SizeManager, ClosingWithoutOkChoosesNothing) {
  SizePickerOutput out = Pick(2, [this] {
    ClickRow(0);
    Click(form.BtnOK);
  });
  ASSERT_EQ(out.SizePicked, 1);
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Escape");
    out = Pick(
        2,
        [this, closeBox] {
          EnterSize("1800", "600", "19");
          if (closeBox) {
            form.close();
          } else {
            QTest::keyClick(&form, Qt::Key_Escape);
          }
          EXPECT_FALSE(form.isVisible());
        },
        24400, 12200, 100);
    EXPECT_EQ(out.SizePicked, 0);
    EXPECT_EQ(out.SizeChanged, 0);
    EXPECT_EQ(out.SizeLength, 24400);
    EXPECT_EQ(out.SizeWidth, 12200);
    EXPECT_EQ(out.SizeThickness, 100);
    EXPECT_EQ(sizes, Sizes());
    EXPECT_TRUE(prompts.Of(Kind::Ask).empty());
  }
  // Managing: a size added, then Escape: the size stays and the change is reported.
  Show(0);
  EnterSize("1800", "600", "19");
  Click(form.BtnAjouter);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.SizesChanged, 1);
  EXPECT_EQ(form.SizeChosen, 0);
  EXPECT_EQ(sizes.back(), (DIMENSIONS{18000, 6000, 190, 2}));
  // The next showing starts without a change.
  out = Pick(2, [this] { QTest::keyClick(&form, Qt::Key_Escape); });
  EXPECT_EQ(out.SizeChanged, 0);
}

// The picker sits over its caller: centred on it, 14 pixels below its top.
TEST_F(SizeManager, ThePickerIsPlacedOverItsCaller) {
  QPoint shownAt;
  Pick(1, [&] {
    shownAt = form.pos();
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_EQ(shownAt, QPoint(100 + 600 / 2 - form.width() / 2, 80 + 14));
}

}  // namespace
}  // namespace tranchex::test
