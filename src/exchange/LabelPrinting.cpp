#include "exchange/LabelPrinting.h"

#include <algorithm>

#include "job/ListLookup.h"
#include "job/Outils_debit.h"
#include "platform/Canvas.h"
#include "platform/Texts.h"

namespace tranchex {

namespace {

constexpr int kLabelFontSize = 5;           // points
constexpr std::int32_t kSecondLineDrop = 50;  // 5 mm between the two lines of a label
constexpr std::int32_t kFirstLineMaxCharacters = 30;
constexpr std::int32_t kBlanksBeforeBreak = 4;
// A label that ends within a hundredth of a millimetre of the printable edge fits.
constexpr double kEdgeTolerance = 0.1;

// The byte offset of the character at index n (from 0) of a UTF-8 text; the text's size when it
// has n characters or fewer.
std::size_t CharacterOffset(std::string_view text, std::int32_t n) {
  std::int32_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0u) == 0x80u) continue;
    if (seen == n) return i;
    ++seen;
  }
  return text.size();
}

// Every sheet starts in the 0.1 mm mapping, unclipped, with the canvas's default font, so that
// it never depends on what the printer kept of the sheet before.
void StartLabelSheet(Canvas& canvas) {
  canvas.ClearClip();
  canvas.SetMapMode(MapMode::LoMetric);
  canvas.SetFont(CanvasFont{});
}

// The label font: the default face at 5 points, text without a background.
void SetLabelFont(Canvas& canvas) {
  canvas.SetFontSize(kLabelFontSize);
  canvas.SetBrushStyle(BrushStyle::Clear);
}

// Where the next label goes: its text origin and the rectangle its text is clipped to.
struct LabelCursor {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  CanvasRect Clip;
};

LabelCursor FirstLabel(const ETIQUETTE& f) {
  LabelCursor c;
  c.X = f.BottomMargin;
  c.Y = -f.TopMargin;
  c.Clip = CanvasRect{f.BottomMargin, -f.Height, f.Width, -f.TopMargin};
  return c;
}

}  // namespace

std::vector<std::int32_t> LabelFormatValues(const ETIQUETTE& f) {
  return {f.Height, f.Width, f.TopMargin, f.BottomMargin, f.VerticalPitch, f.HorizontalPitch};
}

std::optional<std::string> LabelFormatRefusal(const ETIQUETTE& format) {
  const std::vector<std::int32_t> values = LabelFormatValues(format);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (LabelValueHolds(values[i])) continue;
    return "Le format d'étiquettes « " + format.Name + " » ne peut pas être imprimé : « " +
           LoadString(kLabelValueCaptionIds[i], 100) + " » vaut " + std::to_string(values[i]) +
           ", il doit être compris entre " + std::to_string(kLabelValueMin) + " et " +
           std::to_string(kLabelValueMax) + " dixièmes de millimètre.";
  }
  return std::nullopt;
}

std::int64_t LabelCount(const PartList& parts) {
  std::int64_t n = 0;
  for (const TPiece& part : parts) n += std::max<std::int64_t>(0, part.Quantity);
  return n;
}

std::string LabelText(const TPiece& part, const std::vector<std::string>& references,
                      const std::vector<std::string>& designations, std::int32_t jobKind,
                      const UNITE_MESURE& unit, char decimalSeparator) {
  const std::int32_t number = PartNumber(part);
  std::string text = "Ref: ";
  text += EntryOrEmpty(references, number);
  text += " - ";
  text += EntryOrEmpty(designations, number);
  text += " ";
  text += FormatSize(part.Length, unit.Factor, decimalSeparator);
  text += "x";
  text += FormatSize(part.Width, unit.Factor, decimalSeparator);
  if (jobKind == 2) {
    text += "x";
    text += FormatSize(part.Thickness, unit.Factor, decimalSeparator);
  }
  text += " ";
  text += unit.Abbreviation;
  return text;
}

std::int32_t CharactersPerLine(std::int32_t labelWidth, std::int32_t aveCharWidth) {
  if (aveCharWidth <= 0 || labelWidth <= 0) return 0;
  return labelWidth / aveCharWidth;
}

LabelLines SplitLabelText(std::string_view text, std::int32_t charactersPerLine) {
  const std::int32_t length = CharacterCount(text);
  if (length <= charactersPerLine) return LabelLines{std::string(text), {}, false};

  // The character index of the fourth blank; the text's end when it has fewer.
  std::int32_t breakAt = length;
  std::int32_t blanks = 0;
  std::int32_t index = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0u) == 0x80u) continue;
    if (text[i] == ' ' && ++blanks == kBlanksBeforeBreak) {
      breakAt = index;
      break;
    }
    ++index;
  }
  const std::size_t cut = CharacterOffset(text, std::min(breakAt, kFirstLineMaxCharacters));
  LabelLines lines;
  lines.Wrapped = true;
  lines.First = std::string(text.substr(0, cut));
  std::string_view rest = text.substr(cut);
  if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  lines.Second = std::string(rest);
  return lines;
}

LabelPrintReport PrintLabels(PrintTarget& target, const LabelPrintInputs& in) {
  LabelPrintReport report;
  if (std::optional<std::string> refusal = LabelFormatRefusal(in.Format)) {
    report.Status = LabelPrintStatus::FormatRefused;
    report.Message = *refusal;
    return report;
  }
  if (LabelCount(in.Parts) == 0) {
    report.Status = LabelPrintStatus::NothingToPrint;
    report.Message =
        "Aucune étiquette à imprimer : la quantité de chaque pièce du débit est nulle.";
    return report;
  }

  const ETIQUETTE& f = in.Format;
  PrintDocument doc(target, PrintOrientation::Portrait);
  const PrintReport printed = doc.Run([&] {
    Canvas& first = doc.canvas();
    StartLabelSheet(first);
    // The printable area unrounded: a label that ends on its edge fits, whatever the device's
    // pixel size.
    const double W = target.PrintableWidthTenths() + kEdgeTolerance;
    const double H = target.PrintableHeightTenths() + kEdgeTolerance;
    // The characters per line come from the default font, before the label size is set.
    const std::int32_t perLine = CharactersPerLine(f.Width, first.GetTextMetrics().aveCharWidth);
    SetLabelFont(first);

    LabelCursor at = FirstLabel(f);
    bool sheetFull = false;
    for (const TPiece& part : in.Parts) {
      for (std::int64_t copy = 1; copy <= part.Quantity; ++copy) {
        if (sheetFull) {
          doc.NextSheet();
          StartLabelSheet(doc.canvas());
          SetLabelFont(doc.canvas());
          at = FirstLabel(f);
          sheetFull = false;
        }
        Canvas& canvas = doc.canvas();
        const LabelLines lines = SplitLabelText(
            LabelText(part, in.References, in.Designations, in.JobKind, in.Unit,
                      in.DecimalSeparator),
            perLine);
        canvas.TextRect(at.Clip, at.X, at.Y, lines.First);
        if (lines.Wrapped) canvas.TextRect(at.Clip, at.X, at.Y - kSecondLineDrop, lines.Second);
        ++report.Labels;

        // The next column; a row is full when the next label would end past the printable
        // width, a sheet when the next row's labels would end below it. A full sheet waits for
        // a label.
        at.X += f.HorizontalPitch;
        at.Clip.left += f.HorizontalPitch;
        at.Clip.right += f.HorizontalPitch;
        if (at.Clip.right > W) {
          at.Y -= f.VerticalPitch;
          at.Clip.top -= f.VerticalPitch;
          at.Clip.bottom -= f.VerticalPitch;
          at.X = f.BottomMargin;
          at.Clip.left = f.BottomMargin;
          at.Clip.right = f.Width;
        }
        if (-at.Clip.top > H) sheetFull = true;
      }
    }
  });
  report.Sheets = printed.Sheets;
  return report;
}

}  // namespace tranchex
