#include "job/Outils_debit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The same text with the decimal separator swapped: the cases below are written the French way.
std::string WithPoint(std::string text) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return text;
}

// ---- Rounding -----------------------------------------------------------------------------

TEST(RoundHalfAway, RoundsHalvesAwayFromZero) {
  const struct {
    double x;
    int expected;
  } cases[] = {
      {0.5, 1},           {-0.5, -1},           {-0.49, 0},          {2.5, 3},
      {-2.5, -3},         {2.4999, 2},          {0.0, 0},            {-0.0, 0},
      {1.5, 2},           {-1.4999999, -1},     {12345.5, 12346},    {-12345.5, -12346},
      // The largest double below one half must not round up.
      {0.49999999999999994, 0},                 {-0.49999999999999994, 0},
      {2147483646.5, 2147483647},               {2147483647.4, 2147483647},
      {-2147483647.5, -2147483648},             {-2147483648.4, -2147483648},
  };
  for (const auto& c : cases) {
    const std::optional<int> r = RoundHalfAway(c.x);
    ASSERT_TRUE(r.has_value()) << c.x;
    EXPECT_EQ(*r, c.expected) << c.x;
  }
}

TEST(RoundHalfAway, ReportsValuesThatNoIntHolds) {
  // What a user could type once multiplied by the unit factor: the entry must be refused, not
  // turned into a garbage int.
  for (const double x : {kNaN, kInf, -kInf, 2147483647.5, -2147483648.5, 1e10, -1e10, 1e300}) {
    EXPECT_FALSE(RoundHalfAway(x).has_value()) << x;
  }
}

TEST(RoundDouble, RoundsInSixtyFourBits) {
  EXPECT_EQ(RoundDouble(2147483647.5L), 2147483648LL);
  EXPECT_EQ(RoundDouble(-4294967296.5L), -4294967297LL);
  EXPECT_EQ(RoundDouble(9007199254740993.0L), 9007199254740993LL);  // needs the 64-bit mantissa
  EXPECT_EQ(RoundDouble(-9223372036854775807.0L), -9223372036854775807LL);
  EXPECT_FALSE(RoundDouble(9223372036854775808.0L).has_value());
  EXPECT_FALSE(RoundDouble(-9223372036854775809.0L).has_value());
  EXPECT_FALSE(RoundDouble(kNaN).has_value());
  EXPECT_FALSE(RoundDouble(-kInf).has_value());
}

// ---- Number texts ---------------------------------------------------------------------------

struct TextCase {
  double x;
  const char* expected;  // with ',' as the separator
};

TEST(FormatGeneral, WritesTheShortestTextOfFifteenDigits) {
  const TextCase cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {3.0, "3"},
      {-0.5, "-0,5"},
      {2.13, "2,13"},
      {1.0 / 3.0, "0,333333333333333"},
      {2.0 / 3.0, "0,666666666666667"},
      {0.00001, "0,00001"},
      {0.000009, "9E-6"},
      {-0.00000015, "-1,5E-7"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E15"},
      {1234567890123456.0, "1,23456789012346E15"},
      {100.0, "100"},
      {1200.5, "1200,5"},
      {kNaN, "NAN"},
      {kInf, "INF"},
      {-kInf, "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGeneral(c.x, ','), c.expected) << c.x;
    EXPECT_EQ(FormatGeneral(c.x, '.'), WithPoint(c.expected)) << c.x;
  }
}

TEST(FormatTwoDecimals, RoundsToTwoDecimalsWithTheGivenSeparator) {
  const TextCase cases[] = {
      {2.125, "2,13"},
      {3.0, "3"},
      {2.5, "2,5"},
      {-2.125, "-2,13"},
      {0.004, "0"},
      {-0.004, "0"},
      {0.005, "0,01"},
      {0.1, "0,1"},
      {0.01, "0,01"},
      {1.005, "1"},  // the double below 1.005 rounds down, as its true value says
      {1234567.891, "1234567,89"},
      {396.5, "396,5"},
      // Beyond 21,474,836.47 the hundredths no longer fit 32 bits.
      {21474836.48, "21474836,48"},
      {30000000.125, "30000000,13"},
      {10000000000.125, "10000000000,13"},
      {-10000000000.125, "-10000000000,13"},
      {1e17, "1E17"},
      {kNaN, "NAN"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTwoDecimals(c.x, ','), c.expected) << c.x;
    EXPECT_EQ(FormatTwoDecimals(c.x, '.'), WithPoint(c.expected)) << c.x;
  }
}

TEST(FormatThreeDecimals, RoundsToThreeDecimalsWithTheGivenSeparator) {
  const TextCase cases[] = {
      {19.0, "19"},
      {2.125, "2,125"},
      {-1.0625, "-1,063"},
      {0.0004, "0"},
      {0.0005, "0,001"},
      {1.9, "1,9"},
      // Beyond 2,147,483.647 the thousandths no longer fit 32 bits.
      {2147483.648, "2147483,648"},
      {4000000.0625, "4000000,063"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatThreeDecimals(c.x, ','), c.expected) << c.x;
    EXPECT_EQ(FormatThreeDecimals(c.x, '.'), WithPoint(c.expected)) << c.x;
  }
}

TEST(NumberTexts, IgnoreTheProcessLocale) {
  // The windows code sets the user's locale for the whole process; our texts must not follow it.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  bool set = false;
  for (const char* name : {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "de_DE.utf8"}) {
    if (std::setlocale(LC_NUMERIC, name)) {
      set = true;
      break;
    }
  }
  if (!set) GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(FormatTwoDecimals(2.125, '.'), "2.13");
  EXPECT_EQ(FormatThreeDecimals(0.000009, '.'), "0");
  EXPECT_EQ(FormatGeneral(0.0000015, '.'), "1.5E-6");
  EXPECT_EQ(FormatWithDecimalPoint(12.5), "12.50");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FormatWithDecimalPoint, WritesAPointAndTwoDecimalsUnlessWhole) {
  const struct {
    double x;
    const char* expected;
  } cases[] = {
      {12.25, "12.25"},
      {12.5, "12.50"},
      {12.004, "12.00"},
      {7.0, "7"},
      {0.0, "0"},
      {-0.0, "0"},
      {396.5, "396.50"},
      {0.004, "0.00"},
      {123456789.125, "123456789.13"},
      {1e20, "100000000000000000000"},
      // A fraction that rounds up to one carries into the whole part.
      {2.999, "3.00"},
      {0.996, "1.00"},
      // A negative keeps one sign in front.
      {-1.25, "-1.25"},
      {-0.25, "-0.25"},
      {-7.0, "-7"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatWithDecimalPoint(c.x), c.expected) << c.x;
}

// A plan is drawn with lengths divided by its scale (both in 0.1 mm), so the scale is the ratio:
// the label gives the whole number nearest to it, halves up, and 1 for a plan drawn at full size
// or enlarged.
TEST(FormatScaleLabel, PrintsTheNearestWholeRatio) {
  const struct {
    float scale;
    const char* number;
  } cases[] = {
      {12.2f, "12"},  {12.5f, "13"},  {12.7f, "13"},   {2.5f, "3"},       {2.49f, "2"},
      {2.51f, "3"},   {2.59f, "3"},   {1.5f, "2"},     {1.49f, "1"},      {1.0f, "1"},
      {10.0f, "10"},  {4.0f, "4"},    {33.3f, "33"},   {123.4f, "123"},   {5000.0f, "5000"},
      // Full size or enlarged: 1/1, never 1/0.
      {0.4f, "1"},    {0.7f, "1"},    {0.1f, "1"},     {0.05f, "1"},      {0.0f, "1"},
      {-0.0f, "1"},   {-3.0f, "1"},
      // Past 32 and 64 bits: the float's own whole value.
      {3e9f, "3000000000"},           {1e20f, "100000002004087734272"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatScaleLabel("Echelle", c.scale), std::string("Echelle : 1/") + c.number)
        << c.scale;
  }
  EXPECT_EQ(FormatScaleLabel("Echelle", std::numeric_limits<float>::quiet_NaN()),
            "Echelle : 1/?");
  EXPECT_EQ(FormatScaleLabel("", std::numeric_limits<float>::infinity()), " : 1/?");
  EXPECT_EQ(FormatScaleLabel("E", -std::numeric_limits<float>::infinity()), "E : 1/?");
}

// Every scale of a whole number of tenths, however the float was made, and the one just short of
// the next tenth: k tenths are nearest to (k + 5) div 10, halves up.
TEST(FormatScaleLabel, EveryTenthRoundsToItsNearestRatioHoweverTheFloatWasMade) {
  for (int k = 1; k <= 20000; ++k) {
    const std::string expected = "E : 1/" + std::to_string(std::max(1, (k + 5) / 10));
    const float divided = static_cast<float>(k) / 10.0f;
    const float multiplied = static_cast<float>(k) * 0.1f;
    const float justBelowNext = (static_cast<float>(k) + 0.9f) / 10.0f;
    ASSERT_EQ(FormatScaleLabel("E", divided), expected) << divided;
    ASSERT_EQ(FormatScaleLabel("E", multiplied), expected) << multiplied;
    ASSERT_EQ(FormatScaleLabel("E", justBelowNext), expected) << justBelowNext;
  }
}

// ---- Texts ----------------------------------------------------------------------------------

TEST(EllipsizeText, KeepsWhatFitsAndCutsTheRest) {
  const struct {
    const char* text;
    int characterWidth;
    int availableWidth;
    const char* expected;
  } cases[] = {
      {"abcdefghij", 7, 71, "abcdefghij"},
      {"abcdefghij", 7, 70, "abcdefg..."},  // 70 is not greater than 70
      {"abcdefghij", 7, 56, "abcde..."},
      {"abcdefghij", 7, 34, "a..."},
      // Less room than four characters: only the dots.
      {"abcdefghij", 7, 27, "..."},
      {"abcdefghij", 7, 0, "..."},
      {"abcdefghij", 7, -20, "..."},
      {"", 7, 1, ""},
      // Characters, not bytes: an accented letter is never split.
      {"éléphant rose", 7, 70, "éléphan..."},
      {"Pièce", 7, 36, "Pièce"},
      {"Pièces", 7, 42, "Piè..."},
      {"abc", 0, 10, "abc"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EllipsizeText(c.text, c.characterWidth, c.availableWidth), c.expected)
        << c.text << " " << c.characterWidth << " " << c.availableWidth;
  }
}

TEST(Placeholders, ValTakesTheFirstOccurrenceEvenInsideAWord) {
  EXPECT_EQ(ReplaceValPlaceholder("Impossible d'ouvrir le fichier val. Celui-ci est peut-être "
                                  "verrouillé par un autre programme.",
                                  "/home/léa/Mesdebits/cuisine.deb"),
            "Impossible d'ouvrir le fichier /home/léa/Mesdebits/cuisine.deb. Celui-ci est "
            "peut-être verrouillé par un autre programme.");
  EXPECT_EQ(ReplaceValPlaceholder("Une valeur val", "X"), "Une Xeur val");
  EXPECT_EQ(ReplaceValPlaceholder("Val puis val", "X"), "Val puis X");  // case-sensitive
  EXPECT_EQ(ReplaceValPlaceholder("val", ""), "");
  // A message without the placeholder is neither cut nor prefixed.
  EXPECT_EQ(ReplaceValPlaceholder("Aucun paramètre ici.", "X"), "Aucun paramètre ici.");
}

TEST(Placeholders, Val1Val2AndPanel) {
  const std::string range =
      "Vous devez saisir une valeur comprise entre val1 et val2 et utiliser pour les nombres.";
  const struct {
    std::string message;
    const char* first;
    const char* second;
    const char* third;
    const char* expected;
  } cases[] = {
      {range, "0", "6000 mm", "",
       "Vous devez saisir une valeur comprise entre 0 et 6000 mm et utiliser pour les nombres."},
      // An empty second value leaves "val2" as it is.
      {range, "0", "", "",
       "Vous devez saisir une valeur comprise entre 0 et val2 et utiliser pour les nombres."},
      {"val1 et val2 dans le panel.", "a", "b", "panneau", "a et b dans le panneau."},
      {"val1 et val2 dans le panel", "a", "b", "panneau", "a et b dans le panneau"},
      {"val1 et val2 dans le panel.", "a", "b", "", "a et b dans le panel."},
      // With an empty second value the third is not used.
      {"val1 et val2 dans le panel.", "a", "", "panneau", "a et val2 dans le panel."},
      // Only a "val2" after the first "val1" counts.
      {"val2 puis val1 puis val2", "A", "B", "", "val2 puis A puis B"},
      {"val1 sans second", "A", "B", "C", "A sans second"},
      {"val1 et val2 sans troisième", "A", "B", "C", "A et B sans troisième"},
      {"Aucun paramètre.", "A", "B", "C", "Aucun paramètre."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceVal1Val2Placeholders(c.message, c.first, c.second, c.third), c.expected)
        << c.message;
  }
}

TEST(Placeholders, TwoPassesFillARepeatedVal1) {
  // The swap question names the part twice before the panel: the second pass fills the second
  // "val1" and leaves the rest.
  const std::string question = "La val1 est plus large. Le sens de la val1 suit le val2. Fin.";
  const std::string once = ReplaceVal1Val2Placeholders(question, "pièce", "panneau", "");
  EXPECT_EQ(once, "La pièce est plus large. Le sens de la val1 suit le panneau. Fin.");
  EXPECT_EQ(ReplaceVal1Val2Placeholders(once, "pièce", "", ""),
            "La pièce est plus large. Le sens de la pièce suit le panneau. Fin.");
}

TEST(Placeholders, AnyPlaceholderFirstOccurrenceOnly) {
  const std::string message = "Modifiez la pièce ou la pièce voisine dans le panneau.";
  EXPECT_EQ(ReplacePlaceholder(message, "pièce", "planche"),
            "Modifiez la planche ou la pièce voisine dans le panneau.");
  EXPECT_EQ(ReplacePlaceholder(message, "panneau", "plateau"),
            "Modifiez la pièce ou la pièce voisine dans le plateau.");
  EXPECT_EQ(ReplacePlaceholder(message, "Pièce", "X"), message);
  EXPECT_EQ(ReplacePlaceholder(message, "absent", "X"), message);
  EXPECT_EQ(ReplacePlaceholder(message, "", "X"), message);
}

// ---- Rectangles -----------------------------------------------------------------------------

struct Box {
  int left, top, right, bottom;
};

TEST(RectsOverlapOrTouch, ClosedIntervalsOnBothAxes) {
  const Box a{10, 50, 40, 20};
  const struct {
    Box b;
    bool expected;
  } cases[] = {
      {{20, 40, 30, 30}, true},   // inside
      {{0, 60, 100, 0}, true},    // around
      {{30, 60, 60, 40}, true},   // overlapping a corner
      {{40, 50, 60, 20}, true},   // sharing the right edge
      {{0, 20, 10, 0}, true},     // sharing the lower-left corner
      {{10, 70, 40, 50}, true},   // sharing the top edge
      {{41, 50, 60, 20}, false},  // one unit to the right
      {{0, 50, 9, 20}, false},    // one unit to the left
      {{10, 19, 40, 0}, false},   // one unit below
      {{10, 70, 40, 51}, false},  // one unit above
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RectsOverlapOrTouch(a, c.b), c.expected)
        << c.b.left << "," << c.b.top << "," << c.b.right << "," << c.b.bottom;
    EXPECT_EQ(RectsOverlapOrTouch(c.b, a), c.expected) << "swapped";
  }
}

// ---- Paths and files ------------------------------------------------------------------------

TEST(PathPieces, SplitAtTheLastSeparator) {
  const struct {
    const char* path;
    const char* directory;
    const char* fileName;
    const char* extension;
  } cases[] = {
      {"/home/léa/Mesdebits/cuisine.deb", "/home/léa/Mesdebits/", "cuisine.deb", "deb"},
      {"cuisine.deb", "", "cuisine.deb", "deb"},
      {"/home/léa/", "/home/léa/", "", "/home/léa/"},
      {"/job", "/", "job", "/job"},
      {"", "", "", ""},
      {"archive.tar.gz", "", "archive.tar.gz", "gz"},
      {"export.", "", "export.", ""},
      // The extension scan crosses folders.
      {"/home/a.b/export", "/home/a.b/", "export", "b/export"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtractDirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(ExtractFileNamePart(c.path), c.fileName) << c.path;
    EXPECT_EQ(ExtractExtensionPart(c.path), c.extension) << c.path;
  }
}

TEST(CopyUnit, CopiesFactorAndAbbreviationOnly) {
  const UNITE_MESURE inch{254.0, "po", "pouce"};
  UNITE_MESURE unit{10.0, "mm", "texte gardé"};
  CopyUnit(inch, unit);
  EXPECT_EQ(unit.Factor, 254.0);
  EXPECT_EQ(unit.Abbreviation, "po");
  EXPECT_EQ(unit.SecondText, "texte gardé");
}

class ClearReadOnlyTest : public ::testing::Test {
 protected:
  fs::path MakeFile(const char* name, fs::perms perms) {
    const fs::path file = dir_.path() / name;
    std::ofstream(file) << "contenu";
    fs::permissions(file, perms, fs::perm_options::replace);
    return file;
  }
  test::TempDir dir_;
};

TEST_F(ClearReadOnlyTest, AMissingFileIsFine) {
  EXPECT_TRUE(ClearReadOnly(dir_.path() / "Options.dat"));
  EXPECT_FALSE(fs::exists(dir_.path() / "Options.dat"));
  EXPECT_TRUE(ClearReadOnly(dir_.path() / "no-such-folder" / "Options.dat"));
}

TEST_F(ClearReadOnlyTest, GivesAReadOnlyFileItsOwnerWriteBack) {
  using P = fs::perms;
  const fs::path file = MakeFile("Unite.dat", P::owner_read | P::group_read | P::others_read);
  EXPECT_TRUE(ClearReadOnly(file));
  EXPECT_EQ(fs::status(file).permissions(),
            P::owner_read | P::owner_write | P::group_read | P::others_read);
  std::ifstream in(file);
  std::string content;
  in >> content;
  EXPECT_EQ(content, "contenu");
}

TEST_F(ClearReadOnlyTest, LeavesAWritableFileAsItIs) {
  using P = fs::perms;
  const fs::path file = MakeFile("FEssences.dat", P::owner_read | P::owner_write | P::group_read);
  EXPECT_TRUE(ClearReadOnly(file));
  EXPECT_EQ(fs::status(file).permissions(), P::owner_read | P::owner_write | P::group_read);
}

// Causes that stop root as well as anyone: the file's attributes cannot be read, so they cannot
// be known to allow writing.
TEST_F(ClearReadOnlyTest, FailsWhenTheFileCannotBeReached) {
  const fs::path loop = dir_.path() / "Options.dat";
  fs::create_symlink("Options.dat", loop);  // a link to itself: no file is ever reached
  const fs::path chain = dir_.path() / "Unite.dat";
  fs::create_symlink("Options.dat", chain);  // a link into that loop
  const fs::path tooLong = dir_.path() / std::string(300, 'n') / "FEssences.dat";
  for (const fs::path& file : {loop, chain, tooLong}) {
    SCOPED_TRACE(file.filename().string());
    EXPECT_FALSE(ClearReadOnly(file));
  }
  // The links are left as they were.
  EXPECT_EQ(fs::read_symlink(loop), "Options.dat");
  EXPECT_EQ(fs::read_symlink(chain), "Options.dat");
}

}  // namespace
}  // namespace tranchex

namespace tranchex {
namespace {

// The two- and three-decimal texts round the product of the value by 100 or 1000 taken as a
// double, halves away from zero. Values are lengths in tenths of a millimetre over the unit
// factor, as the summaries and dialogs show them; the products were worked out in double
// arithmetic.
struct HalfwayCase {
  double internal;
  double factor;
  int decimals;
  const char* expected;
};

TEST(RoundedTexts, HalfwayLengthsInEachUnit) {
  const HalfwayCase cases[] = {
      {185.0, 10000.0, 3, "0,019"},   // 18,5 mm in metres: 0.0185 x 1000 = 18.5
      {45.0, 10000.0, 3, "0,005"},    // 4,5 mm in metres
      {150.0, 10000.0, 2, "0,02"},    // 15 mm in metres: 0.015 x 100 = 1.5
      {5116.5, 100.0, 2, "51,17"},    // 511,65 mm in cm: 51.165 x 100 = 5116.5
      {5117.0, 100.0, 2, "51,17"},
      {1.5, 100.0, 2, "0,02"},        // 0,15 mm in cm
      {185.0, 10.0, 2, "18,5"},       // millimetres: nothing to round
      {12345.0, 10.0, 3, "1234,5"},
      {3175.0, 254.0, 2, "12,5"},     // inches
      {100.0, 254.0, 2, "0,39"},      // 0.3937... inch
      {-5116.5, 100.0, 2, "-51,17"},  // halves away from zero below zero too
  };
  for (const HalfwayCase& c : cases) {
    const double x = c.internal / c.factor;
    const std::string text =
        c.decimals == 2 ? FormatTwoDecimals(x, ',') : FormatThreeDecimals(x, ',');
    EXPECT_EQ(text, c.expected) << c.internal << " / " << c.factor;
  }
}

}  // namespace
}  // namespace tranchex

namespace tranchex {
namespace {

// A size is written with the decimals a tenth of a millimetre needs in its unit.
struct SizeCase {
  double tenths;
  double factor;
  const char* expected;
};

TEST(FormatSize, WritesEveryTenthOfAMillimetreInEachUnit) {
  const SizeCase cases[] = {
      {7205.0, kMillimetreFactor, "720,5"},  {7205.0, kCentimetreFactor, "72,05"},
      {7205.0, kMetreFactor, "0,7205"},      {7205.0, kInchFactor, "28,366"},
      {3965.0, kMetreFactor, "0,3965"},      {190.0, kMetreFactor, "0,019"},
      {160.0, kMetreFactor, "0,016"},        {220.0, kMetreFactor, "0,022"},
      {190.0, kMillimetreFactor, "19"},      {190.0, kCentimetreFactor, "1,9"},
      {28050.0, kMetreFactor, "2,805"},      {28000.0, kMillimetreFactor, "2800"},
      {28000.0, kMetreFactor, "2,8"},        {28000.0, kInchFactor, "110,236"},
      {1.0, kMillimetreFactor, "0,1"},       {1.0, kCentimetreFactor, "0,01"},
      {1.0, kMetreFactor, "0,0001"},         {1.0, kInchFactor, "0,004"},
      {1000.0, kInchFactor, "3,937"},        {254.0, kInchFactor, "1"},
      {0.0, kMetreFactor, "0"},              {10000000.0, kMetreFactor, "1000"},
  };
  for (const SizeCase& c : cases) {
    EXPECT_EQ(FormatSize(c.tenths, c.factor, ','), c.expected) << c.tenths << " / " << c.factor;
    EXPECT_EQ(FormatSize(c.tenths, c.factor, '.'), WithPoint(c.expected));
  }
  EXPECT_EQ(SizeDecimals(kMillimetreFactor), 1);
  EXPECT_EQ(SizeDecimals(kCentimetreFactor), 2);
  EXPECT_EQ(SizeDecimals(kInchFactor), 3);
  EXPECT_EQ(SizeDecimals(kMetreFactor), 4);
}

TEST(FormatSize, ReadBackGivesTheTenthsItCameFrom) {
  // What a person or a program reads is the text times the factor, rounded half away: every
  // tenth up to 10 m and a few large ones come back whole in every unit.
  for (const double factor : {kMillimetreFactor, kCentimetreFactor, kMetreFactor, kInchFactor}) {
    int wrong = 0;
    auto check = [&](int tenths) {
      const std::string text = FormatSize(tenths, factor, '.');
      const auto back = RoundHalfAway(std::strtod(text.c_str(), nullptr) * factor);
      if (!back || *back != tenths) ++wrong;
    };
    for (int tenths = 0; tenths <= 100000; ++tenths) check(tenths);
    for (int tenths : {1000000, 9999999, 10000000, 2147483647}) check(tenths);
    EXPECT_EQ(wrong, 0) << "factor " << factor;
  }
}

}  // namespace
}  // namespace tranchex
