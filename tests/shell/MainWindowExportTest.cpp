// The export command of the main window: the choice form, the save picker, the extension
// check, a file that cannot be written, and good exports of the three kinds, run offscreen
// with scripted answers.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "dialogs/UFSelExport.h"
#include "shell/MainWindowFixture.h"

namespace tranchex::test {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedPrompts::Kind;

const QString kTitle = QStringLiteral("Exportation d'une fiche de débit");
const QString kDone = QStringLiteral("Exportation terminée !");
const QString kCancelled = QStringLiteral("Exportation annulée !");
const std::string kBom = "\xEF\xBB\xBF";

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (std::string::size_type lf; (lf = bytes.find('\n', start)) != std::string::npos;
       start = lf + 1) {
    lines.push_back(bytes.substr(start, lf - start));
  }
  EXPECT_EQ(start, bytes.size()) << "the last line ends with a line feed";
  return lines;
}

class ExportCommand : public MainWindowTest {
 protected:
  // A laid-out job in the window (GoodJob: two 2800 x 2070 mm panels, parts of oak).
  void StartWithJob() {
    Start();
    OpenByDialog(WriteJob("export.deb", GoodJob()));
    ASSERT_EQ(job.JobLoaded, 1);
  }

  // Scripts the choice form: the computed job or the sheet, then OK or Annuler.
  void Choose(bool computedJob, bool ok = true) {
    prompts.modals.push_back([this, computedJob, ok](QDialog& d) {
      auto& form = dynamic_cast<TFSelExport&>(d);
      shownAt = form.pos();
      if (computedJob) form.RbtnDebit->click();
      (ok ? form.BtnOk : form.BtnAnnuler)->click();
      return form.result();
    });
  }

  // Runs the command: the choice, then the file the picker returns (none: cancelled).
  void Export(bool computedJob, std::optional<fs::path> file) {
    Choose(computedJob);
    prompts.files.push_back(file ? std::optional<QString>(QString::fromStdString(file->string()))
                                 : std::nullopt);
    Trigger("Exporter");
  }

  // The one message the command ended with.
  ScriptedPrompts::Asked LastNotice() {
    const std::vector<ScriptedPrompts::Asked> notices = prompts.Of(Kind::Notice);
    EXPECT_FALSE(notices.empty());
    return notices.empty() ? ScriptedPrompts::Asked{} : notices.back();
  }

  fs::path Out() const { return dir.path() / "exports"; }
  QPoint shownAt;
};

TEST_F(ExportCommand, IsAJobCommand) {
  Start();
  EXPECT_FALSE(Find<QAction>("Exporter")->isEnabled());
  EXPECT_EQ(Find<QAction>("Exporter")->text(), QStringLiteral("E&xporter"));
  OpenByDialog(WriteJob("export.deb", GoodJob()));
  EXPECT_TRUE(Find<QAction>("Exporter")->isEnabled());
}

TEST_F(ExportCommand, CancelAtTheChoiceOrAtThePickerWritesNothing) {
  StartWithJob();
  prompts.asked.clear();
  Choose(false, /*ok=*/false);
  Trigger("Exporter");
  EXPECT_TRUE(prompts.Of(Kind::SaveFile).empty());
  // Placed over the window: centred on its client area, 14 pixels below its top.
  EXPECT_EQ(shownAt,
            QPoint(window->x() + window->width() / 2 - window->FSelExport->width() / 2,
                   window->y() + 14));
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(LastNotice().caption, kTitle);
  EXPECT_EQ(LastNotice().text, kCancelled);
  EXPECT_EQ(LastNotice().icon, PromptIcon::Information);

  prompts.asked.clear();
  Export(false, std::nullopt);
  EXPECT_EQ(prompts.Of(Kind::SaveFile).size(), 1u);
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(LastNotice().text, kCancelled);
  EXPECT_EQ(LastNotice().icon, PromptIcon::Information);
  EXPECT_TRUE(prompts.Exhausted());
  EXPECT_FALSE(fs::exists(Out()));
}

TEST_F(ExportCommand, AChoiceLeftWithEscapeIsCancelledEvenAfterAnEarlierOk) {
  StartWithJob();
  fs::create_directories(Out());
  Export(false, Out() / "premier.csv");
  ASSERT_EQ(LastNotice().text, kDone);
  prompts.asked.clear();
  prompts.modals.push_back([](QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
    return d.result();
  });
  Trigger("Exporter");
  EXPECT_TRUE(prompts.Of(Kind::SaveFile).empty());
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(LastNotice().text, kCancelled);
}

TEST_F(ExportCommand, RefusedExtensionsNameTheFileAndWriteNothing) {
  StartWithJob();
  fs::create_directories(Out() / "x.d");
  const struct {
    bool computedJob;
    fs::path file;
    const char* shown;  // the name in the message
  } cases[] = {
      {false, Out() / "liste.xls", "liste.xls"},
      {false, Out() / "liste", "liste"},
      {false, Out() / "x.d" / "liste", "liste"},
      {false, Out() / "liste.csv.bak", "liste.csv.bak"},
      {true, Out() / "liste.slk", "liste.slk"},
      {true, Out() / "liste.SLK", "liste.SLK"},
  };
  for (const auto& c : cases) {
    prompts.asked.clear();
    Export(c.computedJob, c.file);
    ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u) << c.file;
    EXPECT_EQ(LastNotice().caption, kTitle);
    EXPECT_EQ(LastNotice().text, QStringLiteral("L'extension du fichier ") + QString::fromUtf8(c.shown) +
                                     QStringLiteral(" n'est pas valide !"));
    EXPECT_EQ(LastNotice().icon, PromptIcon::Exclamation);
    EXPECT_FALSE(fs::exists(c.file)) << c.file;
  }
}

TEST_F(ExportCommand, AFileThatCannotBeWrittenIsReportedNeverAsDone) {
  StartWithJob();
  fs::create_directories(Out());
  WriteBytes(Out() / "fichier", "pas un dossier");
  // A folder where the file should go, holding a file of its own.
  fs::create_directories(Out() / "liste.csv");
  WriteBytes(Out() / "liste.csv" / "garde.txt", "gardé");
  const fs::path cases[] = {
      Out() / "absent" / "liste.csv",   // no such folder
      Out() / "fichier" / "liste.csv",  // a file in place of the folder
      Out() / "liste.csv",              // a folder in place of the file
  };
  for (const fs::path& file : cases) {
    prompts.asked.clear();
    Export(false, file);
    ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u) << file;
    EXPECT_EQ(LastNotice().caption, kTitle);
    EXPECT_EQ(LastNotice().icon, PromptIcon::Warning);
    EXPECT_NE(LastNotice().text, kDone);
    EXPECT_TRUE(LastNotice().text.contains(QString::fromStdString(file.string())))
        << LastNotice().text.toStdString();
  }
  EXPECT_FALSE(fs::exists(Out() / "absent"));
  EXPECT_EQ(ReadBytes(Out() / "fichier"), "pas un dossier");
  EXPECT_EQ(ReadBytes(Out() / "liste.csv" / "garde.txt"), "gardé");
  // Nothing left behind in the folders: no temporary file.
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Out())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"fichier", "liste.csv"}));
}

TEST_F(ExportCommand, TheCuttingSheetAsCsvReplacesAnOlderFileWhole) {
  StartWithJob();
  fs::create_directories(Out());
  const fs::path file = Out() / "liste.csv";
  WriteBytes(file, std::string(2000, 'x'));
  prompts.asked.clear();
  Export(false, file);
  ASSERT_EQ(prompts.Of(Kind::Notice).size(), 1u);
  EXPECT_EQ(LastNotice().caption, kTitle);
  EXPECT_EQ(LastNotice().text, kDone);
  EXPECT_EQ(LastNotice().icon, PromptIcon::Information);
  // The three parts of GoodJob: 600 x 400 (3), 300 x 200 (2), 1200 x 500 (1), 19 mm, oak,
  // grain indifferent.
  EXPECT_EQ(ReadBytes(file),
            kBom +
                "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil\n"
                "a;Piece1;3;600;400;19;Chêne;2\n"
                "b;Piece2;2;300;200;19;Chêne;2\n"
                "c;Piece3;1;1200;500;19;Chêne;2\n");
  // The picker: its caption, the three kinds of file, csv added to a bare name.
  const ScriptedPrompts::Asked picker = prompts.Of(Kind::SaveFile).front();
  EXPECT_EQ(picker.caption, QStringLiteral("Exportation du débit"));
  EXPECT_EQ(picker.filter, QStringLiteral("Fichiers csv (*.csv);;Fichiers texte (*.txt);;"
                                          "Fichiers silk (*.slk) | csv"));
}

TEST_F(ExportCommand, TheCuttingSheetAsSylkInAnyCase) {
  StartWithJob();
  fs::create_directories(Out());
  const fs::path file = Out() / "Liste.SLK";
  Export(false, file);
  EXPECT_EQ(LastNotice().text, kDone);
  const std::vector<std::string> lines = Lines(ReadBytes(file));
  ASSERT_EQ(lines.size(), 23u + 15u + 3u * 15u + 1u);
  EXPECT_EQ(lines[0], "ID;Exportation-débit");
  EXPECT_EQ(lines[12], "B;Y4;X7");
  EXPECT_EQ(lines[38], "F;P3;FG0C;Y2;X1");
  EXPECT_EQ(lines[39], "C;N;K\"a\"");
  EXPECT_EQ(lines[45], "C;N;K600");
  EXPECT_EQ(lines[51], "C;N;K\"Chêne\"");
  EXPECT_EQ(lines.back(), "E");
}

TEST_F(ExportCommand, TheComputedJobAsTextListsPanelsThenTheirParts) {
  StartWithJob();
  fs::create_directories(Out());
  const fs::path file = Out() / "débit.Txt";
  Export(true, file);
  EXPECT_EQ(LastNotice().text, kDone);
  const ScriptedPrompts::Asked picker = prompts.Of(Kind::SaveFile).back();
  EXPECT_EQ(picker.filter, QStringLiteral("Fichiers csv (*.csv);;Fichiers texte (*.txt) | csv"));

  const std::string bytes = ReadBytes(file);
  ASSERT_EQ(bytes.substr(0, 3), kBom);
  const std::vector<std::string> lines = Lines(bytes.substr(3));
  const std::size_t panels = job.ResultPanels.size();
  // Every part goes on the first of the two stock copies; the copy left whole is no result.
  ASSERT_EQ(panels, 1u);
  // Title, one line per panel, one per placed part: 3 + 2 + 1 pieces.
  ASSERT_EQ(lines.size(), 1 + panels + 6);
  EXPECT_EQ(lines[0],
            "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil;"
            "Panneau destination");
  EXPECT_EQ(lines[1], "1;;1;2800;2070;19;Chêne;2;;");
  // Each part line: its letters and designation by number, one piece, the panel's thickness,
  // the number of a panel line. Every piece of the job is there once.
  std::map<std::string, int> pieces;
  for (std::size_t i = 1 + panels; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::string::size_type first = line.find(';');
    const std::string letters = line.substr(0, first);
    const std::string rest = line.substr(first);
    const std::string target = line.substr(line.rfind(';') + 1);
    EXPECT_EQ(target, "1") << line;
    pieces[letters]++;
    const std::map<std::string, std::string> expected = {
        {"a", ";Piece1;1;600;400;19;Chêne;2;"},
        {"b", ";Piece2;1;300;200;19;Chêne;2;"},
        {"c", ";Piece3;1;1200;500;19;Chêne;2;"}};
    ASSERT_TRUE(expected.count(letters)) << line;
    EXPECT_EQ(rest, expected.at(letters) + target);
  }
  EXPECT_EQ(pieces, (std::map<std::string, int>{{"a", 3}, {"b", 2}, {"c", 1}}));
}

TEST_F(ExportCommand, ThePickerStartsWhereTheLastExportWent) {
  StartWithJob();
  fs::create_directories(Out());
  Export(false, Out() / "premier.csv");
  Export(true, Out() / "second.txt");
  const std::vector<ScriptedPrompts::Asked> pickers = prompts.Of(Kind::SaveFile);
  ASSERT_EQ(pickers.size(), 2u);
  EXPECT_EQ(pickers[0].folder, QString());
  EXPECT_EQ(pickers[0].text, QString());
  EXPECT_EQ(pickers[1].folder, QString::fromStdString(Out().string()));
  EXPECT_EQ(pickers[1].text, QStringLiteral("premier.csv"));
  EXPECT_TRUE(fs::exists(Out() / "second.txt"));
}

}  // namespace
}  // namespace tranchex::test
