// The offcut export: the filter at its bounds, and the file byte for byte.

#include "exchange/OffcutExport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef TRANCHEX_EXPORT_GOLDEN
#error "TRANCHEX_EXPORT_GOLDEN must name the folder of the expected files"
#endif

namespace tranchex {
namespace {

std::string Golden(const char* name) {
  const std::filesystem::path path = std::filesystem::path(TRANCHEX_EXPORT_GOLDEN) / name;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CHUTE Offcut(int count, double length, double width, double thickness, int species, int grain) {
  CHUTE o;
  o.Count = count;
  o.Length = length;
  o.Width = width;
  o.Thickness = thickness;
  o.Species = species;
  o.Grain = grain;
  o.Surface = static_cast<long double>(length) * width;
  return o;
}

TEST(OffcutFilter, BoundsAreInclusive) {
  struct Case {
    const char* name;
    OffcutFilter filter;
    double length, width;
    bool passes;
  };
  const OffcutFilter bySize{0, 2000.0, 2000.0, 0};
  const OffcutFilter longAndNarrow{0, 2000.0, 500.0, 0};
  const OffcutFilter bySurface{1, 1e9, 1e9, 4000000.0L};
  const std::vector<Case> cases{
      {"2000 x 2000 at the minimum", bySize, 2000, 2000, true},
      {"2000 x 1999 too narrow", bySize, 2000, 1999, false},
      {"1999 x 2000 too short", bySize, 1999, 2000, false},
      // Unequal minimums: the length bound holds the length, the width bound the width.
      {"2000 x 500 at a 2000 x 500 minimum", longAndNarrow, 2000, 500, true},
      {"2000 x 499 too narrow", longAndNarrow, 2000, 499, false},
      {"1999 x 500 too short", longAndNarrow, 1999, 500, false},
      {"500 x 2000 too short", longAndNarrow, 500, 2000, false},
      {"surface exactly at the minimum", bySurface, 2000, 2000, true},
      {"surface one below", bySurface, 3999999, 1, false},
      // The surface filter ignores the sizes.
      {"small sides, large surface", bySurface, 1000, 5000, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OffcutPassesFilter(Offcut(1, c.length, c.width, 190, 0, 0), c.filter), c.passes)
        << c.name;
  }
}

struct Source {
  JobState job;
  std::vector<std::string> species{"Chêne", "Pin; maritime"};
  ExportTexts texts = LoadExportTexts();
  double factor = 10.0;
  ExportSource get() const { return {job, species, factor, texts, ','}; }
};

const std::string kTitle = "\xEF\xBB\xBFNombre;Longueur;Largeur;Epaisseur;Essence;Sens du fil;\n";

// A complex job in millimetres: the passing offcuts in list order, a species with ";" quoted.
TEST(OffcutFile, ComplexJobMatchesTheExpectedFile) {
  Source s;
  s.job.JobKind = 2;
  s.job.Offcuts = {Offcut(3, 2000, 2000, 190, 0, 0), Offcut(2, 2000, 1999, 190, 0, 0),
                   Offcut(1, 2505, 3000, 190, 1, 1)};
  EXPECT_EQ(OffcutFileBytes(s.get(), {0, 2000.0, 2000.0, 0}), Golden("offcuts-complex.csv"));
}

TEST(OffcutFile, SimpleJobAndEdgeCases) {
  struct Case {
    const char* name;
    int kind;
    std::vector<CHUTE> offcuts;
    OffcutFilter filter;
    std::string expected;
  };
  const std::vector<Case> cases{
      // Thickness "0" and no species in a simple job, as the job export writes them.
      {"simple job", 1, {Offcut(1, 2000, 2000, 190, 1, 2)}, {0, 0, 0, 0},
       kTitle + "1;200;200;0;Non spécifié;2;\n"},
      {"species outside the list", 2, {Offcut(1, 2000, 2000, 190, 5, 0)}, {0, 0, 0, 0},
       kTitle + "1;200;200;19;Non spécifié;0;\n"},
      {"no offcut passes", 2, {Offcut(1, 1000, 1000, 190, 0, 0)}, {0, 2000, 2000, 0}, kTitle},
      {"no offcut at all", 2, {}, {1, 0, 0, 0}, kTitle},
  };
  for (const Case& c : cases) {
    Source s;
    s.job.JobKind = c.kind;
    s.job.Offcuts = c.offcuts;
    EXPECT_EQ(OffcutFileBytes(s.get(), c.filter), c.expected) << c.name;
  }
}

// Every tenth of a millimetre of an offcut is written, in every unit: 19, 16 and 22 mm are three
// thicknesses in metres, not one "0,02".
TEST(OffcutFile, SizesKeepEveryTenthInEachUnit) {
  struct Case {
    const char* name;
    double factor;
    std::string lines;
  };
  const std::vector<Case> cases{
      {"millimetres", 10.0, "1;720,5;396,5;19;Chêne;0;\n1;2805;2070;16;Chêne;0;\n"},
      {"centimetres", 100.0, "1;72,05;39,65;1,9;Chêne;0;\n1;280,5;207;1,6;Chêne;0;\n"},
      {"metres", 10000.0, "1;0,7205;0,3965;0,019;Chêne;0;\n1;2,805;2,07;0,016;Chêne;0;\n"},
      // 7205 / 254 = 28.3661, 3965 / 254 = 15.6102, 190 / 254 = 0.7480; 28050 / 254 =
      // 110.4331, 20700 / 254 = 81.4961, 160 / 254 = 0.6299.
      {"inches", 254.0, "1;28,366;15,61;0,748;Chêne;0;\n1;110,433;81,496;0,63;Chêne;0;\n"},
  };
  for (const Case& c : cases) {
    Source s;
    s.job.JobKind = 2;
    s.factor = c.factor;
    s.job.Offcuts = {Offcut(1, 7205, 3965, 190, 0, 0), Offcut(1, 28050, 20700, 160, 0, 0)};
    EXPECT_EQ(OffcutFileBytes(s.get(), {0, 0, 0, 0}), kTitle + c.lines) << c.name;
  }
}

}  // namespace
}  // namespace tranchex
