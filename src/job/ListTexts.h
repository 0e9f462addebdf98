#pragma once
// The texts that the result lists write into their keys, offcut texts and labels: the three
// grain-direction words, the word for a species the list does not hold, and the decimal
// separator of the numbers. Handed to the builders by the caller; nothing here reads a locale.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tranchex {

struct ListTexts {
  // Indexed by grain direction: 0 "Horizontal", 1 "Vertical", 2 "Indifférent".
  std::array<std::string, 3> GrainTexts;
  // "Non spécifié": written, as it stands, in place of a species the species list lacks.
  std::string NotSpecified;
  // The regional decimal separator (',' under a French locale).
  char DecimalSeparator = ',';
};

// The grain words (texts 51, 52, 53) and "Non spécifié" (text 148) from the language texts.
ListTexts LoadListTexts(char decimalSeparator);

// The three grain words by grain direction: 51 "Horizontal", 52 "Vertical", 53 "Indifférent".
std::array<std::string, 3> LoadGrainTexts();

// A lower-case copy of a UTF-8 text, as the Windows-1252 character mapping lowers it: A-Z, the
// accented capitals À-Þ (not ×), Š, Œ, Ž and Ÿ. Anything else, malformed bytes included, is
// copied unchanged.
std::string LowerCaseText(std::string_view text);

// The lower-case species name at the index, or NotSpecified unchanged when the index names no
// entry of the species list.
std::string SpeciesLabel(const std::vector<std::string>& speciesNames, std::int32_t species,
                         const ListTexts& texts);

// The lower-case grain word of a grain direction; an empty text for a direction other than
// 0, 1 or 2.
std::string GrainLabel(std::int32_t grain, const ListTexts& texts);

}  // namespace tranchex
