// What an import builds is a job: the sheets that once gave a job no proposed panel could take,
// or one the job file refused, now either import into a job that lays out and saves, or are
// refused with their line and column; and many generated sheets, each refused with a message
// or imported into a job that lays out and saves.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "exchange/ImportReader.h"
#include "job/CuttingPipeline.h"
#include "job/JobFile.h"
#include "job/JobRecordChecks.h"
#include "job/SettingsFiles.h"

namespace tranchex {
namespace {

DrawingMeasures Measures() {
  DrawingMeasures m;
  m.AreaHeight = 1500;
  m.AreaWidth = 2500;
  m.PanelViewMargin = 100;
  m.PartViewMargin = 100;
  m.SheetRowsPerPage = 40;
  return m;
}

// The outcome of importing a sheet, as the import command goes: read, check, commit.
struct Outcome {
  std::optional<ImportError> refused;
  bool readSound = false;  // the reader took every line: a refusal came from the job check
  JobState job;
};

Outcome Import(const std::string& bytes, const Settings& settings, double factor,
               const char* unitName = "mm") {
  ImportRequest request;
  request.Bytes = bytes;
  request.Columns = settings.ImportColumns;
  request.HeaderLine = false;
  request.UnitFactor = factor;
  request.DefaultGrain = settings.ImportDefaultGrain;
  Outcome out;
  const ImportReadResult read = ReadCuttingSheet(request);
  if (const auto* error = std::get_if<ImportError>(&read)) {
    out.refused = *error;
    return out;
  }
  out.readSound = true;
  const auto& parts = std::get<std::vector<ImportedPart>>(read);
  const UNITE_MESURE unit{factor, unitName, ""};
  out.refused = ImportedPartsProblem(parts, unit, settings);
  if (out.refused) return out;
  Settings lists = settings;
  CommitImportedParts(parts, unit, lists, out.job);
  return out;
}

Settings ImportSettings(double defaultMargin) {
  Settings s;
  s.ImportColumns = DefaultImportColumns();
  s.DefaultMargin = defaultMargin;
  return s;
}

// The job lays out with the margins it was given, and again with the margin on the width too,
// as the plain margins form of Modify sets it; then its file is written and read back.
::testing::AssertionResult LaysOutAndSaves(const JobState& imported, const Settings& settings) {
  for (const bool widthToo : {false, true}) {
    JobState job = imported;
    if (widthToo && job.JobMargins.DifferentiatedMargins == 0) {
      job.JobMargins.WidthMargin = job.JobMargins.LengthMargin;
    }
    try {
      ComputeCuttingPlan(job, settings, Measures(), PipelineVariant::Modify);
    } catch (const std::exception& e) {
      return ::testing::AssertionFailure()
             << "layout" << (widthToo ? " (margin on the width too)" : "") << ": " << e.what();
    }
    if (job.JobLoaded != 1) return ::testing::AssertionFailure() << "not laid out";
    try {
      const std::string bytes = EncodeJobFile(job);
      const JobFileContent back = DecodeJobFile(bytes);
      if (back.JobParts.size() != job.JobParts.size()) {
        return ::testing::AssertionFailure() << "the saved job lost parts";
      }
    } catch (const std::exception& e) {
      return ::testing::AssertionFailure() << "save: " << e.what();
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(ImportedJob, SheetsThatOnceGaveAJobThatCouldNotBeLaidOutOrSaved) {
  struct Case {
    const char* name;
    std::string bytes;
    double factor;
    double margin;
    int panels;  // stock panels proposed; 0: the sheet is refused
    int line = 0, column = 0;
  };
  const std::vector<Case> cases = {
      // 1000 m plus the margins is past the longest panel a job holds.
      {"a 1000 m part with a 10 mm margin", "A;x;1;1000000;400;19;Pin;1\n", 10.0, 100.0, 0, 1, 4},
      {"a 1000 m part without margin", "A;x;1;1000000;400;19;Pin;1\n", 10.0, 0.0, 1},
      {"a 999,98 m part with a 10 mm margin", "A;x;1;999980;400;19;Pin;1\n", 10.0, 100.0, 1},
      {"a long part on the second line", "A;x;1;120;40;19;Pin;1\nB;y;1;999990;40;19;Pin;1\n", 10.0,
       100.0, 0, 2, 4},
      {"a 45 x 10 mm part with other parts", "A;x;2;600;400;19;Pin;1\nB;y;3;45;10;10;Pin;0\n", 10.0,
       100.0, 2},
      {"a 45 x 10 mm part of the same thickness", "A;x;2;600;400;10;Pin;1\nB;y;3;45;10;10;Pin;0\n",
       10.0, 100.0, 1},
      // A thin vertical part on the panel a horizontal one made grows it square; its side, a
      // fraction of a unit, must not be cut off the rectangle.
      {"a thin part crossing the panel", "A;x;12;68;319;0;Pin;1\nB;y;2;1948,56;10;10;Pin;1\n", 10.0,
       100.0, 1},
      {"a bar off whole units lengthens the panel",
       "P12;Dos;12;255,31;10;10;Pin;0\n;Dos;1;958,97;10;10;Pin;2\n", 10.0, 100.0, 1},
      // The panel's rectangle holds whole units: 2500,05 mm + 20 mm must not become 2520 mm.
      {"a 2500,05 mm part", "A;Etagere;1;2500,05;1300;19;Pin;1\n", 10.0, 100.0, 1},
      {"a 98,43 inch part", "A;Etagere;1;98,43;50;0,75;Pin;1\n", 254.0, 100.0, 1},
      {"bars of two grains", "A;x;2;1500;10;10;Pin;0\nB;y;2;1800;10;10;Pin;1\nC;z;1;900;10;10;Pin;2\n",
       10.0, 100.0, 2},
      {"bars of one grain and indifferent ones", "A;x;2;1500;10;10;Pin;0\nC;z;1;1900;10;10;Pin;2\n",
       10.0, 100.0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Settings settings = ImportSettings(c.margin);
    const Outcome out = Import(c.bytes, settings, c.factor);
    if (c.panels == 0) {
      if (!out.refused) {
        ADD_FAILURE() << "imported";
        continue;
      }
      EXPECT_EQ(out.refused->Line, c.line);
      EXPECT_EQ(out.refused->Column, c.column);
      EXPECT_EQ(out.refused->ColumnTitle, "Longueur");
      EXPECT_NE(out.refused->Reason.find("aucun panneau"), std::string::npos)
          << out.refused->Reason;
      // A sound line too long for any panel: no word about a title line.
      EXPECT_EQ(ImportErrorText(*out.refused, false).find("Si la première"), std::string::npos);
      continue;
    }
    if (out.refused) {
      ADD_FAILURE() << ImportErrorText(*out.refused, false);
      continue;
    }
    EXPECT_EQ(static_cast<int>(out.job.JobPanels.size()), c.panels);
    EXPECT_FALSE(CheckJobRecords(out.job).has_value());
    EXPECT_TRUE(LaysOutAndSaves(out.job, settings));
  }
}

// ---- Generated sheets ----------------------------------------------------------------------

// One cell drawn from values that have each broken something, or that a sheet commonly holds.
class SheetGenerator {
 public:
  explicit SheetGenerator(std::uint32_t seed) : random_(seed) {}

  std::string Sheet() {
    std::string bytes;
    const int lines = Between(1, 6);
    for (int i = 0; i < lines; ++i) bytes += Line();
    return bytes;
  }

  double Factor() { return Pick<double>({10.0, 10.0, 100.0, 254.0, 10000.0}); }
  double Margin() { return Pick<double>({0.0, 100.0, 100.0, 400.0}); }

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return *(values.begin() + Between(0, static_cast<int>(values.size()) - 1));
  }

  // A length or width in the file's unit: mostly plain shop sizes, now and then one at the
  // bounds or beyond them.
  std::string Size() {
    switch (Between(0, 7)) {
      case 0:
        return Pick<std::string>({"45", "10", "2500,05", "98,43", "1000000", "999999,9", "0",
                                  "0,01", "1e3", "1 200", "-5", "600.5", "100", "999990"});
      case 1:
        return std::to_string(Between(1, 1200000));
      case 2:
      case 3:
        return std::to_string(Between(1, 3000)) + "," + std::to_string(Between(0, 99));
      default:
        return std::to_string(Between(1, 3000));
    }
  }

  // Mostly sound cells; one line in four has a cell that may be faulty.
  std::string Line() {
    const bool odd = Between(0, 3) == 0;
    const auto cell = [&](std::initializer_list<std::string> sound,
                          std::initializer_list<std::string> faulty) {
      if (odd && Between(0, 5) == 0) return Pick<std::string>(faulty);
      return Pick<std::string>(sound);
    };
    const bool bar = Between(0, 4) == 0;
    std::string line = cell({"", "A", "P12", "zzzz"}, {"\xCE\xA9x", "\x81" "b"}) + ";" +
                       cell({"Etagere", "Côté", "  Dos  "}, {"a/b", "x\ty", ""}) + ";" +
                       cell({"1", "2", "3", "12"}, {"0", "", "2,5", "abc"}) + ";" + Size() + ";" +
                       (bar ? std::string("10") : Size()) + ";" +
                       (bar ? std::string("10")
                            : cell({"0", "10", "19", "22", "150", "19,05"}, {"150,1", "0,5", ""})) +
                       ";" + cell({"Chene", "Hetre"}, {"a/b", ""}) + ";" +
                       cell({"0", "1", "2", "2"}, {"3", ""});
    line += cell({"", "", "", ";;", ";; ;"}, {";;note"});
    line += Pick<std::string>({"\n", "\n", "\r\n"});
    return line;
  }

  std::mt19937 random_;
};

TEST(ImportedJob, GeneratedSheetsAreRefusedWithAMessageOrLayOutAndSave) {
  SheetGenerator generate(36);
  int imported = 0;
  int refused = 0;
  for (int n = 0; n < 400; ++n) {
    const double factor = generate.Factor();
    const Settings settings = ImportSettings(generate.Margin());
    const std::string sheet = generate.Sheet();
    SCOPED_TRACE("sheet " + std::to_string(n) + " (factor " + std::to_string(factor) +
                 ", margin " + std::to_string(settings.DefaultMargin) + "):\n" + sheet);
    const Outcome out = Import(sheet, settings, factor);
    if (out.refused) {
      EXPECT_FALSE(out.refused->Reason.empty());
      EXPECT_FALSE(ImportErrorText(*out.refused, false).empty());
      // Lines the reader takes are refused only for a part longer than any panel can be: the
      // proposed panels take every other part.
      if (out.readSound) {
        EXPECT_NE(out.refused->Reason.find("trop longue"), std::string::npos)
            << out.refused->Reason;
      }
      ++refused;
      continue;
    }
    ++imported;
    EXPECT_FALSE(CheckJobRecords(out.job).has_value());
    EXPECT_TRUE(LaysOutAndSaves(out.job, settings));
  }
  // The generator reaches both outcomes.
  EXPECT_GT(imported, 40);
  EXPECT_GT(refused, 40);
}

}  // namespace
}  // namespace tranchex
