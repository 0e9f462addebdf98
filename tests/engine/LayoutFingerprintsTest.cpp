// Every layout of a few thousand seeded varied jobs, and of complex jobs on stock in quantity with
// hundreds to thousands of copies, pinned one by one: the fingerprint of each job's whole outcome
// (every panel in order with its stock entry, every part on it with its position and footprint,
// so its turn, every free rectangle and cut line, the grid fields, the last part offered, the
// counts left and any refusal) is compared with the value recorded in LayoutFingerprints.inc,
// LayoutFingerprintsComplex.inc and (thicker stock allowed) LayoutFingerprintsThicker.inc. A
// rework of the engine that is meant to keep the layouts (speed, structure) must leave every one
// as it is; the first job that differs is named with its seed.
//
// The values were recorded on x86-64 (long double is the 80-bit extended type there), from the
// engine as it stood before its panel and run indexes, by
//   TRANCHEX_RECORD_FINGERPRINTS=tests/engine
//   build/bin/tests_engine --gtest_filter='LayoutFingerprints.*'
// (the two lines as one command), which writes the three files. Only a change that is meant to
// alter layouts may record new ones, and its commit says why.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/EngineRun.h"
#include "support/LayoutHash.h"

namespace tranchex::test {
namespace {

constexpr std::uint64_t kVaried[] = {
#include "engine/LayoutFingerprints.inc"
};
constexpr std::uint64_t kComplex[] = {
#include "engine/LayoutFingerprintsComplex.inc"
};
constexpr std::uint64_t kThicker[] = {
#include "engine/LayoutFingerprintsThicker.inc"
};

// A complex job of 3,000 to 5,000 copies on 100 stock records of 20 to 79 panels each, simple or
// complex, with every criterion and new-panel choice.
TestJob ComplexOnStock(std::uint32_t seed) {
  TestJob job = ComplexShopJob(seed, 3000 + 50 * static_cast<int>(seed % 40),
                               20 + static_cast<int>(seed % 60));
  job.kind = 1 + static_cast<int>(seed % 2);
  job.criterion = 1 + static_cast<int>(seed % 3);
  job.choice = 1 + static_cast<int>(seed / 3 % 2);
  return job;
}

// A complex job of 500 to 980 copies on 100 stock records of 3 to 10 panels each, thicker stock
// allowed; every other seed, the stock 19, 20, 21 or 22 mm thick in turn (the parts 19 mm).
TestJob ThickerOnStock(std::uint32_t seed) {
  TestJob job = ComplexShopJob(seed, 500 + 20 * static_cast<int>(seed % 25),
                               3 + static_cast<int>(seed % 8));
  job.kind = 1 + static_cast<int>(seed % 2);
  job.criterion = 1 + static_cast<int>(seed % 3);
  job.choice = 1 + static_cast<int>(seed / 3 % 2);
  job.margins.ThickerStockAllowed = 1;
  if (seed % 2 == 1) {
    for (std::size_t k = 0; k < job.stock.size(); ++k)
      job.stock[k].Thickness = 190.0 + 10.0 * static_cast<double>((k + seed) % 4);
  }
  return job;
}

// Lays out the jobs of seeds 1 to n; with TRANCHEX_RECORD_FINGERPRINTS set, writes their
// fingerprints into `file` in that folder and returns nothing.
std::vector<std::uint64_t> Fingerprints(std::uint32_t n,
                                        const std::function<TestJob(std::uint32_t)>& jobOf,
                                        const char* file,
                                        const std::function<void(const TestJob&, const TestRun&)>& seen = {}) {
  std::vector<std::uint64_t> found;
  for (std::uint32_t seed = 1; seed <= n; ++seed) {
    const TestJob job = jobOf(seed);
    const TestRun run = RunJob(job);
    found.push_back(LayoutHash(run));
    if (seen) seen(job, run);
  }
  const char* dir = std::getenv("TRANCHEX_RECORD_FINGERPRINTS");
  if (dir == nullptr) return found;
  std::ofstream out(std::string(dir) + "/" + file);
  for (std::size_t k = 0; k < found.size(); ++k) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%016llxull,", static_cast<unsigned long long>(found[k]));
    out << text << (k % 4 == 3 ? "\n" : " ");
  }
  out << "\n";
  return {};
}

void ExpectRecorded(const std::vector<std::uint64_t>& found, const std::uint64_t* recorded,
                    std::size_t count, const std::function<TestJob(std::uint32_t)>& jobOf) {
  if (found.empty()) GTEST_SKIP() << "fingerprints recorded";
  ASSERT_EQ(found.size(), count);
  for (std::uint32_t seed = 1; seed <= count; ++seed) {
    ASSERT_EQ(HashText(found[seed - 1]), HashText(recorded[seed - 1]))
        << "the layout of job " << seed << " has changed\n"
        << DescribeJob(jobOf(seed));
  }
}

TEST(LayoutFingerprints, VariedJobsLayOutAsRecorded) {
  int refused = 0, added = 0, thicker = 0, sideBySide = 0, simple = 0;
  const auto tally = [&](const TestJob& job, const TestRun& run) {
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
  };
  const std::uint32_t jobs = static_cast<std::uint32_t>(std::size(kVaried));
  const auto found = Fingerprints(jobs, VariedJob, "LayoutFingerprints.inc", tally);
  // The jobs must reach every path for the comparison to mean anything.
  std::printf("%u jobs: %d refused, %d with panels added, %d thicker stock, %d simple, "
              "%d with entries side by side\n",
              jobs, refused, added, thicker, simple, sideBySide);
  EXPECT_GT(refused, 50);
  EXPECT_GT(added, 500);
  EXPECT_GT(thicker, 500);
  EXPECT_GT(simple, 300);
  EXPECT_GT(sideBySide, 300);
  ExpectRecorded(found, kVaried, std::size(kVaried), VariedJob);
}

TEST(LayoutFingerprints, ComplexJobsOnStockInQuantityLayOutAsRecorded) {
  const auto found = Fingerprints(static_cast<std::uint32_t>(std::size(kComplex)), ComplexOnStock,
                                  "LayoutFingerprintsComplex.inc");
  ExpectRecorded(found, kComplex, std::size(kComplex), ComplexOnStock);
}

TEST(LayoutFingerprints, ComplexJobsWithThickerStockLayOutAsRecorded) {
  const auto found = Fingerprints(static_cast<std::uint32_t>(std::size(kThicker)), ThickerOnStock,
                                  "LayoutFingerprintsThicker.inc");
  ExpectRecorded(found, kThicker, std::size(kThicker), ThickerOnStock);
}

}  // namespace
}  // namespace tranchex::test
