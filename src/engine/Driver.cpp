#include "engine/Driver.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "engine/GroupRuns.h"
#include "engine/PanelIndex.h"
#include "engine/Placement.h"
#include "engine/PlacementDetail.h"

namespace tranchex {

namespace {

std::string NoPanelMessage(const TPiece& part) {
  std::ostringstream text;
  text << "aucun panneau ne peut recevoir la pièce " << part.Number << " (longueur "
       << part.Length << ", largeur " << part.Width << ", épaisseur " << part.Thickness
       << ", essence " << part.Species << ", fil " << part.Grain << ")";
  return text.str();
}

// Does some panel of the list have the part's grain, a matching thickness and its species?
bool SameGrainPanelExists(const PanelList& panels, const TPiece& part, const MarginsBlock& margins) {
  return std::any_of(panels.begin(), panels.end(), [&](const Panneau_p& panel) {
    return panel.Grain == part.Grain && ThicknessMatches(panel.Thickness, part.Thickness, margins) &&
           panel.Species == part.Species;
  });
}

bool SamePart(const TPiece& a, const TPiece& b) {
  return a.Length == b.Length && a.Width == b.Width && a.Thickness == b.Thickness &&
         a.Species == b.Species && a.Grain == b.Grain && a.Quantity == b.Quantity &&
         a.DesignationIndex == b.DesignationIndex;
}

bool SameCopy(const TPiece& a, const TPiece& b) { return a.Number == b.Number && SamePart(a, b); }

enum class Keep { Largest, Smallest };

const Panneau_p& ChoosePanelForPart(const PanelList& stock, const TPiece& part,
                                    const MarginsBlock& margins, Keep keep) {
  const bool sameGrain = SameGrainPanelExists(stock, part, margins);
  const Panneau_p* choice = nullptr;
  long double best = 0;  // the chosen area, truncated to a whole number
  for (const Panneau_p& candidate : stock) {
    if (!ThicknessMatches(candidate.Thickness, part.Thickness, margins)) continue;
    if (candidate.Species != part.Species) continue;
    if (sameGrain && candidate.Grain != part.Grain) continue;
    const TRect room = candidate.FreeRects.empty() ? candidate.Rect : candidate.FreeRects.front();
    if (!PartFitsRect(part, room, margins, candidate.Grain)) continue;
    const long double area = candidate.Area;
    const bool better = keep == Keep::Largest ? area > best : (choice == nullptr || area < best);
    if (better) {
      choice = &candidate;
      best = std::trunc(area);
    }
  }
  if (choice == nullptr) throw NoPanelFitsError(part);
  return *choice;
}

}  // namespace

NoPanelFitsError::NoPanelFitsError(const TPiece& part)
    : std::runtime_error(NoPanelMessage(part)), part_(part) {}

PartCountList BuildPartCounts(const PartList& jobParts) {
  PartCountList counts;
  counts.reserve(jobParts.size());
  for (const TPiece& part : jobParts) counts.push_back(ID_NB_PIECE{PartNumber(part), part.Quantity});
  return counts;
}

void ValidatePartNumbers(const PartGroupList& groups, const PartCountList& counts) {
  std::unordered_map<std::int32_t, const TPiece*> seen;
  for (const PartList& group : groups) {
    for (std::size_t i = 0; i < group.size(); ++i) {
      const TPiece& part = group[i];
      // A copy like the one before it passes as that one did.
      if (i > 0 && SameCopy(group[i - 1], part)) continue;
      const std::int32_t n = part.Number;
      if (n < 0 || static_cast<std::size_t>(n) >= counts.size() ||
          counts[static_cast<std::size_t>(n)].PartId != n)
        throw PartNumberError("numéro de pièce " + std::to_string(n) +
                              " sans entrée à sa position dans le décompte des pièces");
      const auto [it, inserted] = seen.emplace(n, &part);
      if (!inserted && !SamePart(*it->second, part))
        throw PartNumberError("deux pièces différentes portent le numéro " + std::to_string(n));
    }
  }
}

namespace {

// SameGrainPanelExists for the part of a run, looking only at the panels added since it last
// asked.
bool SameGrainPanelFor(detail::PartRun& run, const PanelList& panels, const MarginsBlock& margins) {
  const TPiece& part = run.part;
  detail::SameGrainSearch& search = run.sameGrain != nullptr ? *run.sameGrain : run.ownSameGrain;
  while (!search.found && search.panelsSeen < panels.size()) {
    const Panneau_p& panel = panels[search.panelsSeen++];
    search.found = panel.Grain == part.Grain &&
                   ThicknessMatches(panel.Thickness, part.Thickness, margins) &&
                   panel.Species == part.Species;
  }
  return search.found;
}

// The searches for a panel of a part's grain, thickness and species, one for all the runs of
// parts alike in those, in every group.
class SameGrainSearches {
 public:
  void Share(detail::GroupRuns& runs) {
    for (detail::PartRun& run : runs.Runs()) {
      const TPiece& p = run.part;
      run.sameGrain = &searches_[{p.Grain, p.Species, std::bit_cast<std::uint64_t>(p.Thickness)}];
    }
  }

 private:
  std::map<std::tuple<std::int32_t, std::int32_t, std::uint64_t>, detail::SameGrainSearch> searches_;
};

// What the driver remembers of each working panel during the layout of a group: the room of its
// free rectangles, and the last part it refused, both as they stand until a placement on it.
//
// A panel that holds parts and refused a copy of a run refuses the next copy of that run as
// well, with the same effects (the same last part offered, the same turn preference): nothing of
// the panel changed meanwhile, since the copies of a run are offered one after the other and no
// other part reaches the panel in between. (An empty panel is not remembered: its grid fields
// follow the copies left.) So the next copy passes over it at once instead of trying each of its
// free rectangles again.
class PanelRooms {
 public:
  const detail::FreeRoom& Of(const PanelList& panels, std::size_t j) {
    Entry& entry = At(panels, j);
    const std::size_t placed = panels[j].PlacedParts.size();
    if (!entry.known || entry.placed != placed) {
      entry.room = detail::RoomOf(panels[j]);
      entry.placed = placed;
      entry.known = true;
    }
    return entry.room;
  }

  // Did the panel refuse a copy of run r in this pass, with nothing placed on it since?
  bool Refused(const PanelList& panels, std::size_t j, std::size_t pass, std::size_t r) {
    const Entry& entry = At(panels, j);
    return entry.refusedPass == pass && entry.refusedRun == r &&
           entry.refusedPlaced == panels[j].PlacedParts.size() && !panels[j].PlacedParts.empty();
  }
  void NoteRefusal(const PanelList& panels, std::size_t j, std::size_t pass, std::size_t r) {
    Entry& entry = At(panels, j);
    entry.refusedPass = pass;
    entry.refusedRun = r;
    entry.refusedPlaced = panels[j].PlacedParts.size();
  }

  // How many times the panel was offered a part (its last part offered written).
  void NoteOffered(const PanelList& panels, std::size_t j) { ++At(panels, j).offers; }
  std::size_t Offers(const PanelList& panels, std::size_t j) { return At(panels, j).offers; }

 private:
  struct Entry {
    detail::FreeRoom room;
    std::size_t placed = 0;
    bool known = false;
    std::size_t refusedPass = 0;  // passes are counted from 1
    std::size_t refusedRun = 0;
    std::size_t refusedPlaced = 0;
    std::size_t offers = 0;
  };
  Entry& At(const PanelList& panels, std::size_t j) {
    if (j >= rooms_.size()) rooms_.resize(panels.size());
    return rooms_[j];
  }
  std::vector<Entry> rooms_;
};

// Do the two panels, both without a part, give every offer the same answer with the same
// effects? Everything the placement reads of a panel, or writes on a refusal, is equal.
bool SameEmptyPanel(const Panneau_p& a, const Panneau_p& b) {
  if (!a.PlacedParts.empty() || !b.PlacedParts.empty()) return false;
  if (!a.CutLines.empty() || !b.CutLines.empty()) return false;
  return a.FreeRects == b.FreeRects && a.Rect == b.Rect && a.Length == b.Length && a.Width == b.Width &&
         a.Thickness == b.Thickness && a.Area == b.Area && a.Species == b.Species &&
         a.Grain == b.Grain && a.CutLength == b.CutLength && a.GridRotate == b.GridRotate &&
         a.GridCount == b.GridCount && a.GridMode == b.GridMode && a.LastPart == b.LastPart;
}

// Stock entered in quantity: side by side in the working list stand copies that no part has
// touched yet. An offer that one of them refuses, every other one refuses too, with the same
// effects (the same grid fields and last part offered on each, the same split choice), and an
// offer one of them takes goes to the first. So each block of such copies is offered through its
// first copy still empty (its leader) only: a refusal there stands for the whole block, and the
// fields the other copies would have been given are kept once for all of them and written into
// them when the run ends. Unused stock then costs one offer per block, not one per copy.
class EmptyBlocks {
 public:
  struct Fields {
    std::uint8_t GridRotate = 0;
    std::int32_t GridCount = 0;
    std::uint8_t GridMode = 0;
    std::int32_t LastPart = -1;
  };
  struct Block {
    std::size_t leader;  // the first copy without a part; the ones before it have parts
    std::size_t end;
    Fields pending;      // what the copies after the leader hold
  };

  explicit EmptyBlocks(const PanelList& panels) : blockOf_(panels.size(), kNone) {
    std::size_t a = 0;
    while (a < panels.size()) {
      std::size_t b = a + 1;
      while (b < panels.size() && SameEmptyPanel(panels[a], panels[b])) ++b;
      if (b - a > 1) {
        for (std::size_t k = a; k < b; ++k) blockOf_[k] = blocks_.size();
        blocks_.push_back(Block{a, b, FieldsOf(panels[a])});
      }
      a = b;
    }
  }
  EmptyBlocks(const EmptyBlocks&) = delete;
  EmptyBlocks& operator=(const EmptyBlocks&) = delete;

  // The block whose leader stands at j with copies after it, or nullptr.
  Block* LeaderAt(std::size_t j) {
    if (j >= blockOf_.size() || blockOf_[j] == kNone) return nullptr;
    Block& block = blocks_[blockOf_[j]];
    return block.leader == j && block.end - j > 1 ? &block : nullptr;
  }

  // Is panel j one of the copies after the leader of its block, offered through the leader?
  bool Hidden(std::size_t j) const {
    if (j >= blockOf_.size() || blockOf_[j] == kNone) return false;
    const Block& block = blocks_[blockOf_[j]];
    return j > block.leader && j < block.end;
  }

  // The copies of the block become panels of their own, offered one by one from now on.
  void Dissolve(Block& block, PanelList& panels) {
    for (std::size_t k = block.leader; k < block.end; ++k) {
      if (k > block.leader) Write(block.pending, panels[k]);
      blockOf_[k] = kNone;
    }
    block.end = block.leader;
  }

  // Dissolves the blocks whose leader `dissolve` names, telling the index of the copies now
  // offered one by one.
  template <typename Dissolves>
  void DissolveWhere(const Dissolves& dissolve, PanelList& panels, detail::PanelIndex& index) {
    for (Block& block : blocks_) {
      if (block.end - block.leader < 2 || !dissolve(block.leader)) continue;
      index.Revealed(block.leader + 1, block.end);
      Dissolve(block, panels);
    }
  }

  // The leader refused: the copies after it got what it got.
  static void Refused(Block& block, const Panneau_p& leader) { block.pending = FieldsOf(leader); }

  // The leader took the part: the next copy, as it stands before this offer, leads.
  static void Taken(Block& block, PanelList& panels) {
    ++block.leader;
    if (block.leader < block.end) Write(block.pending, panels[block.leader]);
  }

  // The fields every copy after a leader would hold.
  void WriteBack(PanelList& panels) const {
    for (const Block& block : blocks_)
      for (std::size_t k = block.leader + 1; k < block.end; ++k) Write(block.pending, panels[k]);
  }


 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static Fields FieldsOf(const Panneau_p& p) {
    return Fields{p.GridRotate, p.GridCount, p.GridMode, p.LastPart};
  }
  static void Write(const Fields& f, Panneau_p& p) {
    p.GridRotate = f.GridRotate;
    p.GridCount = f.GridCount;
    p.GridMode = f.GridMode;
    p.LastPart = f.LastPart;
  }

  std::vector<std::size_t> blockOf_;
  std::vector<Block> blocks_;
};

// The ratio test's view of a part: its thickness with the margin, and the ratio a panel of some
// thickness has to it, taken in float.
struct RatioTest {
  RatioTest(const TPiece& part, const MarginsBlock& margins)
      : part(part),
        margins(margins),
        needed(static_cast<long double>(part.Thickness) + margins.ThicknessMargin),
        neededDouble(part.Thickness + margins.ThicknessMargin) {}
  float RatioOf(double thickness) const {
    return static_cast<float>(static_cast<long double>(thickness) / needed);
  }
  // May the part go to `panel`, thinner relative to it than a panel of ratio `ratio`?
  bool Qualifies(const Panneau_p& panel, float ratio) const {
    if (!(panel.Thickness / neededDouble < ratio)) return false;
    if (!(neededDouble <= panel.Thickness)) return false;
    if (panel.Species != part.Species) return false;
    for (const MONRect& rect : panel.FreeRects)
      if (PartFitsRect(part, rect, margins, panel.Grain)) return true;
    return false;
  }
  const TPiece& part;
  const MarginsBlock& margins;
  long double needed;
  double neededDouble;
};

// ChoosePanelByRatio(j, last) for every panel j of one offer: the panels do not change during it,
// so for each thickness the last panel after which none qualifies is found once, walking back
// from the end, and panel j of that thickness is passed over when it lies before it.
class RatioPassOver {
 public:
  RatioPassOver(const PanelList& panels, const TPiece& part, const MarginsBlock& margins,
                std::size_t last)
      : panels_(panels), test_(part, margins), last_(last) {}

  bool At(std::size_t j) {
    if (j >= last_) return false;
    const double thickness = panels_[j].Thickness;
    Known* known = nullptr;
    for (Known& k : known_)
      if (std::bit_cast<std::uint64_t>(k.thickness) == std::bit_cast<std::uint64_t>(thickness))
        known = &k;
    if (known == nullptr) {
      known_.push_back(Known{thickness, test_.RatioOf(thickness), last_ + 1, kNone});
      known = &known_.back();
    }
    // Walk back, below what is known, until a panel after j qualifies or j is reached.
    while (known->qualifying == kNone && known->lowestLooked > j + 1) {
      --known->lowestLooked;
      if (test_.Qualifies(panels_[known->lowestLooked], known->ratio))
        known->qualifying = known->lowestLooked;
    }
    return known->qualifying != kNone && j < known->qualifying;
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Known {
    double thickness;
    float ratio;
    std::size_t lowestLooked;  // the panels from here to the last do not qualify, unless
    std::size_t qualifying;    // ... this one, the last that does (kNone while none found)
  };
  const PanelList& panels_;
  RatioTest test_;
  std::size_t last_;
  std::vector<Known> known_;
};

// Offers copy c of run r to the working panels from `start` on; true when one took it. With an
// index, only the panels it names are visited: the others would refuse the copy, and the index
// notes the offer to write its marks on them at the end.
bool OfferCopy(detail::GroupRuns& runs, std::size_t pass, std::size_t r, std::size_t c,
               PanelList& panels, PanelRooms& rooms, EmptyBlocks& empties,
               detail::PanelIndex* index, std::size_t start, const MarginsBlock& margins, int kerf,
               EngineContext& ctx) {
  detail::PartRun& run = runs.Runs()[r];
  const bool sameGrain = SameGrainPanelFor(run, panels, margins);
  const std::size_t last = panels.size() - 1;
  const detail::RunLaterParts later(runs, r, c);
  TPiece part = run.part;  // placing writes the copy's position into it

  // The index serves the offers to the whole list (the first pass); with thicker stock it also
  // passes over the panels the ratio test passes over.
  const bool indexed = index != nullptr && start != last;
  std::optional<RatioPassOver> ratio;
  if (margins.ThickerStockAllowed != 0 && !indexed) ratio.emplace(panels, part, margins, last);

  // Offers the copy to panel j; true when it took it. `next` is where the walk goes on after it.
  std::size_t next = 0;
  std::size_t newLeader = detail::PanelIndex::kNone;
  const auto offerTo = [&](std::size_t j) {
    EmptyBlocks::Block* block = empties.LeaderAt(j);
    // With thicker stock, a copy may be passed over for the equal copy after it (the ratios are
    // compared in two precisions): then the copies do not all answer alike.
    if (block != nullptr && margins.ThickerStockAllowed != 0 &&
        ChoosePanelByRatio(panels, part, margins, j, j + 1)) {
      if (index != nullptr) index->Revealed(j + 1, block->end);
      empties.Dissolve(*block, panels);
      block = nullptr;
    }
    // Passed over or refused, a leader stands for its whole block. The copies of a block are
    // equal, so when the ratio test passes over the leader for a panel further on, that panel is
    // not in the block (the copy after the leader would have dissolved it): it lies after the
    // block's last copy, which the ratio test passes over as well.
    next = block != nullptr ? block->end - 1 : j;
    if (ratio && ratio->At(j)) return false;
    if (sameGrain && panels[j].Grain != part.Grain) return false;
    if (rooms.Refused(panels, j, pass, r)) {
      next = j;
      return false;
    }
    rooms.NoteOffered(panels, j);
    const bool placed = detail::PlacePart(panels[j], part, run.fit, later, run.entry, margins,
                                          kerf, ctx, &rooms.Of(panels, j));
    if (index != nullptr) index->OfferedInTurn(j, placed);
    if (placed) {
      if (block != nullptr) {
        EmptyBlocks::Taken(*block, panels);
        if (block->leader < block->end) newLeader = block->leader;
      }
      return true;
    }
    rooms.NoteRefusal(panels, j, pass, r);
    if (block != nullptr) EmptyBlocks::Refused(*block, panels[j]);
    return false;
  };

  // After the first pass a copy is offered the one panel added last: offered in turn.
  if (!indexed) {
    for (std::size_t j = start; j <= last; ++j) {
      if (offerTo(j)) {
        if (index != nullptr) {
          index->NoteOffer(start, j, sameGrain, false);
          index->Placed(panels, j, newLeader);
        }
        return true;
      }
      j = next;
    }
    if (index != nullptr) index->NoteOffer(start, last, sameGrain, false);
    return false;
  }
  for (std::size_t j = index->Next(start); j != detail::PanelIndex::kNone && j <= last;
       j = index->Next(j + 1)) {
    const bool open = !panels[j].PlacedParts.empty();
    if (offerTo(j)) {
      index->NoteOffer(start, j, sameGrain, true);
      index->Placed(panels, j, newLeader);
      return true;
    }
    if (open) index->Refused(j);
  }
  index->NoteOffer(start, last, sameGrain, true);
  return false;
}

// After the first pass only the panel added last is offered the parts. When it holds parts and
// has a fixed grain, a part too large for every one of its free rectangles, or of another
// material, is refused there with no other effect than the last part offered: that is told
// here without making up the offer. False when the offer must be made.
bool RefusedByTheNewPanel(detail::PartRun& run, PanelList& panels, PanelRooms& rooms,
                          detail::PanelIndex* index, const MarginsBlock& margins) {
  const std::size_t j = panels.size() - 1;
  Panneau_p& panel = panels[j];
  if (panel.PlacedParts.empty() || panel.Grain == GrainIndifferent) return false;
  if (panel.FreeRects.empty()) return true;
  const TPiece& part = run.part;
  const bool mayTake = run.fit.MayFit(rooms.Of(panels, j)) && part.Species == panel.Species &&
                       ThicknessMatches(panel.Thickness, part.Thickness, margins);
  if (mayTake) return false;
  // Passed over for the grain, the panel is not offered the part at all.
  const bool passedOver = panel.Grain != part.Grain && SameGrainPanelFor(run, panels, margins);
  if (!passedOver) {
    panel.LastPart = part.Number;
    rooms.NoteOffered(panels, j);
    if (index != nullptr) index->OfferedInTurn(j, false);
  }
  return true;
}

// After the first pass: the runs from r to q - 1 cannot fit the new panel, which holds parts, and
// are passed over without being offered. Each would have been refused there, marking it as the
// offer does (its last part offered, and on a panel of indifferent grain outside a grid its turn
// preference), unless passed over for the grain; only the last such mark stands. Returns the
// last run that would have marked the panel, or q when none.
std::size_t LastToMark(detail::GroupRuns& runs, std::size_t r, std::size_t q,
                       const PanelList& panels, const MarginsBlock& margins) {
  const Panneau_p& panel = panels.back();
  if (panel.FreeRects.empty()) return q;  // no offer marks a panel without room
  std::vector<detail::PartRun>& list = runs.Runs();
  for (std::size_t k = q; k-- > r;) {
    detail::PartRun& run = list[k];
    if (run.count == 0) continue;
    if (panel.Grain != run.part.Grain && SameGrainPanelFor(run, panels, margins)) continue;
    return k;
  }
  return q;
}

// The mark of an offer of the part to the new panel that refused it.
void MarkRefusal(const TPiece& part, PanelList& panels, PanelRooms& rooms,
                 detail::PanelIndex* index, const MarginsBlock& margins, int kerf) {
  const std::size_t j = panels.size() - 1;
  detail::MarkOffer(panels[j], part, margins, kerf);
  rooms.NoteOffered(panels, j);
  if (index != nullptr) index->OfferedInTurn(j, false);
}

void LayOutGroup(detail::GroupRuns& runs, PanelList& panels, const PanelList& stock,
                 EmptyBlocks& empties, detail::PanelIndex* index, const MarginsBlock& margins,
                 int kerf, EngineContext& ctx) {
  std::size_t start = 0;
  bool firstPass = true;
  PanelRooms rooms;
  std::size_t pass = 0;
  while (!runs.Empty()) {
    ++pass;
    runs.StartPass();
    std::vector<detail::PartRun>& list = runs.Runs();
    // A copy that follows an unplaced copy of the same part meets the same panels in the same
    // state: it would be refused everywhere again, with the same effects on the panels' grid
    // fields, so it is not offered again (nor the copies after it).
    bool previousRefused = false;
    // After the first pass, the runs that cannot fit the new panel are passed over (the run
    // index finds the next that may); the last that would have marked it marks it at the end.
    // The ranges of runs passed over since the panel was last offered a part.
    std::vector<std::pair<std::size_t, std::size_t>> passedOver;
    detail::RoomKey room;  // what the new panel's free rectangles offer, with that many parts
    std::size_t roomPlaced = 0;
    // The runs before the first with copies left are emptied runs: no parts.
    for (std::size_t r = runs.FrontIndex(); r < list.size() && !panels.empty(); ++r) {
      if (!firstPass && !panels.back().PlacedParts.empty()) {
        const Panneau_p& panel = panels.back();
        if (roomPlaced != panel.PlacedParts.size()) {
          room = detail::RoomKeyOf(panel);
          roomPlaced = panel.PlacedParts.size();
        }
        const std::size_t q = runs.NextMayFit(r, room, panel);
        if (q > r) {
          passedOver.emplace_back(r, q);
          // Runs are passed over only when each part number has a run of its own, where this
          // decides nothing; a run passed over was refused.
          previousRefused = true;
          r = q;
          if (r >= list.size()) break;
        }
      }
      if (list[r].count == 0) continue;  // an emptied run is no part
      if (previousRefused && r > 0 && list[r - 1].part.Number == list[r].part.Number) continue;
      previousRefused = false;
      const std::size_t offersBefore = firstPass ? 0 : rooms.Offers(panels, panels.size() - 1);
      if (!firstPass && RefusedByTheNewPanel(list[r], panels, rooms, index, margins)) {
        if (rooms.Offers(panels, panels.size() - 1) != offersBefore) passedOver.clear();
        previousRefused = true;
        continue;
      }
      // After the first pass the index only follows the new panel's layout.
      if (index != nullptr && firstPass) {
        index->BeginRun(list[r].part, list[r].fit, SameGrainPanelFor(list[r], panels, margins));
        // The walk would dissolve such a block on reaching its leader, and the index passes
        // over the leaders the ratio test passes over: the copies after them are offered on
        // their own now.
        if (index->AnyPassedOverForItsLike())
          empties.DissolveWhere([&](std::size_t j) { return index->PassedOverForItsLike(j); },
                                panels, *index);
      }
      for (std::size_t c = 0; c < list[r].count; ++c) {
        if (!OfferCopy(runs, pass, r, c, panels, rooms, empties, index, start, margins, kerf,
                       ctx)) {
          previousRefused = true;
          break;
        }
        runs.Placed(r);
      }
      if (!firstPass && rooms.Offers(panels, panels.size() - 1) != offersBefore) passedOver.clear();
    }
    for (auto range = passedOver.rbegin(); range != passedOver.rend(); ++range) {
      const std::size_t k = LastToMark(runs, range->first, range->second, panels, margins);
      if (k != range->second) {
        MarkRefusal(list[k].part, panels, rooms, index, margins, kerf);
        break;
      }
    }
    // What the pass placed leaves the group; the copies placed were the first of their runs.
    const bool placedAny = runs.EndPass();
    if (runs.Empty()) break;
    // The panel added for the previous pass was chosen because it takes the first part; if it
    // took nothing, adding more would never end.
    if (!firstPass && !placedAny) throw NoPanelFitsError(runs.Front().part);
    firstPass = false;
    start = panels.size();
    const TPiece& front = runs.Front().part;
    const Panneau_p& chosen = ctx.NewPanelChoice == ChooseLargestPanel
                                  ? ChooseLargestPanelForPart(stock, front, margins)
                                  : ChooseSmallestPanelForPart(stock, front, margins);
    // The copy rule: whole panel free, no part, no line. Copied before the list grows, so
    // the stock list may even be the working list itself.
    Panneau_p added(chosen);
    panels.push_back(std::move(added));
    if (index != nullptr) index->Added(panels);
  }
}

}  // namespace

void RunCuttingOptimisation(PartGroupList& groups, PanelList& panels, const PanelList& stock,
                            const MarginsBlock& margins, int kerf, EngineContext& ctx) {
  ValidatePartNumbers(groups, ctx.PartCounts);
  EmptyBlocks empties(panels);
  std::optional<detail::PanelIndex> index;
  if (detail::PanelIndex::Serves(panels, stock))
    index.emplace(panels, [&](std::size_t j) { return empties.Hidden(j); }, margins, kerf);
  detail::PanelIndex* indexed = index ? &*index : nullptr;
  SameGrainSearches searches;
  // As BuildPartCounts makes them, each part's entry stands at its number.
  bool countsByPosition = true;
  for (std::size_t k = 0; k < ctx.PartCounts.size() && countsByPosition; ++k)
    countsByPosition = ctx.PartCounts[k].PartId == static_cast<std::int32_t>(k);
  for (PartList& group : groups) {
    if (group.empty()) continue;
    // The group is held as runs of copies while it is laid out, and gets back the copies left
    // (none when all were placed) when it is done or when the run ends with an exception.
    detail::GroupRuns runs(group, margins, ctx.PartCounts, countsByPosition);
    searches.Share(runs);
    PartList().swap(group);
    try {
      LayOutGroup(runs, panels, stock, empties, indexed, margins, kerf, ctx);
    } catch (...) {
      runs.WriteBack(group);
      empties.WriteBack(panels);
      if (indexed != nullptr) indexed->Settle(panels);
      throw;
    }
  }
  empties.WriteBack(panels);
  if (indexed != nullptr) indexed->Settle(panels);
}

const Panneau_p& ChooseLargestPanelForPart(const PanelList& stock, const TPiece& part,
                                           const MarginsBlock& margins) {
  return ChoosePanelForPart(stock, part, margins, Keep::Largest);
}

const Panneau_p& ChooseSmallestPanelForPart(const PanelList& stock, const TPiece& part,
                                            const MarginsBlock& margins) {
  return ChoosePanelForPart(stock, part, margins, Keep::Smallest);
}

bool ChoosePanelByRatio(const PanelList& panels, const TPiece& part, const MarginsBlock& margins,
                        std::size_t j, std::size_t last) {
  if (margins.ThickerStockAllowed == 0 || j == last || j >= panels.size()) return false;
  const RatioTest test(part, margins);
  const float ratioJ = test.RatioOf(panels[j].Thickness);
  for (std::size_t k = j + 1; k <= last && k < panels.size(); ++k)
    if (test.Qualifies(panels[k], ratioJ)) return true;
  return false;
}

bool FindPartGroup(const PartGroupList& groups, const TPiece& part, int& index) {
  for (std::size_t g = 0; g < groups.size(); ++g) {
    for (const TPiece& member : groups[g]) {
      if (member.Species == part.Species && member.Thickness == part.Thickness) {
        index = static_cast<int>(g);
        return true;
      }
    }
  }
  return false;
}

void SortPartGroups(PartGroupList& groups, int criterion) {
  // Copies side by side that are the same record sort as one: the runs are sorted and written
  // back over the group, which gives the stable sort of the copies without moving each of them.
  struct Run {
    TPiece part;
    std::size_t count;
  };
  std::vector<Run> runs;
  for (PartList& group : groups) {
    runs.clear();
    for (const TPiece& part : group) {
      if (!runs.empty() && detail::SameRecord(runs.back().part, part))
        ++runs.back().count;
      else
        runs.push_back(Run{part, 1});
    }
    std::stable_sort(runs.begin(), runs.end(), [criterion](const Run& a, const Run& b) {
      return PartCriterionGreater(a.part, b.part, criterion);
    });
    auto out = group.begin();
    for (const Run& run : runs) out = std::fill_n(out, run.count, run.part);
  }
}

void FreePartGroups(PartGroupList& groups) { groups.clear(); }

void SortPanels(PanelList& panels) {
  for (Panneau_p& panel : panels) {
    panel.FreeRects.clear();
    ResizePanelLayout(panel);
  }
  // The order of PartAreaLess.
  SortPanelsByKey(panels, [](const Panneau_p& p) { return RectArea(p.Rect); });
}

namespace {

template <typename List>
bool AllWidthThickness100(const List& records) {
  if (records.empty()) return false;
  const double width = records.front().Width;
  const double thickness = records.front().Thickness;
  for (const auto& record : records)
    if (record.Width != width || record.Thickness != thickness) return false;
  return width == 100.0 && thickness == 100.0;
}

}  // namespace

bool PartsAllWidthThickness100(const PartList& parts) { return AllWidthThickness100(parts); }
bool PanelsAllWidthThickness100(const PanelList& panels) { return AllWidthThickness100(panels); }

}  // namespace tranchex
