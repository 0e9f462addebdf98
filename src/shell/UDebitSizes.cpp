// The two commands of the size manager: the standard part sizes and the standard panel sizes,
// managed in the form the panel and part forms pick their sizes from.

#include "dialogs/DialogFrame.h"
#include "dialogs/UGestDimensions.h"
#include "platform/Prompts.h"
#include "shell/UDebit.h"

namespace tranchex {
namespace {

// The manager on one list, over the window; a change marks the list's file for rewriting at
// exit, and a showing without one leaves an earlier mark as it was.
void ManageSizes(TFGestDimensions& form, std::vector<DIMENSIONS>& sizes, std::int32_t jobKind,
                 std::uint8_t& dirty, QWidget& window, Prompts& prompts) {
  form.SizeList = &sizes;
  form.Kind = jobKind;
  form.PickMode = 0;
  form.PickContext = 0;
  PlaceDialog(form, window, 14);
  prompts.ShowModal(form);
  if (form.SizesChanged) dirty = 1;
}

}  // namespace

void TFDebit::DimensionsPiecesClick() {
  ManageSizes(*FGestDimensions, settings_.PartSizes, job_.JobKind, settings_.PartSizesDirty,
              *this, prompts_);
}

void TFDebit::DimensionsDesPanneauxClick() {
  ManageSizes(*FGestDimensions, settings_.PanelSizes, job_.JobKind, settings_.PanelSizesDirty,
              *this, prompts_);
}

}  // namespace tranchex
