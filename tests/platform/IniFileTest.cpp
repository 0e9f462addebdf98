// The INI reader reads as the Windows profile functions do: sections and keys without regard to
// case, the first of a repeat, blanks and one pair of quotes around a value dropped, "" for
// anything missing; a file too large or not text is not read at all.

#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;

const char kList[] =
    "; the maker's list\r\n"
    "Orphan=before any section\r\n"
    "[Autre2.0]\r\n"
    "DateMaj=2020-01-01T00:00:00\r\n"
    "[tranchex1.6]\r\n"
    "  datemaj =  2027-01-15T09:00:00  \r\n"
    "UrlMaj=\"https://example.org/setup 1.6.exe\"\r\n"
    "NomPInstall='setup.exe'\r\n"
    "Quote=\"half\r\n"
    "DerVersion=Tranchex1.6\r\n"
    "DerVersion=Tranchex9.9\r\n"
    "not a key line\r\n"
    "=no key\r\n"
    "Empty=\r\n"
    "[TRANCHEX1.6]\r\n"
    "UrlMaj=http://second-section.example.org/\r\n"
    "Extra=from the repeated section\r\n";

TEST(IniFile, FindsValuesAsTheProfileFunctionsDo) {
  const std::optional<IniFile> ini = IniFile::Parse(kList);
  ASSERT_TRUE(ini.has_value());
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"Tranchex1.6", "DateMaj", "2027-01-15T09:00:00"},  // case and blanks ignored
      {"TRANCHEX1.6", "DATEMAJ", "2027-01-15T09:00:00"},
      {"Tranchex1.6", "UrlMaj", "https://example.org/setup 1.6.exe"},  // quotes dropped
      {"Tranchex1.6", "NomPInstall", "setup.exe"},
      {"Tranchex1.6", "Quote", "\"half"},  // an unmatched quote stays
      {"Tranchex1.6", "DerVersion", "Tranchex1.6"},  // the first of a repeated key
      {"Tranchex1.6", "Extra", ""},  // a repeated section is not read
      {"Tranchex1.6", "Empty", ""},
      {"Tranchex1.6", "Missing", ""},
      {"Tranchex1.6", "not a key line", ""},
      {"Autre2.0", "DateMaj", "2020-01-01T00:00:00"},
      {"Autre2.0", "DerVersion", ""},  // keys stay in their own section
      {"Absent", "DateMaj", ""},
      {"", "Orphan", ""},  // a key before any section belongs to none
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini->Value(c.section, c.key), c.value) << c.section << " / " << c.key;
  }
}

TEST(IniFile, ReadsEveryLineEndAndDropsAByteOrderMark) {
  for (const char* text : {"\xEF\xBB\xBF[S]\nK=v\n", "[S]\r\nK=v", "[S]\rK=v\r", "[ S ]\nK=v"}) {
    const std::optional<IniFile> ini = IniFile::Parse(text);
    ASSERT_TRUE(ini.has_value()) << text;
    EXPECT_EQ(ini->Value("s", "k"), "v") << text;
  }
}

TEST(IniFile, TextWithANulByteIsNotRead) {
  EXPECT_FALSE(IniFile::Parse(std::string("[S]\nK=v\0w\n", 11)).has_value());
  // An empty text is a list without sections.
  ASSERT_TRUE(IniFile::Parse("").has_value());
  EXPECT_EQ(IniFile::Parse("")->Value("S", "K"), "");
}

TEST(IniFile, OpensOnlyAReadableFileWithinTheBound) {
  test::TempDir dir;
  auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream(dir.path() / name, std::ios::binary) << bytes;
    return dir.path() / name;
  };
  // Exactly at the bound: read; one byte more: refused whole.
  std::string atBound = "[S]\nK=v\n;";
  atBound.resize(kMaxIniFileBytes, 'x');
  const std::optional<IniFile> read = OpenIniFile(write("bound.ini", atBound));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Value("S", "K"), "v");
  EXPECT_FALSE(OpenIniFile(write("over.ini", atBound + "x")).has_value());

  EXPECT_FALSE(OpenIniFile(dir.path() / "missing.ini").has_value());
  fs::create_directory(dir.path() / "folder.ini");
  EXPECT_FALSE(OpenIniFile(dir.path() / "folder.ini").has_value());
  EXPECT_FALSE(OpenIniFile(write("binary.ini", std::string("[S]\0", 4))).has_value());
}

}  // namespace
}  // namespace tranchex
