// The cutting-sheet reader: three files as spreadsheets save them, then tables of lines that it
// reads into parts and of lines it refuses, with the line, column and reason it names.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "exchange/ImportReader.h"
#include "job/FilesTestBytes.h"
#include "job/SettingsFiles.h"
#include "platform/BinaryIO.h"
#include "platform/FileIO.h"
#include "support/TempDir.h"
#include "support/ToolRun.h"

#ifndef TRANCHEX_IMPORT_FIXTURES
#error "TRANCHEX_IMPORT_FIXTURES must name the folder of the import files"
#endif

namespace tranchex {
namespace {

// What a test expects of one part (sizes in internal units).
struct Expected {
  std::string Reference;
  std::string Designation;
  std::string Species;  // empty: none given
  std::int32_t Quantity;
  double Length;
  double Width;
  double Thickness;
  std::int32_t Grain;
};

void ExpectParts(const std::vector<ImportedPart>& got, const std::vector<Expected>& want,
                 const std::string& name) {
  ASSERT_EQ(got.size(), want.size()) << name;
  for (std::size_t i = 0; i < want.size(); ++i) {
    const ImportedPart& g = got[i];
    const Expected& w = want[i];
    EXPECT_EQ(g.Reference, w.Reference) << name << " part " << i;
    EXPECT_EQ(g.Designation, w.Designation) << name << " part " << i;
    EXPECT_EQ(g.Species, w.Species) << name << " part " << i;
    EXPECT_EQ(g.SpeciesGiven, !w.Species.empty()) << name << " part " << i;
    EXPECT_EQ(g.Quantity, w.Quantity) << name << " part " << i;
    EXPECT_DOUBLE_EQ(g.Length, w.Length) << name << " part " << i;
    EXPECT_DOUBLE_EQ(g.Width, w.Width) << name << " part " << i;
    EXPECT_DOUBLE_EQ(g.Thickness, w.Thickness) << name << " part " << i;
    EXPECT_EQ(g.Grain, w.Grain) << name << " part " << i;
  }
}

// The factory map: eight columns in entry order, with their titles.
ImportRequest Request(const std::string& bytes) {
  ImportRequest request;
  request.Bytes = bytes;
  request.Columns = DefaultImportColumns();
  request.HeaderLine = false;
  request.UnitFactor = 10.0;
  request.DefaultGrain = 1;
  return request;
}

// A column map from one number per entry, 0 for an automatic entry.
std::vector<OPTION_COL_IMPORT> Columns(std::initializer_list<int> numbers) {
  std::vector<OPTION_COL_IMPORT> columns = DefaultImportColumns();
  std::size_t i = 0;
  for (int n : numbers) {
    columns[i].Given = n > 0 ? 1 : 0;
    columns[i].Column = n > 0 ? n : static_cast<int>(i) + 1;
    ++i;
  }
  return columns;
}

std::string Fixture(const char* name) {
  return test::ReadWholeFile(std::string(TRANCHEX_IMPORT_FIXTURES) + "/" + name);
}

// ---- Files as they come ------------------------------------------------------------------------

TEST(ImportReaderTest, ReadsTheFilesSpreadsheetsSave) {
  const struct {
    const char* file;
    std::vector<Expected> parts;
    std::vector<int> lines;
  } files[] = {
      {"windows1252-crlf.csv",
       {{"A", "Etagère", "Chêne", 2, 12000, 4000, 190, 1},
        {"B", "Côté", "Chêne", 4, 7200, 3505, 190, 0},
        // Given 400 x 1180: turned, grain 2 kept.
        {"C", "Dos", "Hêtre", 1, 11800, 4000, 80, 2}},
       {2, 3, 4}},
      {"utf8-bom.csv",
       {{"a", "Œil-de-bœuf", "Érable", 1, 6005, 6000, 220, 2},
        {"b", "Plinthe", "Pin", 10, 24000, 800, 150, 0}},
       {2, 3}},
      // Written by LibreOffice Calc (csv, UTF-8, ";", French locale): quoted texts with a
      // semicolon, doubled quotes and a line break; a thickness of 0 (a simple job's); a
      // reference left empty takes the first letters no line has.
      {"libreoffice.csv",
       {{"T1", "Tiroir; façade", "Chêne", 2, 3965, 1200, 190, 0},
        {"T2", "Tiroir \"haut\"", "Chêne", 1, 3965, 1500, 190, 1},
        {"P", "Panneau de fond", "Pin", 1, 8000, 6000, 100, 1},
        {"a", "Pied 2\" rond", "Hêtre", 4, 7200, 500, 190, 2}},
       {2, 3, 4, 6}},
      // The same sheet saved with every text cell quoted, in an English locale.
      {"libreoffice-all-text-quoted.csv",
       {{"T1", "Tiroir; façade", "Chêne", 2, 3965, 1200, 190, 0},
        {"T2", "Tiroir \"haut\"", "Chêne", 1, 3965, 1500, 190, 1},
        {"P", "Panneau de fond", "Pin", 1, 8000, 6000, 100, 1},
        {"a", "Pied 2\" rond", "Hêtre", 4, 7200, 500, 190, 2}},
       {2, 3, 4, 6}},
  };
  for (const auto& f : files) {
    const std::string bytes = Fixture(f.file);
    ASSERT_FALSE(bytes.empty()) << f.file;
    ImportRequest request = Request(bytes);
    request.HeaderLine = true;
    const ImportReadResult result = ReadCuttingSheet(request);
    const auto* parts = std::get_if<std::vector<ImportedPart>>(&result);
    ASSERT_NE(parts, nullptr) << f.file << ": " << ImportErrorText(std::get<ImportError>(result), true);
    ExpectParts(*parts, f.parts, f.file);
    for (std::size_t i = 0; i < f.lines.size() && i < parts->size(); ++i) {
      EXPECT_EQ((*parts)[i].Line, f.lines[i]) << f.file << " part " << i;
    }
  }
}

// ---- Lines it reads ----------------------------------------------------------------------------

TEST(ImportReaderTest, ReadsTheLinesOfACuttingSheet) {
  const std::string row = "A;Etagere;2;120;40;19;Chene;1";
  const Expected etagere{"A", "Etagere", "Chene", 2, 1200, 400, 190, 1};
  const std::string fiftyAccented = std::string(48, 'e') + "é";  // 49 Windows-1252 characters
  struct Case {
    const char* name;
    std::string bytes;
    std::function<void(ImportRequest&)> adjust;
    std::vector<Expected> parts;
  };
  const std::vector<Case> cases = {
      {"one line ended by CR LF", row + "\r\n", {}, {etagere}},
      {"narrower than wide: turned, grain 1 becomes 0", "A;Etagere;2;40;120;19;Chene;1\n", {},
       {{"A", "Etagere", "Chene", 2, 1200, 400, 190, 0}}},
      {"grain 0 becomes 1 when turned", "A;x;1;40;120;19;Pin;0\n", {},
       {{"A", "x", "Pin", 1, 1200, 400, 190, 1}}},
      // Sizes are whole tenths of a millimetre, halves away from zero, turned or not.
      {"the turned length is whole units", "A;x;1;40;120,05;19;Pin;2\n", {},
       {{"A", "x", "Pin", 1, 1201, 400, 190, 2}}},
      {"a size rounds to whole tenths", "A;x;1;120,04;40,06;19,05;Pin;2\n", {},
       {{"A", "x", "Pin", 1, 1200, 401, 191, 2}}},
      {"a last line without line feed is read", row + "\nB;Dos;1;50;50;19;Chene;2", {},
       {etagere, {"B", "Dos", "Chene", 1, 500, 500, 190, 2}}},
      {"blank lines skipped", "\n" + row + "\r\n\r\n  \n;;;;\n", {}, {etagere}},
      // Columns the map leaves automatic take their automatic values.
      {"automatic columns: the automatic values", "2;120;40\n1;50;50\n",
       [](ImportRequest& r) {
         r.Columns = Columns({0, 0, 1, 2, 3, 0, 0, 0});
         r.DefaultGrain = 2;
       },
       {{"a", "Piece0", "", 2, 1200, 400, 100, 2}, {"b", "Piece1", "", 1, 500, 500, 100, 2}}},
      // An empty reference takes the first letters no line of the sheet has, in file order.
      {"empty references: the first free letters", ";x;1;120;40;19;Pin;2\n"
       "a;y;1;120;40;19;Pin;2\n  ;z;1;120;40;19;Pin;2\nc;w;1;120;40;19;Pin;2\n", {},
       {{"b", "x", "Pin", 1, 1200, 400, 190, 2}, {"a", "y", "Pin", 1, 1200, 400, 190, 2},
        {"d", "z", "Pin", 1, 1200, 400, 190, 2}, {"c", "w", "Pin", 1, 1200, 400, 190, 2}}},
      {"comma and point", "A;x;1;120,5;40.5;1,5;Pin;2\n", {},
       {{"A", "x", "Pin", 1, 1205, 405, 15, 2}}},
      {"blanks around numbers", "A;x; 3 ;\t120 ; 40,0;19 ;Pin; 2 \n", {},
       {{"A", "x", "Pin", 3, 1200, 400, 190, 2}}},
      {"a whole count written with decimals", "A;x;2,00;120;40;19;Pin;2\n", {},
       {{"A", "x", "Pin", 2, 1200, 400, 190, 2}}},
      {"count 0", "A;x;0;120;40;19;Pin;2\n", {}, {{"A", "x", "Pin", 0, 1200, 400, 190, 2}}},
      {"count 100000", "A;x;100000;120;40;19;Pin;2\n", {},
       {{"A", "x", "Pin", 100000, 1200, 400, 190, 2}}},
      {"thickness 0 is 100", "A;x;1;120;40;0;Pin;2\n", {}, {{"A", "x", "Pin", 1, 1200, 400, 100, 2}}},
      {"texts trimmed", "  Ab  ; \tEtagere  ;1;120;40;19;  Chene ;2\n", {},
       {{"Ab", "Etagere", "Chene", 1, 1200, 400, 190, 2}}},
      {"three characters, not bytes", "Érable;x;1;120;40;19;Pin;2\nÉtagère;y;1;120;40;19;Pin;2\n", {},
       {{"Éra", "x", "Pin", 1, 1200, 400, 190, 2}, {"Éta", "y", "Pin", 1, 1200, 400, 190, 2}}},
      // Read as given: the import asks before two parts share a reference (ReferenceClash).
      {"references cut alike", "Etagère;x;1;120;40;19;Pin;2\nEtabli;y;1;120;40;19;Pin;2\n", {},
       {{"Eta", "x", "Pin", 1, 1200, 400, 190, 2}, {"Eta", "y", "Pin", 1, 1200, 400, 190, 2}}},
      {"quoted fields", "\"A;1\";\"Tiroir \"\"haut\"\"\";1;120;40;19;\"Chêne\";2\n", {},
       {{"A;1", "Tiroir \"haut\"", "Chêne", 1, 1200, 400, 190, 2}}},
      {"a line break inside quotes is a blank", "A;\"Panneau\r\nde fond\";1;120;40;19;Pin;2\n", {},
       {{"A", "Panneau de fond", "Pin", 1, 1200, 400, 190, 2}}},
      {"a quote inside a field is a character", "A;Pied 2\" rond;1;120;40;19;Pin;2\n", {},
       {{"A", "Pied 2\" rond", "Pin", 1, 1200, 400, 190, 2}}},
      {"49 Windows-1252 characters", "A;" + fiftyAccented + ";1;120;40;19;" + fiftyAccented + ";2\n",
       {}, {{"A", fiftyAccented, fiftyAccented, 1, 1200, 400, 190, 2}}},
      {"Windows-1252 bytes", "A;Etag\xE8re;1;120;40;19;Ch\xEAne;2\n", {},
       {{"A", "Etagère", "Chêne", 1, 1200, 400, 190, 2}}},
      {"UTF-8 without byte order mark", "A;Etagère;1;120;40;19;Chêne;2\n", {},
       {{"A", "Etagère", "Chêne", 1, 1200, 400, 190, 2}}},
      {"a byte order mark", "\xEF\xBB\xBF" "A;x;1;120;40;19;Pin;2\n", {},
       {{"A", "x", "Pin", 1, 1200, 400, 190, 2}}},
      {"centimetres", "A;x;1;120;40,5;1,9;Pin;2\n", [](ImportRequest& r) { r.UnitFactor = 100.0; },
       {{"A", "x", "Pin", 1, 12000, 4050, 190, 2}}},
      {"inches", "A;x;1;10;5;0,75;Pin;2\n", [](ImportRequest& r) { r.UnitFactor = 254.0; },
       {{"A", "x", "Pin", 1, 2540, 1270, 191, 2}}},
      // Three decimals of an inch, as the export writes 720,5 x 396,5 x 19 mm.
      {"inches written by the export", "A;x;1;28,366;15,61;0,748;Pin;2\n",
       [](ImportRequest& r) { r.UnitFactor = 254.0; }, {{"A", "x", "Pin", 1, 7205, 3965, 190, 2}}},
      {"the title line skipped", "Référence;Désignation;Nombre\n" + row + "\n",
       [](ImportRequest& r) { r.HeaderLine = true; }, {etagere}},
      {"columns in another order", "2;120;A;40;Etagere\n",
       [](ImportRequest& r) { r.Columns = Columns({3, 5, 1, 2, 4, 0, 0, 0}); },
       {{"A", "Etagere", "", 2, 1200, 400, 100, 1}}},
      {"count, length and width alone", "3;100;50\n",
       [](ImportRequest& r) {
         r.Columns = Columns({0, 0, 1, 2, 3, 0, 0, 0});
         r.DefaultGrain = 0;
       },
       {{"a", "Piece0", "", 3, 1000, 500, 100, 0}}},
      // A spreadsheet ends every line with ";;" up to the farthest cell used on any line.
      {"empty fields after the last column read", row + ";;\r\n" + row + "; ;;\n", {},
       {etagere, etagere}},
      {"empty fields after a shorter column map", "A;x;1;120;40;;\n",
       [](ImportRequest& r) { r.Columns = Columns({1, 2, 3, 4, 5, 0, 0, 0}); },
       {{"A", "x", "", 1, 1200, 400, 100, 1}}},
      // The thickest stock is 150 mm: exactly that is a thickness, in every unit.
      {"a thickness of exactly 150 mm", "A;x;1;120;40;150;Pin;2\n", {},
       {{"A", "x", "Pin", 1, 1200, 400, 1500, 2}}},
      {"a thickness of exactly 15 cm", "A;x;1;120;40;15;Pin;2\n",
       [](ImportRequest& r) { r.UnitFactor = 100.0; }, {{"A", "x", "Pin", 1, 12000, 4000, 1500, 2}}},
      {"a thickness of exactly 0,15 m", "A;x;1;1,2;0,4;0,15;Pin;2\n",
       [](ImportRequest& r) { r.UnitFactor = 10000.0; }, {{"A", "x", "Pin", 1, 12000, 4000, 1500, 2}}},
      {"automatic species and grain", "A;x;1;120;40;19\n",
       [](ImportRequest& r) { r.Columns = Columns({1, 2, 3, 4, 5, 6, 0, 0}); },
       {{"A", "x", "", 1, 1200, 400, 190, 1}}},
  };
  for (const Case& c : cases) {
    ImportRequest request = Request(c.bytes);
    if (c.adjust) c.adjust(request);
    const ImportReadResult result = ReadCuttingSheet(request);
    if (const auto* error = std::get_if<ImportError>(&result)) {
      ADD_FAILURE() << c.name << ": " << ImportErrorText(*error, request.HeaderLine);
      continue;
    }
    ExpectParts(std::get<std::vector<ImportedPart>>(result), c.parts, c.name);
  }
}

// A designation or reference the file leaves out is made from the part's position: letters a
// to zz for the first 702 parts, then three letters from "aaa"; "Piece" and the position.
TEST(ImportReaderTest, AutomaticReferencesAndDesignationsFollowThePartPositions) {
  std::string bytes;
  for (int i = 0; i < 704; ++i) bytes += "1;100;50\n";
  ImportRequest request = Request(bytes);
  request.Columns = Columns({0, 0, 1, 2, 3, 0, 0, 0});
  const ImportReadResult result = ReadCuttingSheet(request);
  const auto& parts = std::get<std::vector<ImportedPart>>(result);
  ASSERT_EQ(parts.size(), 704u);
  const struct {
    std::size_t index;
    const char* reference;
    const char* designation;
  } expected[] = {{0, "a", "Piece0"},   {25, "z", "Piece25"},   {26, "aa", "Piece26"},
                  {27, "ab", "Piece27"}, {701, "zz", "Piece701"}, {702, "aaa", "Piece702"},
                  {703, "aab", "Piece703"}};
  for (const auto& e : expected) {
    EXPECT_EQ(parts[e.index].Reference, e.reference) << e.index;
    EXPECT_EQ(parts[e.index].Designation, e.designation) << e.index;
    EXPECT_FALSE(parts[e.index].DesignationGiven) << e.index;
  }
}

// Two parts never share a reference unasked: the clash names the two lines and the reference;
// free letters go to every part whose reference an earlier line has, and to no other.
TEST(ImportReaderTest, ReferencesThatTwoLinesWouldShareAreFoundAndFreed) {
  const std::string row = ";x;1;120;40;19;Pin;1\n";
  const struct {
    const char* name;
    std::string bytes;
    std::optional<ReferenceClash> clash;
    std::string text;                     // the clash's text
    std::vector<std::string> freed;       // the references once freed
  } cases[] = {
      {"every reference its own", "A" + row + "B" + row + row, std::nullopt, "",
       {"A", "B", "a"}},
      // Titles on line 1: P101 and P102 on lines 3 and 4 are both cut to P10.
      {"two cells cut alike", "Titres\nA" + row + "P101" + row + "P102" + row,
       ReferenceClash{3, 4, "P10", "P101", "P102", 1},
       "Lignes 3 et 4 : la référence « P10 » désigne deux pièces (« P101 » et « P102 » coupées "
       "aux trois caractères qu'un débit garde).",
       {"A", "P10", "a"}},
      // A repeated reference, twice more: the later ones take the letters no part has, and the
      // empty reference of line 3 took "b" already ("a" is given on line 2).
      {"a reference repeated", "Titres\na" + row + row + "a" + row + "a" + row,
       ReferenceClash{2, 4, "a", "a", "a", 2},
       "Lignes 2 et 4 : la référence « a » désigne deux pièces. En tout, 2 pièces ont une "
       "référence qu'une ligne précédente porte déjà.",
       {"a", "b", "c", "d"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImportRequest request = Request(c.bytes);
    request.HeaderLine = c.bytes.rfind("Titres", 0) == 0;
    const ImportReadResult result = ReadCuttingSheet(request);
    ASSERT_TRUE(std::holds_alternative<std::vector<ImportedPart>>(result));
    std::vector<ImportedPart> parts = std::get<std::vector<ImportedPart>>(result);
    const std::optional<ReferenceClash> clash = FindReferenceClash(parts);
    ASSERT_EQ(clash.has_value(), c.clash.has_value());
    if (clash) {
      EXPECT_EQ(clash->FirstLine, c.clash->FirstLine);
      EXPECT_EQ(clash->Line, c.clash->Line);
      EXPECT_EQ(clash->Reference, c.clash->Reference);
      EXPECT_EQ(clash->Count, c.clash->Count);
      EXPECT_EQ(ReferenceClashText(*clash), c.text);
    }
    FreeTakenReferences(parts);
    std::vector<std::string> references;
    for (const ImportedPart& p : parts) references.push_back(p.Reference);
    EXPECT_EQ(references, c.freed);
    EXPECT_FALSE(FindReferenceClash(parts));
  }
}

TEST(ImportReaderTest, RefusalsNameSizesInTheFilesUnit) {
  EXPECT_EQ(SizeInFileUnit(1500, 10.0), "150 mm");
  EXPECT_EQ(SizeInFileUnit(1500, 100.0), "15 cm");
  EXPECT_EQ(SizeInFileUnit(1500, 254.0), "5,906 pouces");
  EXPECT_EQ(SizeInFileUnit(1500, 10000.0), "0,15 m");
  EXPECT_EQ(SizeInFileUnit(1500, 7.0), "150 mm");
  EXPECT_EQ(ImportRefusalText("Ligne 2, colonne 6 (Epaisseur) : valeur manquante"),
            "Erreur dans l'ouverture du fichier !\nLigne 2, colonne 6 (Epaisseur) : valeur "
            "manquante");
}

// ---- Lines it refuses --------------------------------------------------------------------------

TEST(ImportReaderTest, RefusesAFileAtItsFirstFaultWithItsLineAndColumn) {
  const std::string good = "A;Etagere;2;120;40;19;Chene;1\n";
  struct Case {
    const char* name;
    std::string bytes;
    std::function<void(ImportRequest&)> adjust;
    int line;
    int column;
    const char* title;
    const char* reason;  // a part of the reason
  };
  const std::vector<Case> cases = {
      {"empty file", "", {}, 0, 0, "", "vide"},
      {"the title line alone", "Référence;Nombre\n", [](ImportRequest& r) { r.HeaderLine = true; },
       0, 0, "", "aucune pièce"},
      {"blank lines alone", "\r\n\n", {}, 0, 0, "", "aucune pièce"},
      {"too many fields", good + "A;x;1;120;40;19;Chene;1;9\n", {}, 2, 9, "", "trop de champs"},
      {"too many fields for the columns read", "A;x;1;120;40;19\n",
       [](ImportRequest& r) { r.Columns = Columns({1, 2, 3, 4, 5, 0, 0, 0}); }, 1, 6, "",
       "trop de champs"},
      {"count missing", good + "A;x\n", {}, 2, 3, "Nombre", "valeur manquante"},
      {"count empty", "A;x;;120;40\n", {}, 1, 3, "Nombre", "valeur manquante"},
      {"length missing", "A;x;1\n", {}, 1, 4, "Longueur", "valeur manquante"},
      {"width blank", "A;x;1;120;  ;19\n", {}, 1, 5, "Largeur", "valeur manquante"},
      // Nothing is made up for a cell the map reads and the line leaves empty or lacks.
      {"thickness empty", "C;Tablette;3;800;350;;;\n", {}, 1, 6, "Epaisseur", "valeur manquante"},
      {"species empty", good + "C;Tablette;3;800;350;19;;1\n", {}, 2, 7, "Essence",
       "valeur manquante"},
      {"species blank", "C;Tablette;3;800;350;19; \t ;1\n", {}, 1, 7, "Essence",
       "valeur manquante"},
      {"grain empty", "C;Tablette;3;800;350;19;Chene;\n", {}, 1, 8, "Sens du fil",
       "valeur manquante"},
      {"designation empty", "C;;3;800;350;19;Chene;1\n", {}, 1, 2, "Désignation",
       "valeur manquante"},
      {"a line that stops early", "D;Court;1;500;300\n", {}, 1, 6, "Epaisseur",
       "la ligne compte 5 champs et la fiche de débit en lit 8"},
      // The next line is not read as the rest of the short one.
      {"a short line does not run on", "D;Court;1;500;300\n19;Chene;1\n", {}, 1, 6,
       "Epaisseur", "valeur manquante"},
      {"a short line under another column map", "1;2;3;4;5;6\n",
       [](ImportRequest& r) { r.Columns = Columns({7, 6, 1, 2, 3, 4, 5, 0}); }, 1, 7,
       "Référence", "la ligne compte 6 champs et la fiche de débit en lit 7"},
      {"negative number", "A;x;1;-120;40\n", {}, 1, 4, "Longueur", "n'est pas un nombre"},
      {"two decimal marks", "A;x;1;120,5.5;40\n", {}, 1, 4, "Longueur", "n'est pas un nombre"},
      {"group separator", "A;x;1;1 200;40\n", {}, 1, 4, "Longueur", "n'est pas un nombre"},
      {"exponent", "A;x;1;1e3;40\n", {}, 1, 4, "Longueur", "n'est pas un nombre"},
      {"letters", "A;x;deux;120;40\n", {}, 1, 3, "Nombre", "n'est pas un nombre"},
      {"a count with decimals", "A;x;2,5;120;40\n", {}, 1, 3, "Nombre", "entier"},
      {"count above 100000", "A;x;100001;120;40\n", {}, 1, 3, "Nombre", "100000"},
      {"length 0", "A;x;1;0;40\n", {}, 1, 4, "Longueur", "hors limites"},
      {"width 0", "A;x;1;120;0,0\n", {}, 1, 5, "Largeur", "hors limites"},
      {"length beyond 1 km", "A;x;1;1000000,1;40\n", {}, 1, 4, "Longueur", "hors limites"},
      {"a length past the integers once scaled", "A;x;1;120;99999999999\n", {}, 1, 5, "Largeur",
       "hors limites"},
      {"below half a tenth", "A;x;1;0,01;0,05\n", {}, 1, 4, "Longueur", "hors limites"},
      {"a width below half a tenth", "A;x;1;0,05;0,04\n", {}, 1, 5, "Largeur", "hors limites"},
      {"thickness above 150 mm", "A;x;1;120;40;150,1\n", {}, 1, 6, "Epaisseur", "de 0 à 150 mm"},
      {"thickness of 15,01 cm", "A;x;1;120;40;15,01\n",
       [](ImportRequest& r) { r.UnitFactor = 100.0; }, 1, 6, "Epaisseur", "de 0 à 15 cm"},
      // The bounds in the file's unit: 150 mm are 5,906 inches.
      {"thickness of 6 inches", "A;x;1;120;40;6;Chene;1\n",
       [](ImportRequest& r) { r.UnitFactor = 254.0; }, 1, 6, "Epaisseur",
       "épaisseur hors limites : de 0 à 5,906 pouces"},
      {"a length beyond 1 km in metres", "A;x;1;1000,1;0,4;0,019;Chene;1\n",
       [](ImportRequest& r) { r.UnitFactor = 10000.0; }, 1, 4, "Longueur",
       "plus de 0 et au plus 1000 m"},
      {"a far field that holds a note", "A;x;1;120;40;19;Chene;1;;note\n", {}, 1, 10, "",
       "trop de champs"},
      {"separated by tabs", good + "A\tx\t1\t120\t40\n", {}, 2, 0, "", "des tabulations"},
      {"separated by commas", "A,x,1,120,40\n", {}, 1, 0, "", "séparées par « ; »"},
      // 0x81 has no character in Windows-1252: the file is read as such, the byte a control.
      {"a byte undefined in Windows-1252", "A;Eta\x81gere;1;120;40\n", {}, 1, 2, "Désignation",
       "caractère de contrôle (code 81)"},
      {"a tab inside a species", "A;x;1;120;40;19;Ch\tene\n", {}, 1, 7, "Essence",
       "caractère de contrôle (code 09)"},
      {"a control character in a reference", "\x81" "b;x;1;120;40\n", {}, 1, 1, "Référence",
       "caractère de contrôle"},
      {"DEL in a designation", "A;Eta\x7Fgere;1;120;40;19;Chene;1\n", {}, 1, 2, "Désignation",
       "caractère de contrôle (code 7F)"},
      {"U+0080 in a species", "A;x;1;120;40;19;Ch\u0080ene;1\n", {}, 1, 7, "Essence",
       "caractère de contrôle (code 80)"},
      {"U+009F in a designation", "A;Eta\u009Fgere;1;120;40;19;Chene;1\n", {}, 1, 2,
       "Désignation", "caractère de contrôle (code 9F)"},
      {"U+0085 in a reference", "\u0085b;x;1;120;40;19;Chene;1\n", {}, 1, 1, "Référence",
       "caractère de contrôle (code 85)"},
      {"grain 5", "A;x;1;120;40;19;Chene;5\n", {}, 1, 8, "Sens du fil", "0 (horizontal)"},
      {"grain 1.5", "A;x;1;120;40;19;Chene;1,5\n", {}, 1, 8, "Sens du fil", "0 (horizontal)"},
      {"slash in a designation", good + "B;Etagere 1/2;1;120;40\n", {}, 2, 2, "Désignation",
       "« / »"},
      {"slash in a species", "A;x;1;120;40;19;Chene/Hetre\n", {}, 1, 7, "Essence", "« / »"},
      {"designation of 50 characters", "A;" + std::string(50, 'd') + ";1;120;40\n", {}, 1, 2,
       "Désignation", "plus de 49"},
      {"species of 50 characters", "A;x;1;120;40;19;" + std::string(49, 's') + "é\n", {}, 1, 7,
       "Essence", "plus de 49"},
      {"a character Windows-1252 lacks", "A;Ω-rail;1;120;40\n", {}, 1, 2, "Désignation",
       "Windows-1252"},
      {"a reference Windows-1252 lacks", "Ωab;x;1;120;40\n", {}, 1, 1, "Référence",
       "Windows-1252"},
      {"an unclosed quote", good + "B;\"Tiroir;1;120;40\n" + good, {}, 2, 2, "",
       "guillemet"},
      {"a fault after a quoted line break", "A;\"deux\nlignes\";1;120;40;19;Pin;1\nB;x;1;0;40\n", {}, 3, 4,
       "Longueur", "hors limites"},
      {"a quoted cell's own line", "A;\"deux\nlignes\";1;\"\n12a\";40\n", {}, 2, 4, "Longueur",
       "n'est pas un nombre"},
      {"NUL bytes", std::string("A;x;1;120;40\n\0", 14), {}, 0, 0, "", "octets nuls"},
      {"UTF-16", std::string("\xFF\xFE" "A\0;\0x\0", 8), {}, 0, 0, "", "octets nuls"},
      {"a byte order mark over Windows-1252", "\xEF\xBB\xBF" "A;Etag\xE8re;1;120;40\n", {}, 0, 0,
       "", "UTF-8"},
      {"a column map with a gap", good,
       [](ImportRequest& r) { r.Columns = Columns({1, 2, 3, 4, 6, 0, 0, 0}); }, 0, 0, "",
       "colonnes"},
      {"a column map without width", good,
       [](ImportRequest& r) { r.Columns = Columns({1, 2, 3, 4, 0, 0, 0, 0}); }, 0, 0, "",
       "colonnes"},
  };
  for (const Case& c : cases) {
    ImportRequest request = Request(c.bytes);
    if (c.adjust) c.adjust(request);
    const ImportReadResult result = ReadCuttingSheet(request);
    const auto* error = std::get_if<ImportError>(&result);
    if (!error) {
      ADD_FAILURE() << c.name << ": read";
      continue;
    }
    EXPECT_EQ(error->Line, c.line) << c.name;
    EXPECT_EQ(error->Column, c.column) << c.name;
    EXPECT_EQ(error->ColumnTitle, c.title) << c.name;
    EXPECT_NE(error->Reason.find(c.reason), std::string::npos) << c.name << ": " << error->Reason;
  }
}

// A first line about to be skipped as the column titles is offered back when it reads as a
// part, so that a sheet without titles does not lose its first part unseen.
TEST(ImportReaderTest, AFirstLineThatReadsAsAPartIsOffered) {
  const struct {
    const char* name;
    std::string bytes;
    bool header;
    std::optional<std::string> line;
  } cases[] = {
      {"a part", "A;Etagere;2;120;40;19;Chene;1\r\nB;x;1;50;50\n", true,
       "A;Etagere;2;120;40;19;Chene;1"},
      {"a part without reference", ";x;2;120;40;19;Pin;1\n", true, ";x;2;120;40;19;Pin;1"},
      {"a Windows-1252 part", "A;Etag\xE8re;2;120;40;19;Pin;1\n", true,
       "A;Etagère;2;120;40;19;Pin;1"},
      {"the only line", "A;x;2;120;40;19;Pin;1", true, "A;x;2;120;40;19;Pin;1"},
      {"a short line", "A;x;2;120;40\nA;x;1;120;40;19;Pin;1\n", true, std::nullopt},
      {"titles", "Référence;Désignation;Nombre;Longueur;Largeur\nA;x;1;120;40\n", true,
       std::nullopt},
      {"titles made of numbers but one", "1;2;3;4;Largeur\nA;x;1;120;40\n", true, std::nullopt},
      {"a line that is no sound part", "A;x;2;120;0\nA;x;1;120;40\n", true, std::nullopt},
      {"a grain out of range", "A;x;2;120;40;19;;7\nA;x;1;120;40\n", true, std::nullopt},
      {"not skipped at all", "A;x;2;120;40\n", false, std::nullopt},
      {"an empty file", "", true, std::nullopt},
  };
  for (const auto& c : cases) {
    ImportRequest request = Request(c.bytes);
    request.HeaderLine = c.header;
    EXPECT_EQ(FirstLineAsPart(request), c.line) << c.name;
  }
}

TEST(ImportReaderTest, RefusesMorePartsOrCopiesThanAJobHolds) {
  std::string parts;
  for (int i = 0; i < 10000; ++i) parts += "1;100;50\n";
  ImportRequest request = Request(parts);
  request.Columns = Columns({0, 0, 1, 2, 3, 0, 0, 0});
  ASSERT_TRUE(std::holds_alternative<std::vector<ImportedPart>>(ReadCuttingSheet(request)));

  const std::string tooMany = parts + "1;100;50\n";
  request.Bytes = tooMany;
  ImportReadResult result = ReadCuttingSheet(request);
  ASSERT_TRUE(std::holds_alternative<ImportError>(result));
  EXPECT_EQ(std::get<ImportError>(result).Line, 10001);
  EXPECT_NE(std::get<ImportError>(result).Reason.find("10000"), std::string::npos);

  // Ten lines of 100 000 copies are the most; the eleventh copy line is refused at its count.
  std::string copies;
  for (int i = 0; i < 11; ++i) copies += "100000;100;50\n";
  request.Bytes = copies;
  result = ReadCuttingSheet(request);
  ASSERT_TRUE(std::holds_alternative<ImportError>(result));
  EXPECT_EQ(std::get<ImportError>(result).Line, 11);
  EXPECT_EQ(std::get<ImportError>(result).Column, 1);
  EXPECT_NE(std::get<ImportError>(result).Reason.find("1000000"), std::string::npos);
}

TEST(ImportReaderTest, RefusesAFileOfMoreThan16MiB) {
  std::string line = "1;100;50\n";
  std::string bytes;
  bytes.reserve(kMaxImportFileBytes + line.size());
  while (bytes.size() <= kMaxImportFileBytes) bytes += ";;;\n";
  ImportRequest request = Request(bytes);
  const ImportReadResult result = ReadCuttingSheet(request);
  ASSERT_TRUE(std::holds_alternative<ImportError>(result));
  EXPECT_NE(std::get<ImportError>(result).Reason.find("16 Mo"), std::string::npos);
}

TEST(ImportReaderTest, ReadsImportFilesOfUpTo16MiB) {
  test::TempDir dir;
  const std::filesystem::path most = dir.path() / "most.csv";
  test::WriteBytes(most, std::string(kMaxImportFileBytes, ';'));
  EXPECT_EQ(ReadImportFile(most).size(), kMaxImportFileBytes);
  const std::filesystem::path over = dir.path() / "over.csv";
  test::WriteBytes(over, std::string(kMaxImportFileBytes + 1, ';'));
  EXPECT_THROW(ReadImportFile(over), FileFormatError);
  EXPECT_THROW(ReadImportFile(dir.path() / "absent.csv"), FileAccessError);
}

TEST(ImportReaderTest, ErrorTextsNameTheLineAndColumnAndHintAtTheTitleLine) {
  const ImportError cell{3, 4, "Longueur", "valeur manquante"};
  EXPECT_EQ(ImportErrorText(cell, false), "Ligne 3, colonne 4 (Longueur) : valeur manquante");
  const ImportError untitled{2, 9, "", "trop de champs"};
  EXPECT_EQ(ImportErrorText(untitled, true), "Ligne 2, colonne 9 : trop de champs");
  const ImportError line{7, 0, "", "plus de 10000 pièces"};
  EXPECT_EQ(ImportErrorText(line, false), "Ligne 7 : plus de 10000 pièces");
  const ImportError file{0, 0, "", "Le fichier est vide."};
  EXPECT_EQ(ImportErrorText(file, false), "Le fichier est vide.");

  // A title line read as parts fails on line 1: the text says to tick the title-line box.
  const std::string titled = "Référence;Désignation;Nombre;Longueur;Largeur\nA;x;1;120;40\n";
  const ImportRequest request = Request(titled);
  const ImportReadResult result = ReadCuttingSheet(request);
  ASSERT_TRUE(std::holds_alternative<ImportError>(result));
  const ImportError& error = std::get<ImportError>(result);
  EXPECT_EQ(error.Line, 1);
  EXPECT_EQ(error.Column, 3);
  const std::string text = ImportErrorText(error, false);
  EXPECT_NE(text.find("\nSi la première ligne"), std::string::npos) << text;
  EXPECT_EQ(ImportErrorText(error, true).find("Si la première ligne"), std::string::npos);
  const ImportError later{2, 3, "Nombre", "valeur manquante"};
  EXPECT_EQ(ImportErrorText(later, false).find("Si la première ligne"), std::string::npos);
}

}  // namespace
}  // namespace tranchex
