#include "exchange/JobExport.h"

#include <cstddef>
#include <initializer_list>

#include "exchange/SylkExport.h"
#include "job/ColumnLetters.h"
#include "job/ListLookup.h"
#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {
namespace {

// Fields joined by semicolons, ended by a line feed.
void AppendLine(std::string& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (std::string_view f : fields) {
    if (!first) out += ';';
    out += f;
    first = false;
  }
  out += '\n';
}

std::string Length(const ExportSource& s, double value) {
  return FormatSize(value, s.UnitFactor, s.DecimalSeparator);
}

// A simple job gives no thickness: "0".
std::string Thickness(const ExportSource& s, double value) {
  return s.Job.JobKind == 1 ? std::string("0") : Length(s, value);
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

ExportTexts LoadExportTexts() {
  namespace id = TextId::Columns;
  const DescriptionTexts shared = LoadDescriptionTexts();
  ExportTexts t;
  t.Reference = LoadString(id::TextReference);
  t.Designation = LoadString(id::TextDesignation);
  t.Count = shared.TextCount;
  t.Length = LoadString(id::TextLength);
  t.Width = LoadString(id::TextWidth);
  t.Thickness = shared.TextThickness;
  t.Species = shared.TextSpecies;
  t.Grain = shared.TextGrain;
  t.TargetPanel = LoadString(id::TextTargetPanel);
  t.NotSpecified = shared.TextNotSpecified;
  return t;
}

std::optional<ExportFormat> ExportFormatFor(std::string_view extension, ExportLayout layout) {
  const std::string e = LowerAscii(extension);
  if (e == "csv" || e == "txt") return ExportFormat::Lines;
  if (e == "slk" && layout == ExportLayout::CuttingSheet) return ExportFormat::Sylk;
  return std::nullopt;
}

const std::string& ExportSpecies(const ExportSource& source, std::int32_t species) {
  if (source.Job.JobKind == 2) {
    if (const std::string* name = SpeciesNameAt(source.SpeciesNames, species)) return *name;
  }
  return source.Texts.NotSpecified;
}

ExportReferences::ExportReferences(const JobState& job) {
  FreeLetters free;
  std::vector<const TPiece*> without;
  for (const TPiece& p : job.JobParts) {
    const std::string& own = EntryOrEmpty(job.JobReferences, PartNumber(p));
    if (own.empty()) {
      without.push_back(&p);
    } else {
      free.Take(own);
    }
    byNumber_.emplace(PartNumber(p), own);
  }
  // A part without a reference keeps the letters of its number while no other part has them;
  // the others get the first letters still free, in list order.
  std::vector<const TPiece*> left;
  for (const TPiece* p : without) {
    const std::string letters = ColumnLetters(PartNumber(*p));
    if (!letters.empty() && free.TryTake(letters)) {
      byNumber_[PartNumber(*p)] = letters;
    } else {
      left.push_back(p);
    }
  }
  for (const TPiece* p : left) byNumber_[PartNumber(*p)] = free.Next();
}

const std::string& ExportReferences::Of(const TPiece& part) const {
  static const std::string kNone;
  const auto found = byNumber_.find(PartNumber(part));
  return found != byNumber_.end() ? found->second : kNone;
}

std::string BlankLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += ' ';
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string LinesField(std::string_view text) {
  const std::string t = BlankLineBreaks(text);
  if (t.find(';') == std::string::npos && (t.empty() || t.front() != '"')) return t;
  std::string out = "\"";
  for (char c : t) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

std::string CuttingSheetLines(const ExportSource& s) {
  const ExportTexts& t = s.Texts;
  std::string out(kUtf8Bom);
  AppendLine(out, {LinesField(t.Reference), LinesField(t.Designation), LinesField(t.Count),
                   LinesField(t.Length), LinesField(t.Width), LinesField(t.Thickness),
                   LinesField(t.Species), LinesField(t.Grain)});
  const PartList& parts = s.Job.JobParts;
  const ExportReferences references(s.Job);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const TPiece& p = parts[i];
    AppendLine(out, {LinesField(references.Of(p)),
                     LinesField(EntryOrEmpty(s.Job.JobDesignations, static_cast<std::int64_t>(i))),
                     std::to_string(p.Quantity), Length(s, p.Length), Length(s, p.Width),
                     Thickness(s, p.Thickness), LinesField(ExportSpecies(s, p.Species)),
                     std::to_string(p.Grain)});
  }
  return out;
}

std::string ComputedJobLines(const ExportSource& s) {
  const ExportTexts& t = s.Texts;
  std::string out(kUtf8Bom);
  AppendLine(out, {LinesField(t.Reference), LinesField(t.Designation), LinesField(t.Count),
                   LinesField(t.Length), LinesField(t.Width), LinesField(t.Thickness),
                   LinesField(t.Species), LinesField(t.Grain), LinesField(t.TargetPanel)});
  const PanelList& panels = s.Job.ResultPanels;
  const ExportReferences references(s.Job);
  // Ten fields where the title line has nine: the panel lines end with two empty fields.
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const Panneau_p& panel = panels[i];
    AppendLine(out, {std::to_string(i + 1), "", "1", Length(s, panel.Length),
                     Length(s, panel.Width), Thickness(s, panel.Thickness),
                     LinesField(ExportSpecies(s, panel.Species)), std::to_string(panel.Grain), "",
                     ""});
  }
  for (std::size_t i = 0; i < panels.size(); ++i) {
    const Panneau_p& panel = panels[i];
    const std::string n = std::to_string(i + 1);
    const std::string thickness = Thickness(s, panel.Thickness);
    for (const TPiece& p : panel.PlacedParts) {
      // The designation is looked up by the part's number; a number the list lacks gives none.
      AppendLine(out, {LinesField(references.Of(p)),
                       LinesField(EntryOrEmpty(s.Job.JobDesignations, PartNumber(p))), "1",
                       Length(s, p.Length), Length(s, p.Width), thickness,
                       LinesField(ExportSpecies(s, p.Species)), std::to_string(p.Grain), n});
    }
  }
  return out;
}

std::string ExportFileBytes(ExportLayout layout, ExportFormat format, const ExportSource& source) {
  if (format == ExportFormat::Sylk) {
    return layout == ExportLayout::CuttingSheet ? CuttingSheetSylk(source) : std::string();
  }
  return layout == ExportLayout::CuttingSheet ? CuttingSheetLines(source)
                                              : ComputedJobLines(source);
}

}  // namespace tranchex
