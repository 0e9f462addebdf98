// The rules of a job, at each of their limits: the checks, the cutting pipeline, the job-file
// writer and the job-file reader give one verdict. A job accepted is saved, read back unchanged
// and laid out; a job refused is refused by all of them.

#include "job/JobRecordChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "job/CuttingPipeline.h"
#include "job/FilesTestBytes.h"
#include "job/JobFile.h"
#include "job/SettingsFiles.h"
#include "support/JobBuilder.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

using test::JobBuilder;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double Above(double v) { return std::nextafter(v, kInf); }
double Below(double v) { return std::nextafter(v, -kInf); }

// Two materials, two stock entries, two parts; it lays out.
JobState BaseJob() {
  return JobBuilder()
      .kind(2)
      .kerf(30)
      .margins(10, 10, 0)
      .panel(28000, 20700, 2, GrainIndifferent, 190, 0)
      .panel(24400, 12200, 1, GrainHorizontal, 190, 1)
      .part(6000, 4000, 2, GrainIndifferent, 190, 0, "Montant", "a")
      .part(3000, 2000, 1, GrainHorizontal, 190, 1, "Tablette", "b")
      .build();
}

void Resize(TPanneau& r, double length, double width) {
  r.Length = length;
  r.Width = width;
  PanelFromDimensions(r);
}

void SetThickness(JobState& job, double thickness) {
  for (auto& p : job.JobPanels) p.Thickness = thickness;
  for (auto& p : job.JobParts) p.Thickness = thickness;
}

// `count` stock entries of one copy each, taking the built ones in turn; with a single entry
// every part is of its material.
void SetPanelCount(JobState& job, std::size_t count) {
  const PanelList built = job.JobPanels;
  job.JobPanels.clear();
  for (std::size_t i = 0; i < count; ++i) {
    job.JobPanels.push_back(built[i % built.size()]);
    job.JobPanels.back().Quantity = 1;
    job.JobPanels.back().EntryIndex = static_cast<std::int32_t>(i);
  }
  if (count == 1) {
    for (TPiece& part : job.JobParts) {
      part.Species = job.JobPanels[0].Species;
      part.Grain = GrainIndifferent;
    }
  }
}

void SetPartCount(JobState& job, std::size_t count) {
  TPiece small = job.JobParts[0];
  Resize(small, 100, 100);
  small.Quantity = 1;
  job.JobParts.assign(count, small);
  job.JobDesignations.assign(count, "P");
  job.JobReferences.assign(count, "x");
}

// `total` copies of the stock, in entries of at most kMaxQuantity.
void SetPanelCopies(JobState& job, std::int64_t total) {
  const Panneau_p first = job.JobPanels[0];
  job.JobPanels.clear();
  for (; total > 0; total -= kMaxQuantity) {
    job.JobPanels.push_back(first);
    job.JobPanels.back().Quantity = static_cast<std::int32_t>(std::min<std::int64_t>(total, kMaxQuantity));
  }
}

void SetPartCopies(JobState& job, std::int64_t total) {
  const TPiece first = job.JobParts[0];
  job.JobParts.clear();
  job.JobDesignations.clear();
  job.JobReferences.clear();
  for (; total > 0; total -= kMaxQuantity) {
    job.JobParts.push_back(first);
    job.JobParts.back().Quantity = static_cast<std::int32_t>(std::min<std::int64_t>(total, kMaxQuantity));
    job.JobDesignations.push_back("P");
    job.JobReferences.push_back("x");
  }
}

// The tagged job file of the job, written from the layout without any check, so that a job the
// writer refuses can still be given to the reader. Texts must be plain ASCII that fits.
std::string UncheckedJobBytes(const JobState& job) {
  using test::PutF64;
  using test::PutI32;
  using test::PutText;
  using test::PutU16;
  using test::PutU8;
  const std::size_t size = 52 + 304 * job.JobPanels.size() + 88 * job.JobParts.size() +
                           50 * job.JobDesignations.size() + 4 * job.JobReferences.size();
  std::string buf(size, '\0');
  PutText(buf, 0, "1.6");
  PutI32(buf, 4, job.JobKind);
  PutI32(buf, 8, job.JobKerf);
  PutF64(buf, 12, job.JobMargins.LengthMargin);
  PutF64(buf, 20, job.JobMargins.WidthMargin);
  PutF64(buf, 28, job.JobMargins.ThicknessMargin);
  PutU8(buf, 36, job.JobMargins.DifferentiatedMargins);
  PutU8(buf, 37, job.JobMargins.ThickerStockAllowed);
  PutU16(buf, 38, job.JobMargins.Padding);
  PutI32(buf, 40, job.JobMargins.Reserved);
  PutI32(buf, 44, static_cast<std::int32_t>(job.JobPanels.size()));
  PutI32(buf, 48, static_cast<std::int32_t>(job.JobParts.size()));
  auto record = [&](std::size_t off, const TPanneau& r) {
    PutF64(buf, off, r.Area);
    PutI32(buf, off + 8, r.Rect.left);
    PutI32(buf, off + 12, r.Rect.top);
    PutI32(buf, off + 16, r.Rect.right);
    PutI32(buf, off + 20, r.Rect.bottom);
    PutF64(buf, off + 24, r.Length);
    PutF64(buf, off + 32, r.Width);
    PutF64(buf, off + 40, r.Thickness);
    PutI32(buf, off + 48, r.Species);
    PutI32(buf, off + 52, r.Grain);
    PutI32(buf, off + 56, r.Quantity);
  };
  std::size_t off = 52;
  for (const Panneau_p& p : job.JobPanels) {
    record(off, p);
    PutI32(buf, off + 300, p.EntryIndex);
    off += 304;
  }
  for (const TPiece& p : job.JobParts) {
    record(off, p);
    PutI32(buf, off + 84, p.Number);
    off += 88;
  }
  for (const std::string& d : job.JobDesignations) {
    PutText(buf, off, d);
    off += 50;
  }
  for (const std::string& r : job.JobReferences) {
    PutText(buf, off, r);
    off += 4;
  }
  return buf;
}

void ExpectSameRecord(const TPanneau& a, const TPanneau& b) {
  EXPECT_EQ(a.Rect, b.Rect);
  for (auto [x, y] : {std::pair{a.Area, b.Area}, std::pair{a.Length, b.Length},
                      std::pair{a.Width, b.Width}, std::pair{a.Thickness, b.Thickness}}) {
    EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << x << " " << y;
  }
  EXPECT_EQ(a.Species, b.Species);
  EXPECT_EQ(a.Grain, b.Grain);
  EXPECT_EQ(a.Quantity, b.Quantity);
}

struct Fault {
  JobList list;
  std::size_t index;
  JobField field;
};

struct Case {
  const char* name;
  std::function<void(JobState&)> change;
  std::optional<Fault> fault;  // none: the job is accepted
  bool inFile = true;          // the job file can hold it (for a refused job)
  bool layOut = true;          // laid out in the test (for an accepted job; false when large)
};

constexpr auto kJob = JobList::Job;
constexpr auto kPanels = JobList::Panels;
constexpr auto kParts = JobList::Parts;

TEST(JobRecordChecks, EveryLimitGivesOneVerdictEverywhere) {
  const double tinySize = std::numeric_limits<double>::denorm_min();
  const Case cases[] = {
      {"as built", [](JobState&) {}, std::nullopt},
      // Job kind: 1 simple, 2 complex.
      {"kind 1", [](JobState& j) { j.JobKind = 1; }, std::nullopt},
      {"kind 0", [](JobState& j) { j.JobKind = 0; }, Fault{kJob, 0, JobField::Kind}},
      {"kind 3", [](JobState& j) { j.JobKind = 3; }, Fault{kJob, 0, JobField::Kind}},
      // Kerf: 0 to 50 mm.
      {"kerf 0", [](JobState& j) { j.JobKerf = 0; }, std::nullopt},
      {"kerf 500", [](JobState& j) { j.JobKerf = 500; }, std::nullopt},
      {"kerf -1", [](JobState& j) { j.JobKerf = -1; }, Fault{kJob, 0, JobField::Kerf}},
      {"kerf 501", [](JobState& j) { j.JobKerf = 501; }, Fault{kJob, 0, JobField::Kerf}},
      // Margins: 0 to 100 mm each.
      {"margins 0",
       [](JobState& j) { j.JobMargins.LengthMargin = j.JobMargins.WidthMargin = 0.0; },
       std::nullopt},
      {"length and width margins 1000",
       [](JobState& j) { j.JobMargins.LengthMargin = j.JobMargins.WidthMargin = 1000.0; },
       std::nullopt},
      {"thickness margin 1000",
       [](JobState& j) {
         j.JobMargins.ThicknessMargin = 1000.0;
         for (auto& p : j.JobPanels) p.Thickness = 1190.0;
       },
       std::nullopt},
      {"length margin just below 0",
       [](JobState& j) { j.JobMargins.LengthMargin = Below(0.0); },
       Fault{kJob, 0, JobField::LengthMargin}},
      {"length margin just above 1000",
       [](JobState& j) { j.JobMargins.LengthMargin = Above(1000.0); },
       Fault{kJob, 0, JobField::LengthMargin}},
      {"width margin NaN", [](JobState& j) { j.JobMargins.WidthMargin = kNaN; },
       Fault{kJob, 0, JobField::WidthMargin}},
      {"width margin infinite", [](JobState& j) { j.JobMargins.WidthMargin = kInf; },
       Fault{kJob, 0, JobField::WidthMargin}},
      {"thickness margin just above 1000",
       [](JobState& j) { j.JobMargins.ThicknessMargin = Above(1000.0); },
       Fault{kJob, 0, JobField::ThicknessMargin}},
      {"thickness margin -infinite", [](JobState& j) { j.JobMargins.ThicknessMargin = -kInf; },
       Fault{kJob, 0, JobField::ThicknessMargin}},
      // Entries: 1 to 10 000 stock panels, 0 to 10 000 parts.
      {"no stock panel", [](JobState& j) { j.JobPanels.clear(); },
       Fault{kJob, 0, JobField::PanelCount}},
      {"one stock panel", [](JobState& j) { SetPanelCount(j, 1); }, std::nullopt},
      {"10000 stock panels", [](JobState& j) { SetPanelCount(j, 10000); }, std::nullopt},
      {"10001 stock panels", [](JobState& j) { SetPanelCount(j, 10001); },
       Fault{kJob, 0, JobField::PanelCount}},
      {"no part", [](JobState& j) { SetPartCount(j, 0); }, std::nullopt},
      {"10000 parts", [](JobState& j) { SetPartCount(j, 10000); }, std::nullopt, true, false},
      {"10001 parts", [](JobState& j) { SetPartCount(j, 10001); },
       Fault{kJob, 0, JobField::PartCount}},
      // Length and width: above 0, at most 1 km.
      {"panel length 1 km",
       [](JobState& j) { Resize(j.JobPanels[0], 10000000.0, 20700); }, std::nullopt},
      {"part length and width 1 km",
       [](JobState& j) {
         j.JobMargins.LengthMargin = j.JobMargins.WidthMargin = 0.0;
         Resize(j.JobPanels[0], 10000000.0, 10000000.0);
         Resize(j.JobParts[0], 10000000.0, 10000000.0);
       },
       std::nullopt},
      {"panel length just above 1 km",
       [](JobState& j) { Resize(j.JobPanels[0], Above(10000000.0), 20700); },
       Fault{kPanels, 0, JobField::Length}},
      {"part width just above 1 km",
       [](JobState& j) { Resize(j.JobParts[1], 3000, Above(10000000.0)); },
       Fault{kParts, 1, JobField::Width}},
      {"smallest part size above 0",
       [tinySize](JobState& j) { Resize(j.JobParts[1], tinySize, tinySize); }, std::nullopt},
      {"part length 0", [](JobState& j) { Resize(j.JobParts[1], 0.0, 2000); },
       Fault{kParts, 1, JobField::Length}},
      {"panel width just below 0", [](JobState& j) { Resize(j.JobPanels[1], 24400, Below(0.0)); },
       Fault{kPanels, 1, JobField::Width}},
      {"part length NaN", [](JobState& j) { j.JobParts[0].Length = kNaN; },
       Fault{kParts, 0, JobField::Length}},
      {"panel width infinite", [](JobState& j) { j.JobPanels[1].Width = kInf; },
       Fault{kPanels, 1, JobField::Width}},
      {"part width -infinite", [](JobState& j) { j.JobParts[0].Width = -kInf; },
       Fault{kParts, 0, JobField::Width}},
      // Thickness: above 0, at most 150 mm.
      {"thickness 1500", [](JobState& j) { SetThickness(j, 1500.0); }, std::nullopt},
      {"thickness 1500.5", [](JobState& j) { SetThickness(j, 1500.5); },
       Fault{kPanels, 0, JobField::Thickness}},
      {"part thickness just above 1500", [](JobState& j) { j.JobParts[1].Thickness = Above(1500.0); },
       Fault{kParts, 1, JobField::Thickness}},
      {"smallest thickness above 0", [tinySize](JobState& j) { SetThickness(j, tinySize); },
       std::nullopt},
      {"part thickness 0", [](JobState& j) { j.JobParts[0].Thickness = 0.0; },
       Fault{kParts, 0, JobField::Thickness}},
      {"panel thickness NaN", [](JobState& j) { j.JobPanels[1].Thickness = kNaN; },
       Fault{kPanels, 1, JobField::Thickness}},
      {"part thickness infinite", [](JobState& j) { j.JobParts[0].Thickness = kInf; },
       Fault{kParts, 0, JobField::Thickness}},
      // Rectangle and area: those of the length and width.
      {"part rectangle one unit short", [](JobState& j) { j.JobParts[1].Rect.right -= 1; },
       Fault{kParts, 1, JobField::Rect}},
      {"panel rectangle moved", [](JobState& j) { j.JobPanels[0].Rect.left = 1; j.JobPanels[0].Rect.right += 1; },
       Fault{kPanels, 0, JobField::Rect}},
      {"panel area one rounding off",
       [](JobState& j) { j.JobPanels[0].Area = Above(j.JobPanels[0].Area); }, std::nullopt},
      {"panel area NaN", [](JobState& j) { j.JobPanels[1].Area = kNaN; },
       Fault{kPanels, 1, JobField::Area}},
      {"part area of another size", [](JobState& j) { j.JobParts[0].Area = 6000.0 * 4001.0; },
       Fault{kParts, 0, JobField::Area}},
      // Quantity: 0 to 100 000 per entry.
      {"quantities 0",
       [](JobState& j) { j.JobPanels[0].Quantity = 0; j.JobParts[0].Quantity = 0; }, std::nullopt},
      {"panel quantity 100000", [](JobState& j) { j.JobPanels[1].Quantity = 100000; },
       std::nullopt, true, false},
      {"part quantity 100000",
       [](JobState& j) { Resize(j.JobParts[1], 100, 100); j.JobParts[1].Quantity = 100000; },
       std::nullopt, true, false},
      {"panel quantity -1", [](JobState& j) { j.JobPanels[1].Quantity = -1; },
       Fault{kPanels, 1, JobField::Quantity}},
      {"part quantity 100001", [](JobState& j) { j.JobParts[0].Quantity = 100001; },
       Fault{kParts, 0, JobField::Quantity}},
      // Copies in all: at most 1 000 000 in each list.
      {"1000000 panel copies", [](JobState& j) { SetPanelCopies(j, 1000000); }, std::nullopt,
       true, false},
      {"1000001 panel copies", [](JobState& j) { SetPanelCopies(j, 1000001); },
       Fault{kJob, 0, JobField::PanelCopies}},
      {"1000000 part copies", [](JobState& j) { SetPartCopies(j, 1000000); }, std::nullopt,
       true, false},
      {"1000001 part copies", [](JobState& j) { SetPartCopies(j, 1000001); },
       Fault{kJob, 0, JobField::PartCopies}},
      // Grain: 0, 1 or 2.
      {"grains 0 and 2",
       [](JobState& j) { j.JobPanels[0].Grain = 0; j.JobParts[0].Grain = 2; }, std::nullopt},
      {"part grain 1 on a panel of grain 1",
       [](JobState& j) { j.JobPanels[1].Grain = 1; j.JobParts[1].Grain = 1; }, std::nullopt},
      {"panel grain -1", [](JobState& j) { j.JobPanels[0].Grain = -1; },
       Fault{kPanels, 0, JobField::Grain}},
      {"part grain 3", [](JobState& j) { j.JobParts[1].Grain = 3; },
       Fault{kParts, 1, JobField::Grain}},
      // Species: 0 or more; past the species list is accepted.
      {"species past the list",
       [](JobState& j) {
         j.JobPanels[1].Species = std::numeric_limits<std::int32_t>::max();
         j.JobParts[1].Species = std::numeric_limits<std::int32_t>::max();
       },
       std::nullopt},
      {"part species -1", [](JobState& j) { j.JobParts[0].Species = -1; },
       Fault{kParts, 0, JobField::Species}},
      // One designation and one reference per part.
      {"a designation missing", [](JobState& j) { j.JobDesignations.pop_back(); },
       Fault{kJob, 0, JobField::TextCount}, false},
      {"a reference too many", [](JobState& j) { j.JobReferences.push_back("z"); },
       Fault{kJob, 0, JobField::TextCount}, false},
      // Texts: at most 49 and 3 characters of Windows-1252, no NUL.
      {"designation of 49 characters, reference of 3",
       [](JobState& j) {
         j.JobDesignations[1] = "É" + std::string(47, 'x') + "é";
         j.JobReferences[1] = "€é1";
       },
       std::nullopt},
      {"designation of 50 characters",
       [](JobState& j) { j.JobDesignations[1] = std::string(50, 'd'); },
       Fault{JobList::Designations, 1, JobField::Text}, false},
      {"reference of 4 characters", [](JobState& j) { j.JobReferences[0] = "abcd"; },
       Fault{JobList::References, 0, JobField::Text}, false},
      {"character outside Windows-1252", [](JobState& j) { j.JobDesignations[0] = "日本"; },
       Fault{JobList::Designations, 0, JobField::Text}, false},
      {"NUL inside a reference",
       [](JobState& j) { j.JobReferences[1] = std::string("a\0b", 3); },
       Fault{JobList::References, 1, JobField::Text}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JobState job = BaseJob();
    c.change(job);
    const std::optional<JobRecordFault> fault = CheckJobRecords(job);
    if (c.fault) {
      ASSERT_TRUE(fault.has_value());
      EXPECT_EQ(fault->list, c.fault->list);
      EXPECT_EQ(fault->index, c.fault->index);
      EXPECT_EQ(fault->field, c.fault->field);
      EXPECT_FALSE(fault->message.empty());
      try {
        ValidateJobForCutting(job);
        ADD_FAILURE() << "the pipeline accepts it";
      } catch (const CuttingPlanError& e) {
        EXPECT_EQ(e.what(), fault->message);
      }
      EXPECT_THROW(EncodeJobFile(job), JobFileError);
      if (c.inFile) {
        EXPECT_THROW(DecodeJobFile(UncheckedJobBytes(job)), JobFileError);
      }
      continue;
    }
    ASSERT_FALSE(fault.has_value()) << fault->message;
    EXPECT_NO_THROW(ValidateJobForCutting(job));
    // Saved and read back unchanged.
    JobFileContent back = DecodeJobFile(EncodeJobFile(job));
    EXPECT_EQ(back.JobKind, job.JobKind);
    EXPECT_EQ(back.JobKerf, job.JobKerf);
    EXPECT_EQ(back.JobMargins.LengthMargin, job.JobMargins.LengthMargin);
    EXPECT_EQ(back.JobMargins.WidthMargin, job.JobMargins.WidthMargin);
    EXPECT_EQ(back.JobMargins.ThicknessMargin, job.JobMargins.ThicknessMargin);
    ASSERT_EQ(back.JobPanels.size(), job.JobPanels.size());
    for (std::size_t i = 0; i < job.JobPanels.size(); ++i) {
      ExpectSameRecord(back.JobPanels[i], job.JobPanels[i]);
    }
    ASSERT_EQ(back.JobParts.size(), job.JobParts.size());
    for (std::size_t i = 0; i < job.JobParts.size(); ++i) {
      ExpectSameRecord(back.JobParts[i], job.JobParts[i]);
    }
    EXPECT_EQ(back.JobDesignations, job.JobDesignations);
    EXPECT_EQ(back.JobReferences, job.JobReferences);
    // And what was read lays out.
    if (!c.layOut) continue;
    JobState opened;
    ApplyJobFileContent(opened, std::move(back));
    EXPECT_NO_THROW(
        ComputeCuttingPlan(opened, test::TestSettings(), DrawingMeasures{}, PipelineVariant::Open));
    EXPECT_EQ(opened.JobLoaded, 1);
  }
}

// A species name the entry dialogs may add is one the species file keeps as it is: accepted
// names come back from the file unchanged; a longer one would come back cut short, and a
// character the code page lacks stops the file being written.
// What the user reads, whole, for one case of each rule: the record named by its word and its
// number from 1, the value in millimetres (a decimal comma) and the range it must lie in.
TEST(JobRecordChecks, EachRuleSaysWhichRecordWhatValueAndWhichRange) {
  const JobState base = BaseJob();
  const TPanneau part = base.JobParts[0];
  const TPanneau panel = base.JobPanels[0];
  struct Case {
    const char* name;
    std::function<std::optional<JobRecordFault>()> check;
    const char* message;
  };
  const Case cases[] = {
      {"part thickness",
       [&] {
         TPanneau r = part;
         r.Thickness = 1600.0;
         return CheckPartRecord(r, 2);
       },
       "Pièce 3 : épaisseur non valide (160 mm ; de plus de 0 à 150 mm)"},
      {"panel length",
       [&] {
         TPanneau r = panel;
         Resize(r, 0.0, r.Width);
         return CheckPanelRecord(r, 0);
       },
       "Panneau 1 : longueur non valide (0 mm ; de plus de 0 à 1000000 mm)"},
      {"part width in tenths",
       [&] {
         TPanneau r = part;
         Resize(r, r.Length, 10000001.0);
         return CheckPartRecord(r, 0);
       },
       "Pièce 1 : largeur non valide (1000000,1 mm ; de plus de 0 à 1000000 mm)"},
      {"quantity",
       [&] {
         TPanneau r = part;
         r.Quantity = -1;
         return CheckPartRecord(r, 0);
       },
       "Pièce 1 : quantité non valide (-1 ; de 0 à 100000)"},
      {"grain",
       [&] {
         TPanneau r = panel;
         r.Grain = 3;
         return CheckPanelRecord(r, 1);
       },
       "Panneau 2 : sens du fil non valide (3 ; 0, 1 ou 2)"},
      {"species", [&] {
         TPanneau r = part;
         r.Species = -2;
         return CheckPartRecord(r, 4);
       },
       "Pièce 5 : essence non valide (-2)"},
      {"kerf", [] { return CheckJobSettings(2, 501, MarginsBlock{}); },
       "trait de scie non valide (50,1 mm ; de 0 à 50 mm)"},
      {"kind", [] { return CheckJobSettings(3, 30, MarginsBlock{}); },
       "type de débit inconnu (3)"},
      {"designation too long", [] { return CheckDesignation(std::string(50, 'd'), 1); },
       "Désignation 2 : le texte \"dddddddddddddddddddddddddddddddddddddddddddddddddd\" dépasse "
       "49 caractères"},
      {"reference not storable", [] { return CheckReference("日", 0); },
       "Référence 1 : le texte contient un caractère qui ne peut pas être enregistré"},
      {"no stock panel", [] { return CheckJobListSizes(0, 3); },
       "nombre de panneaux non valide (0 ; de 1 à 10000)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<JobRecordFault> fault = c.check();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->message, c.message);
  }
}

TEST(JobRecordChecks, ASpeciesNameIsAcceptedExactlyWhenTheSpeciesFileKeepsIt) {
  struct Case {
    const char* what;
    std::string name;
    bool accepted;
  };
  const Case cases[] = {
      {"a plain name", "Chêne", true},
      {"49 characters, accented ones each one byte", "É" + std::string(47, 'x') + "é", true},
      {"50 characters", std::string(50, 'x'), false},
      {"a character outside Windows-1252", "Hêtre 日本", false},
      {"the euro sign, which Windows-1252 holds", "Bois €", true},
  };
  for (const Case& c : cases) {
    const std::optional<std::string> why = SpeciesNameRefusal(c.name);
    EXPECT_EQ(!why.has_value(), c.accepted) << c.what;
    if (why) {
      EXPECT_FALSE(why->empty()) << c.what;
    }
    test::TempDir dir;
    Settings settings;
    settings.SpeciesNames = {c.name};
    bool written = true;
    try {
      SaveSpeciesFile(dir.path(), settings);
    } catch (const SettingsFileError&) {
      written = false;
    }
    if (!written) {
      EXPECT_FALSE(c.accepted) << c.what;
      continue;
    }
    Settings back;
    LoadSpeciesFile(dir.path(), back);
    ASSERT_EQ(back.SpeciesNames.size(), 1u) << c.what;
    EXPECT_EQ(back.SpeciesNames[0] == c.name, c.accepted) << c.what;
  }
}

}  // namespace
}  // namespace tranchex
