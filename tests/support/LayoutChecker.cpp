#include "support/LayoutChecker.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

#include "engine/Placement.h"

namespace tranchex::test {
namespace {

bool Near(long double a, long double b) { return std::fabs(a - b) <= 1.0L; }

std::string Where(std::size_t panel, const TPiece& part) {
  std::ostringstream os;
  os << "panel " << panel << ", part " << part.Number << " at " << part.Footprint;
  return os.str();
}

}  // namespace

std::vector<std::string> CheckLayout(const PartList& jobParts, const PanelList& panels,
                                     const MarginsBlock& margins, bool allPlaced) {
  std::vector<std::string> faults;
  auto fault = [&](const std::string& s) { faults.push_back(s); };
  std::map<std::int32_t, std::int64_t> placed;

  for (std::size_t p = 0; p < panels.size(); ++p) {
    const Panneau_p& panel = panels[p];
    const TRect whole(0, TruncToInt(panel.Width), TruncToInt(panel.Length), 0);
    const auto& parts = panel.PlacedParts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
      const TPiece& part = parts[i];
      ++placed[part.Number];
      if (!Inside(part.Footprint, whole)) fault(Where(p, part) + ": footprint leaves the panel");
      if (!Inside(part.Rect, part.Footprint)) {
        std::ostringstream os;
        os << Where(p, part) << ": net rectangle " << part.Rect << " leaves its footprint";
        fault(os.str());
      }
      for (std::size_t j = i + 1; j < parts.size(); ++j) {
        if (RectsOverlapStrict(part.Footprint, parts[j].Footprint)) {
          fault(Where(p, part) + " overlaps part " + std::to_string(parts[j].Number) + " on one "
                "piece of wood");
        }
      }
      for (const MONRect& free : panel.FreeRects) {
        if (RectsOverlapStrict(part.Footprint, free)) {
          std::ostringstream os;
          os << Where(p, part) << ": free rectangle " << static_cast<const TRect&>(free)
             << " lies over it";
          fault(os.str());
        }
      }
      if (part.Number < 0 || static_cast<std::size_t>(part.Number) >= jobParts.size()) {
        fault(Where(p, part) + ": no such part in the job");
        continue;
      }
      const TPiece& entered = jobParts[static_cast<std::size_t>(part.Number)];
      if (entered.Species != panel.Species) fault(Where(p, part) + ": on a panel of another species");
      if (!ThicknessMatches(panel.Thickness, entered.Thickness, margins)) {
        fault(Where(p, part) + ": on a panel of another thickness");
      }
      // The net rectangle tells the orientation: length along x, or turned.
      const long double w = part.Rect.Width(), h = part.Rect.Height();
      const bool along = Near(w, std::trunc(entered.Length)) && Near(h, std::trunc(entered.Width));
      const bool turned = Near(w, std::trunc(entered.Width)) && Near(h, std::trunc(entered.Length));
      if (!along && !turned) {
        std::ostringstream os;
        os << Where(p, part) << ": net size " << w << " x " << h << " is not the part's "
           << entered.Length << " x " << entered.Width;
        fault(os.str());
      } else if (!along) {
        const bool fixed = entered.Grain != GrainIndifferent && panel.Grain != GrainIndifferent;
        if (fixed && entered.Grain == panel.Grain) fault(Where(p, part) + ": turned against the grain");
      } else if (!turned) {
        const bool fixed = entered.Grain != GrainIndifferent && panel.Grain != GrainIndifferent;
        if (fixed && entered.Grain != panel.Grain) fault(Where(p, part) + ": lies across the grain");
      }
    }
    for (const MONRect& free : panel.FreeRects) {
      if (!Inside(free, whole)) {
        std::ostringstream os;
        os << "panel " << p << ": free rectangle " << static_cast<const TRect&>(free)
           << " leaves the panel";
        fault(os.str());
      }
    }
  }

  for (std::size_t n = 0; n < jobParts.size(); ++n) {
    const std::int64_t wanted = std::max(0, jobParts[n].Quantity);
    const std::int64_t got = placed[static_cast<std::int32_t>(n)];
    if (got > wanted || (allPlaced && got != wanted)) {
      fault("part " + std::to_string(n) + ": placed " + std::to_string(got) + " times, wanted " +
            std::to_string(wanted));
    }
  }
  return faults;
}

std::string DescribeFaults(const std::vector<std::string>& faults) {
  std::string out;
  for (const auto& f : faults) out += f + "\n";
  return out;
}

}  // namespace tranchex::test
