// The offcut table on a recording canvas: the column lines, the titles, the rows and their rules.

#include "exchange/OffcutTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"

namespace tranchex {
namespace {

CHUTE Offcut(int count, double length, double width, double thickness, int species) {
  CHUTE o;
  o.Count = count;
  o.Length = length;
  o.Width = width;
  o.Thickness = thickness;
  o.Species = species;
  return o;
}

struct Drawn {
  std::vector<std::string> texts;
  std::vector<CanvasPoint> textAt;
  std::vector<CanvasCall> lines;
  std::int32_t boldHeight = 0;
};

Drawn Draw(int jobKind, std::vector<CHUTE> offcuts, double factor = 10.0) {
  JobState job;
  job.JobKind = jobKind;
  job.Offcuts = std::move(offcuts);
  const std::vector<std::string> species{"Chêne"};
  const ExportTexts texts = LoadExportTexts();
  RecordingCanvas canvas;
  DrawOffcutTable(canvas, {job, species, factor, texts, ','}, OffcutTableGeometry{});
  Drawn d;
  for (const CanvasCall& c : canvas.CallsOf(CanvasCallKind::TextOut)) {
    d.texts.push_back(c.text);
    d.textAt.push_back(c.points[0]);
  }
  d.lines = canvas.CallsOf(CanvasCallKind::LineTo);
  CanvasFont bold = canvas.GetFont();
  bold.bold = true;
  canvas.SetFont(bold);
  d.boldHeight = canvas.GetTextMetrics().height;
  return d;
}

TEST(OffcutTable, ColumnsOfTheDesignWidth) {
  const std::int32_t expected[] = {1, 68, 135, 202, 269};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(OffcutColumnX(335, i), expected[i]) << i;
}

// An empty list: the five titles, the four column lines and the title rule, no row.
TEST(OffcutTable, EmptyListDrawsTitlesAndLinesOnly) {
  const Drawn d = Draw(2, {});
  EXPECT_EQ(d.texts, (std::vector<std::string>{"Nombre", "Longueur", "Largeur", "Epaisseur",
                                               "Essence"}));
  ASSERT_EQ(d.lines.size(), 5u);
  const std::int32_t columnX[] = {67, 134, 201, 268};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(d.lines[static_cast<std::size_t>(i)].points[0], (CanvasPoint{columnX[i], 0}));
    EXPECT_EQ(d.lines[static_cast<std::size_t>(i)].points[1], (CanvasPoint{columnX[i], 175}));
  }
  const std::int32_t h = d.boldHeight;
  EXPECT_EQ(d.lines[4].points[1], (CanvasPoint{369, h + 3}));
}

TEST(OffcutTable, RowsInTheUnitAndTheJobKind) {
  struct Case {
    const char* name;
    int kind;
    std::vector<std::string> row;
  };
  const std::vector<Case> cases{
      {"complex job", 2, {"2", "250,5", "100", "19", "Chêne"}},
      {"simple job", 1, {"2", "250,5", "100", "Non spécifié", "Non spécifié"}},
  };
  for (const Case& c : cases) {
    const Drawn d = Draw(c.kind, {Offcut(2, 2505, 1000, 190, 0), Offcut(1, 500, 500, 190, 3)});
    ASSERT_EQ(d.texts.size(), 15u) << c.name;
    const std::int32_t h = d.boldHeight;
    for (std::size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(d.texts[5 + i], c.row[i]) << c.name;
      EXPECT_EQ(d.textAt[5 + i].y, h + 5) << c.name;
    }
    // The second row: a species outside the list is not specified.
    EXPECT_EQ(d.texts[14], "Non spécifié") << c.name;
    // Each row is closed by a rule across the table.
    ASSERT_EQ(d.lines.size(), 7u);
    EXPECT_EQ(d.lines[5].points[1], (CanvasPoint{335, h + 3 + 2 + h + 1}));
  }
}

// The table shows every tenth of a millimetre in each unit, as the export writes it.
TEST(OffcutTable, SizesKeepEveryTenthInEachUnit) {
  struct Case {
    const char* name;
    double factor;
    std::vector<std::string> sizes;  // length, width, thickness
  };
  const std::vector<Case> cases{
      {"millimetres", 10.0, {"720,5", "396,5", "19"}},
      {"metres", 10000.0, {"0,7205", "0,3965", "0,019"}},
      {"inches", 254.0, {"28,366", "15,61", "0,748"}},
  };
  for (const Case& c : cases) {
    const Drawn d = Draw(2, {Offcut(1, 7205, 3965, 190, 0)}, c.factor);
    ASSERT_EQ(d.texts.size(), 10u) << c.name;
    EXPECT_EQ(std::vector<std::string>(d.texts.begin() + 6, d.texts.begin() + 9), c.sizes)
        << c.name;
  }
}

// The window scrolls once the rows outgrow its 175 pixels: 11 rows of a 13-pixel font do.
TEST(OffcutTable, HeightNeeded) {
  EXPECT_EQ(OffcutTableHeight(13, 10), 172);
  EXPECT_EQ(OffcutTableHeight(13, 11), 189);
  EXPECT_EQ(OffcutTableHeight(13, 0), 2);
}

}  // namespace
}  // namespace tranchex
