// What a person types into a numeric field: read, scaled, rounded, bounded and shown again.

#include "job/NumberEntry.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Texts.h"

namespace tranchex {
namespace {

// Lengths: 0 excluded, the upper bound included (60000 internal units: 6000 mm).
const EntryRange kLength{0.0, false, 60000.0, true};

struct LengthCase {
  const char* name;
  double factor;
  char separator;
  const char* typed;
  std::optional<int> stored;  // nothing: refused
  const char* shown;          // the field's text once accepted
};
void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class LengthEntry : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LengthEntry, StoresRoundsAndShows) {
  const LengthCase& c = GetParam();
  const auto entry = CheckLengthEntry(c.typed, c.factor, kLength, c.separator);
  ASSERT_EQ(entry.has_value(), c.stored.has_value());
  if (!entry) return;
  EXPECT_EQ(entry->Value, *c.stored);
  EXPECT_EQ(entry->Text, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LengthEntry,
    ::testing::Values(
        // A half rounds away from zero; the stored value is shown when it differs from the
        // number as typed, the typed text stays otherwise.
        LengthCase{"CmHalfRoundsUp", 100.0, ',', "0,125", 13, "0,13"},
        LengthCase{"CmTypedTextKept", 100.0, ',', "12,5", 1250, "12,5"},
        LengthCase{"MmHundredthsShownRounded", 10.0, ',', "1200,06", 12001, "1200,1"},
        LengthCase{"MmTrailingZeroKept", 10.0, ',', "1200,0", 12000, "1200,0"},
        LengthCase{"MmPointWhereThePointIsRegional", 10.0, '.', "12.5", 125, "12.5"},
        LengthCase{"InchHalf", 254.0, ',', "0,5", 127, "0,5"},
        LengthCase{"InchWhole", 254.0, ',', "3", 762, "3"},
        LengthCase{"MetreTenthOfMm", 10000.0, ',', "1,25", 12500, "1,25"},
        LengthCase{"BlanksAround", 10.0, ',', " 250 ", 2500, " 250 "},
        LengthCase{"UpperBoundAccepted", 10.0, ',', "6000", 60000, "6000"},
        LengthCase{"Exponent", 10.0, ',', "1e3", 10000, "1e3"},
        LengthCase{"NegativeExponentRoundsHalfAway", 10.0, ',', "2,5E-1", 3, "0,3"},
        // Refused.
        LengthCase{"OneUnitAboveTheBound", 10.0, ',', "6000,1", std::nullopt, ""},
        LengthCase{"Zero", 10.0, ',', "0", std::nullopt, ""},
        LengthCase{"RoundsToZero", 10.0, ',', "0,04", std::nullopt, ""},
        LengthCase{"Negative", 10.0, ',', "-5", std::nullopt, ""},
        LengthCase{"Empty", 10.0, ',', "", std::nullopt, ""},
        LengthCase{"Letters", 10.0, ',', "abc", std::nullopt, ""},
        LengthCase{"NumberThenLetters", 10.0, ',', "12mm", std::nullopt, ""},
        LengthCase{"PointUnderAComma", 10.0, ',', "12.5", std::nullopt, ""},
        LengthCase{"GroupSeparator", 10.0, ',', "1 200,5", std::nullopt, ""},
        LengthCase{"TwoSeparators", 10.0, ',', "1,2,5", std::nullopt, ""},
        LengthCase{"PastThirtyTwoBits", 10.0, ',', "1e300", std::nullopt, ""},
        LengthCase{"NotANumber", 10.0, ',', "nan", std::nullopt, ""},
        LengthCase{"Infinity", 10.0, ',', "inf", std::nullopt, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LengthEntry, AValuePastThirtyTwoBitsIsRefusedWhateverTheBound) {
  const EntryRange huge{0.0, false, 1e12, true};
  EXPECT_FALSE(CheckLengthEntry("300000000", 10.0, huge, ','));  // 3e9 internal units
  EXPECT_TRUE(CheckLengthEntry("200000000", 10.0, huge, ','));   // 2e9 fits
}

TEST(LengthEntry, AnUpperBoundMayBeExcluded) {
  // The saw kerf: 0 allowed, 500 internal units not.
  const EntryRange kerf{0.0, true, 500.0, false};
  EXPECT_EQ(CheckLengthEntry("0", 10.0, kerf, ',')->Value, 0);
  EXPECT_EQ(CheckLengthEntry("49,9", 10.0, kerf, ',')->Value, 499);
  EXPECT_FALSE(CheckLengthEntry("50", 10.0, kerf, ','));
}

struct ParseCase {
  const char* text;
  std::optional<double> value;
};

// Numbers as a person types them under a comma: exponents included, nothing but the number.
TEST(ParseRegionalNumber, ReadsWhatAPersonTypes) {
  const ParseCase cases[] = {
      {"1e3", 1000.0},         {"2,5E-1", 0.25},       {"-1,5e+2", -150.0},
      {",5", 0.5},             {" 12,5 ", 12.5},       {"1e300", 1e300},
      {"1e", std::nullopt},    {"e3", std::nullopt},   {"1e400", std::nullopt},
      {"1,5e2,1", std::nullopt}, {"12.5", std::nullopt}, {"", std::nullopt},
  };
  for (const ParseCase& c : cases) {
    const std::optional<double> value = ParseRegionalNumber(c.text, ',');
    ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
    if (value) {
      EXPECT_DOUBLE_EQ(*value, *c.value) << c.text;
    }
  }
}

struct CountCase {
  const char* typed;
  std::optional<int> count;
};

TEST(CountEntry, WholeNumbersInTheirRange) {
  const EntryRange quantity{0.0, false, 100000.0, true};
  const CountCase cases[] = {{"1", 1},          {"100000", 100000}, {" 12 ", 12},
                             {"2,5", std::nullopt}, {"0", std::nullopt},  {"-3", std::nullopt},
                             {"", std::nullopt},    {"abc", std::nullopt}, {"100001", std::nullopt},
                             {"99999999999", std::nullopt}};
  for (const CountCase& c : cases) {
    const auto entry = CheckCountEntry(c.typed, quantity);
    ASSERT_EQ(entry.has_value(), c.count.has_value()) << c.typed;
    if (entry) {
      EXPECT_EQ(entry->Value, *c.count) << c.typed;
    }
  }
}

TEST(RangeRefusalMessage, GivesTheBoundsInTheUnit) {
  const std::string field = LoadString(113);
  const std::string range = LoadString(118);
  UNITE_MESURE mm;
  const std::string message = RangeRefusalMessage(field, range, 60000.0, mm, ',');
  EXPECT_EQ(message, "Valeur non valide pour une longueur !\nVous devez saisir une valeur comprise "
                     "entre 0 et 6000 mm et utiliser pour les nombres décimaux le séparateur "
                     "décimal paramétré dans les options régionales et linguistiques de votre "
                     "ordinateur.");
  UNITE_MESURE inch{254.0, "pouces", ""};
  // 60000 / 254 = 236,2204...
  EXPECT_NE(RangeRefusalMessage(field, range, 60000.0, inch, ',').find("entre 0 et 236,22 pouces"),
            std::string::npos);
}

struct BoundTextCase {
  double bound;
  bool included;
  double factor;
  const char* text;
};

// The bound a refusal names is one the field takes back: rounded down where the nearest text
// would read back past it.
TEST(UpperBoundText, IsAcceptedWhenTypedBack) {
  const BoundTextCase cases[] = {
      {60000, true, 10.0, "6000"},        // 6000 mm
      {28000, true, 254.0, "110,23"},     // 110,236 inches; "110,24" would be 2800,1 mm
      {60000, true, 254.0, "236,22"},     // 236,2204 inches, nearest already below
      {28050, true, 10000.0, "2,8"},      // 2,805 m; "2,81" would be 2810 mm
      {28000, true, 10000.0, "2,8"},
      {1500, true, 100.0, "15"},
      {500, false, 10.0, "50"},           // an excluded bound is named as it is
      {28050, false, 10000.0, "2,81"},
  };
  for (const BoundTextCase& c : cases) {
    const std::string text = UpperBoundText(c.bound, c.included, c.factor, ',');
    EXPECT_EQ(text, c.text) << c.bound << " / " << c.factor;
    if (!c.included) continue;
    const auto entry =
        CheckLengthEntry(text, c.factor, EntryRange{0.0, false, c.bound, true}, ',');
    EXPECT_TRUE(entry.has_value()) << text;
  }
}

}  // namespace
}  // namespace tranchex
