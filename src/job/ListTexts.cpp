#include "job/ListTexts.h"

#include <optional>
#include <utility>

#include "job/ListLookup.h"
#include "platform/Cp1252.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {

namespace {

char32_t LowerCodePoint(char32_t cp) {
  if (cp >= U'A' && cp <= U'Z') return cp + 0x20;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;  // À..Þ, not ×
  switch (cp) {
    case 0x0160: return 0x0161;  // Š
    case 0x0152: return 0x0153;  // Œ
    case 0x017D: return 0x017E;  // Ž
    case 0x0178: return 0x00FF;  // Ÿ
    default: return cp;
  }
}

}  // namespace

std::array<std::string, 3> LoadGrainTexts() {
  return {LoadString(TextId::Grain::Horizontal), LoadString(TextId::Grain::Vertical),
          LoadString(TextId::Grain::Indifferent)};
}

DescriptionTexts LoadDescriptionTexts() {
  DescriptionTexts t;
  t.TextCount = LoadString(TextId::Columns::TextCount);
  t.TextThickness = LoadString(TextId::Columns::TextThickness);
  t.TextSpecies = LoadString(TextId::Columns::TextSpecies);
  t.TextGrain = LoadString(TextId::Columns::TextGrain);
  t.TextNotSpecified = LoadString(TextId::Columns::TextNotSpecified);
  t.GrainTexts = LoadGrainTexts();
  return t;
}

DefaultWords LoadDefaultWords() {
  DefaultWords w;
  w.WordPanel = LoadString(TextId::Words::WordPanel);
  w.WordPanels = LoadString(TextId::Words::WordPanels);
  w.WordPart = LoadString(TextId::Words::WordPart);
  w.WordParts = LoadString(TextId::Words::WordParts);
  return w;
}

ListTexts LoadListTexts(char decimalSeparator) {
  DescriptionTexts description = LoadDescriptionTexts();
  ListTexts texts;
  texts.GrainTexts = std::move(description.GrainTexts);
  texts.NotSpecified = std::move(description.TextNotSpecified);
  texts.DecimalSeparator = decimalSeparator;
  return texts;
}

std::string LowerCaseText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const std::optional<char32_t> cp = DecodeUtf8(text, pos);
    if (!cp) {
      out.push_back(text[pos]);  // a malformed byte passes through as it is
      ++pos;
      continue;
    }
    const char32_t lower = LowerCodePoint(*cp);
    if (lower == *cp)
      out.append(text.substr(start, pos - start));
    else
      AppendUtf8(out, lower);
  }
  return out;
}

std::string SpeciesLabel(const std::vector<std::string>& speciesNames, std::int32_t species,
                         const ListTexts& texts) {
  const std::string* name = SpeciesNameAt(speciesNames, species);
  return name != nullptr ? LowerCaseText(*name) : texts.NotSpecified;
}

std::string GrainLabel(std::int32_t grain, const ListTexts& texts) {
  if (grain < 0 || grain > 2) return std::string();
  return LowerCaseText(texts.GrainTexts[static_cast<std::size_t>(grain)]);
}

}  // namespace tranchex
