// The main window's views: view buttons and their counters, page navigation, the measures
// taken on resize, the panel drawing mode dialog, painting, texts and the commands switched on
// and off.

#include <QImage>
#include <ostream>
#include <QPainter>
#include <QRadioButton>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "job/DrawScales.h"
#include "job/PageLists.h"
#include "dialogs/USelModeAffPanneaux.h"
#include "shell/MainWindowFixture.h"
#include "job/SettingsFiles.h"
#include "platform/RecordingCanvas.h"

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
}

// The measures on the offscreen platform, worked out by hand:
//   - 96 pixels per inch, so a pixel is 254 / 96 tenths of a millimetre;
//   - the tool panel is 31 pixels high: P = 31 x 254 / 96 = 82.02, taken as 82;
//   - the views' 5-point font is 5 x 96 / 72 = 6.67 pixels per em, which the platform takes as
//     7; Liberation Sans rises 1854 and falls 434 of its 2048 units per em, so the font is
//     7 x 2288 / 2048 = 7.83 pixels high: 8 pixels, and H = 7.83 x 254 / 96 = 20.7, taken as 21;
//   - the panels view's margin (4H + P + 190) div 2 = (84 + 82 + 190) div 2 = 178, the parts
//     view's (7H + P + 230) div 2 = (147 + 82 + 230) div 2 = 229.
constexpr int kScreenDpi = 96;
constexpr std::int32_t kPanelViewMargin = 178;
constexpr std::int32_t kPartViewMargin = 229;

// The command-line start lays the job out for the client area as it is shown.
TEST_F(MainWindowTest, CommandLineStartMeasuresTheRealClientArea) {
  const QString path = WriteJob("mesure.deb", GoodJob());
  Start(path);
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(window->View->logicalDpiX(), kScreenDpi);
  const double mmPerPixel = 25.4 / window->View->logicalDpiX();
  EXPECT_NEAR(window->Measures.AreaWidth, window->View->width() * mmPerPixel * 10, 2);
  EXPECT_GT(window->Measures.AreaHeight, 0);
  EXPECT_GT(window->Measures.SheetRowsPerPage, 1u);
  EXPECT_EQ(window->Measures.PanelViewMargin, kPanelViewMargin);
  EXPECT_EQ(window->Measures.PartViewMargin, kPartViewMargin);
  const float expected = ComputePanelDrawScale(window->Measures.AreaHeight,
                                               window->Measures.AreaWidth, kPanelViewMargin,
                                               job.ResultPanels);
  EXPECT_FLOAT_EQ(static_cast<float>(job.PanelViewScale), expected);
  EXPECT_EQ(window->PlanViewMetrics.x, 20);
  EXPECT_EQ(window->PlanViewMetrics.y, 20 - window->Measures.AreaHeight);
}

// A client area of 576 x 384 pixels is 6 x 4 inches: 1524 x 1016 tenths of a millimetre.
TEST_F(MainWindowTest, ResizeTakesTheMeasuresOfTheClientArea) {
  const QString path = WriteJob("mesure.deb", GoodJob());
  Start(path);
  ASSERT_EQ(job.JobLoaded, 1);
  ASSERT_EQ(window->View->logicalDpiX(), kScreenDpi);
  ASSERT_EQ(window->View->logicalDpiY(), kScreenDpi);
  window->View->resize(576, 384);

  EXPECT_EQ(window->Measures.AreaWidth, 1524);
  EXPECT_EQ(window->Measures.AreaHeight, 1016);
  EXPECT_EQ(window->Measures.PanelViewMargin, kPanelViewMargin);
  EXPECT_EQ(window->Measures.PartViewMargin, kPartViewMargin);
  // The origin 2 mm from the left and bottom edges.
  EXPECT_EQ(window->PlanViewMetrics.x, 20);
  EXPECT_EQ(window->PlanViewMetrics.y, -996);
  // |384 - 31 + 1| div (8 + 4) rows.
  EXPECT_EQ(window->Measures.SheetRowsPerPage, 29u);

  // Panels of 28000 x 20700 with margins of 2 x 178 = 356: 1524 / (356 + 28000) = 0.0537 is
  // not below 1016 / (356 + 20700) = 0.0483, so the widths fill the height:
  // 20700 / (1016 - 356) = 31.364, a hundredth more at most where single precision overshoots.
  EXPECT_NEAR(job.PanelViewScale, 31.364, 0.011);
  // Parts of at most 12000 x 5000 with margins of 2 x 229 = 458: 1524 / (458 + 12000) = 0.1223
  // is below 1016 / (458 + 5000) = 0.1861, so the lengths fill the width:
  // 12000 / (1524 - 458) = 11.257.
  EXPECT_NEAR(job.PartViewScale, 11.257, 0.011);
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

// What one paint of the client area draws, written down.
std::vector<CanvasCall> PaintedCalls(TFDebit& w) {
  RecordingCanvas canvas({w.View->width(), w.View->height()});
  w.PaintView(canvas, w.View->width(), w.View->height());
  return canvas.Calls();
}

bool DrawsAnything(const std::vector<CanvasCall>& calls) {
  for (const CanvasCall& c : calls) {
    switch (c.kind) {
      case CanvasCallKind::MoveTo:
      case CanvasCallKind::LineTo:
      case CanvasCallKind::Polyline:
      case CanvasCallKind::Rectangle:
      case CanvasCallKind::FillRect:
      case CanvasCallKind::TextOut:
      case CanvasCallKind::TextRect:
        return true;
      default:
        break;
    }
  }
  return false;
}

std::vector<std::string> PaintedTexts(const std::vector<CanvasCall>& calls) {
  std::vector<std::string> out;
  for (const CanvasCall& c : calls) {
    if (c.kind == CanvasCallKind::TextOut) out.push_back(c.text);
  }
  return out;
}

// Whatever the lists hold, the window never shows a page past their end: the counter says what
// the navigation reached, and a page the lists do not hold is blank (the cutting sheet keeps its
// header). Each list is built longer and then cut short, so what lies past its end is a stale
// entry that would be drawn if it were read.
struct StalePageStep {
  const char* action;  // a button clicked, or "page N" for a page left over from elsewhere
  int page;            // CurrentPage afterwards
  const char* counter;
  bool shown;          // a page of the list is drawn
};

struct StalePageCase {
  const char* name;
  const char* view;
  std::vector<StalePageStep> steps;
};

class StalePages : public MainWindowTest, public ::testing::WithParamInterface<StalePageCase> {};
void PrintTo(const StalePageCase& c, std::ostream* os) { *os << c.name; }

TEST_P(StalePages, ShowNothingPastTheEndOfAList) {
  const StalePageCase& c = GetParam();
  Start();
  // Three pages of one panel each, but one panel; two parts; one sheet page.
  job = ShownJob({1, 1, 1}, 6, 3);
  job.ResultPanels.resize(1);
  job.JobParts.resize(2);
  job.CuttingSheetPages = {{0, 5}, {0, 1}, {1, 1}};
  job.CuttingSheetPages.resize(1);  // rows past the parts, too
  job.JobReferences.clear();        // parts without references
  job.JobDesignations.resize(1);
  job.JobParts[1].Species = 40;     // a species past the list
  job.JobParts[1].Grain = 7;
  job.PanelViewScale = 50.0;
  job.PartViewScale = 50.0;
  window->EnableJobCommands();
  Click(c.view);
  for (const StalePageStep& s : c.steps) {
    SCOPED_TRACE(s.action);
    const std::string action(s.action);
    if (action.rfind("page ", 0) == 0) {
      window->CurrentPage = std::stoi(action.substr(5));
    } else {
      Click(s.action);
    }
    EXPECT_EQ(window->CurrentPage, s.page);
    EXPECT_EQ(Counter(), QString::fromUtf8(s.counter));
    const std::vector<CanvasCall> calls = PaintedCalls(*window);
    if (window->ViewMode == kCuttingSheetView) {
      // The header, and the rows of the parts only on a page the list holds.
      const std::vector<std::string> texts = PaintedTexts(calls);
      const std::vector<std::string> header(texts.begin(),
                                            texts.begin() + std::min<std::size_t>(8, texts.size()));
      EXPECT_EQ(header, (std::vector<std::string>{"Réf", "Désignation", "Nombre", "Longueur",
                                                  "Largeur", "Epaisseur", "Essence",
                                                  "Sens du fil"}));
      EXPECT_EQ(std::count(texts.begin(), texts.end(), "Pièce 1"), s.shown ? 1 : 0);
      EXPECT_EQ(texts.size(), s.shown ? 24u : 8u);  // the header and two rows of eight texts
    } else {
      EXPECT_EQ(DrawsAnything(calls), s.shown);
      // On screen too: a blank area below the tool panel.
      EXPECT_EQ(DarkPixels(*window) > 0, s.shown);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Views, StalePages,
    ::testing::Values(
        StalePageCase{"Panels",
                      "SBtnPanneaux",
                      {{"SBtnPanneaux", 0, "1\\3", true},
                       {"BtnSuivant", 0, "1\\3", true},  // no second panel to go to
                       {"BtnDernier", 2, "3\\3", false},
                       {"page 1", 1, "3\\3", false},
                       {"page 5", 5, "3\\3", false},
                       {"page -1", -1, "3\\3", false},
                       {"BtnPremier", 0, "1\\3", true}}},
        StalePageCase{"Parts",
                      "SBtnPieces",
                      {{"SBtnPieces", 0, "1\\2", true},
                       {"BtnDernier", 1, "2\\2", true},
                       {"BtnSuivant", 1, "2\\2", true},
                       {"page 2", 2, "2\\2", false},
                       {"page 5", 5, "2\\2", false},
                       {"page -1", -1, "2\\2", false}}},
        StalePageCase{"CuttingSheet",
                      "SBtnFiche",
                      {{"SBtnFiche", 0, "1\\1", true},
                       {"BtnSuivant", 0, "1\\1", true},
                       {"page 1", 1, "1\\1", false},
                       {"page 2", 2, "1\\1", false},
                       {"page 5", 5, "1\\1", false},
                       {"page -1", -1, "1\\1", false}}}),
    [](const auto& info) { return std::string(info.param.name); });

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
  // The two size items carry a keyboard letter each besides their words.
  EXPECT_EQ(Find<QAction>("DimensionsPieces")->text().remove(u'&'),
            QStringLiteral("Dimensions des pièces"));
  EXPECT_EQ(Find<QAction>("DimensionsDesPanneaux")->text().remove(u'&'),
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

// The job commands follow the job; the settings commands work with or without one.
TEST_F(MainWindowTest, JobCommandsFollowTheJob) {
  Start();
  const char* jobActions[] = {"Enregistrer", "Enre", "Imprimer", "Exporter", "Modifier",
                              "Recap"};
  const char* jobButtons[] = {"BtnEnre", "SBtnPanneaux", "SBtnPieces", "SBtnFiche",
                              "SBtnModeAffPanneaux", "BtnImpression", "SBtnRecap"};
  for (const char* a : jobActions) EXPECT_FALSE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : jobButtons) EXPECT_FALSE(Button(b)->isEnabled()) << b;
  // A job is opened or entered with or without one.
  for (const char* a : {"Ouvrir", "Nouveau"}) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : {"BtnOuvrir", "BtnNouveau"}) EXPECT_TRUE(Button(b)->isEnabled()) << b;
  EXPECT_TRUE(Find<QAction>("Quitter")->isEnabled());
  // The settings commands that are built work with or without a job.
  EXPECT_TRUE(Find<QAction>("Unites")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Etiquettes")->isEnabled());
  EXPECT_TRUE(Find<QAction>("GestionnaireDesEssences")->isEnabled());

  OpenByDialog(WriteJob("commandes.deb", GoodJob()));
  ASSERT_EQ(job.JobLoaded, 1);
  for (const char* a : jobActions) EXPECT_TRUE(Find<QAction>(a)->isEnabled()) << a;
  for (const char* b : jobButtons) EXPECT_TRUE(Button(b)->isEnabled()) << b;
  EXPECT_TRUE(Button("SBtnPanneaux")->isChecked());
  EXPECT_TRUE(Find<QAction>("Unites")->isEnabled());
  EXPECT_TRUE(Find<QAction>("Etiquettes")->isEnabled());
  EXPECT_TRUE(Find<QAction>("GestionnaireDesEssences")->isEnabled());
}

}  // namespace
}  // namespace tranchex::test
