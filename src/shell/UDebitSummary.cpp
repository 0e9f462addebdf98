// The main window's summary commands: the job summary window, handed the job's summary lines,
// the texts in the summary unit and the option words, placed over the main window.

#include "exchange/SummaryDetails.h"
#include "exchange/UCaractPanneaux.h"
#include "exchange/UFlisteChutes.h"
#include "job/ResultLists.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

void TFDebit::RecapClick() {
  TFCaractPanneaux& window = *FCaractPanneaux;
  window.SummaryLines = &job_.SummaryLines;
  window.Texts = LoadSummaryTexts(settings_.WordPanels, settings_.WordParts, settings_.WordPanel);
  window.UnitText = ChooseSummaryUnits(settings_.SummaryInMetres, settings_.MeasureUnit).UnitText;
  window.DecimalSeparator = Measures.DecimalSeparator;
  // The offcut list the summary opens reads the same job.
  TFListesChutes& offcuts = *FListesChutes;
  offcuts.Job = &job_;
  offcuts.SpeciesNames = &settings_.SpeciesNames;
  offcuts.UnitFactor = settings_.MeasureUnit.Factor;
  offcuts.DecimalSeparator = Measures.DecimalSeparator;
  PlaceDialog(window, *this, 14);
  prompts_.ShowModal(window);
}

void TFDebit::SBtnRecapClick() { RecapClick(); }

}  // namespace tranchex
