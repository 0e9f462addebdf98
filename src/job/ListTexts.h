#pragma once
// The texts that the result lists write into their keys, offcut texts and labels: the three
// grain-direction words, the word for a species the list does not hold, and the decimal
// separator of the numbers. Handed to the builders by the caller; nothing here reads a locale.
//
// Also the one loader of each group of language texts that several parts of the program write:
// the grain words, the words that describe a part or a panel, the default words for panels and
// parts. The plans, the cutting sheet, the settings and the main window take them from here.

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

// The grain words and "Non spécifié" from the language texts.
ListTexts LoadListTexts(char decimalSeparator);

// The three grain words by grain direction: "Horizontal", "Vertical", "Indifférent".
std::array<std::string, 3> LoadGrainTexts();

// The words that describe a part or a panel, as the plan headings and the cutting sheet write
// them.
struct DescriptionTexts {
  std::string TextCount;         // "Nombre"
  std::string TextThickness;     // "Epaisseur"
  std::string TextSpecies;       // "Essence"
  std::string TextGrain;         // "Sens du fil"
  std::string TextNotSpecified;  // "Non spécifié": a value the job does not give
  // By grain direction: "Horizontal", "Vertical", "Indifférent".
  std::array<std::string, 3> GrainTexts;
};

DescriptionTexts LoadDescriptionTexts();

// The words for a panel and a part as the language texts have them; the options may replace
// them.
struct DefaultWords {
  std::string WordPanel;   // "Panneau"
  std::string WordPanels;  // "Panneaux"
  std::string WordPart;    // "Pièce"
  std::string WordParts;   // "Pièces"
};

DefaultWords LoadDefaultWords();

// A lower-case copy of a UTF-8 text, as the Windows-1252 character mapping lowers it: A-Z, the
// accented capitals À-Þ (not ×), Š, Œ, Ž and Ÿ. Anything else, malformed bytes included, is
// copied unchanged.
std::string LowerCaseText(std::string_view text);

// The lower-case species name at the index, or NotSpecified unchanged when the index names no
// species of the list (past its end, or a species deleted).
std::string SpeciesLabel(const std::vector<std::string>& speciesNames, std::int32_t species,
                         const ListTexts& texts);

// The lower-case grain word of a grain direction; an empty text for a direction other than
// 0, 1 or 2.
std::string GrainLabel(std::int32_t grain, const ListTexts& texts);

}  // namespace tranchex
