#pragma once
// Part labels: one small label per copy of every part of the job, laid out in a grid on the
// sheets of self-adhesive labels the shop buys, in the geometry of a label format.
//
// Geometry, in the 0.1 mm mapping (y upward, origin at the top-left corner of the printable
// area), for a format of label height h, width w, top margin tm, "bottom" margin bm, vertical
// pitch vp and horizontal pitch hp, and a printable area W wide and H high:
//   - the label in column k and row r of a sheet has its cell from k*hp to k*hp + w across and
//     from r*vp to r*vp + h down; its text starts at (k*hp + bm, r*vp + tm) and is clipped to the
//     rectangle from that point to the cell's right and lower edges. So "Marge haut" (tm) is the
//     text's top inset and "Marge bas" (bm) its LEFT inset: a sheet's own margins go into them
//     (the printable area of Qt's PDF printer starts 3.53 mm in unless its margins are set to 0);
//   - after each label the text moves one pitch right; a row is full when the next label would
//     end past the printable width (k*hp + w > W), a sheet when the next row's labels would end
//     below the printable area (r*vp + h > H), so every label printed is whole on its sheet. W and
//     H are the printable area unrounded: a label that ends on its edge, to a hundredth of a
//     millimetre, fits (three 70 mm labels fill A4 whatever the device's pixels). The first
//     label of a row, and the first row of a sheet, are printed whatever their size;
//   - a new sheet is begun only before a label that needs it: a document never ends with a blank
//     sheet.
//
// The text of a label: "Ref: " reference " - " designation " " length "x" width, for a complex
// job "x" thickness, then " " and the unit's abbreviation; the sizes in the unit with every
// tenth of a millimetre (FormatSize). The reference and the designation are those at the part's NUMBER in
// the job's lists (empty when a list has none there). The number of characters that fit on a
// line is the label width over the average character width of the canvas's default font (8
// points), measured before the 5-point label font is set; a longer text goes on two lines, the
// second 5 mm below the first (SplitLabelText).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextIds.h"
#include "engine/Records.h"
#include "job/MeasureUnit.h"
#include "job/Settings.h"
#include "plan/Printing.h"

namespace tranchex {

// Every value of a label format lies in 1..2000 tenths of a millimetre (at most 200 mm): a pitch
// of 0 would stack every label on one spot.
inline constexpr std::int32_t kLabelValueMin = 1;
inline constexpr std::int32_t kLabelValueMax = 2000;
// The longest reference of a format: its field in the labels file holds 14 Windows-1252 bytes.
inline constexpr std::int32_t kLabelNameMaxCharacters = 14;

inline bool LabelValueHolds(std::int64_t value) {
  return value >= kLabelValueMin && value <= kLabelValueMax;
}

// The language text ids of the six values' captions, in the record's order: 219 "Hauteur",
// 42 "Largeur", 220 "Marge haut", 221 "Marge bas", 222 "Pas vertical", 223 "Pas horizontal".
inline constexpr int kLabelValueCaptionIds[6] = {
    TextId::LabelForm::LblHauteur,     TextId::LabelForm::LblLargeur,
    TextId::LabelForm::LblMargeHaut,   TextId::LabelForm::LblMargeBas,
    TextId::LabelForm::LblPasVertical, TextId::LabelForm::LblPasHorizontal};

// The six values of a format in the record's order: height, width, top margin, bottom margin,
// vertical pitch, horizontal pitch.
std::vector<std::int32_t> LabelFormatValues(const ETIQUETTE& format);

// Why a format cannot be printed (a value outside 1..2000), in French, naming the format and
// the first such value; nothing when it can.
std::optional<std::string> LabelFormatRefusal(const ETIQUETTE& format);

// The labels the parts ask for: the sum of their quantities, a quantity of 0 or less counting 0.
std::int64_t LabelCount(const PartList& parts);

// The text of the label of one part (see above).
std::string LabelText(const TPiece& part, const std::vector<std::string>& references,
                      const std::vector<std::string>& designations, std::int32_t jobKind,
                      const UNITE_MESURE& unit, char decimalSeparator);

// How many characters fit on a line of a label of that width: width / average character width,
// truncated; 0 when a character is wider than the label or has no width.
std::int32_t CharactersPerLine(std::int32_t labelWidth, std::int32_t aveCharWidth);

// A label text on one or two lines.
struct LabelLines {
  std::string First;
  std::string Second;  // empty: one line
  bool Wrapped = false;
};

// A text of at most charactersPerLine characters stays on one line. A longer one is split: the
// first line holds the text before its fourth blank, cut to 30 characters at most; the second
// line holds everything after the first, its leading blank dropped. Nothing of the text is lost.
// Characters are UTF-8 code points.
LabelLines SplitLabelText(std::string_view text, std::int32_t charactersPerLine);

// What a label print reads; nothing of it is written.
struct LabelPrintInputs {
  const ETIQUETTE& Format;
  const PartList& Parts;
  const std::vector<std::string>& References;
  const std::vector<std::string>& Designations;
  std::int32_t JobKind = 1;  // 2: the thickness is printed too
  const UNITE_MESURE& Unit;
  char DecimalSeparator = ',';
};

enum class LabelPrintStatus {
  Printed,         // the document was printed
  FormatRefused,   // a value of the format is out of 1..2000: no document was started
  NothingToPrint,  // every quantity is 0: no document was started
};

struct LabelPrintReport {
  LabelPrintStatus Status = LabelPrintStatus::Printed;
  std::int32_t Sheets = 0;  // sheets printed
  std::int64_t Labels = 0;  // labels printed
  // For FormatRefused and NothingToPrint: what to tell the user, in French.
  std::string Message;
};

// Prints the labels on the target, portrait. Throws PrintError (its message for the user) when
// the printer is not ready, a sheet cannot be begun, the drawing fails or the document cannot be
// finished; a document begun is then aborted.
LabelPrintReport PrintLabels(PrintTarget& target, const LabelPrintInputs& inputs);

}  // namespace tranchex
