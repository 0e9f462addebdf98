#pragma once
// Checks a laid-out job the way a joiner would before cutting: every placed part inside its
// panel, no two parts on one piece of wood, free areas not over any part, every copy of every
// part placed exactly once, on a panel of its species and a matching thickness, and turned only
// where the grains allow.

#include <string>
#include <vector>

#include "engine/Records.h"

namespace tranchex::test {

// True when `inner` is a proper rectangle (left <= right, bottom <= top, y upward) lying within
// `outer`, edges included.
inline bool Inside(const TRect& inner, const TRect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.bottom >= outer.bottom &&
         inner.top <= outer.top && inner.left <= inner.right && inner.bottom <= inner.top;
}

// The faults found, one text each; empty when the layout is sound. `jobParts` are the parts as
// entered (numbers are positions, Quantity copies each); `panels` the laid-out panels. With
// `allPlaced` false, parts may be missing (a run that failed) but never placed twice.
std::vector<std::string> CheckLayout(const PartList& jobParts, const PanelList& panels,
                                     const MarginsBlock& margins, bool allPlaced = true);

// The faults joined by line breaks, for a test's failure message.
std::string DescribeFaults(const std::vector<std::string>& faults);

}  // namespace tranchex::test
