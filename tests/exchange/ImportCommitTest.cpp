// Imported parts put into an emptied job: the job lists, the reference lists and their dirty
// flags, the panels, margins and kerf; and a cutting sheet exported then imported again.

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "engine/Placement.h"
#include "exchange/ImportReader.h"
#include "exchange/JobExport.h"
#include "job/JobRecordChecks.h"
#include "job/SettingsFiles.h"
#include "job/SpeciesList.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

ImportedPart Part(std::string reference, std::string designation, bool designationGiven,
                  std::string species, std::int32_t quantity, double length, double width,
                  double thickness, std::int32_t grain) {
  ImportedPart p;
  p.Reference = std::move(reference);
  p.Designation = std::move(designation);
  p.DesignationGiven = designationGiven;
  p.SpeciesGiven = !species.empty();
  p.Species = std::move(species);
  p.Quantity = quantity;
  p.Length = length;
  p.Width = width;
  p.Thickness = thickness;
  p.Grain = grain;
  return p;
}

Settings ImportSettings() {
  Settings s;
  s.SpeciesNames = {"Chêne", "Hêtre"};
  s.DesignationNames = {"Etagère"};
  s.PartSizes = {{12000, 4000, 100, 1}};
  s.DefaultKerf = 45;
  s.DefaultMargin = 100.0;
  return s;
}

const UNITE_MESURE kMillimetres{10.0, "mm", ""};

TEST(ImportCommitTest, FillsTheJobListsTheReferenceListsAndThePanels) {
  Settings settings = ImportSettings();
  JobState job;
  ClearJobLists(job);
  const std::vector<ImportedPart> parts = {
      Part("A", "Etagère", true, "Hêtre", 2, 12000, 4000, 190, 1),
      Part("B", "Côté", true, "Noyer", 1, 7200, 3505, 220, 0),
      Part("c", "Piece2", false, "", 3, 5000, 5000, 190, 2),
  };
  const ImportListChanges changes = CommitImportedParts(parts, kMillimetres, settings, job);

  ASSERT_EQ(job.JobParts.size(), 3u);
  EXPECT_EQ(job.JobReferences, (std::vector<std::string>{"A", "B", "c"}));
  EXPECT_EQ(job.JobDesignations, (std::vector<std::string>{"Etagère", "Côté", "Piece2"}));
  const struct {
    double length, width, thickness;
    int species, grain, quantity;
  } expected[] = {{12000, 4000, 190, 1, 1, 2}, {7200, 3505, 220, 2, 0, 1}, {5000, 5000, 190, 0, 2, 3}};
  for (std::size_t i = 0; i < 3; ++i) {
    const TPiece& p = job.JobParts[i];
    EXPECT_EQ(p.Number, static_cast<int>(i));
    EXPECT_EQ(p.DesignationIndex, static_cast<int>(i));
    EXPECT_EQ(p.Length, expected[i].length) << i;
    EXPECT_EQ(p.Width, expected[i].width) << i;
    EXPECT_EQ(p.Thickness, expected[i].thickness) << i;
    EXPECT_EQ(p.Species, expected[i].species) << i;
    EXPECT_EQ(p.Grain, expected[i].grain) << i;
    EXPECT_EQ(p.Quantity, expected[i].quantity) << i;
    EXPECT_EQ(p.Rect, TRect(0, static_cast<int>(expected[i].width),
                            static_cast<int>(expected[i].length), 0))
        << i;
    EXPECT_EQ(p.Area, expected[i].length * expected[i].width) << i;
  }
  EXPECT_EQ(job.Engine.PartCounter, 3);

  // The window puts the new species in the species file first (a dry run appends it to its own
  // list); the designation given is appended but its file is marked only when the options ask;
  // an automatic designation is not kept.
  EXPECT_EQ(SpeciesTheListLacks(parts, ImportSettings().SpeciesNames),
            std::vector<std::string>{"Noyer"});
  EXPECT_EQ(settings.SpeciesNames, (std::vector<std::string>{"Chêne", "Hêtre", "Noyer"}));
  EXPECT_EQ(settings.DesignationNames, (std::vector<std::string>{"Etagère", "Côté"}));
  EXPECT_EQ(settings.DesignationsFileDirty, 0);
  EXPECT_EQ(settings.PartSizes,
            (std::vector<DIMENSIONS>{{12000, 4000, 100, 1},
                                     {12000, 4000, 190, 2},
                                     {7200, 3505, 100, 1},
                                     {7200, 3505, 220, 2},
                                     {5000, 5000, 100, 1},
                                     {5000, 5000, 190, 2}}));
  EXPECT_EQ(settings.PartSizesDirty, 0);
  EXPECT_TRUE(changes.SpeciesAdded);
  EXPECT_TRUE(changes.DesignationsAdded);
  EXPECT_TRUE(changes.PartSizesAdded);

  // Three materials: three panels, a complex job.
  EXPECT_EQ(job.JobKind, 2);
  ASSERT_EQ(job.JobPanels.size(), 3u);
  EXPECT_EQ(job.JobPanels[0].Species, 1);
  EXPECT_EQ(job.JobPanels[1].Species, 2);
  EXPECT_EQ(job.JobPanels[2].Species, 0);
  EXPECT_EQ(job.JobPanels[0].Length, 25000.0);
  EXPECT_EQ(job.JobPanels[0].Width, 12500.0);
  EXPECT_EQ(job.JobKerf, 45);
  EXPECT_EQ(job.JobMargins.LengthMargin, 100.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 0.0);
  EXPECT_EQ(job.JobMargins.ThicknessMargin, 0.0);
  EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 0);
  EXPECT_EQ(job.JobMargins.ThickerStockAllowed, 0);
  EXPECT_EQ(job.MarginsAllZero, 0);
  // A sound job: the pipeline, the job file and the dialogs take it.
  const std::optional<JobRecordFault> fault = CheckJobRecords(job);
  EXPECT_FALSE(fault.has_value()) << (fault ? fault->message : "");
}

TEST(ImportCommitTest, TheOptionsMarkTheDesignationAndSizeFiles) {
  Settings settings = ImportSettings();
  settings.ImportAddDesignations = 1;
  settings.ImportAddDimensions = 1;
  settings.ImportAddSpecies = 1;
  JobState job;
  CommitImportedParts({Part("A", "Tablette", true, "Chêne", 1, 6000, 3000, 190, 2)}, kMillimetres,
                      settings, job);
  EXPECT_EQ(settings.DesignationsFileDirty, 1);
  EXPECT_EQ(settings.PartSizesDirty, 1);
  EXPECT_EQ(settings.SpeciesNames, ImportSettings().SpeciesNames);  // Chêne was there

  // Everything already listed: nothing appended, nothing marked.
  Settings known = ImportSettings();
  known.ImportAddDesignations = 1;
  known.ImportAddDimensions = 1;
  known.PartSizes = {{6000, 3000, 100, 1}, {6000, 3000, 190, 2}};
  known.DesignationNames = {"Tablette"};
  JobState again;
  const ImportListChanges changes = CommitImportedParts(
      {Part("A", "Tablette", true, "Chêne", 1, 6000, 3000, 190, 2)}, kMillimetres, known, again);
  EXPECT_FALSE(changes.SpeciesAdded || changes.DesignationsAdded || changes.PartSizesAdded);
  EXPECT_EQ(known.PartSizes.size(), 2u);
  EXPECT_EQ(known.DesignationNames.size(), 1u);
  EXPECT_EQ(known.DesignationsFileDirty + known.PartSizesDirty, 0);
}

// Without a species, a part takes index 0 and no name is added, not even to an empty list; the
// word the export writes for no species names none unless the list holds it: in a complex job
// such a part is of no species, never the first of the list.
TEST(ImportCommitTest, APartWithoutSpeciesAddsNoName) {
  const std::string notSpecified = LoadString(148);
  struct Case {
    const char* name;
    std::vector<std::string> list;
    std::string species;
    int index;
    std::size_t listSize;
  };
  const std::vector<Case> cases = {
      {"empty list, no species", {}, "", 0, 0},
      {"a list, no species", {"Chêne", "Hêtre"}, "", 0, 2},
      {"the export's word", {"Chêne", "Hêtre"}, notSpecified, kNoSpecies, 2},
      {"the export's word, empty list", {}, notSpecified, kNoSpecies, 0},
      {"a species of that name", {"Chêne", notSpecified}, notSpecified, 1, 2},
  };
  for (const Case& c : cases) {
    Settings settings;
    settings.SpeciesNames = c.list;
    JobState job;
    // Two materials, so the complex job keeps the indexes.
    CommitImportedParts({Part("A", "x", true, c.species, 1, 6000, 3000, 190, 2),
                         Part("B", "y", true, "", 1, 6000, 3000, 220, 2)},
                        kMillimetres, settings, job);
    EXPECT_EQ(job.JobParts[0].Species, c.index) << c.name;
    EXPECT_EQ(settings.SpeciesNames.size(), c.listSize) << c.name;
    Settings before;
    before.SpeciesNames = c.list;
    EXPECT_TRUE(SpeciesTheListLacks({Part("A", "x", true, c.species, 1, 6000, 3000, 190, 2)},
                                    before.SpeciesNames)
                    .empty())
        << c.name;
  }
}

// A sheet exported with a part of no species, between a Chêne line and a Pin line, read back: in
// a complex job that part has a stock panel of its own, shares none with Chêne, reads and exports
// as "Non spécifié". A sheet whose parts all say "Non spécifié" is a simple job: species 0.
TEST(ImportCommitTest, NotSpecifiedIsNoSpeciesInAComplexJob) {
  const std::string notSpecified = LoadString(148);
  Settings settings;
  settings.SpeciesNames = {"Chêne", "Hêtre"};
  const std::vector<ImportedPart> parts = {
      Part("A", "Montant", true, "Chêne", 2, 7000, 5000, 190, 0),
      Part("B", "Cote", true, notSpecified, 2, 7000, 5000, 190, 0),
      Part("C", "Tablette", true, "Pin", 2, 7000, 5000, 190, 0),
  };
  EXPECT_EQ(SpeciesTheListLacks(parts, settings.SpeciesNames), std::vector<std::string>{"Pin"});
  JobState job;
  CommitImportedParts(parts, kMillimetres, settings, job);
  ASSERT_EQ(job.JobKind, 2);
  EXPECT_EQ(job.JobParts[0].Species, 0);
  EXPECT_EQ(job.JobParts[1].Species, kNoSpecies);
  EXPECT_EQ(job.JobParts[2].Species, 2);
  ASSERT_EQ(job.JobPanels.size(), 3u);
  EXPECT_EQ(job.JobPanels[1].Species, kNoSpecies);
  EXPECT_FALSE(CheckJobRecords(job).has_value());
  const ExportTexts texts = LoadExportTexts();
  const ExportSource source{job, settings.SpeciesNames, 10.0, texts, ','};
  EXPECT_EQ(ExportSpecies(source, job.JobParts[1].Species), notSpecified);
  EXPECT_EQ(ExportSpecies(source, job.JobParts[0].Species), "Chêne");

  JobState simple;
  Settings alone;
  alone.SpeciesNames = {"Chêne"};
  CommitImportedParts({Part("A", "x", true, notSpecified, 1, 6000, 3000, 190, 2),
                       Part("B", "y", true, notSpecified, 1, 6000, 3000, 190, 2)},
                      kMillimetres, alone, simple);
  EXPECT_EQ(simple.JobKind, 1);
  EXPECT_EQ(simple.JobParts[0].Species, 0);
  EXPECT_EQ(simple.JobPanels[0].Species, 0);
  EXPECT_EQ(alone.SpeciesNames, std::vector<std::string>{"Chêne"});
}

TEST(ImportCommitTest, OneMaterialMakesASimpleJob) {
  Settings settings = ImportSettings();
  JobState job;
  CommitImportedParts({Part("A", "x", true, "Noyer", 1, 6000, 3000, 190, 2),
                       Part("B", "y", true, "Noyer", 2, 30000, 10000, 190, 0)},
                      kMillimetres, settings, job);
  EXPECT_EQ(job.JobKind, 1);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobParts[0].Species, 0);
  EXPECT_EQ(job.JobParts[1].Species, 0);
  EXPECT_EQ(job.JobPanels[0].Species, 0);
  // The first part sized the panel, the second grew it square (margin 10 mm on each side).
  EXPECT_EQ(job.JobPanels[0].Length, 30200.0);
  EXPECT_EQ(job.JobPanels[0].Width, 30200.0);
  // The species is in the list all the same (the window writes it out first).
  EXPECT_EQ(settings.SpeciesNames.back(), "Noyer");
}

// A part that fits a panel without margin but not with the default margin grows the panel: the
// margins step then accepts the margin it proposes.
TEST(ImportCommitTest, PanelsTakeEveryPartWithTheProposedMargin) {
  Settings settings = ImportSettings();
  settings.DefaultMargin = 400.0;
  JobState job;
  CommitImportedParts({Part("A", "x", true, "", 1, 20000, 8000, 190, 0),
                       Part("B", "y", true, "", 1, 24000, 12000, 190, 0)},
                      kMillimetres, settings, job);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Length, 25000.0);
  EXPECT_EQ(job.JobPanels[0].Width, 24800.0);
  for (const TPiece& part : job.JobParts) {
    EXPECT_TRUE(PartFitsRect(part, job.JobPanels[0].Rect, 400.0, 400.0, job.JobPanels[0].Grain));
  }
}

TEST(ImportCommitTest, BarsGetDifferentiatedMarginsAndPanelsByLength) {
  Settings settings = ImportSettings();
  JobState job;
  CommitImportedParts({Part("A", "x", true, "", 2, 15000, 100, 100, 0),
                       Part("B", "y", true, "", 1, 18000, 100, 100, 0)},
                      kMillimetres, settings, job);
  EXPECT_EQ(job.MarginsAllZero, 1);
  EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 1);
  EXPECT_EQ(job.JobMargins.LengthMargin, 100.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 0.0);
  EXPECT_EQ(job.JobKind, 2);
  ASSERT_EQ(job.JobPanels.size(), 1u);
  EXPECT_EQ(job.JobPanels[0].Length, 18200.0);
  EXPECT_EQ(job.JobPanels[0].Width, 100.0);
  EXPECT_EQ(job.JobKerf, 45);
}

// ---- Export, then import ------------------------------------------------------------------------

JobState ExportedJob(int kind) {
  JobState job;
  job.JobKind = kind;
  const struct {
    double length, width, thickness;
    int species, grain, quantity;
    const char* designation;
  } parts[] = {{3965, 1200, 190, 0, 0, 2, "Tiroir; façade"},
               {7200, 500, 190, 1, 2, 1, "Pied 2\" rond"},
               {3000, 2000, 220, 1, 1, 5, "\"Cœur\" de chêne"},
               {12345, 12345, 185, 0, 2, 1, "Plateau"}};
  for (const auto& p : parts) {
    TPiece part(p.length, p.width, p.thickness, p.species);
    part.Grain = p.grain;
    part.Quantity = p.quantity;
    part.Number = static_cast<std::int32_t>(job.JobParts.size());
    part.DesignationIndex = part.Number;
    job.JobParts.push_back(part);
    job.JobDesignations.push_back(p.designation);
    job.JobReferences.push_back("r" + std::to_string(part.Number));
  }
  return job;
}

TEST(ImportCommitTest, AnExportedCuttingSheetImportsAsTheSameParts) {
  const ExportTexts texts = LoadExportTexts();
  const std::vector<std::string> species = {"Chêne", "Hêtre"};
  const struct {
    const char* name;
    int kind;
    double factor;
    char separator;
  } runs[] = {{"complex, millimetres, comma", 2, 10.0, ','},
              {"complex, centimetres, point", 2, 100.0, '.'},
              {"complex, inches", 2, 254.0, ','},
              {"simple", 1, 10.0, ','}};
  for (const auto& run : runs) {
    const JobState original = ExportedJob(run.kind);
    const ExportSource source{original, species, run.factor, texts, run.separator};
    const std::string bytes = CuttingSheetLines(source);
    ImportRequest request;
    request.Bytes = bytes;
    request.Columns = DefaultImportColumns();
    request.HeaderLine = true;
    request.UnitFactor = run.factor;
    const ImportReadResult read = ReadCuttingSheet(request);
    if (const auto* error = std::get_if<ImportError>(&read)) {
      ADD_FAILURE() << run.name << ": " << ImportErrorText(*error, true);
      continue;
    }
    Settings settings;
    settings.SpeciesNames = species;
    JobState job;
    CommitImportedParts(std::get<std::vector<ImportedPart>>(read), {run.factor, "", ""}, settings,
                        job);
    ASSERT_EQ(job.JobParts.size(), original.JobParts.size()) << run.name;
    EXPECT_EQ(job.JobDesignations, original.JobDesignations) << run.name;
    // The references the job's parts had come back.
    EXPECT_EQ(job.JobReferences, original.JobReferences) << run.name;
    EXPECT_EQ(settings.SpeciesNames, species) << run.name;
    EXPECT_EQ(job.JobKind, run.kind) << run.name;
    for (std::size_t i = 0; i < job.JobParts.size(); ++i) {
      const TPiece& got = job.JobParts[i];
      const TPiece& want = original.JobParts[i];
      // Two decimals in the unit: 0.005 inch is 1.27 units.
      const double tolerance = run.factor == 254.0 ? 1.27 : 1e-9;
      EXPECT_NEAR(got.Length, want.Length, tolerance) << run.name << " part " << i;
      EXPECT_NEAR(got.Width, want.Width, tolerance) << run.name << " part " << i;
      // A simple job writes no thickness: it comes back as 100, the simple job's own.
      EXPECT_NEAR(got.Thickness, run.kind == 1 ? 100.0 : want.Thickness, tolerance)
          << run.name << " part " << i;
      EXPECT_EQ(got.Quantity, want.Quantity) << run.name << " part " << i;
      EXPECT_EQ(got.Grain, want.Grain) << run.name << " part " << i;
      EXPECT_EQ(got.Species, run.kind == 1 ? 0 : want.Species) << run.name << " part " << i;
    }
  }
}

}  // namespace
}  // namespace tranchex
