// The main window's summary commands: the job summary window, handed the job's summary lines,
// the texts in the summary unit, the option words and the printer kept for the run, placed over
// the main window.

#include <QPushButton>

#include "exchange/SummaryDetails.h"
#include "exchange/UCaractPanneaux.h"
#include "exchange/UFExportChutes.h"
#include "exchange/UFlisteChutes.h"
#include "job/ResultLists.h"
#include "platform/Prompts.h"
#include "platform/TextIds.h"
#include "platform/Texts.h"
#include "shell/UDebit.h"

namespace tranchex {

void TFDebit::RecapClick() {
  TFCaractPanneaux& window = *FCaractPanneaux;
  window.SummaryLines = &job_.SummaryLines;
  window.Texts = LoadSummaryTexts(settings_.WordPanels, settings_.WordParts, settings_.WordPanel);
  window.UnitText = ChooseSummaryUnits(settings_.SummaryInMetres, settings_.MeasureUnit).UnitText;
  window.DecimalSeparator = Measures.DecimalSeparator;
  // "Imprimer" prints on the window's printer for the run, without a dialog.
  window.Printer = &SessionPrinter();
  // The offcut list the summary opens reads the same job.
  TFListesChutes& offcuts = *FListesChutes;
  offcuts.Job = &job_;
  offcuts.SpeciesNames = &settings_.SpeciesNames;
  offcuts.UnitFactor = settings_.MeasureUnit.Factor;
  offcuts.DecimalSeparator = Measures.DecimalSeparator;
  offcuts.FilterForm = FExportChutes;
  offcuts.SettingsFilter = {settings_.OffcutFilterMode, settings_.OffcutMinLength,
                            settings_.OffcutMinWidth,
                            static_cast<long double>(settings_.OffcutMinSurface)};
  offcuts.UnitText = settings_.MeasureUnit.Abbreviation;
  offcuts.MaxLength = settings_.MaxLength;
  PlaceDialog(window, *this, 14);
  prompts_.ShowModal(window);
}

void TFDebit::SBtnRecapClick() { RecapClick(); }

// The offcut filter as the program's setting: kept when something was changed before OK; the
// options file is then marked for rewriting (never unmarked here).
void TFDebit::ExportationDesChutesClick() {
  TFExportChutes& form = *FExportChutes;
  form.FilterMode = settings_.OffcutFilterMode;
  form.FilterMinLength = settings_.OffcutMinLength;
  form.FilterMinWidth = settings_.OffcutMinWidth;
  form.FilterMinSurface = settings_.OffcutMinSurface;
  form.SettingsMode = true;
  form.UnitFactor = settings_.MeasureUnit.Factor;
  form.UnitText = settings_.MeasureUnit.Abbreviation;
  form.MaxLength = settings_.MaxLength;
  form.DecimalSeparator = Measures.DecimalSeparator;
  form.BtnAnnuler->hide();
  form.BtnParamDefaut->show();
  form.setWindowTitle(QString::fromStdString(LoadString(TextId::OffcutExport::TextOffcutExport)));
  StackOver(form, *this);  // the offcut list may have opened it last
  PlaceDialog(form, *this, 14);
  prompts_.ShowModal(form);
  if (!form.FilterChanged) return;
  settings_.OffcutFilterMode = form.FilterMode;
  settings_.OffcutMinLength = form.FilterMinLength;
  settings_.OffcutMinWidth = form.FilterMinWidth;
  settings_.OffcutMinSurface = form.FilterMinSurface;
  settings_.OptionsFileDirty = 1;
}

}  // namespace tranchex
