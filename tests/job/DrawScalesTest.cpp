#include "job/DrawScales.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

using test::MakePanel;

TPiece Part(double length, double width) { return TPiece(length, width, 190, 0); }

// Does the scale fit both maxima into the area with twice the margin?
bool Fits(float s, int height, int width, int margin, double maxLength, double maxWidth) {
  const long double m2 = 2.0L * margin;
  return maxWidth / static_cast<long double>(s) + m2 <= height &&
         maxLength / static_cast<long double>(s) + m2 <= width;
}

TEST(ComputeDrawScale, HeightBindsAndOneStepIsTaken) {
  // s starts at 20700 / 1300 = 15.9230766 (single precision), just too small: one hundredth up.
  const float panels = ComputePanelDrawScale(1500, 2400, 100, {MakePanel(28000, 20700)});
  const float parts = ComputePartDrawScale(1500, 2400, 100, {Part(28000, 20700)});
  const float expected = static_cast<float>(static_cast<long double>(20700.0f / 1300.0f) + 0.01);
  EXPECT_FLOAT_EQ(panels, 15.933077f);
  EXPECT_EQ(panels, expected);
  EXPECT_EQ(parts, panels);
  EXPECT_TRUE(Fits(panels, 1500, 2400, 100, 28000, 20700));
}

TEST(ComputeDrawScale, BothMaximaCountEvenFromDifferentRecords) {
  const float apart = ComputePartDrawScale(1500, 2400, 100, {Part(28000, 500), Part(900, 20700)});
  const float together = ComputePartDrawScale(1500, 2400, 100, {Part(28000, 20700)});
  EXPECT_EQ(apart, together);
}

struct AreaCase {
  int height;
  int width;
  int margin;
  double length;
  double recordWidth;
};

TEST(ComputeDrawScale, ResultFitsAndIsTheFirstThatDoes) {
  const std::vector<AreaCase> cases = {
      {1500, 2400, 100, 28000, 20700},  // height binds
      {1500, 2400, 100, 60000, 6000},   // width binds
      {1000, 1000, 0, 5000, 5000},      // a tie, no margin
      {3000, 1000, 50, 1, 1},           // tiny records: scale below 1
      {201, 201, 100, 28000, 20700},    // one unit left on each side
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.height << "x" << c.width << " m" << c.margin);
    const float s = ComputePanelDrawScale(c.height, c.width, c.margin,
                                          {MakePanel(c.length, c.recordWidth)});
    ASSERT_TRUE(std::isfinite(s));
    ASSERT_GT(s, 0.0f);
    EXPECT_TRUE(Fits(s, c.height, c.width, c.margin, c.length, c.recordWidth));
    // One hundredth less no longer fits (the search starts at or just below the fit).
    if (s > 0.01f) {
      EXPECT_FALSE(Fits(s - 0.01f, c.height, c.width, c.margin, c.length, c.recordWidth));
    }
  }
}

TEST(ComputeDrawScale, AreaNoLargerThanTheMarginsEndsWithASafeScale) {
  // A window dragged small: twice the margin takes the whole area, or more.
  const std::vector<AreaCase> cases = {
      {200, 2400, 100, 28000, 20700}, {1500, 200, 100, 28000, 20700},
      {100, 100, 100, 28000, 20700},  {0, 0, 100, 28000, 20700},
      {-40, 300, 0, 28000, 20700},    {1500, 2400, 2000000000, 28000, 20700},
  };
  for (const AreaCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.height << "x" << c.width << " m" << c.margin);
    const float s = ComputePanelDrawScale(c.height, c.width, c.margin,
                                          {MakePanel(c.length, c.recordWidth)});
    ASSERT_TRUE(std::isfinite(s));
    ASSERT_GT(s, 0.0f);
    // The records fill the area, margins left out.
    EXPECT_LE(c.recordWidth / s, std::max(c.height, 1) * 1.0001);
    EXPECT_LE(c.length / s, std::max(c.width, 1) * 1.0001);
  }
}

TEST(ComputeDrawScale, HugeScalesEndWhenAHundredthNoLongerCounts) {
  // One unit of room for a kilometre-long record: the scale is far beyond where 0.01 changes a
  // float, and the search must still end.
  const float s = ComputePanelDrawScale(201, 201, 100, {MakePanel(1e10, 1e10)});
  ASSERT_TRUE(std::isfinite(s));
  EXPECT_GT(s, 9e9f);
}

TEST(ComputeDrawScale, NothingToDrawGivesZero) {
  EXPECT_EQ(ComputePartDrawScale(1500, 2400, 100, {}), 0.0f);
  EXPECT_EQ(ComputePanelDrawScale(1500, 2400, 100, {}), 0.0f);
  EXPECT_EQ(ComputePartDrawScale(1500, 2400, 100, {Part(0, 0)}), 0.0f);
}

TEST(ComputeDrawScale, RecordsWithoutWidthStillGetAScale) {
  const float s = ComputePartDrawScale(1500, 2400, 100, {Part(22000, 0)});
  ASSERT_TRUE(std::isfinite(s));
  EXPECT_TRUE(Fits(s, 1500, 2400, 100, 22000, 0));
}

}  // namespace
}  // namespace tranchex
