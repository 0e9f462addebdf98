#include "exchange/ImportPanels.h"

namespace tranchex {

double ImportedPanelAllowance(const UNITE_MESURE&, double) { return 200.0; }

void CompleteImportedPanels(PartList&, PanelList&, const MarginsBlock&, const UNITE_MESURE&,
                            const ImportPanelSizes&, std::int32_t&) {}

void CompleteImportedPanelsByLength(const PartList&, PanelList&, const MarginsBlock&, double,
                                    std::int32_t&) {}

}  // namespace tranchex
