#include "platform/Texts.h"

#include <gtest/gtest.h>

namespace tranchex {
namespace {

TEST(TextTable, TheProgramTableParsesWhole) {
  TextTable table;
  std::string error;
  EXPECT_TRUE(table.parse(kEmbeddedTextTable, &error)) << error;
  EXPECT_EQ(table.size(), ProgramTexts().size());
}

TEST(TextTable, ReadsEscapesAndKeepsSpaces) {
  TextTable table;
  ASSERT_TRUE(table.parse("# comment\n\n7\t en \n8\tune\\ndeux\\\\trois\\tq\r\n9\t\n"));
  EXPECT_EQ(*table.find(7), " en ");
  EXPECT_EQ(*table.find(8), "une\ndeux\\trois\tq");
  EXPECT_EQ(*table.find(9), "");
  EXPECT_EQ(table.find(10), nullptr);
}

TEST(TextTable, RefusesMalformedLines) {
  const char* bad[] = {"12 no tab\n", "x\ttext\n", "-1\ttext\n", "1\tbad \\q escape\n",
                       "1\ta\n1\tb\n", "1\ttrailing backslash\\\n"};
  for (const char* source : bad) {
    TextTable table;
    std::string error;
    EXPECT_FALSE(table.parse(source, &error)) << source;
    EXPECT_FALSE(error.empty());
  }
}

TEST(LoadString, GivesTheWholeTextWhateverTheBuffer) {
  EXPECT_EQ(LoadString(0, 20), "Tranchex");
  EXPECT_EQ(LoadString(0, 3), "Tranchex");
  EXPECT_EQ(LoadString(999999, 100), "");
}

}  // namespace
}  // namespace tranchex
