#pragma once
// Small helpers shared by the main window, the dialogs, the drawings and the export: rounding of
// entered and displayed numbers, number texts, shortening a text to a width, the placeholders of
// the language texts, a rectangle test, the pieces of a file path, the unit-of-measure copy and
// the clearing of a file's read-only state.
//
// Texts are UTF-8. No helper reads the user's locale: the decimal separator of the regional
// settings is handed in by the caller (',' under a French locale), and the output never depends
// on the C or C++ locale the process runs under.

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "job/MeasureUnit.h"

namespace tranchex {

// ---- Rounding -----------------------------------------------------------------------------

// x rounded to the nearest whole number, halves away from zero (2.5 gives 3, -2.5 gives -3,
// 2.4999 gives 2): the rounding of what the user types, once multiplied by the unit factor.
// Returns nothing when x is NaN, infinite or rounds outside the int range: the caller treats
// that as a value out of bounds and refuses the entry, as it does for any other bad number.
std::optional<int> RoundHalfAway(double x);

// The same rule in 64 bits, on an extended-precision value: the rounding behind the two- and
// three-decimal texts. Returns nothing when x is NaN, infinite or rounds outside int64.
std::optional<std::int64_t> RoundDouble(long double x);

// ---- Number texts ---------------------------------------------------------------------------

// General format: the shortest text of x with at most 15 significant digits, no trailing zeros
// after the separator, no separator when x is whole, no thousands separators, "-" in front of a
// negative. Scientific form ("1E17", "1,5E-6") only below 0.00001 in magnitude or with more than
// 15 integer digits. NaN and infinities give "NAN", "INF" and "-INF". decimalSeparator is an
// ASCII character.
std::string FormatGeneral(long double x, char decimalSeparator);

// x rounded to two decimals (halves away from zero), in the general format: with ',' 2.125 gives
// "2,13", 3.0 gives "3", 2.5 gives "2,5", -2.125 gives "-2,13", 0.004 gives "0".
std::string FormatTwoDecimals(double x, char decimalSeparator);

// The same with three decimals (thickness texts of the summaries).
std::string FormatThreeDecimals(double x, char decimalSeparator);

// ---- Sizes ----------------------------------------------------------------------------------
// A length, width or thickness is held in tenths of a millimetre. Written for a person or a
// program it keeps every tenth: as many decimals of the unit as a tenth needs, trailing zeros
// dropped. Read back (times the factor, rounded half away) it gives the very tenths it came from.

// The decimals a tenth of a millimetre needs in a unit of this factor (internal units per display
// unit): the smallest d with 10^d >= factor. Millimetre 1, centimetre 2, inch 3, metre 4.
int SizeDecimals(double factor);

// A size in tenths of a millimetre written in the unit of this factor, with SizeDecimals(factor)
// decimals at most (halves away from zero), trailing zeros and a bare separator dropped:
// 7205 tenths in metres "0,7205", 190 tenths in metres "0,019", 28000 in mm "2800",
// 1000 tenths in inches "3,937". A factor that is not usable gives the tenths themselves.
std::string FormatSize(double tenths, double factor, char decimalSeparator);

// The number format of the export, a point whatever the regional settings: a whole value as its
// integer ("7"), any other value rounded to two decimals with exactly two digits after the point
// ("12.50", "12.00" for 12.004, "3.00" for 2.999, "-1.25" for -1.25).
std::string FormatWithDecimalPoint(double x);

// The scale label of a printed plan: prefix + " : 1/" + the ratio the plan is drawn at. The
// scale is that ratio (a drawn length is the real one divided by it), so the label gives the
// whole number nearest to it, halves up (12.2 gives 12, 12.5 gives 13), and at least 1: a plan
// at full size or enlarged reads 1/1. A scale that is not a finite number gives "?" in place of
// the number.
std::string FormatScaleLabel(std::string_view prefix, float scale);

// ---- Texts ----------------------------------------------------------------------------------

// The text itself when (number of characters) x characterWidth < availableWidth; otherwise its
// first (availableWidth / characterWidth - 3) characters (integer division) followed by "...",
// or just "..." when that count is 0 or less. Characters are counted as UTF-8 code points, so a
// cut never splits an accented letter. A characterWidth of 0 or less measures nothing: the text
// is returned whole.
std::string EllipsizeText(std::string_view text, int characterWidth, int availableWidth);

// The placeholders of the language texts. Each search is case-sensitive and takes the first
// occurrence of the exact characters, also inside a word ("valeur" holds "val"). A message
// without the placeholder comes back unchanged. The result is the whole new text: callers that
// build a message in pieces append it.

// The message with its first "val" replaced by value.
std::string ReplaceValPlaceholder(std::string_view message, std::string_view value);

// The message with its first "val1" replaced by first; when second is not empty, the first
// "val2" after it replaced by second; when third is also not empty, the first "panel" after that
// replaced by third. An empty second leaves "val2" (and "panel") in the text as they are; an
// empty third leaves "panel".
std::string ReplaceVal1Val2Placeholders(std::string_view message, std::string_view first,
                                        std::string_view second, std::string_view third);

// The message with the first occurrence of placeholder replaced by value. An empty placeholder
// replaces nothing.
std::string ReplacePlaceholder(std::string_view message, std::string_view placeholder,
                               std::string_view value);

// ---- Rectangles -----------------------------------------------------------------------------

// Any integer rectangle with left, top, right and bottom members, y upward (top above bottom).
template <class R>
concept IntRectangle = requires(const R& r) {
  { r.left } -> std::convertible_to<int>;
  { r.top } -> std::convertible_to<int>;
  { r.right } -> std::convertible_to<int>;
  { r.bottom } -> std::convertible_to<int>;
};

// True when the rectangles share area, an edge or a corner (closed intervals).
template <IntRectangle A, IntRectangle B>
bool RectsOverlapOrTouch(const A& a, const B& b) {
  return b.left <= a.right && b.right >= a.left && b.top >= a.bottom && b.bottom <= a.top;
}

// ---- Paths and files ------------------------------------------------------------------------

// The text after the last "/"; the whole text when there is none ("" for "dir/").
std::string ExtractFileNamePart(std::string_view path);

// The text after the last "."; the whole text when there is none. The whole text is scanned,
// folders included ("a.b/c" gives "b/c").
std::string ExtractExtensionPart(std::string_view name);

// The text up to and including the last "/"; empty when there is none.
std::string ExtractDirectoryPart(std::string_view path);

// Copies the factor and the abbreviation; the destination's second text is left as it was.
void CopyUnit(const UNITE_MESURE& source, UNITE_MESURE& destination);

// Makes an existing file writable before a settings file is rewritten over it: a file whose
// owner-write permission is missing (our read-only state) gets it back. True when the file does
// not exist or is writable by its owner afterwards; false when it stays read-only or its state
// can't be read (the caller then writes nothing and says so).
bool ClearReadOnly(const std::filesystem::path& fileName);

}  // namespace tranchex
