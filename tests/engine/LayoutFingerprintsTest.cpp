// Every layout of a few thousand seeded varied jobs pinned one by one: the fingerprint of each
// job's whole outcome (every panel in order with its stock entry, every part on it with its
// position and footprint, so its turn, every free rectangle and cut line, the grid fields, the
// last part offered, the counts left and any refusal) is compared with the value recorded in
// LayoutFingerprints.inc. A rework of the engine that is meant to keep the layouts (speed,
// structure) must leave every one as it is; the first job that differs is named with its seed.
//
// The values were recorded on x86-64 (long double is the 80-bit extended type there) by
//   TRANCHEX_RECORD_FINGERPRINTS=tests/engine/LayoutFingerprints.inc
//   build/bin/tests_engine --gtest_filter='LayoutFingerprints.*'
// (the two lines as one command)
// Only a change that is meant to alter layouts may record new ones, and its commit says why.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/EngineRun.h"
#include "support/LayoutHash.h"

namespace tranchex::test {
namespace {

constexpr std::uint64_t kRecorded[] = {
#include "engine/LayoutFingerprints.inc"
};
constexpr std::uint32_t kJobs = 2500;

TEST(LayoutFingerprints, VariedJobsLayOutAsRecorded) {
  std::vector<std::uint64_t> found;
  int refused = 0, added = 0, thicker = 0, sideBySide = 0, simple = 0;
  for (std::uint32_t seed = 1; seed <= kJobs; ++seed) {
    const TestJob job = VariedJob(seed);
    const TestRun run = RunJob(job);
    found.push_back(LayoutHash(run));
    std::size_t stockCopies = 0;
    for (const Panneau_p& s : job.stock)
      stockCopies += s.Quantity > 0 ? static_cast<std::size_t>(s.Quantity) : 0;
    refused += run.failed ? 1 : 0;
    added += run.panels.size() > stockCopies ? 1 : 0;
    thicker += job.margins.ThickerStockAllowed ? 1 : 0;
    simple += job.kind == 1 ? 1 : 0;
    for (std::size_t k = 1; k < job.stock.size(); ++k) {
      const Panneau_p &a = job.stock[k - 1], &b = job.stock[k];
      if (a.Length == b.Length && a.Width == b.Width && a.Grain == b.Grain &&
          (a.Thickness != b.Thickness) != (a.Species != b.Species)) {
        ++sideBySide;
        break;
      }
    }
  }
  if (const char* out = std::getenv("TRANCHEX_RECORD_FINGERPRINTS")) {
    std::ofstream file(out);
    for (std::size_t k = 0; k < found.size(); ++k) {
      char text[32];
      std::snprintf(text, sizeof text, "0x%016llxull,", static_cast<unsigned long long>(found[k]));
      file << text << (k % 4 == 3 ? "\n" : " ");
    }
    file << "\n";
    GTEST_SKIP() << "recorded " << found.size() << " fingerprints in " << out;
  }
  // The jobs must reach every path for the comparison to mean anything.
  std::printf("%u jobs: %d refused, %d with panels added, %d thicker stock, %d simple, "
              "%d with entries side by side\n",
              kJobs, refused, added, thicker, simple, sideBySide);
  EXPECT_GT(refused, 50);
  EXPECT_GT(added, 500);
  EXPECT_GT(thicker, 500);
  EXPECT_GT(simple, 300);
  EXPECT_GT(sideBySide, 300);
  ASSERT_EQ(std::size(kRecorded), found.size());
  for (std::uint32_t seed = 1; seed <= kJobs; ++seed) {
    ASSERT_EQ(HashText(found[seed - 1]), HashText(kRecorded[seed - 1]))
        << "the layout of job " << seed << " has changed\n"
        << DescribeJob(VariedJob(seed));
  }
}

}  // namespace
}  // namespace tranchex::test
