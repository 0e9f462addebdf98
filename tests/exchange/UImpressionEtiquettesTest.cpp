// The label form offscreen: its buttons as formats come and go, the checks of its values, adding
// and deleting formats, and its print button on a PDF printer in a temporary folder.

#include "exchange/UImpressionEtiquettes.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

#include "dialogs/DialogKit.h"
#include "platform/Texts.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

namespace tranchex::test {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

const ETIQUETTE kSheet3x7{"3x7", 381, 635, 170, 95, 381, 660};
const ETIQUETTE kSheet2x8{"2x8", 339, 991, 150, 70, 339, 1016};

TPiece Part(std::int32_t quantity, std::int32_t number) {
  TPiece p;
  p.Length = 6000;
  p.Width = 4000;
  p.Thickness = 190;
  p.Quantity = quantity;
  p.Number = number;
  return p;
}

class LabelForm : public ::testing::Test {
 protected:
  void SetUp() override {
    // Only ever a PDF file in the temporary folder: never a printer of the machine.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Pdf());
  }

  // Shows the form as the main window does: the lists handed in, BtnImprimer enabled when a
  // computed job is present.
  void Show(bool jobLoaded = true) {
    form.Formats = &formats;
    form.Parts = &parts;
    form.References = &references;
    form.Designations = &designations;
    form.JobKind = 1;
    form.JobLoaded = jobLoaded;
    form.Unit = UNITE_MESURE{10.0, "mm", ""};
    form.Printer = &printer;
    form.BtnImprimer->setEnabled(jobLoaded);
    ShowActive(form);
  }

  QString Pdf() const { return QString::fromStdString((dir.path() / "etiquettes.pdf").string()); }

  void ClickRow(int row) {
    QListWidget* list = form.LbxEtiquette;
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }
  void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  // Types into a field as a person does: the old text selected and replaced.
  void Type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
  }
  std::vector<QLineEdit*> Fields() {
    return {form.EdtModele,    form.EdtHauteur,     form.EdtLargeur,      form.EdtMargeHaut,
            form.EdtMargeBas,  form.EdtPasVertical, form.EdtPasHorizontal};
  }
  void Fill(const QString& name, const std::vector<const char*>& values) {
    Type(form.EdtModele, name);
    for (std::size_t i = 0; i < values.size(); ++i)
      Type(Fields()[i + 1], QString::fromLatin1(values[i]));
  }
  QStringList ListTexts() {
    QStringList out;
    for (int i = 0; i < form.LbxEtiquette->count(); ++i) out << form.LbxEtiquette->item(i)->text();
    return out;
  }
  std::vector<std::string> FieldTexts() {
    std::vector<std::string> out;
    for (QLineEdit* f : Fields()) out.push_back(f->text().toStdString());
    return out;
  }
  // Enabled states of Imprimer, Ajouter, Supprimer as "1" / "0".
  std::string Buttons() {
    std::string s;
    for (QPushButton* b : {form.BtnImprimer, form.BtnAjouter, form.BtnSupprimer})
      s += b->isEnabled() ? '1' : '0';
    return s;
  }
  bool Selected() { return !form.LbxEtiquette->selectedItems().isEmpty(); }
  QString Refusal() const { return Text(112) + QStringLiteral(" !"); }

  TempDir dir;
  ScriptedPrompts prompts;
  RecordingHelp help;
  QPrinter printer{QPrinter::HighResolution};
  std::vector<ETIQUETTE> formats;
  PartList parts{Part(2, 0)};
  std::vector<std::string> references{"a"};
  std::vector<std::string> designations{"Montant"};
  TFImpEtiquettes form{prompts, help};
};

TEST_F(LabelForm, TextsLayoutAndHelp) {
  EXPECT_EQ(form.windowTitle(), Text(216));
  EXPECT_EQ(form.LblCommentaire->text(), Text(217));
  EXPECT_EQ(form.LblReference->text(), Text(83) + QStringLiteral(" :"));
  EXPECT_EQ(form.GrpbxDescription->title(), Text(218));
  const std::vector<std::pair<QLabel*, int>> captions = {
      {form.LblModele, 83},    {form.LblHauteur, 219},     {form.LblLargeur, 42},
      {form.LblMargeHaut, 220}, {form.LblMargeBas, 221},    {form.LblPasVertical, 222},
      {form.LblPasHorizontal, 223}};
  for (const auto& [label, id] : captions) EXPECT_EQ(label->text(), Text(id)) << id;
  const std::vector<std::pair<QPushButton*, int>> buttons = {
      {form.BtnImprimer, 141}, {form.BtnAjouter, 59}, {form.BtnSupprimer, 60},
      {form.BtnQuitter, 224}};
  for (const auto& [button, id] : buttons) {
    EXPECT_EQ(button->text(), Text(id)) << id;
    EXPECT_TRUE(button->font().bold()) << id;
    EXPECT_EQ(button->size(), QSize(80, 25)) << id;
    EXPECT_EQ(button->y(), 268) << id;
  }
  EXPECT_EQ(form.size(), QSize(391, 304));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  // The caption "Marge bas" is kept; what it sets is said beside it.
  EXPECT_FALSE(form.EdtMargeBas->toolTip().isEmpty());
  Show();
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(help.contexts, std::vector<int>{130});
}

TEST_F(LabelForm, TheButtonsFollowTheFormatsAsTheyComeAndGo) {
  // No format: nothing to add, delete or print, even with a computed job.
  Show(true);
  EXPECT_EQ(Buttons(), "000");
  // All seven fields filled: a format can be added.
  Fill(QStringLiteral("3x7"), {"381", "635", "170", "95", "381", "660"});
  EXPECT_EQ(Buttons(), "010");
  Click(form.BtnAjouter);
  EXPECT_EQ(formats, std::vector<ETIQUETTE>{kSheet3x7});
  EXPECT_EQ(ListTexts(), QStringList{QStringLiteral("3x7")});
  EXPECT_TRUE(form.Changed);
  // Neither delete nor print until the new entry is clicked.
  EXPECT_EQ(Buttons(), "010");
  EXPECT_FALSE(Selected());
  ClickRow(0);
  EXPECT_EQ(Buttons(), "111");
  // Deleting the last format: nothing selected, every field empty, nothing to do.
  Click(form.BtnSupprimer);
  EXPECT_TRUE(formats.empty());
  EXPECT_TRUE(ListTexts().isEmpty());
  EXPECT_EQ(FieldTexts(), std::vector<std::string>(7));
  EXPECT_EQ(Buttons(), "000");
  EXPECT_FALSE(Selected());
}

TEST_F(LabelForm, OpeningWithFormatsShowsTheFirst) {
  for (const bool jobLoaded : {true, false}) {
    SCOPED_TRACE(jobLoaded ? "a computed job" : "no job");
    formats = {kSheet3x7, kSheet2x8};
    Show(jobLoaded);
    EXPECT_EQ(ListTexts(), (QStringList{QStringLiteral("3x7"), QStringLiteral("2x8")}));
    EXPECT_EQ(form.LbxEtiquette->currentRow(), 0);
    EXPECT_TRUE(Selected());
    EXPECT_EQ(FieldTexts(), (std::vector<std::string>{"3x7", "381", "635", "170", "95", "381", "660"}));
    // Imprimer as the opener left it.
    EXPECT_EQ(Buttons(), jobLoaded ? "111" : "011");
    EXPECT_FALSE(form.Changed);
    ClickRow(1);
    EXPECT_EQ(FieldTexts(), (std::vector<std::string>{"2x8", "339", "991", "150", "70", "339", "1016"}));
    EXPECT_EQ(Buttons(), jobLoaded ? "111" : "011");
    // Deleting one of two: nothing selected, the fields empty, the last format kept.
    Click(form.BtnSupprimer);
    EXPECT_EQ(formats, std::vector<ETIQUETTE>{kSheet3x7});
    EXPECT_FALSE(Selected());
    EXPECT_EQ(FieldTexts(), std::vector<std::string>(7));
    EXPECT_EQ(Buttons(), jobLoaded ? "101" : "001");
    // Delete again with nothing selected: nothing goes.
    Click(form.BtnSupprimer);
    EXPECT_EQ(formats, std::vector<ETIQUETTE>{kSheet3x7});
    form.hide();
  }
}

TEST_F(LabelForm, AValueFieldTakesAWholeNumberFrom1To2000WhenLeft) {
  struct Case {
    const char* typed;
    bool accepted;
  };
  const std::vector<Case> cases = {{"2000", true}, {"1", true},     {"2001", false},
                                   {"0", false},   {"-1", false},   {"12.5", false},
                                   {"12,5", false}, {"douze", false}};
  formats = {kSheet3x7};
  Show();
  for (std::size_t f = 1; f < Fields().size(); ++f) {
    QLineEdit* field = Fields()[f];
    for (const Case& c : cases) {
      SCOPED_TRACE(field->objectName().toStdString() + " " + c.typed);
      prompts.asked.clear();
      Type(field, QString::fromLatin1(c.typed));
      PressTab(field);
      if (c.accepted) {
        EXPECT_TRUE(prompts.asked.empty());
        EXPECT_FALSE(field->hasFocus());
      } else {
        ASSERT_EQ(prompts.asked.size(), 1u);
        EXPECT_EQ(prompts.asked[0].caption, Text(112));
        EXPECT_EQ(prompts.asked[0].text, Refusal());
        EXPECT_EQ(prompts.asked[0].icon, PromptIcon::Warning);
        EXPECT_TRUE(field->hasFocus());
      }
      // Kept as typed, accepted or not.
      EXPECT_EQ(field->text(), QString::fromLatin1(c.typed));
    }
    Type(field, QStringLiteral("100"));
    PressTab(field);
  }
  // Nothing was added or deleted by the checks.
  EXPECT_EQ(formats, std::vector<ETIQUETTE>{kSheet3x7});
  EXPECT_FALSE(form.Changed);
}

TEST_F(LabelForm, AnEmptiedFieldOrOneTheFormFilledIsNotCheckedWhenLeft) {
  // A stored format whose pitch is 0: shown by the form, it is not the user's entry.
  ETIQUETTE bad = kSheet3x7;
  bad.Name = "ancien";
  bad.VerticalPitch = 0;
  formats = {bad};
  Show();
  form.EdtPasVertical->setFocus();
  PressTab(form.EdtPasVertical);
  EXPECT_TRUE(prompts.asked.empty());
  // Emptied: not checked, and nothing can be added.
  Type(form.EdtHauteur, QString());
  PressTab(form.EdtHauteur);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Buttons(), "101");
}

TEST_F(LabelForm, AjouterChecksEveryValueAlsoThoseAShownFormatFilledIn) {
  // Set by the form (as a shown format fills them), so no exit has checked them.
  const std::vector<const char*> badValues = {"0", "2001", "12.5", "x"};
  for (std::size_t f = 1; f < Fields().size(); ++f) {
    for (const char* bad : badValues) {
      SCOPED_TRACE(Fields()[f]->objectName().toStdString() + " " + bad);
      formats = {kSheet3x7};
      Show();
      form.EdtModele->setText(QStringLiteral("nouveau"));
      Fields()[f]->setText(QString::fromLatin1(bad));
      prompts.asked.clear();
      Click(form.BtnAjouter);
      EXPECT_EQ(prompts.NoticeTexts(), QStringList{Refusal()});
      EXPECT_TRUE(Fields()[f]->hasFocus());
      EXPECT_EQ(formats, std::vector<ETIQUETTE>{kSheet3x7});
      EXPECT_EQ(ListTexts(), QStringList{QStringLiteral("3x7")});
      EXPECT_FALSE(form.Changed);
      form.hide();
    }
  }
}

TEST_F(LabelForm, ReferencesAreComparedLetterForLetter) {
  formats = {kSheet3x7};
  Show();
  // The same reference: nothing added, nothing said.
  Fill(QStringLiteral("3x7"), {"100", "100", "10", "10", "100", "100"});
  Click(form.BtnAjouter);
  EXPECT_EQ(formats.size(), 1u);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_FALSE(form.Changed);
  // Differing only by letter case: a new format, at the end; the selection and fields stay.
  Fill(QStringLiteral("3X7"), {"100", "200", "10", "20", "110", "210"});
  Click(form.BtnAjouter);
  ASSERT_EQ(formats.size(), 2u);
  EXPECT_EQ(formats[1], (ETIQUETTE{"3X7", 100, 200, 10, 20, 110, 210}));
  EXPECT_EQ(ListTexts(), (QStringList{QStringLiteral("3x7"), QStringLiteral("3X7")}));
  EXPECT_EQ(form.LbxEtiquette->currentRow(), 0);
  EXPECT_EQ(form.EdtModele->text(), QStringLiteral("3X7"));
  EXPECT_TRUE(form.Changed);
}

TEST_F(LabelForm, AReferenceHoldsWhatTheLabelsFileKeeps) {
  Show();
  // 14 characters at most.
  Type(form.EdtModele, QStringLiteral("Planche A4 3 x 7 Avery"));
  EXPECT_EQ(form.EdtModele->text(), QStringLiteral("Planche A4 3 x"));
  // Accented letters are Windows-1252; a Greek letter is not.
  Fill(QStringLiteral("x"), {"381", "635", "170", "95", "381", "660"});
  form.EdtModele->setText(QStringLiteral("Étiquette Ω"));
  Click(form.BtnAjouter);
  EXPECT_EQ(prompts.NoticeTexts(), QStringList{Refusal()});
  EXPECT_TRUE(form.EdtModele->hasFocus());
  EXPECT_TRUE(formats.empty());
  form.EdtModele->setText(QStringLiteral("Étiquette €"));
  Click(form.BtnAjouter);
  ASSERT_EQ(formats.size(), 1u);
  EXPECT_EQ(formats[0].Name, "Étiquette €");
}

TEST_F(LabelForm, SupprimerDeletesTheFormatAtTheSelectedPosition) {
  // A labels file may hold two formats of one name.
  ETIQUETTE first = kSheet3x7;
  ETIQUETTE second = kSheet2x8;
  second.Name = "3x7";
  formats = {first, second, kSheet2x8};
  Show();
  ClickRow(1);
  EXPECT_EQ(form.EdtLargeur->text(), QStringLiteral("991"));
  Click(form.BtnSupprimer);
  EXPECT_EQ(formats, (std::vector<ETIQUETTE>{first, kSheet2x8}));
  EXPECT_EQ(ListTexts(), (QStringList{QStringLiteral("3x7"), QStringLiteral("2x8")}));
  EXPECT_TRUE(form.Changed);
}

TEST_F(LabelForm, TheChangedFlagStartsClearAtEachShowing) {
  formats = {kSheet3x7};
  Show();
  Click(form.BtnSupprimer);
  EXPECT_TRUE(form.Changed);
  Click(form.BtnQuitter);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.Changed);  // read by the opener after the form has closed
  Show();
  EXPECT_FALSE(form.Changed);
}

TEST_F(LabelForm, ImprimerPrintsTheSelectedFormatOrSaysWhyNot) {
  struct Case {
    const char* name;
    std::vector<ETIQUETTE> stored;
    bool deleteFirst;            // print with nothing selected, after a deletion
    std::vector<int> quantities;
    bool printerReady;           // false: a PDF file in a missing folder
    bool printed;                // a PDF file was written
    bool asksFile;               // the printer writes a file: the picker comes first
    int notices;
    PromptIcon icon;
  };
  ETIQUETTE stacked = kSheet3x7;
  stacked.HorizontalPitch = 0;  // would stack every label on one spot
  const std::vector<Case> cases = {
      // The file printed is named.
      {"printed", {kSheet3x7}, false, {2}, true, true, true, 1, PromptIcon::Information},
      {"nothing selected", {kSheet3x7, kSheet2x8}, true, {2}, true, false, false, 0,
       PromptIcon::Warning},
      {"a stored pitch of 0", {stacked}, false, {2}, true, false, true, 1, PromptIcon::Warning},
      {"every quantity 0", {kSheet3x7}, false, {0, 0}, true, false, true, 1,
       PromptIcon::Information},
      // The file's folder is missing: the printer is not ready (root cannot write it either).
      {"a file that cannot be written", {kSheet3x7}, false, {2}, false, false, true, 1,
       PromptIcon::Warning},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(Pdf());
    const QString unwritable =
        QString::fromStdString((dir.path() / "absent" / "etiquettes.pdf").string());
    // Never an empty file name: that would hand the print to the machine's default printer.
    const QString file = c.printerReady ? Pdf() : unwritable;
    printer.setOutputFileName(file);
    ASSERT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    formats = c.stored;
    parts.clear();
    for (std::size_t i = 0; i < c.quantities.size(); ++i)
      parts.push_back(Part(c.quantities[i], static_cast<int>(i)));
    prompts.asked.clear();
    if (c.asksFile) prompts.files.push_back(file);
    Show();
    if (c.deleteFirst) Click(form.BtnSupprimer);
    ASSERT_TRUE(form.BtnImprimer->isEnabled());
    Click(form.BtnImprimer);
    EXPECT_EQ(QFileInfo::exists(Pdf()), c.printed);
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_EQ(prompts.Of(ScriptedPrompts::Kind::SaveFile).size(), c.asksFile ? 1u : 0u);
    const auto notices = prompts.Of(ScriptedPrompts::Kind::Notice);
    ASSERT_EQ(static_cast<int>(notices.size()), c.notices);
    if (c.notices > 0) {
      EXPECT_EQ(notices[0].icon, c.icon);
      EXPECT_FALSE(notices[0].text.isEmpty());
    }
    if (c.printed) {
      EXPECT_EQ(notices[0].text,
                QStringLiteral("Le document imprimé a été enregistré dans le fichier :\n") +
                    Pdf());
    }
    // Printing changes no format and stays in the form.
    EXPECT_EQ(formats.size(), c.stored.size() - (c.deleteFirst ? 1 : 0));
    EXPECT_TRUE(form.isVisible());
    form.hide();
  }
}

}  // namespace
}  // namespace tranchex::test
