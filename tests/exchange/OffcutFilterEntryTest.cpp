// The offcut filter's typed values: turned into stored units, rounded and bounded.

#include "exchange/OffcutFilterEntry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tranchex {
namespace {

constexpr double kMm = 10.0;
constexpr double kMaxLength = 60000.0;  // 6000 mm

TEST(OffcutFilterEntry, MillimetreEntries) {
  struct Case {
    const char* text;
    FilterField field;
    std::optional<double> stored;
    const char* shown;  // the text the stored value reads back as
  };
  const std::vector<Case> cases{
      {"0", FilterField::Length, 0.0, "0"},
      {"-1", FilterField::Length, std::nullopt, ""},
      {"5999,9", FilterField::Width, 59999.0, "5999,9"},
      {"6000", FilterField::Width, std::nullopt, ""},
      {"6000", FilterField::Length, std::nullopt, ""},
      {"200,456", FilterField::Length, 2005.0, "200,5"},
      {"abc", FilterField::Length, std::nullopt, ""},
      {"40000", FilterField::Surface, 4000000.0, "40000"},
      // 25 m²: beyond 32 bits once in square internal units, yet well inside 6000 mm squared.
      {"25000000", FilterField::Surface, 2500000000.0, "25000000"},
      {"36000000", FilterField::Surface, std::nullopt, ""},
      {"-5", FilterField::Surface, std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const std::optional<double> got = CheckFilterEntry(c.text, c.field, kMm, kMaxLength, ',');
    EXPECT_EQ(got, c.stored) << c.text;
    if (got) {
      EXPECT_EQ(FilterValueText(*got, c.field, kMm, ','), c.shown) << c.text;
    }
  }
}

}  // namespace
}  // namespace tranchex
