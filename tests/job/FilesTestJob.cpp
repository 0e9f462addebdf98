// The job file: fixtures built byte by byte from the layout, read, written and read again; every
// refusal leaves the job exactly as it was.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "job/CuttingPipeline.h"
#include "job/FilesTestBytes.h"
#include "job/JobFile.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

namespace fs = std::filesystem;
using test::JobBuilder;
using test::PutF64;
using test::PutI32;
using test::PutText;
using test::PutU16;
using test::PutU8;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr char kFiller = '\xCD';  // the bytes a reader must not look at

// ---- The fixture ------------------------------------------------------------------------------

struct RawRecord {
  double Length = 28000.0;
  double Width = 20700.0;
  double Thickness = 190.0;
  std::int32_t Species = 0;
  std::int32_t Grain = 2;
  std::int32_t Quantity = 1;
  std::int32_t DesignationIndex = 0;
};

struct RawPanel : RawRecord {
  std::int32_t CutLength = 1234;
  std::int32_t LastPart = 55;  // ignored by the reader
  std::int32_t EntryIndex = 0;
  std::int32_t FreeCount = 7;  // list counts of the stored headers, ignored too
  std::int32_t PlacedCount = 0;
  std::int32_t CutCount = 9;
};

struct RawPart : RawRecord {
  TRect Footprint{1, 2, 3, 4};
  std::int32_t Unused = 0x0BADF00D;
  std::int32_t Number = 0;
};

struct RawJob {
  bool Tagged = true;
  std::string Tag = std::string("1.6\0", 4);
  std::int32_t Kind = 2;
  std::int32_t Kerf = 30;
  double Margins[3] = {50.0, 25.5, 10.0};
  std::uint8_t Differentiated = 1;
  std::uint8_t ThickerStock = 1;
  std::uint16_t Padding = 0xBEEF;
  std::int32_t Reserved = 0x12345678;
  std::optional<std::int32_t> PanelCount;  // the stored N1 when it is not the list's size
  std::optional<std::int32_t> PartCount;
  std::vector<RawPanel> Panels;
  std::vector<RawPart> Parts;
  std::vector<std::string> Designations;  // Windows-1252 bytes
  std::vector<std::string> References;
};

RawJob SampleJob() {
  RawJob job;
  RawPanel a;
  RawPanel b;
  b.Length = 24400.5;
  b.Width = 12200.0;
  b.Species = 1;
  b.Grain = 0;
  b.Quantity = 3;
  b.EntryIndex = 1;
  b.PlacedCount = 3;  // a stored non-zero count is ignored
  job.Panels = {a, b};
  RawPart p;
  p.Length = 6000.0;
  p.Width = 4000.0;
  p.Quantity = 2;
  RawPart q;
  q.Length = 7000.9;
  q.Width = 350.2;
  q.Thickness = 190.0;
  q.Species = 1;
  q.Grain = 1;
  q.Quantity = 5;
  q.DesignationIndex = 1;
  q.Number = 1;
  job.Parts = {p, q};
  job.Designations = {"Montant", "\xC9tag\xE8re du haut"};  // "Étagère du haut"
  job.References = {"a", "b\xE9"};
  return job;
}

void PutRecord(std::string& buf, std::size_t off, const RawRecord& r) {
  PutF64(buf, off + 0, r.Length * r.Width);
  PutI32(buf, off + 8, 0);
  PutI32(buf, off + 12, TruncToInt(r.Width));
  PutI32(buf, off + 16, TruncToInt(r.Length));
  PutI32(buf, off + 20, 0);
  PutF64(buf, off + 24, r.Length);
  PutF64(buf, off + 32, r.Width);
  PutF64(buf, off + 40, r.Thickness);
  PutI32(buf, off + 48, r.Species);
  PutI32(buf, off + 52, r.Grain);
  PutI32(buf, off + 56, r.Quantity);
  PutI32(buf, off + 60, r.DesignationIndex);
}

std::size_t Base(const RawJob& job) { return job.Tagged ? 4 : 0; }

std::size_t FileSize(const RawJob& job) {
  return Base(job) + 48 + 304 * job.Panels.size() + 88 * job.Parts.size() +
         50 * job.Designations.size() + 4 * job.References.size();
}

std::string Build(const RawJob& job) {
  std::string buf(FileSize(job), kFiller);
  if (job.Tagged) {
    for (std::size_t i = 0; i < 4; ++i) buf[i] = job.Tag[i];
  }
  const std::size_t h = Base(job);
  PutI32(buf, h + 0, job.Kind);
  PutI32(buf, h + 4, job.Kerf);
  PutF64(buf, h + 8, job.Margins[0]);
  PutF64(buf, h + 16, job.Margins[1]);
  PutF64(buf, h + 24, job.Margins[2]);
  PutU8(buf, h + 32, job.Differentiated);
  PutU8(buf, h + 33, job.ThickerStock);
  PutU16(buf, h + 34, job.Padding);
  PutI32(buf, h + 36, job.Reserved);
  PutI32(buf, h + 40, job.PanelCount.value_or(static_cast<std::int32_t>(job.Panels.size())));
  PutI32(buf, h + 44, job.PartCount.value_or(static_cast<std::int32_t>(job.Parts.size())));
  std::size_t off = h + 48;
  for (const RawPanel& p : job.Panels) {
    PutRecord(buf, off, p);
    PutI32(buf, off + 112, p.FreeCount);
    PutI32(buf, off + 184, p.PlacedCount);
    PutI32(buf, off + 256, p.CutCount);
    PutU8(buf, off + 280, 1);     // GridRotate
    PutI32(buf, off + 284, 42);   // GridCount
    PutU8(buf, off + 288, 1);     // GridMode
    PutI32(buf, off + 292, p.CutLength);
    PutI32(buf, off + 296, p.LastPart);
    PutI32(buf, off + 300, p.EntryIndex);
    off += 304;
  }
  for (const RawPart& p : job.Parts) {
    PutRecord(buf, off, p);
    PutI32(buf, off + 64, p.Footprint.left);
    PutI32(buf, off + 68, p.Footprint.top);
    PutI32(buf, off + 72, p.Footprint.right);
    PutI32(buf, off + 76, p.Footprint.bottom);
    PutI32(buf, off + 80, p.Unused);
    PutI32(buf, off + 84, p.Number);
    off += 88;
  }
  for (const std::string& d : job.Designations) {
    PutText(buf, off, d);
    off += 50;
  }
  for (const std::string& r : job.References) {
    PutText(buf, off, r);
    off += 4;
  }
  EXPECT_EQ(off, buf.size());
  return buf;
}

// 1 where the layout fixes the byte, 0 where a writer may put anything.
std::string FixedBytes(const RawJob& job) {
  std::string mask(FileSize(job), '\1');
  std::size_t off = Base(job) + 48;
  auto free = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) mask[off + i] = '\0';
  };
  for (std::size_t n = 0; n < job.Panels.size(); ++n, off += 304) {
    free(60, 184);   // DesignationIndex, the free-rectangle list area
    free(188, 292);  // the rest of the list areas, the grid fields
    free(296, 300);  // LastPart
  }
  off += 88 * job.Parts.size();
  for (const std::string& d : job.Designations) {
    free(d.size() + 1, 50);
    off += 50;
  }
  for (const std::string& r : job.References) {
    free(r.size() + 1, 4);
    off += 4;
  }
  return mask;
}

void ExpectSameWhereFixed(const std::string& written, const RawJob& fixture) {
  const std::string expected = Build(fixture);
  const std::string mask = FixedBytes(fixture);
  ASSERT_EQ(written.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (mask[i]) {
      EXPECT_EQ(static_cast<unsigned char>(written[i]), static_cast<unsigned char>(expected[i]))
          << "at byte " << i;
    }
  }
}

// ---- The job in memory ------------------------------------------------------------------------

void DescribeRecord(std::ostream& os, const TPanneau& r) {
  os << r.Area << ' ' << r.Rect << ' ' << r.Length << ' ' << r.Width << ' ' << r.Thickness << ' '
     << r.Species << ' ' << r.Grain << ' ' << r.Quantity << ' ' << r.DesignationIndex << ' ';
}

// Every field of the job a load could change, as text.
std::string Digest(const JobState& job, bool withPathAndFlags = true) {
  std::ostringstream os;
  os << std::hexfloat << job.JobKind << ' ' << job.JobKerf << ' ' << job.JobMargins.LengthMargin
     << ' ' << job.JobMargins.WidthMargin << ' ' << job.JobMargins.ThicknessMargin << ' '
     << int(job.JobMargins.DifferentiatedMargins) << ' ' << int(job.JobMargins.ThickerStockAllowed)
     << ' ' << job.JobMargins.Padding << ' ' << job.JobMargins.Reserved << '\n';
  for (const Panneau_p& p : job.JobPanels) {
    DescribeRecord(os, p);
    for (const MONRect& r : p.FreeRects) os << r;
    os << ' ' << p.PlacedParts.size() << ' ' << p.CutLines.size() << ' ' << int(p.GridRotate)
       << ' ' << p.GridCount << ' ' << int(p.GridMode) << ' ' << p.CutLength << ' ' << p.LastPart
       << ' ' << p.EntryIndex << '\n';
  }
  for (const TPiece& p : job.JobParts) {
    DescribeRecord(os, p);
    os << p.Footprint << ' ' << p.Unused << ' ' << p.Number << '\n';
  }
  for (const std::string& d : job.JobDesignations) os << '[' << d << ']';
  for (const std::string& r : job.JobReferences) os << '[' << r << ']';
  os << '\n'
     << job.ResultPanels.size() << ' ' << job.PartGroups.size() << ' ' << job.SummaryLines.size()
     << ' ' << job.Offcuts.size() << ' ' << job.PanelPages.size() << ' '
     << job.Engine.PartCounts.size() << ' ' << job.Engine.PartCounter << ' '
     << job.Engine.OptimisationCriterion << ' ' << job.Engine.NewPanelChoice;
  if (withPathAndFlags) {
    os << ' ' << job.JobPath << ' ' << job.JobName << ' ' << int(job.JobLoaded) << ' '
       << int(job.JobUntitled) << ' ' << int(job.JobModified);
  }
  return os.str();
}

// A job already open, with its layout: what a refused load must leave as it is.
JobState CurrentJob() {
  JobState job = JobBuilder()
                     .kind(1)
                     .kerf(40)
                     .margins(20, 20)
                     .panel(25000, 12500, 2)
                     .part(5000, 3000, 2, GrainIndifferent, 190.0, 0, "Côté", "a")
                     .build();
  ComputeCuttingPlan(job, test::TestSettings(), DrawingMeasures{}, PipelineVariant::New);
  job.JobPath = "/tmp/courant.deb";
  job.JobName = "courant.deb";
  job.JobModified = 1;
  return job;
}

class JobFileTest : public ::testing::Test {
 protected:
  fs::path Write(const std::string& bytes, const char* name = "fixture.deb") {
    const fs::path path = dir_.path() / name;
    WriteBytes(path, bytes);
    return path;
  }
  JobState Load(const RawJob& raw) {
    JobState job;
    LoadJobFile(job, Write(Build(raw)));
    return job;
  }
  TempDir dir_;
};

// ---- Reading ----------------------------------------------------------------------------------

TEST_F(JobFileTest, ReadsEveryFieldOfTheLayout) {
  const JobState job = Load(SampleJob());
  EXPECT_EQ(job.JobKind, 2);
  EXPECT_EQ(job.JobKerf, 30);
  EXPECT_EQ(job.JobMargins.LengthMargin, 50.0);
  EXPECT_EQ(job.JobMargins.WidthMargin, 25.5);
  EXPECT_EQ(job.JobMargins.ThicknessMargin, 10.0);
  EXPECT_EQ(job.JobMargins.DifferentiatedMargins, 1);
  EXPECT_EQ(job.JobMargins.ThickerStockAllowed, 1);
  EXPECT_EQ(job.JobMargins.Padding, 0xBEEF);
  EXPECT_EQ(job.JobMargins.Reserved, 0x12345678);

  ASSERT_EQ(job.JobPanels.size(), 2u);
  const Panneau_p& b = job.JobPanels[1];
  EXPECT_EQ(b.Length, 24400.5);
  EXPECT_EQ(b.Width, 12200.0);
  EXPECT_EQ(b.Area, 24400.5 * 12200.0);
  EXPECT_EQ(b.Rect, TRect(0, 12200, 24400, 0));
  EXPECT_EQ(b.Species, 1);
  EXPECT_EQ(b.Grain, 0);
  EXPECT_EQ(b.Quantity, 3);
  EXPECT_EQ(b.CutLength, 1234);
  EXPECT_EQ(b.EntryIndex, 1);
  // Rebuilt as a fresh stock panel whatever the list areas, counts and grid fields hold.
  for (const Panneau_p& p : job.JobPanels) {
    ASSERT_EQ(p.FreeRects.size(), 1u);
    EXPECT_EQ(p.FreeRects[0], p.Rect);
    EXPECT_TRUE(p.PlacedParts.empty());
    EXPECT_TRUE(p.CutLines.empty());
    EXPECT_EQ(p.LastPart, -1);
    EXPECT_EQ(p.GridRotate, 0);
    EXPECT_EQ(p.GridCount, 0);
    EXPECT_EQ(p.GridMode, 0);
    EXPECT_EQ(p.DesignationIndex, 0);
  }

  ASSERT_EQ(job.JobParts.size(), 2u);
  const TPiece& q = job.JobParts[1];
  EXPECT_EQ(q.Length, 7000.9);
  EXPECT_EQ(q.Width, 350.2);
  EXPECT_EQ(q.Rect, TRect(0, 350, 7000, 0));
  EXPECT_EQ(q.Grain, 1);
  EXPECT_EQ(q.Quantity, 5);
  EXPECT_EQ(q.DesignationIndex, 1);
  EXPECT_EQ(q.Footprint, TRect(1, 2, 3, 4));
  EXPECT_EQ(q.Unused, 0x0BADF00D);
  EXPECT_EQ(q.Number, 1);
  EXPECT_EQ(job.JobDesignations, (std::vector<std::string>{"Montant", "Étagère du haut"}));
  EXPECT_EQ(job.JobReferences, (std::vector<std::string>{"a", "bé"}));
  EXPECT_EQ(job.JobLoaded, 0);
}

TEST_F(JobFileTest, TaggedAndUntaggedFormsLoadTheSameJob) {
  RawJob untagged = SampleJob();
  untagged.Tagged = false;
  EXPECT_EQ(Build(untagged), Build(SampleJob()).substr(4));
  EXPECT_EQ(Digest(Load(SampleJob())), Digest(Load(untagged)));
}

TEST_F(JobFileTest, TagIsComparedOnItsFourBytes) {
  const struct {
    std::string tag;
    bool loads;
  } cases[] = {
      {std::string("1.6\0", 4), true},
      {std::string("1.7\0", 4), false},  // another version's tag: read as a job kind, refused
      {"1.6X", false},                   // no NUL: not the tag
      {std::string("1.\0\0", 4), false},
  };
  for (const auto& c : cases) {
    RawJob raw = SampleJob();
    raw.Tag = c.tag;
    JobState job = CurrentJob();
    const std::string before = Digest(job);
    const fs::path path = Write(Build(raw));
    if (c.loads) {
      EXPECT_NO_THROW(LoadJobFile(job, path)) << c.tag;
    } else {
      EXPECT_THROW(LoadJobFile(job, path), JobFileError) << c.tag;
      EXPECT_EQ(Digest(job), before);
    }
  }
}

TEST_F(JobFileTest, PartsAreRenumberedByPosition) {
  RawJob raw = SampleJob();
  RawPart third = raw.Parts[0];
  raw.Parts[0].Number = 7;
  raw.Parts[1].Number = 7;  // two parts sharing a number
  third.Number = 3;
  raw.Parts.push_back(third);
  raw.Designations.push_back("Tablette");
  raw.References.push_back("c");
  JobState job = CurrentJob();
  LoadJobFile(job, Write(Build(raw)));
  ASSERT_EQ(job.JobParts.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(job.JobParts[i].Number, static_cast<int>(i));
  EXPECT_EQ(job.Engine.PartCounter, 3);
  EXPECT_EQ(job.JobParts[1].Footprint, TRect(1, 2, 3, 4));  // everything else as stored
}

// Another writer may fill a text field to its end, with no NUL. The reader keeps what the field
// can hold, so the job that opens can be saved again.
TEST_F(JobFileTest, TextFieldsFilledToTheirEndOpenAndSaveAgain) {
  const RawJob raw = SampleJob();
  std::string bytes = Build(raw);
  const std::size_t references = bytes.size() - 4 * raw.References.size();
  const std::size_t designations = references - 50 * raw.Designations.size();
  bytes.replace(designations, 50, std::string(50, 'D'));
  bytes.replace(references, 4, "abcd");
  JobState job = CurrentJob();
  LoadJobFile(job, Write(bytes));
  EXPECT_EQ(job.JobDesignations[0], std::string(49, 'D'));
  EXPECT_EQ(job.JobReferences[0], "abc");
  const std::filesystem::path again = dir_.path() / "encore.deb";
  ASSERT_NO_THROW(SaveJobFile(job, again));
  JobState back = CurrentJob();
  LoadJobFile(back, again);
  EXPECT_EQ(back.JobDesignations, job.JobDesignations);
  EXPECT_EQ(back.JobReferences, job.JobReferences);
}

TEST_F(JobFileTest, LoadReplacesTheJobAndClearsItsLayout) {
  JobState job = CurrentJob();
  ASSERT_FALSE(job.ResultPanels.empty());
  RawJob raw = SampleJob();
  raw.Margins[2] = 0.0;  // parts as thick as the panels
  LoadJobFile(job, Write(Build(raw)));
  EXPECT_TRUE(job.ResultPanels.empty());
  EXPECT_TRUE(job.PartGroups.empty());
  EXPECT_TRUE(job.SummaryLines.empty());
  EXPECT_TRUE(job.PanelPages.empty());
  EXPECT_TRUE(job.Engine.PartCounts.empty());
  EXPECT_EQ(job.JobLoaded, 0);
  EXPECT_EQ(job.JobPath, "/tmp/courant.deb");  // the caller names the job
  // The loaded job lays out.
  EXPECT_NO_THROW(
      ComputeCuttingPlan(job, test::TestSettings(), DrawingMeasures{}, PipelineVariant::Open));
}

TEST_F(JobFileTest, LoadJobFileReadsJobPath) {
  JobState job = CurrentJob();
  job.JobPath = Write(Build(SampleJob())).string();
  LoadJobFile(job);
  EXPECT_EQ(job.JobParts.size(), 2u);
}

// Values at the edge of what the file allows: all load.
TEST_F(JobFileTest, AcceptsValuesAtTheLimits) {
  const struct {
    const char* name;
    std::function<void(RawJob&)> change;
  } cases[] = {
      {"kerf 0", [](RawJob& j) { j.Kerf = 0; }},
      {"kerf 500", [](RawJob& j) { j.Kerf = 500; }},
      {"kind 1", [](RawJob& j) { j.Kind = 1; }},
      {"margins 0", [](RawJob& j) { j.Margins[0] = j.Margins[1] = j.Margins[2] = 0.0; }},
      {"no part",
       [](RawJob& j) {
         j.Parts.clear();
         j.Designations.clear();
         j.References.clear();
       }},
      {"677 parts",
       [](RawJob& j) {
         j.Parts.assign(677, j.Parts[0]);
         j.Designations.assign(677, "Montant");
         j.References.assign(677, "zz");
       }},
      {"quantity 0", [](RawJob& j) { j.Parts[0].Quantity = 0; j.Panels[0].Quantity = 0; }},
      {"quantity 100000", [](RawJob& j) { j.Parts[1].Quantity = 100000; j.Panels[1].Quantity = 100000; }},
      {"grain 0 to 2", [](RawJob& j) { j.Panels[0].Grain = 0; j.Parts[0].Grain = 2; }},
      {"tiny size", [](RawJob& j) { j.Parts[0].Thickness = 1e-9; }},
  };
  for (const auto& c : cases) {
    RawJob raw = SampleJob();
    c.change(raw);
    JobState job;
    EXPECT_NO_THROW(LoadJobFile(job, Write(Build(raw)))) << c.name;
    EXPECT_EQ(job.JobParts.size(), raw.Parts.size()) << c.name;
  }
}

TEST_F(JobFileTest, KeepsASpeciesPastTheSpeciesList) {
  RawJob raw = SampleJob();
  raw.Panels[0].Species = 99;
  raw.Parts[1].Species = 2000000;
  const JobState job = Load(raw);
  EXPECT_EQ(job.JobPanels[0].Species, 99);
  EXPECT_EQ(job.JobParts[1].Species, 2000000);
}

TEST_F(JobFileTest, IgnoresBytesAfterTheLastReference) {
  std::string bytes = Build(SampleJob());
  const JobState plain = Load(SampleJob());
  bytes += "trailing bytes";
  JobState job;
  LoadJobFile(job, Write(bytes));
  EXPECT_EQ(Digest(job), Digest(plain));
}

// Every refusal: JobFileError and the job exactly as it was.
TEST_F(JobFileTest, RefusesBadValuesAndLeavesTheJobUntouched) {
  using Change = std::function<void(RawJob&)>;
  auto panel = [](std::function<void(RawPanel&)> f) { return [f](RawJob& j) { f(j.Panels[1]); }; };
  auto part = [](std::function<void(RawPart&)> f) { return [f](RawJob& j) { f(j.Parts[1]); }; };
  const struct {
    const char* name;
    Change change;
  } cases[] = {
      {"kind 0", [](RawJob& j) { j.Kind = 0; }},
      {"kind 3", [](RawJob& j) { j.Kind = 3; }},
      {"kind -1", [](RawJob& j) { j.Kind = -1; }},
      {"kerf -1", [](RawJob& j) { j.Kerf = -1; }},
      {"kerf 501", [](RawJob& j) { j.Kerf = 501; }},
      {"margin NaN", [](RawJob& j) { j.Margins[0] = kNaN; }},
      {"margin -1", [](RawJob& j) { j.Margins[1] = -1.0; }},
      {"margin inf", [](RawJob& j) { j.Margins[2] = kInf; }},
      {"no panel", [](RawJob& j) { j.Panels.clear(); }},
      {"panel count -1", [](RawJob& j) { j.PanelCount = -1; }},
      {"panel count 10001", [](RawJob& j) { j.PanelCount = 10001; }},
      {"panel count huge", [](RawJob& j) { j.PanelCount = 0x7FFFFFFF; }},
      {"panel count past the records", [](RawJob& j) { j.PanelCount = 3; }},
      {"part count -1", [](RawJob& j) { j.PartCount = -1; }},
      {"part count huge", [](RawJob& j) { j.PartCount = 0x7FFFFFFF; }},
      {"part count 10001", [](RawJob& j) { j.PartCount = 10001; }},
      {"part count past the records", [](RawJob& j) { j.PartCount = 3; }},
      {"panel grain -1", panel([](RawPanel& p) { p.Grain = -1; })},
      {"panel grain 3", panel([](RawPanel& p) { p.Grain = 3; })},
      {"part grain 3", part([](RawPart& p) { p.Grain = 3; })},
      {"part grain -1", part([](RawPart& p) { p.Grain = -1; })},
      {"panel species -1", panel([](RawPanel& p) { p.Species = -1; })},
      {"part species -1", part([](RawPart& p) { p.Species = -1; })},
      {"panel quantity -1", panel([](RawPanel& p) { p.Quantity = -1; })},
      {"panel quantity 100001", panel([](RawPanel& p) { p.Quantity = 100001; })},
      {"part quantity -1", part([](RawPart& p) { p.Quantity = -1; })},
      {"part quantity 100001", part([](RawPart& p) { p.Quantity = 100001; })},
      {"part quantity huge", part([](RawPart& p) { p.Quantity = 0x7FFFFFFF; })},
      {"panel length 0", panel([](RawPanel& p) { p.Length = 0.0; })},
      {"panel width -5", panel([](RawPanel& p) { p.Width = -5.0; })},
      {"panel thickness NaN", panel([](RawPanel& p) { p.Thickness = kNaN; })},
      {"panel length inf", panel([](RawPanel& p) { p.Length = kInf; })},
      {"part length NaN", part([](RawPart& p) { p.Length = kNaN; })},
      {"part width 0", part([](RawPart& p) { p.Width = 0.0; })},
      {"part thickness -inf", part([](RawPart& p) { p.Thickness = -kInf; })},
      {"part thickness 0", part([](RawPart& p) { p.Thickness = 0.0; })},
  };
  for (const auto& c : cases) {
    RawJob raw = SampleJob();
    c.change(raw);
    JobState job = CurrentJob();
    const std::string before = Digest(job);
    EXPECT_THROW(LoadJobFile(job, Write(Build(raw))), JobFileError) << c.name;
    EXPECT_EQ(Digest(job), before) << c.name;
  }
}

TEST_F(JobFileTest, RefusesEveryTruncation) {
  for (bool tagged : {true, false}) {
    RawJob raw = SampleJob();
    raw.Tagged = tagged;
    const std::string bytes = Build(raw);
    JobState job = CurrentJob();
    const std::string before = Digest(job);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      EXPECT_THROW(LoadJobFile(job, Write(bytes.substr(0, cut))), JobFileError)
          << "cut at " << cut << (tagged ? " tagged" : " untagged");
      ASSERT_EQ(Digest(job), before) << "cut at " << cut;
      // The message says once that the file is cut short, wherever the cut falls.
      try {
        LoadJobFile(job, Write(bytes.substr(0, cut)));
      } catch (const JobFileError& e) {
        const std::string what = e.what();
        const std::size_t first = what.find("tronqué");
        if (first != std::string::npos) {
          EXPECT_EQ(what.find("tronqué", first + 1), std::string::npos) << what;
        }
      }
    }
  }
}

TEST_F(JobFileTest, RefusesAMissingFileAndALargeOne) {
  JobState job = CurrentJob();
  const std::string before = Digest(job);
  EXPECT_THROW(LoadJobFile(job, dir_.path() / "absent.deb"), JobFileError);
  EXPECT_THROW(LoadJobFile(job, dir_.path()), JobFileError);  // a folder
  std::string huge = Build(SampleJob());
  huge.resize(kMaxJobFileBytes + 1, '\0');
  EXPECT_THROW(LoadJobFile(job, Write(huge)), JobFileError);
  EXPECT_EQ(Digest(job), before);
}

TEST_F(JobFileTest, ReadsTheMostPanelsAFileMayHold) {
  RawJob raw = SampleJob();
  raw.Panels.assign(kMaxJobPanels, raw.Panels[1]);
  JobState job;
  LoadJobFile(job, Write(Build(raw)));
  EXPECT_EQ(job.JobPanels.size(), static_cast<std::size_t>(kMaxJobPanels));
}

// ---- Writing ----------------------------------------------------------------------------------

TEST_F(JobFileTest, WritesTheBytesTheLayoutFixes) {
  for (bool tagged : {true, false}) {
    RawJob raw = SampleJob();
    raw.Tagged = tagged;
    const JobState job = Load(raw);
    const std::string written =
        EncodeJobFile(job, tagged ? JobFileForm::Tagged : JobFileForm::Untagged);
    // The placed-parts count of a stored stock panel is 0 whatever was read.
    for (RawPanel& p : raw.Panels) p.PlacedCount = 0;
    ExpectSameWhereFixed(written, raw);
    // A stored stock panel has no placed part: its count at offset 184 is 0.
    const std::size_t first = Base(raw) + 48;
    for (std::size_t n = 0; n < raw.Panels.size(); ++n) {
      EXPECT_EQ(written.substr(first + 304 * n + 184, 4), std::string(4, '\0'));
    }
  }
}

TEST_F(JobFileTest, ReadWriteReadGivesTheSameJob) {
  const JobState first = Load(SampleJob());
  const fs::path path = dir_.path() / "copie.deb";
  SaveJobFile(first, path);
  JobState second;
  LoadJobFile(second, path);
  EXPECT_EQ(Digest(second), Digest(first));
  // And the same bytes again.
  const fs::path again = dir_.path() / "copie2.deb";
  SaveJobFile(second, again);
  EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}

TEST_F(JobFileTest, SavedJobsWithoutPartsOrWithManyPartsOpenAgain) {
  for (int parts : {0, 677, 1000}) {
    JobBuilder builder;
    builder.panel(25000, 12500);
    for (int i = 0; i < parts; ++i) builder.part(100 + i, 50, 1, GrainIndifferent, 190.0, 0, "P", "x");
    const JobState job = builder.build();
    const fs::path path = dir_.path() / "parts.deb";
    SaveJobFile(job, path);
    JobState back;
    LoadJobFile(back, path);
    EXPECT_EQ(back.JobParts.size(), static_cast<std::size_t>(parts));
  }
}

TEST_F(JobFileTest, LongestTextsSurviveAndTextsAreWindows1252) {
  const std::string designation = "É" + std::string(47, 'x') + "é";  // 49 characters
  JobState job = JobBuilder().panel(25000, 12500).part(5000, 3000, 1, 2, 190.0, 0, designation, "€é1").build();
  const fs::path path = dir_.path() / "textes.deb";
  SaveJobFile(job, path);
  const std::string bytes = ReadBytes(path);
  const std::size_t texts = 4 + 48 + 304 + 88;
  EXPECT_EQ(bytes.substr(texts, 50), "\xC9" + std::string(47, 'x') + "\xE9" + std::string(1, '\0'));
  EXPECT_EQ(bytes.substr(texts + 50, 4), std::string("\x80\xE9" "1\0", 4));
  JobState back;
  LoadJobFile(back, path);
  EXPECT_EQ(back.JobDesignations[0], designation);
  EXPECT_EQ(back.JobReferences[0], "€é1");
}

// A job the reader would refuse is not written: the old file stays, the job is unchanged.
TEST_F(JobFileTest, RefusesToWriteWhatCannotBeReadBack) {
  const struct {
    const char* name;
    std::function<void(JobState&)> change;
  } cases[] = {
      {"designation of 50 characters", [](JobState& j) { j.JobDesignations[0] = std::string(50, 'd'); }},
      {"reference of 4 characters", [](JobState& j) { j.JobReferences[0] = "abcd"; }},
      {"character outside Windows-1252", [](JobState& j) { j.JobDesignations[0] = "日本"; }},
      {"no stock panel", [](JobState& j) { j.JobPanels.clear(); }},
      {"kind 0", [](JobState& j) { j.JobKind = 0; }},
      {"kerf 501", [](JobState& j) { j.JobKerf = 501; }},
      {"one designation short", [](JobState& j) { j.JobDesignations.pop_back(); }},
      {"one reference too many", [](JobState& j) { j.JobReferences.push_back("z"); }},
      {"part quantity -1", [](JobState& j) { j.JobParts[0].Quantity = -1; }},
      {"panel width NaN", [](JobState& j) { j.JobPanels[0].Width = kNaN; }},
  };
  const fs::path path = dir_.path() / "ancien.deb";
  WriteBytes(path, "old content");
  for (const auto& c : cases) {
    JobState job = JobBuilder().panel(25000, 12500).part(5000, 3000).build();
    c.change(job);
    job.JobModified = 1;
    const std::string before = Digest(job);
    EXPECT_THROW(SaveJobFile(job, path), JobFileError) << c.name;
    EXPECT_EQ(ReadBytes(path), "old content") << c.name;
    EXPECT_EQ(Digest(job), before) << c.name;
  }
}

TEST_F(JobFileTest, AFailedWriteIsReportedAndChangesNothing) {
  JobState job = CurrentJob();
  job.JobPath = (dir_.path() / "absent" / "job.deb").string();
  const std::string before = Digest(job);
  EXPECT_THROW(SaveJobFile(job), JobFileError);
  EXPECT_EQ(Digest(job), before);
  EXPECT_EQ(job.JobModified, 1);
  EXPECT_FALSE(fs::exists(dir_.path() / "absent"));
}

TEST_F(JobFileTest, SavingLeavesTheJobAndItsLayoutAsTheyWere) {
  JobState job = CurrentJob();
  job.JobPanels[0].FreeRects.push_back(MONRect(TRect(1, 2, 3, 0)));
  const std::string before = Digest(job);
  job.JobPath = (dir_.path() / "courant.deb").string();
  const std::string withPath = Digest(job);
  SaveJobFile(job);
  EXPECT_EQ(Digest(job), withPath);
  EXPECT_NE(before, withPath);
  EXPECT_TRUE(fs::exists(job.JobPath));
}

TEST_F(JobFileTest, ReplacesAnExistingFileWhole) {
  const fs::path path = dir_.path() / "job.deb";
  WriteBytes(path, std::string(10000, 'x'));
  const JobState job = JobBuilder().panel(25000, 12500).part(5000, 3000).build();
  SaveJobFile(job, path);
  EXPECT_EQ(ReadBytes(path), EncodeJobFile(job));
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    EXPECT_EQ(entry.path().filename(), "job.deb");  // no temporary file left behind
  }
}

}  // namespace
}  // namespace tranchex
