// The margins step of New and Modify: the margin form or the differentiated one, handed the
// job's values and giving them back.

#include "dialogs/DialogFrame.h"
#include "dialogs/USelMarge.h"
#include "dialogs/USelMargesMultiples.h"
#include "job/Outils_debit.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

bool TFDebit::MarginsStep(bool newJob) {
  // The forms keep no kerf of their own between showings: a new job starts from the default
  // kerf, a modification from the job's, so the job never takes a kerf it did not show.
  const std::int32_t kerf = newJob ? settings_.DefaultKerf : job_.JobKerf;
  const std::uint8_t modifyMode = newJob ? 0 : 1;
  MarginsBlock margins;
  std::int32_t kerfBack = 0;
  // What both forms are handed and give back alike; each then shows its values.
  auto run = [&](auto& dialog, auto showValues) {
    CopyUnit(settings_.MeasureUnit, dialog.Unit);
    dialog.PartList = &job_.JobParts;
    dialog.PanelList = &job_.JobPanels;
    dialog.Margins = job_.JobMargins;
    dialog.Kerf = kerf;
    dialog.ModifyMode = modifyMode;
    dialog.MarginDefault = settings_.DefaultMargin;
    dialog.KerfDefault = settings_.DefaultKerf;
    dialog.WordParts = settings_.WordParts;
    dialog.WordPanel = settings_.WordPanel;
    dialog.DecimalSeparator = Measures.DecimalSeparator;
    showValues();
    PlaceDialog(dialog, *this, 14);
    prompts_.ShowModal(dialog);
    margins = dialog.Margins;
    kerfBack = dialog.Kerf;
  };
  try {
    if (job_.JobMargins.DifferentiatedMargins == 0) {
      TSelMarge& dialog = *FSelMarge;
      dialog.JobKind = job_.JobKind;
      run(dialog, [&] { dialog.ShowMarginValues(); });
    } else {
      TSelMargesMultiples& dialog = *FSelMargesMultiples;
      dialog.ThicknessMarginDefault = settings_.DefaultThicknessMargin;
      dialog.MarginsAllZero = job_.MarginsAllZero;
      run(dialog, [&] { dialog.ShowMultipleMarginValues(); });
    }
  } catch (const std::exception&) {
    return false;
  }
  // Whatever closed the form: it has no cancel.
  job_.JobMargins = margins;
  job_.JobKerf = kerfBack;
  return true;
}

void TFDebit::SkipMarginsStep() {
  if (job_.MarginsPending == 0) return;
  job_.JobMargins.LengthMargin = 0.0;
  job_.JobMargins.WidthMargin = 0.0;
}

}  // namespace tranchex
