#include "exchange/SummaryDetails.h"

#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"

namespace tranchex {

SummaryTexts LoadSummaryTexts(const std::string& wordPanels, const std::string& wordParts,
                              const std::string& wordPanel) {
  namespace id = TextId::SummaryForm;
  constexpr int kBuffer = 100;
  SummaryTexts t;
  t.Title = LoadString(id::Title, kBuffer);
  t.TotalAreaOf = LoadString(id::TotalAreaOf, kBuffer);
  t.WasteRateName = LoadString(id::WasteRateName, kBuffer);
  t.CutLength = LoadString(id::CutLength, kBuffer);
  t.NumberOf = LoadString(id::NumberOf, kBuffer);
  t.WasteArea = LoadString(id::WasteArea, kBuffer);
  t.WasteRate = LoadString(id::WasteRate, kBuffer);
  t.Per = LoadString(id::Per, kBuffer);
  t.CutLengthName = LoadString(id::CutLengthName, kBuffer);
  t.WasteAreaName = LoadString(id::WasteAreaName, kBuffer);
  t.EdgeBanding = LoadString(id::EdgeBanding, kBuffer);
  t.PanelsWord = LowerCaseText(wordPanels);
  t.PartsWord = LowerCaseText(wordParts);
  t.PanelWord = LowerCaseText(wordPanel);
  return t;
}

std::array<SummaryDetail, kSummaryDetailCount> SummaryDetails(const METRAGE& line,
                                                              const SummaryTexts& t,
                                                              const std::string& unitText,
                                                              char sep) {
  const std::string area = " " + unitText + "²";
  const std::string length = " " + unitText;
  const std::string panels = std::to_string(line.PanelCount);
  const std::string panelArea = FormatTwoDecimals(static_cast<double>(line.PanelArea), sep);
  const std::string cut = FormatTwoDecimals(line.CutLength, sep);
  const std::string perPanel = std::to_string(line.PartsPerPanel);
  const std::string banding = FormatTwoDecimals(line.PartsPerimeter, sep);
  const std::string partsArea = FormatTwoDecimals(static_cast<double>(line.PartsArea), sep);
  const std::string waste = FormatTwoDecimals(static_cast<double>(line.WasteArea), sep);
  const std::string rate = FormatTwoDecimals(line.WastePercent, sep);
  const std::string partsPerPanelName = t.NumberOf + t.PartsWord + t.Per + t.PanelWord;
  return {{
      {t.NumberOf + t.PanelsWord + " : " + panels, t.NumberOf + t.PanelsWord, panels},
      {t.TotalAreaOf + t.PanelsWord + " : " + panelArea + area, t.TotalAreaOf + t.PanelsWord,
       panelArea},
      {t.CutLength + cut + length, t.CutLengthName, cut},
      {partsPerPanelName + " : " + perPanel, partsPerPanelName, perPanel},
      {t.EdgeBanding + banding + length, "Bandes de champs", banding},
      {t.TotalAreaOf + t.PartsWord + " : " + partsArea + area, t.TotalAreaOf + t.PartsWord,
       partsArea},
      {t.WasteArea + waste + area, t.WasteAreaName, waste},
      {t.WasteRate + rate + " %", t.WasteRateName, rate},
  }};
}

}  // namespace tranchex
