// The designations manager command: the shop's designations edited in place. Parts keep their
// own designation texts, so the open job is left as it is.

#include "dialogs/UGestDesPieces.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {

void TFDebit::GestionDesignationsPiecesClick() {
  TFGestDesPieces& dialog = *FGestDesPieces;
  dialog.DesignationList = &settings_.DesignationNames;
  dialog.PickMode = 0;
  PlaceDialog(dialog, *this, 14);
  prompts_.ShowModal(dialog);
  // Raised only: a change made earlier in the run is written at exit all the same.
  if (dialog.Changed == 1) settings_.DesignationsFileDirty = 1;
  dialog.DesignationList = nullptr;
}

}  // namespace tranchex
