// The job file's tag belongs to the file format: four fixed bytes that the writer puts first and
// the reader looks for, whatever the language texts hold.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "job/FilesTestBytes.h"
#include "job/JobFile.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

using test::JobBuilder;
using test::ReadBytes;
using test::TempDir;

// The tag field: the text "1.6" followed by its NUL, four bytes.
constexpr char kTagBytes[] = {0x31, 0x2E, 0x36, 0x00};
// JobKind 2 as a little-endian 32-bit integer: what an untagged file starts with.
constexpr char kComplexKindBytes[] = {0x02, 0x00, 0x00, 0x00};

TEST(JobFileTag, IsTheTextOnePointSixAndItsNul) {
  EXPECT_EQ(kJobTagSize, 4u);
  EXPECT_EQ(kJobFileTag, std::string_view(kTagBytes, sizeof kTagBytes));
}

// A saved file starts with the tag, then the job kind; the untagged form starts with the kind.
// One panel and one part: 4 + 48 header bytes, a 304-byte panel, an 88-byte part, a 50-byte
// designation and a 4-byte reference.
TEST(JobFileTag, StartsEveryTaggedFileAndNoUntaggedOne) {
  TempDir dir;
  const JobState job =
      JobBuilder().kind(2).kerf(30).panel(28000, 20700).part(6000, 4000, 1).build();
  struct Case {
    JobFileForm form;
    std::string_view head;
    std::size_t size;
  };
  const Case cases[] = {
      {JobFileForm::Tagged, std::string_view(kTagBytes, 4), 4 + 48 + 304 + 88 + 50 + 4},
      {JobFileForm::Untagged, std::string_view(kComplexKindBytes, 4), 48 + 304 + 88 + 50 + 4},
  };
  for (const Case& c : cases) {
    const bool tagged = c.form == JobFileForm::Tagged;
    const auto path = dir.path() / (tagged ? "tagged.deb" : "untagged.deb");
    SaveJobFile(job, path, c.form);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), c.size) << (tagged ? "tagged" : "untagged");
    EXPECT_EQ(std::string_view(bytes).substr(0, 4), c.head) << (tagged ? "tagged" : "untagged");
    if (tagged) {
      EXPECT_EQ(std::string_view(bytes).substr(4, 4),
                std::string_view(kComplexKindBytes, sizeof kComplexKindBytes));
    }
    JobState loaded;
    ASSERT_NO_THROW(LoadJobFile(loaded, path)) << (tagged ? "tagged" : "untagged");
    EXPECT_EQ(loaded.JobKind, 2);
  }
}

}  // namespace
}  // namespace tranchex
