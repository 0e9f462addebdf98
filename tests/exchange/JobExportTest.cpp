// The export writers: the csv/txt lines of the cutting sheet and of the computed job, and the
// SYLK cutting sheet, byte for byte; extensions, texts, numbers, species and the edge cases.

#include "exchange/JobExport.h"
#include "exchange/SylkExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>
#include <variant>
#include <string>
#include <vector>

#include "exchange/ExportFixture.h"
#include "exchange/ImportReader.h"
#include "job/Outils_debit.h"

#ifndef TRANCHEX_EXPORT_GOLDEN
#error "TRANCHEX_EXPORT_GOLDEN must name the folder of the expected files"
#endif

namespace tranchex::test {
namespace {

std::string Golden(const char* name) {
  const std::filesystem::path path = std::filesystem::path(TRANCHEX_EXPORT_GOLDEN) / name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

std::string WithoutBom(const std::string& bytes) {
  EXPECT_EQ(bytes.substr(0, 3), kUtf8Bom);
  return bytes.substr(3);
}

// A writer's input around one job, millimetres and a decimal comma unless told otherwise.
struct Source {
  JobState job;
  std::vector<std::string> species = FixtureSpecies();
  ExportTexts texts = LoadExportTexts();
  double factor = 10.0;
  char separator = ',';
  ExportSource get() const { return {job, species, factor, texts, separator}; }
};

// A job of one part (and one panel holding it) with the given sizes.
Source OnePart(double length, double width, double thickness, int kind = 2) {
  Source s;
  s.job.JobKind = kind;
  s.job.JobParts = {FixturePart(length, width, thickness, 0, 1, 3, 0)};
  s.job.JobDesignations = {"Montant"};
  Panneau_p panel = FixturePanel(length * 2, width * 2, thickness, 0, 1);
  panel.PlacedParts = {s.job.JobParts[0]};
  s.job.ResultPanels = {panel};
  return s;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::string::size_type start = 0;
  for (std::string::size_type semi; (semi = line.find(';', start)) != std::string::npos;
       start = semi + 1) {
    fields.push_back(line.substr(start, semi - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

TEST(JobExport, FilesOfTheFixtureAreExactlyTheExpectedBytes) {
  const struct {
    int kind;
    ExportLayout layout;
    ExportFormat format;
    const char* golden;
  } cases[] = {
      {2, ExportLayout::CuttingSheet, ExportFormat::Lines, "complex-sheet.csv"},
      {2, ExportLayout::ComputedJob, ExportFormat::Lines, "complex-job.csv"},
      {2, ExportLayout::CuttingSheet, ExportFormat::Sylk, "complex-sheet.slk"},
      {1, ExportLayout::CuttingSheet, ExportFormat::Lines, "simple-sheet.csv"},
      {1, ExportLayout::ComputedJob, ExportFormat::Lines, "simple-job.csv"},
      {1, ExportLayout::CuttingSheet, ExportFormat::Sylk, "simple-sheet.slk"},
  };
  for (const auto& c : cases) {
    Source s;
    s.job = ExportFixtureJob(c.kind);
    EXPECT_EQ(ExportFileBytes(c.layout, c.format, s.get()), Golden(c.golden)) << c.golden;
  }
}

TEST(JobExport, ExtensionsChooseTheFormatInAnyCase) {
  using L = ExportLayout;
  const std::optional<ExportFormat> lines = ExportFormat::Lines, sylk = ExportFormat::Sylk,
                                    refused = std::nullopt;
  const struct {
    const char* extension;
    L layout;
    std::optional<ExportFormat> format;
  } cases[] = {
      {"csv", L::CuttingSheet, lines}, {"CSV", L::CuttingSheet, lines},
      {"Txt", L::CuttingSheet, lines}, {"txt", L::ComputedJob, lines},
      {"cSv", L::ComputedJob, lines},  {"TXT", L::ComputedJob, lines},
      {"slk", L::CuttingSheet, sylk},  {"SLK", L::CuttingSheet, sylk},
      {"sLk", L::CuttingSheet, sylk},
      // SYLK holds the cutting sheet only.
      {"slk", L::ComputedJob, refused}, {"SLK", L::ComputedJob, refused},
      {"xls", L::CuttingSheet, refused}, {"", L::CuttingSheet, refused},
      {"csv ", L::CuttingSheet, refused}, {"csvx", L::ComputedJob, refused},
      // A name without a dot is its own extension.
      {"/tmp/liste", L::CuttingSheet, refused}, {"d/csv", L::CuttingSheet, refused},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExportFormatFor(c.extension, c.layout), c.format) << '"' << c.extension << '"';
  }
  // The computed job has no SYLK form even when asked directly.
  Source s;
  s.job = ExportFixtureJob(2);
  EXPECT_EQ(ExportFileBytes(ExportLayout::ComputedJob, ExportFormat::Sylk, s.get()), "");
}

TEST(JobExport, TextsAreQuotedOnlyWhenTheyWouldBreakTheLine) {
  const struct {
    const char* text;
    const char* lines;
    const char* sylk;
  } cases[] = {
      {"Chêne", "Chêne", "\"Chêne\""},
      {"", "", "\"\""},
      {"Tiroir; façade", "\"Tiroir; façade\"", "\"Tiroir;; façade\""},
      {"Pied 2\" rond", "Pied 2\" rond", "\"Pied 2\" rond\""},
      {"\"Cœur\"", "\"\"\"Cœur\"\"\"", "\"\"Cœur\"\""},
      {"a;\"b\"", "\"a;\"\"b\"\"\"", "\"a;;\"b\"\""},
      {";;", "\";;\"", "\";;;;\""},
      // A line break becomes a blank: CR LF, LF and CR each count as one.
      {"Tiroir\nfaçade", "Tiroir façade", "\"Tiroir façade\""},
      {"a\r\nb\rc\n\nd", "a b c  d", "\"a b c  d\""},
      {"x;\r\ny", "\"x; y\"", "\"x;; y\""},
      {"\n\"a", " \"a", "\" \"a\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinesField(c.text), c.lines) << c.text;
    EXPECT_EQ(SylkText(c.text), c.sylk) << c.text;
  }
}

TEST(JobExport, LineBreaksInTextsNeverAddALine) {
  Source s;
  s.job = ExportFixtureJob(2);
  s.job.JobDesignations = {"Tiroir\nfaçade", "Pied\r\nrond", "Cœur\r"};
  s.species = {"Chêne\nmassif", "Hêtre"};
  s.texts.Designation = "Dési\ngnation";
  s.texts.TargetPanel = "Panneau\ndestination";
  // n parts give n + 1 lines; the computed job one line per panel and per placed part more.
  const std::string sheet = WithoutBom(CuttingSheetLines(s.get()));
  EXPECT_EQ(std::count(sheet.begin(), sheet.end(), '\n'), 3 + 1);
  EXPECT_EQ(Lines(sheet)[1], "a;Tiroir façade;2;396,5;120;19;Chêne massif;0");
  const std::string job = WithoutBom(ComputedJobLines(s.get()));
  EXPECT_EQ(std::count(job.begin(), job.end(), '\n'), 1 + 3 + 4);
  EXPECT_EQ(Fields(Lines(job)[0])[1], "Dési gnation");
  EXPECT_EQ(Fields(Lines(job)[0]).back(), "Panneau destination");
  const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
  EXPECT_EQ(sylk.size(), 23u + 15u + 3u * 15u + 1u);
  EXPECT_EQ(sylk[26], "C;N;K\"Dési gnation\"");
  EXPECT_EQ(sylk[41], "C;N;K\"Tiroir façade\"");
  EXPECT_EQ(sylk[51], "C;N;K\"Chêne massif\"");
  EXPECT_EQ(sylk[56], "C;N;K\"Pied rond\"");
  EXPECT_EQ(sylk[71], "C;N;K\"Cœur \"");
}

TEST(JobExport, NPartsGiveNPlusOneLinesAndEmptyListsTheTitlesAlone) {
  for (std::size_t n : {0u, 1u, 2u, 30u}) {
    Source s;
    s.job.JobKind = 2;
    for (std::size_t i = 0; i < n; ++i) {
      s.job.JobParts.push_back(FixturePart(1000, 500, 190, 0, 2, 1, static_cast<int>(i)));
      s.job.JobDesignations.push_back("P" + std::to_string(i));
    }
    const std::string sheet = WithoutBom(CuttingSheetLines(s.get()));
    EXPECT_EQ(std::count(sheet.begin(), sheet.end(), '\n'), static_cast<long>(n + 1)) << n;
    EXPECT_EQ(sheet.find('\r'), std::string::npos);
    const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
    EXPECT_EQ(sylk[12], "B;Y" + std::to_string(n + 1) + ";X7") << n;
    EXPECT_EQ(sylk.size(), 23 + 15 + 15 * n + 1) << n;
    EXPECT_EQ(sylk.back(), "E");
    EXPECT_EQ(std::count(sylk.begin(), sylk.end(), std::string()), static_cast<long>(5 + 1 + n));
    if (n > 0) {
      EXPECT_EQ(sylk[38 + 15 * (n - 1)], "F;P3;FG0C;Y" + std::to_string(n + 1) + ";X1");
    }
  }
  // No part, no panel: the title line alone.
  Source empty;
  empty.job.JobKind = 2;
  EXPECT_EQ(CuttingSheetLines(empty.get()),
            std::string(kUtf8Bom) +
                "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil\n");
  EXPECT_EQ(ComputedJobLines(empty.get()),
            std::string(kUtf8Bom) +
                "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil;"
                "Panneau destination\n");
  // The empty SYLK sheet: the heading with B;Y1;X7, the title row, the end.
  const std::string sylk = CuttingSheetSylk(empty.get());
  EXPECT_EQ(Lines(sylk)[12], "B;Y1;X7");
  EXPECT_TRUE(sylk.ends_with("F;SDM4;FG0C;X7\nC;N;K\"Essence\"\n\nE\n")) << sylk;
}

TEST(JobExport, PanelsWithoutPartsGiveTheirPanelLinesOnly) {
  Source s;
  s.job.JobKind = 2;
  s.job.ResultPanels = {FixturePanel(25000, 12500, 190, 1, 2), FixturePanel(3965, 1005, 190, 0, 0)};
  EXPECT_EQ(Lines(WithoutBom(ComputedJobLines(s.get()))),
            (std::vector<std::string>{
                "Référence;Désignation;Nombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil;"
                "Panneau destination",
                "1;;1;2500;1250;19;Hêtre;2;;", "2;;1;396,5;100,5;19;Chêne;0;;"}));
}

// The format record and the value of a part row's cell in column x ("X4"): the first such
// record after the title row.
std::pair<std::string, std::string> SylkCell(const std::vector<std::string>& lines,
                                             const std::string& column) {
  bool titles = true;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].rfind("F;", 0) != 0 || !lines[i].ends_with(";" + column)) continue;
    if (titles) {
      titles = false;  // the title row's cell
      continue;
    }
    return {lines[i], lines[i + 1]};
  }
  ADD_FAILURE() << "no cell in column " << column;
  return {};
}

TEST(JobExport, LengthsInTheDisplayUnit) {
  // length (tenths of a millimetre), unit factor, separator: the csv text and the SYLK value.
  // Every tenth of a millimetre is written: millimetres one decimal, centimetres two, inches
  // three, metres four; the SYLK value keeps two decimals where that is enough.
  const struct {
    double length;
    double factor;
    char separator;
    const char* lines;
    const char* sylk;
  } cases[] = {
      {3965, 10, ',', "396,5", "396.50"},      {3965, 10, '.', "396.5", "396.50"},
      {7200, 10, ',', "720", "720"},           {5, 10, ',', "0,5", "0.50"},
      {3965, 100, ',', "39,65", "39.65"},      {7205, 100, ',', "72,05", "72.05"},
      {1, 10, ',', "0,1", "0.10"},             {123456, 10, ',', "12345,6", "12345.60"},
      {12346, 10000, ',', "1,2346", "1.2346"}, {7205, 10000, ',', "0,7205", "0.7205"},
      {190, 10000, '.', "0.019", "0.019"},     {28000, 10000, ',', "2,8", "2.8"},
      {1, 10000, ',', "0,0001", "0.0001"},     {253, 254, ',', "0,996", "0.996"},
      {2540, 254, ',', "10", "10"},            {1000, 254, ',', "3,937", "3.937"},
      {7205, 254, ',', "28,366", "28.366"},
  };
  for (const auto& c : cases) {
    Source s = OnePart(c.length, c.length, c.length);
    s.factor = c.factor;
    s.separator = c.separator;
    const std::string what = std::to_string(c.length) + " / " + std::to_string(c.factor);
    const std::vector<std::string> sheet = Fields(Lines(WithoutBom(CuttingSheetLines(s.get())))[1]);
    EXPECT_EQ(sheet[3], c.lines) << what;
    EXPECT_EQ(sheet[4], c.lines) << what;
    EXPECT_EQ(sheet[5], c.lines) << what;
    const std::vector<std::string> job = Lines(WithoutBom(ComputedJobLines(s.get())));
    EXPECT_EQ(Fields(job[2])[3], c.lines) << what;
    EXPECT_EQ(Fields(job[2])[5], c.lines) << what;  // the panel's thickness
    const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
    for (const char* column : {"X4", "X5", "X6"}) {
      EXPECT_EQ(SylkCell(sylk, column).second, std::string("C;N;K") + c.sylk) << what;
    }
  }
}

// The SYLK cells show what the file holds: two decimals in millimetres and centimetres, as
// many as a tenth of a millimetre needs in inches (three) and metres (four).
TEST(JobExport, SylkSizeCellsShowEveryTenthInTheirUnit) {
  const struct {
    double factor;
    const char* extraFormat;  // the number format added after the four of the heading, if any
    const char* length;       // the format record of the length cell
    const char* width;
    const char* thickness;
  } cases[] = {
      {10, nullptr, "F;P1;FF2R;X4", "F;P1;FF2R;X5", "F;P3;FF2R;X6"},
      {100, nullptr, "F;P1;FF2R;X4", "F;P1;FF2R;X5", "F;P3;FF2R;X6"},
      {254, "P;P#,##0.000", "F;P4;FF3R;X4", "F;P4;FF3R;X5", "F;P4;FF3R;X6"},
      {10000, "P;P#,##0.0000", "F;P4;FF4R;X4", "F;P4;FF4R;X5", "F;P4;FF4R;X6"},
  };
  for (const auto& c : cases) {
    Source s = OnePart(7205, 3965, 190);
    s.factor = c.factor;
    const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
    const std::vector<std::string> formats = {"P;PGeneral", "P;P#,##0.00", "P;P#,##0", "P;P@"};
    ASSERT_GE(sylk.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(sylk.begin() + 2, sylk.begin() + 6), formats) << c.factor;
    if (c.extraFormat == nullptr) {
      EXPECT_EQ(sylk[6], "") << c.factor;
    } else {
      EXPECT_EQ(sylk[6], c.extraFormat) << c.factor;
      EXPECT_EQ(sylk[7], "") << c.factor;
    }
    EXPECT_EQ(SylkCell(sylk, "X4").first, c.length) << c.factor;
    EXPECT_EQ(SylkCell(sylk, "X5").first, c.width) << c.factor;
    EXPECT_EQ(SylkCell(sylk, "X6").first, c.thickness) << c.factor;
  }
}

// What the cutting-sheet export writes, the import reads back as the very sizes entered, in
// every unit and with either decimal separator.
TEST(JobExport, TheImportReadsBackTheTenthsEntered) {
  Source s;
  s.job.JobKind = 2;
  const struct {
    double length, width, thickness;
  } sizes[] = {{7205, 3965, 190}, {3005, 2000, 190}, {28050, 20700, 160}, {28000, 20700, 220},
               {12345, 4005, 185}, {1, 1, 1},        {10000, 9999, 1499}, {254, 253, 127}};
  for (const auto& z : sizes) {
    s.job.JobParts.push_back(FixturePart(z.length, z.width, z.thickness, 0, 1, 1,
                                         static_cast<int>(s.job.JobParts.size())));
    s.job.JobDesignations.push_back("Piece");
  }
  // Every unit: three decimals of an inch are within 0.0005 inch (0.127 tenths) of the size, and
  // the import rounds what it reads to whole tenths, so each size comes back exactly.
  for (const double factor : {10.0, 100.0, 10000.0, 254.0}) {
    for (const char separator : {',', '.'}) {
      s.factor = factor;
      s.separator = separator;
      const std::string bytes = CuttingSheetLines(s.get());
      ImportRequest request;
      request.Bytes = bytes;
      request.Columns = DefaultImportColumns();
      request.HeaderLine = true;
      request.UnitFactor = factor;
      const ImportReadResult read = ReadCuttingSheet(request);
      const auto* parts = std::get_if<std::vector<ImportedPart>>(&read);
      ASSERT_NE(parts, nullptr) << factor << separator;
      ASSERT_EQ(parts->size(), std::size(sizes));
      for (std::size_t i = 0; i < std::size(sizes); ++i) {
        const std::string what = std::to_string(factor) + separator + " part " + std::to_string(i);
        for (const auto& [got, want] : {std::pair{(*parts)[i].Length, sizes[i].length},
                                        std::pair{(*parts)[i].Width, sizes[i].width},
                                        std::pair{(*parts)[i].Thickness, sizes[i].thickness}}) {
          EXPECT_EQ(got, want) << what;
        }
      }
    }
  }
}

TEST(JobExport, SpeciesOnlyInAComplexJobAndOnlyFromTheList) {
  const std::vector<std::string> oak = {"Chêne", "Hêtre"};
  const std::vector<std::string> none;
  // A deleted species keeps its place with an empty name: it is written as no species at all.
  const std::vector<std::string> deleted = {"Chêne", "", "Pin"};
  const struct {
    int kind;
    const std::vector<std::string>* species;
    std::int32_t index;
    const char* written;
    const char* thickness;
  } cases[] = {
      {2, &oak, 0, "Chêne", "19"},          {2, &oak, 1, "Hêtre", "19"},
      {2, &oak, 2, "Non spécifié", "19"},   {2, &oak, -1, "Non spécifié", "19"},
      {2, &none, 0, "Non spécifié", "19"},  {1, &oak, 0, "Non spécifié", "0"},
      {1, &oak, 1, "Non spécifié", "0"},    {0, &oak, 0, "Non spécifié", "19"},
      {2, &deleted, 1, "Non spécifié", "19"}, {2, &deleted, 2, "Pin", "19"},
  };
  for (const auto& c : cases) {
    Source s = OnePart(3000, 2000, 190, c.kind);
    s.species = *c.species;
    s.job.JobParts[0].Species = c.index;
    s.job.ResultPanels[0].Species = c.index;
    s.job.ResultPanels[0].PlacedParts[0].Species = c.index;
    const std::string what = std::to_string(c.kind) + "/" + std::to_string(c.index);
    EXPECT_EQ(ExportSpecies(s.get(), c.index), c.written) << what;
    const std::vector<std::string> sheet = Fields(Lines(WithoutBom(CuttingSheetLines(s.get())))[1]);
    EXPECT_EQ(sheet[6], c.written) << what;
    EXPECT_EQ(sheet[5], c.thickness) << what;
    const std::vector<std::string> job = Lines(WithoutBom(ComputedJobLines(s.get())));
    EXPECT_EQ(Fields(job[1])[6], c.written) << what;
    EXPECT_EQ(Fields(job[2])[6], c.written) << what;
    EXPECT_EQ(Fields(job[1])[5], c.thickness) << what;
    EXPECT_EQ(Fields(job[2])[5], c.thickness) << what;
    const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
    EXPECT_EQ(sylk[51], std::string("C;N;K\"") + c.written + "\"") << what;
    EXPECT_EQ(sylk[49], std::string("C;N;K") + c.thickness) << what;
  }
}

TEST(JobExport, PartNumbersGiveTheLettersAndTheDesignationOfTheComputedJob) {
  // The part number, the letters it gives, the designation found by the number among three.
  const struct {
    std::int32_t number;
    const char* letters;
    const char* designation;
  } cases[] = {
      {0, "a", "Un"},   {2, "c", "Trois"}, {25, "z", ""}, {26, "aa", ""},
      {701, "zz", ""},  {702, "aaa", ""},  {9999, "ntp", ""},
      // A number without letters of its own: the first free ones.
      {-1, "a", ""},
  };
  for (const auto& c : cases) {
    Source s = OnePart(3000, 2000, 190);
    s.job.JobDesignations = {"Un", "Deux", "Trois"};
    s.job.JobParts[0].Number = c.number;
    s.job.ResultPanels[0].PlacedParts[0].Number = c.number;
    const std::string n = std::to_string(c.number);
    // The cutting sheet takes the designation at the part's position in the list.
    const std::vector<std::string> sheet = Fields(Lines(WithoutBom(CuttingSheetLines(s.get())))[1]);
    EXPECT_EQ(sheet[0], c.letters) << n;
    EXPECT_EQ(sheet[1], "Un") << n;
    const std::vector<std::string> part = Fields(Lines(WithoutBom(ComputedJobLines(s.get())))[2]);
    EXPECT_EQ(part[0], c.letters) << n;
    EXPECT_EQ(part[1], c.designation) << n;
    EXPECT_EQ(part[2], "1") << n;
    EXPECT_EQ(part[8], "1") << n;
    EXPECT_EQ(Lines(CuttingSheetSylk(s.get()))[39], std::string("C;N;K\"") + c.letters + "\"")
        << n;
  }
}

// A job whose references were typed is written with them, in csv/txt lines and in SYLK alike, so
// that a file's "a" is the part the label and the plan call "a"; a part without a reference of
// its own gets the letters of its number, or the first free ones when another part has those.
TEST(JobExport, TheJobsOwnReferencesAreWritten) {
  Source s;
  s.job = ExportFixtureJob(2);
  // Part 0 has no reference, part 1 is "a", part 2 (number 702) has "P;2" at its number.
  s.job.JobReferences.assign(703, std::string());
  s.job.JobReferences[1] = "a";
  s.job.JobReferences[702] = "P;2";
  const std::vector<std::string> sheet = Lines(WithoutBom(CuttingSheetLines(s.get())));
  ASSERT_EQ(sheet.size(), 4u);
  EXPECT_EQ(Fields(sheet[1])[0], "b");
  EXPECT_EQ(Fields(sheet[2])[0], "a");
  EXPECT_EQ(sheet[3].substr(0, 12), "\"P;2\";C\xC5\x93ur;");

  const std::vector<std::string> job = Lines(WithoutBom(ComputedJobLines(s.get())));
  ASSERT_EQ(job.size(), 8u);
  EXPECT_EQ(Fields(job[4])[0], "b");
  EXPECT_EQ(Fields(job[6])[0], "a");
  EXPECT_EQ(job[7].substr(0, 7), "\"P;2\";;");
  EXPECT_EQ(Lines(CuttingSheetSylk(s.get()))[39], "C;N;K\"b\"");

  s.job.JobReferences = {"P12", "X", "a"};
  s.job.JobParts[2].Number = 2;
  const std::vector<std::string> typed = Lines(WithoutBom(CuttingSheetLines(s.get())));
  EXPECT_EQ(Fields(typed[1])[0], "P12");
  EXPECT_EQ(Fields(typed[2])[0], "X");
  EXPECT_EQ(Fields(typed[3])[0], "a");
  const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
  EXPECT_EQ(sylk[38], "F;P3;FG0C;Y2;X1");
  EXPECT_EQ(sylk[39], "C;N;K\"P12\"");
  EXPECT_EQ(sylk[54], "C;N;K\"X\"");
  EXPECT_EQ(sylk[69], "C;N;K\"a\"");
  s.job.JobReferences[0] = "P;1";
  EXPECT_EQ(Lines(CuttingSheetSylk(s.get()))[39], "C;N;K\"P;;1\"");
}

// No two parts of a file share a reference, whatever the job's parts have or lack: a part
// without one keeps its number's letters while they are free, else takes the first free letters
// in list order; and the sheet reads back through the import with the same references.
TEST(JobExport, PartsWithoutAReferenceNeverTakeAnotherPartsLetters) {
  const struct {
    std::vector<std::string> references;  // by part number 0, 1, 2, 3
    std::vector<std::string> written;
  } cases[] = {
      {{"", "", "", ""}, {"a", "b", "c", "d"}},
      {{"", "a", "", ""}, {"b", "a", "c", "d"}},
      {{"", "", "a", "b"}, {"c", "d", "a", "b"}},
      {{"", "", "", "a"}, {"d", "b", "c", "a"}},
      {{"c", "", "", ""}, {"c", "b", "a", "d"}},
      {{"", "", "", "c"}, {"a", "b", "d", "c"}},
      {{"", "", "", "A"}, {"a", "b", "c", "A"}},  // a reference differing by case is another one
      {{"", "ab", "", "zz"}, {"a", "ab", "c", "zz"}},
      {{"", ""}, {"a", "b", "c", "d"}},  // references the job file did not give
  };
  for (const auto& c : cases) {
    Source s;
    s.job.JobKind = 2;
    for (std::int32_t n = 0; n < 4; ++n) {
      s.job.JobParts.push_back(FixturePart(5000 + 100 * n, 3000, 190, 0, 1, 1, n));
      s.job.JobDesignations.push_back("Part " + std::to_string(n));
    }
    s.job.JobReferences = c.references;
    const std::string what = ::testing::PrintToString(c.references);
    const std::vector<std::string> sheet = Lines(WithoutBom(CuttingSheetLines(s.get())));
    ASSERT_EQ(sheet.size(), 5u) << what;
    std::vector<std::string> written;
    for (std::size_t i = 1; i < sheet.size(); ++i) written.push_back(Fields(sheet[i])[0]);
    EXPECT_EQ(written, c.written) << what;

    // The import reads the sheet back as the same four parts, no two sharing a reference.
    const std::string bytes = CuttingSheetLines(s.get());
    ImportRequest request;
    request.Bytes = bytes;
    request.Columns = DefaultImportColumns();
    request.HeaderLine = true;
    request.UnitFactor = s.factor;
    const ImportReadResult read = ReadCuttingSheet(request);
    const auto* parts = std::get_if<std::vector<ImportedPart>>(&read);
    ASSERT_NE(parts, nullptr) << what;
    EXPECT_FALSE(FindReferenceClash(*parts)) << what;
    ASSERT_EQ(parts->size(), 4u) << what;
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ((*parts)[i].Reference, c.written[i]) << what;

    const std::vector<std::string> sylk = Lines(CuttingSheetSylk(s.get()));
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(sylk[39 + 15 * i], "C;N;K\"" + c.written[i] + "\"") << what << " " << i;
    }

    s.job.ResultPanels = {FixturePanel(28000, 20700, 190, 0, 1)};
    s.job.ResultPanels[0].PlacedParts = {s.job.JobParts[3], s.job.JobParts[0]};
    const std::vector<std::string> job = Lines(WithoutBom(ComputedJobLines(s.get())));
    ASSERT_EQ(job.size(), 4u) << what;
    EXPECT_EQ(Fields(job[2])[0], c.written[3]) << what;
    EXPECT_EQ(Fields(job[3])[0], c.written[0]) << what;
  }
}

TEST(JobExport, TheSylkIdentificationIsUtf8WithoutAByteOrderMark) {
  Source s;
  s.job = ExportFixtureJob(2);
  const std::string sylk = CuttingSheetSylk(s.get());
  // "ID;Exportation-débit": the é as its two UTF-8 bytes.
  EXPECT_EQ(sylk.substr(0, 18), "ID;Exportation-d\xC3\xA9");
  EXPECT_EQ(sylk.substr(18, 4), "bit\n");
  const std::string lines = CuttingSheetLines(s.get());
  EXPECT_EQ(lines.substr(0, 6), "\xEF\xBB\xBFR\xC3\xA9");
  EXPECT_EQ(ComputedJobLines(s.get()).substr(0, 3), "\xEF\xBB\xBF");
}

}  // namespace
}  // namespace tranchex::test
