// The main window's options commands: the general options and the display options, each handed
// the settings it edits, placed at the top of the main window, and marking the options file for
// rewriting when something changed. A mark, once set, stays until the file is written at exit.

#include <QToolButton>

#include "dialogs/DialogFrame.h"
#include "dialogs/UAffichage.h"
#include "dialogs/UOptions.h"
#include "job/ListTexts.h"
#include "job/Outils_debit.h"
#include "job/ResultLists.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

// The settings come back only when OK closed the form after a change. The view buttons show the
// new words at once, the entry forms at their next showing.
void TFDebit::OptionsGlClick() {
  TFOptions& dialog = *FOptions;
  dialog.CopyFrom(settings_);
  CopyUnit(settings_.MeasureUnit, dialog.Unit);
  dialog.DecimalSeparator = Measures.DecimalSeparator;
  PlaceDialog(dialog, *this, 0);
  prompts_.ShowModal(dialog);
  if (dialog.Changed == 0) return;
  dialog.CopyTo(settings_);
  settings_.OptionsFileDirty = 1;
  // After the factory settings no options file is left; the words the form hands back (the
  // language texts, or a word typed after the restore) show as any other.
  settings_.CustomWordsLoaded = dialog.DefaultsRestored == 1 ? 0 : 1;
  ApplyWordCaptions();
}

// The three values come back whatever closed the form; the summary and the plans follow them.
void TFDebit::AffichageClick() {
  TFAffichage& dialog = *FAffichage;
  dialog.DimensionDisplayMode = settings_.DimensionDisplayMode;
  dialog.SummaryInMetres = settings_.SummaryInMetres;
  dialog.CutLineLabelMode = settings_.CutLineLabelMode;
  dialog.ShowDisplayOptions();
  PlaceDialog(dialog, *this, 0);
  prompts_.ShowModal(dialog);
  settings_.DimensionDisplayMode = dialog.DimensionDisplayMode;
  settings_.SummaryInMetres = dialog.SummaryInMetres;
  settings_.CutLineLabelMode = dialog.CutLineLabelMode;
  settings_.OptionsFileDirty = 1;
  RebuildSummaryLists(job_, settings_, Measures.DecimalSeparator);
  View->update();
}

}  // namespace tranchex
