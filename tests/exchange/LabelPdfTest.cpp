// Part labels printed through QPrinter into PDF files on A4, read back with poppler: the pages
// with pdfinfo, where each label's "Ref:" lands with pdftotext -bbox. Each of the two label
// sheets of the shop gets 25 labels: one full sheet and a second one begun; a format whose grid
// would overrun A4 keeps every label whole on its sheet.

#include <gtest/gtest.h>

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/LabelPrinting.h"
#include "plan/QtPrintTarget.h"
#include "support/PdfInfo.h"
#include "support/TempDir.h"

namespace tranchex {
namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// A sheet as the shop buys it, in millimetres, and the format that prints on it.
struct Sheet {
  const char* name;
  int columns, rows;
  double labelWidth, labelHeight;    // one label
  double pitchX, pitchY;             // label to label
  double marginLeft, marginTop;      // the sheet's margins
  ETIQUETTE format;
};

const Sheet kSheets[] = {
    {"3x7", 3, 7, 63.5, 38.1, 66.0, 38.1, 7.25, 15.15, {"3x7", 381, 635, 170, 95, 381, 660}},
    {"2x8", 2, 8, 99.1, 33.9, 101.6, 33.9, 4.65, 12.9, {"2x8", 339, 991, 150, 70, 339, 1016}},
};

std::optional<QString> Tool(const char* name) {
  const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdfinfo, const QString& file) {
  for (const QString& line : Run(pdfinfo, {file}).split(u'\n'))
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

// The top-left corner, in points from the page's top-left corner, of every "Ref:" word of each
// page.
std::vector<std::vector<std::pair<double, double>>> RefCorners(const QString& pdftotext,
                                                               const QString& file) {
  const QString html = Run(pdftotext, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
  std::vector<std::vector<std::pair<double, double>>> pages;
  static const QRegularExpression tag(QString::fromLatin1(
      R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      pages.emplace_back();
    } else if (m.captured(3) == QStringLiteral("Ref:") && !pages.empty()) {
      pages.back().push_back({m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
  }
  return pages;
}

// The label of the sheet that holds the point (points from the page's top-left corner), as
// (column, row); nothing when the point lies in no label.
std::optional<std::pair<int, int>> LabelAt(const Sheet& s, double x, double y) {
  for (int r = 0; r < s.rows; ++r) {
    for (int k = 0; k < s.columns; ++k) {
      const double left = (s.marginLeft + k * s.pitchX) * kPointsPerMm;
      const double top = (s.marginTop + r * s.pitchY) * kPointsPerMm;
      if (x >= left && x < left + s.labelWidth * kPointsPerMm && y >= top &&
          y < top + s.labelHeight * kPointsPerMm) {
        return std::pair{k, r};
      }
    }
  }
  return std::nullopt;
}

TEST(LabelPdf, TwentyFiveLabelsLandInTheLabelsOfTwoA4Sheets) {
  const auto pdfinfo = Tool("pdfinfo");
  const auto pdftotext = Tool("pdftotext");
  ASSERT_TRUE(pdfinfo && pdftotext) << "poppler-utils are needed (scripts/setup.sh)";
  const test::TempDir dir;

  PartList parts(1);
  parts[0].Length = 6000;
  parts[0].Width = 4000;
  parts[0].Thickness = 190;
  parts[0].Quantity = 25;
  parts[0].Number = 0;
  const std::vector<std::string> references{"a"};
  const std::vector<std::string> designations{"Montant"};
  const UNITE_MESURE mm{10.0, "mm", ""};

  for (const Sheet& sheet : kSheets) {
    // Page margins of 0, as the sheet's own margins are in the format; and Qt's default
    // margins, which move every text the same 3.53 mm further into its label.
    for (const bool zeroMargins : {true, false}) {
      SCOPED_TRACE(std::string(sheet.name) + (zeroMargins ? ", no page margins" : ", Qt's margins"));
      const QString file = QString::fromStdString(
          (dir.path() / (std::string(sheet.name) + (zeroMargins ? "-0" : "-qt") + ".pdf"))
              .string());
      QPrinter printer(QPrinter::HighResolution);
      test::SetUpPdf(printer, file);
      if (zeroMargins) printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

      QtPrintTarget target(printer);
      const LabelPrintReport report = PrintLabels(
          target, LabelPrintInputs{.Format = sheet.format,
                                   .Parts = parts,
                                   .References = references,
                                   .Designations = designations,
                                   .JobKind = 1,
                                   .Unit = mm,
                                   .DecimalSeparator = ','});
      EXPECT_EQ(report.Sheets, 2);
      EXPECT_EQ(PdfPages(*pdfinfo, file), 2);

      const int perSheet = sheet.columns * sheet.rows;
      const auto pages = RefCorners(*pdftotext, file);
      ASSERT_EQ(pages.size(), 2u);
      for (std::size_t p = 0; p < pages.size(); ++p) {
        const int count = p == 0 ? perSheet : 25 - perSheet;
        ASSERT_EQ(static_cast<int>(pages[p].size()), count) << "page " << p + 1;
        // Filled row after row, each text in a label of its own.
        std::vector<std::pair<int, int>> cells;
        for (const auto& [x, y] : pages[p]) {
          const auto cell = LabelAt(sheet, x, y);
          ASSERT_TRUE(cell) << "page " << p + 1 << ": \"Ref:\" at (" << x << ", " << y
                            << ") pt lies in no label";
          cells.push_back(*cell);
        }
        std::sort(cells.begin(), cells.end(),
                  [](auto a, auto b) { return std::pair{a.second, a.first} <
                                              std::pair{b.second, b.first}; });
        for (int i = 0; i < count; ++i) {
          EXPECT_EQ(cells[static_cast<std::size_t>(i)],
                    (std::pair{i % sheet.columns, i / sheet.columns}))
              << "page " << p + 1 << ", label " << i + 1;
        }
      }
    }
  }
}

// Every word of each page with its box, in points from the page's top-left corner.
struct Word {
  QString text;
  double xMin, yMin, xMax, yMax;
};

std::vector<std::vector<Word>> PageWords(const QString& pdftotext, const QString& file) {
  const QString html = Run(pdftotext, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
  std::vector<std::vector<Word>> pages;
  static const QRegularExpression tag(QString::fromLatin1(
      R"re(<page |<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      pages.emplace_back();
    } else if (!pages.empty()) {
      pages.back().push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
  }
  return pages;
}

// A format whose fourth column would start 198 mm into the 210 mm page and whose eighth row
// would run off its bottom: 100 labels come out 21 to a sheet, each whole on the page.
TEST(LabelPdf, ALabelThatWouldRunOffTheSheetGoesToTheNextRowOrSheet) {
  const auto pdftotext = Tool("pdftotext");
  ASSERT_TRUE(pdftotext) << "poppler-utils are needed (scripts/setup.sh)";
  const test::TempDir dir;
  PartList parts(1);
  parts[0].Length = 6000;
  parts[0].Width = 4000;
  parts[0].Thickness = 190;
  parts[0].Quantity = 100;
  parts[0].Number = 0;
  const std::vector<std::string> references{"C"};
  const std::vector<std::string> designations{"Façade"};
  const UNITE_MESURE mm{10.0, "mm", ""};
  const ETIQUETTE format{"3mm", 381, 635, 30, 30, 381, 660};

  const QString file = QString::fromStdString((dir.path() / "insets.pdf").string());
  QPrinter printer(QPrinter::HighResolution);
  test::SetUpPdf(printer, file);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  QtPrintTarget target(printer);
  const LabelPrintReport report =
      PrintLabels(target, LabelPrintInputs{.Format = format,
                                           .Parts = parts,
                                           .References = references,
                                           .Designations = designations,
                                           .JobKind = 1,
                                           .Unit = mm,
                                           .DecimalSeparator = ','});
  EXPECT_EQ(report.Labels, 100);
  EXPECT_EQ(report.Sheets, 5);

  const double pageWidth = 210.0 * kPointsPerMm;
  const double pageHeight = 297.0 * kPointsPerMm;
  const auto pages = PageWords(*pdftotext, file);
  ASSERT_EQ(pages.size(), 5u);
  int labels = 0;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    int refs = 0;
    int units = 0;
    std::vector<std::pair<double, double>> corners;
    for (const Word& w : pages[p]) {
      EXPECT_LE(w.xMax, pageWidth) << "page " << p + 1 << ": " << w.text.toStdString();
      EXPECT_LE(w.yMax, pageHeight) << "page " << p + 1 << ": " << w.text.toStdString();
      if (w.text == QStringLiteral("Ref:")) {
        ++refs;
        corners.push_back({w.xMin, w.yMin});
      }
      if (w.text == QStringLiteral("mm")) ++units;
    }
    // Each label's last word is on the page with its first.
    EXPECT_EQ(units, refs) << "page " << p + 1;
    EXPECT_EQ(refs, p < 4 ? 21 : 16) << "page " << p + 1;
    labels += refs;
    // Three columns: every text starts 3 mm into a label that starts 0, 66 or 132 mm in.
    for (const auto& [x, y] : corners) {
      const double column = (x / kPointsPerMm - 3.0) / 66.0;
      EXPECT_NEAR(column, std::round(column), 0.02) << "page " << p + 1 << " x " << x;
      EXPECT_LT(std::round(column), 3.0) << "page " << p + 1;
      const double row = (y / kPointsPerMm - 3.0) / 38.1;
      EXPECT_LT(std::round(row), 7.0) << "page " << p + 1;
    }
  }
  EXPECT_EQ(labels, 100);
}

// Formats whose labels fill A4 exactly, page margins 0: three 70 mm columns or two 105 mm ones
// across 210 mm, eleven 27 mm rows or nine 33 mm ones down 297 mm. Qt gives the A4 page as
// 595 x 841 whole points at 72 dpi, and 9921 x 14031 pixels at 1200 dpi: each a fraction of a
// millimetre short of the sheet. The last column and row still fit, measured on the PDF.
TEST(LabelPdf, LabelsThatFillTheSheetExactlyFitInPointsAndInDevicePixels) {
  const auto pdftotext = Tool("pdftotext");
  ASSERT_TRUE(pdftotext) << "poppler-utils are needed (scripts/setup.sh)";
  const test::TempDir dir;
  const struct {
    const char* name;
    ETIQUETTE format;
    int columns, rows;
  } formats[] = {
      {"3x11", {"3x11", 270, 700, 30, 30, 270, 700}, 3, 11},
      {"2x9", {"2x9", 330, 1050, 30, 30, 330, 1050}, 2, 9},
  };
  const UNITE_MESURE mm{10.0, "mm", ""};
  const std::vector<std::string> references{"a"};
  const std::vector<std::string> designations{"Montant"};
  for (const auto& f : formats) {
    for (const int dpi : {72, 1200}) {
      SCOPED_TRACE(std::string(f.name) + " at " + std::to_string(dpi) + " dpi");
      // One full sheet and one label more.
      const int perSheet = f.columns * f.rows;
      PartList parts(1);
      parts[0].Length = 6000;
      parts[0].Width = 4000;
      parts[0].Thickness = 190;
      parts[0].Quantity = perSheet + 1;
      parts[0].Number = 0;
      const QString file = QString::fromStdString(
          (dir.path() / (std::string(f.name) + "-" + std::to_string(dpi) + ".pdf")).string());
      QPrinter printer(QPrinter::HighResolution);
      test::SetUpPdf(printer, file);
      printer.setResolution(dpi);
      printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
      QtPrintTarget target(printer);
      const LabelPrintReport report =
          PrintLabels(target, LabelPrintInputs{.Format = f.format,
                                               .Parts = parts,
                                               .References = references,
                                               .Designations = designations,
                                               .JobKind = 1,
                                               .Unit = mm,
                                               .DecimalSeparator = ','});
      EXPECT_EQ(report.Labels, perSheet + 1);
      EXPECT_EQ(report.Sheets, 2);
      const auto pages = RefCorners(*pdftotext, file);
      ASSERT_EQ(pages.size(), 2u);
      ASSERT_EQ(static_cast<int>(pages[0].size()), perSheet);
      EXPECT_EQ(pages[1].size(), 1u);
      // Every cell of the first sheet holds one text, 3 mm into its label.
      std::vector<std::pair<int, int>> cells;
      for (const auto& [x, y] : pages[0]) {
        const double column = (x / kPointsPerMm - 3.0) / (f.format.HorizontalPitch / 10.0);
        const double row = (y / kPointsPerMm - 3.0) / (f.format.VerticalPitch / 10.0);
        EXPECT_NEAR(column, std::round(column), 0.02) << x;
        EXPECT_NEAR(row, std::round(row), 0.02) << y;
        cells.push_back({static_cast<int>(std::lround(row)), static_cast<int>(std::lround(column))});
      }
      std::sort(cells.begin(), cells.end());
      for (int i = 0; i < perSheet; ++i) {
        EXPECT_EQ(cells[static_cast<std::size_t>(i)], (std::pair{i / f.columns, i % f.columns}))
            << "label " << i + 1;
      }
    }
  }
}

}  // namespace
}  // namespace tranchex
