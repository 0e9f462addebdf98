// The labels command: the label form on the shared formats list and the job's parts, printing
// on the printer the window keeps for the run.

#include "dialogs/DialogFrame.h"
#include "exchange/UImpressionEtiquettes.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

#include <QPushButton>

namespace tranchex {

void TFDebit::EtiquettesClick() {
  TFImpEtiquettes& dialog = *FImpEtiquettes;
  dialog.Formats = &settings_.LabelFormats;
  dialog.Parts = &job_.JobParts;
  dialog.Designations = &job_.JobDesignations;
  dialog.References = &job_.JobReferences;
  dialog.JobKind = job_.JobKind;
  dialog.JobLoaded = job_.JobLoaded != 0;
  dialog.Unit = settings_.MeasureUnit;
  dialog.DecimalSeparator = Measures.DecimalSeparator;
  dialog.Printer = &SessionPrinter();
  PlaceDialog(dialog, *this, 14);
  dialog.BtnImprimer->setEnabled(job_.JobLoaded != 0);
  prompts_.ShowModal(dialog);
  // A run without a change leaves an earlier mark as it was.
  if (dialog.Changed) settings_.LabelsFileDirty = 1;
}

}  // namespace tranchex
