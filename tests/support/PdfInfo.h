#pragma once
// What pdfinfo and pdftotext (poppler-utils, installed by the scripts) say of a PDF file the
// tests printed, and the printer that prints one.

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace tranchex::test {

// The printer writes an A4 PDF file: only ever a file of the test's, never a printer of the
// machine.
inline void SetUpPdf(QPrinter& printer, const QString& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageSize(QPageSize(QPageSize::A4));
}

// The page count (-1 when pdfinfo cannot tell) and the first page's size
// ("595.276 x 841.89 pts (A4)").
struct PdfInfo {
  int pages = -1;
  std::string pageSize;
};

// Nothing when pdfinfo is not installed.
inline std::optional<PdfInfo> ReadPdfInfo(const QString& file) {
  const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
  if (pdfinfo.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(pdfinfo, {file});
  if (!process.waitForFinished(30000)) return PdfInfo{};
  PdfInfo info;
  for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
    if (line.startsWith(QStringLiteral("Pages:"))) info.pages = line.mid(6).trimmed().toInt();
    if (line.startsWith(QStringLiteral("Page size:")))
      info.pageSize = line.mid(10).trimmed().toStdString();
  }
  return info;
}

// The page count alone; -1 when it cannot be told.
inline int PdfPages(const QString& file) {
  const std::optional<PdfInfo> info = ReadPdfInfo(file);
  return info ? info->pages : -1;
}

// The first page's size alone; empty when it cannot be told.
inline std::string PdfPageSize(const QString& file) {
  const std::optional<PdfInfo> info = ReadPdfInfo(file);
  return info ? info->pageSize : std::string();
}

// The text of each page, as pdftotext reads it; nothing when pdftotext is not installed.
inline std::optional<QStringList> PdfPageTexts(const QString& file) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (pdftotext.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(pdftotext, {file, QStringLiteral("-")});
  if (!process.waitForFinished(30000)) return QStringList{};
  QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
  // Every page ends with a form feed: the piece after the last one is empty.
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.pop_back();
  return pages;
}

}  // namespace tranchex::test
