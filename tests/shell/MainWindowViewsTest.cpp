// The main window's views: view buttons and their counters, page navigation, the measures
// taken on resize, the panel drawing mode dialog, painting, texts and the commands switched on
// and off.

#include <QImage>
#include <ostream>
#include <QPainter>
#include <QRadioButton>
#include <QPushButton>
#include <chrono>
#include <vector>

#include "job/DrawScales.h"
#include "job/PageLists.h"
#include "dialogs/USelModeAffPanneaux.h"
#include "shell/MainWindowFixture.h"
#include "job/SettingsFiles.h"

namespace tranchex::test {
namespace {

// A computed job as the views see it, with the page lists given directly.
JobState ShownJob(const std::vector<std::int32_t>& panelCounts, int parts, int sheetPages) {
  JobState j;
  j.JobKind = 2;
  j.JobLoaded = 1;
  for (std::size_t i = 0; i < panelCounts.size(); ++i) {
    Panneau_p p(28000, 20700, 190, 0);
    p.EntryIndex = static_cast<std::int32_t>(i);
    j.ResultPanels.push_back(p);
    j.PanelPages.push_back({panelCounts[i] == -1 ? "" : "sig" + std::to_string(i), panelCounts[i]});
  }
  for (int i = 0; i < parts; ++i) {
    TPiece part(6000, 4000, 190, 0);
    part.Number = i;
    j.JobParts.push_back(part);
    j.JobDesignations.push_back("Pièce " + std::to_string(i + 1));
    j.JobReferences.push_back(std::string(1, static_cast<char>('a' + i)));
  }
  for (int i = 0; i < sheetPages; ++i) j.CuttingSheetPages.push_back({i, i});
  if (sheetPages == 0) j.CuttingSheetPages.push_back({0, -1});
  return j;
}

// ---- View buttons -------------------------------------------------------------------------

struct ViewCase {
  const char* name;
  std::vector<std::int32_t> panelCounts;
  int parts;
  int sheetPages;
  bool loaded;
  const char* button;
  const char* counter;
  const char* navigation;  // Premier, Precedant, Quantieme, Suivant, Dernier
  int viewMode;
};
void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }

class ViewButtons : public MainWindowTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ViewButtons, SetTheCounterAndTheNavigation) {
  const ViewCase& c = GetParam();
  Start();
  job = ShownJob(c.panelCounts, c.parts, c.sheetPages);
  job.JobLoaded = c.loaded ? 1 : 0;
  window->EnableJobCommands();
  Click(c.button);
  EXPECT_EQ(window->ViewMode, c.viewMode);
  EXPECT_EQ(Counter(), QString::fromUtf8(c.counter));
  EXPECT_EQ(NavigationState(), c.navigation);
  EXPECT_TRUE(Button(c.button)->isChecked());
  EXPECT_EQ(Button("SBtnModeAffPanneaux")->isEnabled(), c.viewMode == kPanelsView && c.loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Views, ViewButtons,
    ::testing::Values(
        ViewCase{"PanelsWithoutJob", {}, 0, 0, false, "SBtnPanneaux", "", "00000", kPanelsView},
        ViewCase{"PartsWithoutParts", {}, 0, 0, true, "SBtnPieces", "1\\0", "00000", kPartsView},
        ViewCase{"OneLayout", {3, -1, -1}, 1, 1, true, "SBtnPanneaux", "1\\1", "00000",
                 kPanelsView},
        ViewCase{"RepeatedLayouts", {2, -1, 1}, 1, 1, true, "SBtnPanneaux", "1\\2", "00111",
                 kPanelsView},
        ViewCase{"TwoParts", {1}, 2, 1, true, "SBtnPieces", "1\\2", "11111", kPartsView},
        ViewCase{"OnePart", {1}, 1, 1, true, "SBtnPieces", "1\\1", "00000", kPartsView},
        ViewCase{"ThreeSheetPages", {1}, 3, 3, true, "SBtnFiche", "1\\3", "11111",
                 kCuttingSheetView},
        ViewCase{"SheetWithoutParts", {1}, 0, 0, true, "SBtnFiche", "1\\1", "00000",
                 kCuttingSheetView}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Page navigation --------------------------------------------------------------------------

struct Step {
  const char* button;
  int page;  // CurrentPage afterwards
  const char* counter;
  const char* navigation;
};

struct NavigationCase {
  const char* name;
  std::vector<std::int32_t> panelCounts;
  int parts;
  int sheetPages;
  const char* view;
  std::vector<Step> steps;
};
void PrintTo(const NavigationCase& c, std::ostream* os) { *os << c.name; }

class Navigation : public MainWindowTest, public ::testing::WithParamInterface<NavigationCase> {};

TEST_P(Navigation, MovesThroughThePages) {
  const NavigationCase& c = GetParam();
  Start();
  job = ShownJob(c.panelCounts, c.parts, c.sheetPages);
  window->EnableJobCommands();
  Click(c.view);
  for (const Step& s : c.steps) {
    SCOPED_TRACE(std::string(s.button) + " to " + s.counter);
    Click(s.button);
    EXPECT_EQ(window->CurrentPage, s.page);
    EXPECT_EQ(Counter(), QString::fromUtf8(s.counter));
    EXPECT_EQ(NavigationState(), s.navigation);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Navigation,
    ::testing::Values(
        // A, A, B: the repeat is skipped both ways.
        NavigationCase{"PanelsAAB",
                       {2, -1, 1},
                       1,
                       1,
                       "SBtnPanneaux",
                       {{"BtnSuivant", 2, "2\\2", "11100"}, {"BtnPrecedant", 0, "1\\2", "00111"}}},
        // A, B, A, A: the last page is the last entry that is a page.
        NavigationCase{"PanelsABAA",
                       {3, 1, -1, -1},
                       1,
                       1,
                       "SBtnPanneaux",
                       {{"BtnDernier", 1, "2\\2", "11100"},
                        {"BtnSuivant", 1, "2\\2", "11100"},
                        {"BtnPremier", 0, "1\\2", "00111"}}},
        // Pages at entries 0, 3 and 4.
        NavigationCase{"PanelsWithGaps",
                       {3, -1, -1, 1, 1},
                       1,
                       1,
                       "SBtnPanneaux",
                       {{"BtnSuivant", 3, "2\\3", "11111"},
                        {"BtnSuivant", 4, "3\\3", "11100"},
                        {"BtnPrecedant", 3, "2\\3", "11111"},
                        {"BtnPrecedant", 0, "1\\3", "00111"},
                        {"BtnDernier", 4, "3\\3", "11100"}}},
        NavigationCase{"Parts",
                       {1},
                       3,
                       1,
                       "SBtnPieces",
                       {{"BtnSuivant", 1, "2\\3", "11111"},
                        {"BtnSuivant", 2, "3\\3", "11100"},
                        {"BtnSuivant", 2, "3\\3", "11100"},
                        {"BtnPrecedant", 1, "2\\3", "11111"},
                        {"BtnPrecedant", 0, "1\\3", "00111"},
                        {"BtnDernier", 2, "3\\3", "11100"},
                        {"BtnPremier", 0, "1\\3", "00111"}}},
        NavigationCase{"CuttingSheet",
                       {1},
                       4,
                       2,
                       "SBtnFiche",
                       {{"BtnDernier", 1, "2\\2", "11100"}, {"BtnPrecedant", 0, "1\\2", "00111"}}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Measures -------------------------------------------------------------------------------

TEST_F(MainWindowTest, ResizeInTheCuttingSheetRestartsAtPageOneWithTheNewRows) {
  Start();
  job = ShownJob({1}, 40, 0);
  PaginateRows(job.JobParts, job.CuttingSheetPages, window->Measures.SheetRowsPerPage);
  window->EnableJobCommands();
  Click("SBtnFiche");
  Click("BtnSuivant");
  ASSERT_EQ(window->CurrentPage, 1);
  const std::uint32_t rowsBefore = window->Measures.SheetRowsPerPage;

  window->View->resize(window->View->width(), window->View->height() / 2);
  EXPECT_LT(window->Measures.SheetRowsPerPage, rowsBefore);
  EXPECT_EQ(window->CurrentPage, 0);
  const auto pages = job.CuttingSheetPages.size();
  EXPECT_EQ(pages, (40 + window->Measures.SheetRowsPerPage - 1) / window->Measures.SheetRowsPerPage);
  EXPECT_EQ(Counter(), QStringLiteral("1\\%1").arg(pages));
}

// A client area no taller than the tool panel still gives one row per page, and the views draw
// at any size without hanging.
TEST_F(MainWindowTest, ATinyWindowKeepsOneRowPerSheetPage) {
  const QString path = WriteJob("petit.deb", GoodJob());
  Start(path);
  ASSERT_EQ(job.JobLoaded, 1);
  Click("SBtnFiche");
  const auto start = std::chrono::steady_clock::now();
  for (const QSize size : {QSize(400, window->Panel1->height()), QSize(400, window->Panel1->height() - 1),
                           QSize(1, 1), QSize(0, 0), QSize(3, 40)}) {
    SCOPED_TRACE(size.width());
    window->View->resize(size);
    EXPECT_GE(window->Measures.SheetRowsPerPage, 1u);
    EXPECT_FALSE(job.CuttingSheetPages.empty());
    for (const char* view : {"SBtnPanneaux", "SBtnPieces", "SBtnFiche"}) {
      Click(view);
      (void)window->View->grab();
    }
  }
  window->View->resize(400, window->Panel1->height());
  EXPECT_EQ(window->Measures.SheetRowsPerPage, 1u);
  EXPECT_EQ(job.CuttingSheetPages.size(), job.JobParts.size());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

// The command-line start lays the job out for the client area as it is shown.
TEST_F(MainWindowTest, CommandLineStartMeasuresTheRealClientArea) {
  const QString path = WriteJob("mesure.deb", GoodJob());
  Start(path);
  ASSERT_EQ(job.JobLoaded, 1);
  const double mmPerPixel = 25.4 / window->View->logicalDpiX();
  EXPECT_NEAR(window->Measures.AreaWidth, window->View->width() * mmPerPixel * 10, 2);
  EXPECT_GT(window->Measures.AreaHeight, 0);
  EXPECT_GT(window->Measures.SheetRowsPerPage, 1u);
  const float expected =
      ComputePanelDrawScale(window->Measures.AreaHeight, window->Measures.AreaWidth,
                            window->Measures.PanelViewMargin, job.ResultPanels);
  EXPECT_FLOAT_EQ(static_cast<float>(job.PanelViewScale), expected);
  EXPECT_EQ(window->PlanViewMetrics.x, 20);
  EXPECT_EQ(window->PlanViewMetrics.y, 20 - window->Measures.AreaHeight);
}

// ---- Painting -------------------------------------------------------------------------------

// Dark pixels of the client area below the tool panel.
int DarkPixels(TFDebit& w) {
  const QImage image = w.View->grab().toImage();
  int n = 0;
  for (int y = w.Panel1->height() + 2; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 100) ++n;
    }
  }
  return n;
}

TEST_F(MainWindowTest, PanelsViewDrawsThePanelOutline) {
  Start();
  EXPECT_EQ(DarkPixels(*window), 0) << "nothing is drawn without a job";

  OpenByDialog(WriteJob("dessin.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  const QImage image = window->View->grab().toImage();
  // The panel's lower-left corner lies 2 mm from the left and bottom edges; its bottom edge is a
  // dark horizontal run from there.
  const double pixelsPerTenth = window->View->logicalDpiX() / 254.0;
  const int x0 = static_cast<int>(20 * pixelsPerTenth);
  const int y0 = image.height() - 1 - static_cast<int>(20 * pixelsPerTenth);
  int darkOnBottomEdge = 0;
  for (int y = y0 - 2; y <= y0 + 2; ++y) {
    for (int x = x0 + 5; x < x0 + 45; ++x) {
      if (qGray(image.pixel(x, y)) < 100) ++darkOnBottomEdge;
    }
  }
  EXPECT_GE(darkOnBottomEdge, 30);
  EXPECT_GT(DarkPixels(*window), 200);

  // The other views draw too, and so does the cut-lines mode.
  for (const char* view : {"SBtnPieces", "SBtnFiche"}) {
    Click(view);
    EXPECT_GT(DarkPixels(*window), 100) << view;
  }
  Click("SBtnPanneaux");
  window->PanelDrawMode = 1;
  EXPECT_GT(DarkPixels(*window), 100);
}

// Whatever the lists hold, painting reads no entry past their end.
TEST_F(MainWindowTest, PaintingNeverReadsPastAList) {
  Start();
  job = ShownJob({1, 1, 1}, 2, 1);
  job.ResultPanels.resize(1);          // pages for three panels, one panel
  job.JobReferences.clear();           // parts without references
  job.JobDesignations.resize(1);
  job.JobParts[1].Species = 40;        // a species past the list
  job.JobParts[1].Grain = 7;
  job.CuttingSheetPages = {{0, 5}};    // rows past the parts
  job.PanelViewScale = 50.0;
  job.PartViewScale = 50.0;
  for (int mode : {kPanelsView, kPartsView, kCuttingSheetView}) {
    for (int page : {-1, 0, 2, 5}) {
      window->ViewMode = mode;
      window->CurrentPage = page;
      (void)window->View->grab();
    }
  }
  SUCCEED();
}

// ---- Panel drawing mode dialog --------------------------------------------------------------

struct ModeCase {
  const char* name;
  int initial;
  const char* click;  // radio button clicked, or nullptr
  bool ok;            // closed by OK, otherwise by Escape
  int expected;
  bool partsChecked;  // what the form showed on opening
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class PanelDrawModeDialog : public MainWindowTest,
                            public ::testing::WithParamInterface<ModeCase> {};

TEST_P(PanelDrawModeDialog, TakesTheLastClickBack) {
  const ModeCase& c = GetParam();
  Start();
  OpenByDialog(WriteJob("mode.deb", GoodJob()));
  window->PanelDrawMode = c.initial;
  bool shownParts = false;
  bool shownCuts = false;
  prompts.modals.push_back([&](QDialog& d) {
    auto& form = dynamic_cast<TFSelModeAffPanneaux&>(d);
    shownParts = form.RbtnAffPieces->isChecked();
    shownCuts = form.RbtnAffTraitsCoupe->isChecked();
    if (c.click) {
      QTest::mouseClick(form.findChild<QRadioButton*>(QString::fromLatin1(c.click)),
                        Qt::LeftButton);
    }
    if (c.ok) {
      QTest::mouseClick(form.BtnOk, Qt::LeftButton);
    } else {
      QTest::keyClick(&form, Qt::Key_Escape);
    }
    return form.result();
  });
  Click("SBtnModeAffPanneaux");
  EXPECT_EQ(window->PanelDrawMode, c.expected);
  EXPECT_EQ(shownParts, c.partsChecked);
  EXPECT_EQ(shownCuts, !c.partsChecked);
  EXPECT_FALSE(window->FSelModeAffPanneaux->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PanelDrawModeDialog,
    ::testing::Values(ModeCase{"CutLinesKeptByOk", 1, nullptr, true, 1, false},
                      ModeCase{"PartsChosen", 1, "RbtnAffPieces", true, 0, false},
                      ModeCase{"CutLinesChosen", 0, "RbtnAffTraitsCoupe", true, 1, true},
                      ModeCase{"ClickStandsAfterEscape", 0, "RbtnAffTraitsCoupe", false, 1,
                               true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, PanelDrawModeDialogTexts) {
  Start();
  const TFSelModeAffPanneaux& form = *window->FSelModeAffPanneaux;
  EXPECT_EQ(form.RbtnAffPieces->text(), LanguageText(273));
  EXPECT_EQ(form.RbtnAffTraitsCoupe->text(), LanguageText(274));
  EXPECT_EQ(form.BtnOk->text(), QStringLiteral("OK"));
  EXPECT_TRUE(form.BtnOk->isDefault());
}

// ---- Texts and commands ---------------------------------------------------------------------

TEST_F(MainWindowTest, CaptionsComeFromTheLanguageTexts) {
  Start();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Tranchex"));
  EXPECT_EQ(window->size(), QSize(690, 430));
  EXPECT_EQ(window->Fichier->title(), QStringLiteral("&Fichier"));
  EXPECT_EQ(Find<QAction>("Ouvrir")->text(), QStringLiteral("&Ouvrir"));
  EXPECT_EQ(Find<QAction>("Enre")->text(), QStringLiteral("Enre&gistrer sous..."));
  EXPECT_EQ(Find<QAction>("DimensionsPieces")->text(), QStringLiteral("Dimensions des pièces"));
  EXPECT_EQ(Find<QAction>("DimensionsDesPanneaux")->text(),
            QStringLiteral("Dimensions des panneaux"));
  EXPECT_EQ(Button("SBtnPanneaux")->text(), QStringLiteral("Panneau"));
  EXPECT_EQ(Button("SBtnPieces")->text(), QStringLiteral("Pièce"));
  EXPECT_EQ(Button("SBtnFiche")->toolTip(), QStringLiteral("Fiche de débit"));
  EXPECT_FALSE(window->Langue->menuAction()->isVisible());
  EXPECT_TRUE(Find<QAction>("Francais")->isChecked());
  EXPECT_FALSE(Find<QAction>("Anglais")->isChecked());
}

// The user's words from the options file name the view buttons.
TEST_F(MainWindowTest, OptionsWordsNameTheViewButtons) {
  Settings custom;
  custom.WordPanel = "Plateau";
  custom.WordPanels = "Plateaux";
  custom.WordPart = "Élément";
  custom.WordParts = "Éléments";
  SaveOptionsFile(dir.path(), custom);
  Start();
  EXPECT_EQ(Button("SBtnPanneaux")->text(), QStringLiteral("Plateau"));
  EXPECT_EQ(Button("SBtnPanneaux")->toolTip(), QStringLiteral("Plateau"));
  EXPECT_EQ(Button("SBtnPieces")->text(), QStringLiteral("Élément"));
}

// Every command is present; those whose windows come later stay disabled with a job loaded.
TEST_F(MainWindowTest, JobCommandsFollowTheJobAndLaterCommandsStayDisabled) {
  Start();
  const char* jobActions[] = {"Enregistrer", "Enre", "Imprimer", "Modifier"};
  const char* jobButtons[] = {"BtnEnre", "SBtnPanneaux", "SBtnPieces", "SBtnFiche",
                              "SBtnModeAffPanneaux", "BtnImpression"};
  const char* later[] = {"Nouveau", "Importer", "Exporter", "Recap", "Etiquettes",
                         "Supprimer", "GestionnaireDesEssences", "OptionsGl", "Affichage", "ImportationFichesDebit",
                         "ExportationDesChutes", "DimensionsPieces", "DimensionsDesPanneaux",
                         "GestionDesignationsPieces", "AideTranchex",
                         "PagePresentationdeTranchex", "VideosDemonstrationTranchex",
                         "SiteInternetAuteur", "AproposdeTranchex", "MiseANiveau"};
  const char* laterButtons[] = {"BtnNouveau", "SBtnRecap"};

  for (const char* a : jobActions) EXPECT_FALSE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : jobButtons) EXPECT_FALSE(Button(b)->isEnabled()) << b;
  EXPECT_TRUE(Find<QAction>("Ouvrir")->isEnabled());
  EXPECT_TRUE(Button("BtnOuvrir")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Quitter")->isEnabled());
  // The settings commands that are built work with or without a job.
  EXPECT_TRUE(Find<QAction>("Unites")->isEnabled());

  OpenByDialog(WriteJob("commandes.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  for (const char* a : jobActions) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : jobButtons) EXPECT_TRUE(Button(b)->isEnabled()) << b;
  EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
  for (const char* a : later) {
    QAction* action = Find<QAction>(a);
    EXPECT_FALSE(action->isEnabled()) << a;
    EXPECT_TRUE(action->isVisible()) << a;
  }
  for (const char* b : laterButtons) EXPECT_FALSE(Button(b)->isEnabled()) << b;
  EXPECT_TRUE(Find<QAction>("Unites")->isEnabled());
}

}  // namespace
}  // namespace tranchex::test
