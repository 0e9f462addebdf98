#include "support/JobBuilder.h"

namespace tranchex::test {

JobBuilder::JobBuilder() {
  job_.JobKind = 2;
  job_.JobName = "NouveauDebit.deb";
}

JobBuilder& JobBuilder::kind(int k) {
  job_.JobKind = k;
  return *this;
}

JobBuilder& JobBuilder::kerf(int k) {
  job_.JobKerf = k;
  return *this;
}

JobBuilder& JobBuilder::margins(double length, double width, double thickness) {
  job_.JobMargins.LengthMargin = length;
  job_.JobMargins.WidthMargin = width;
  job_.JobMargins.ThicknessMargin = thickness;
  return *this;
}

JobBuilder& JobBuilder::thickerStock(bool allowed) {
  job_.JobMargins.ThickerStockAllowed = allowed ? 1 : 0;
  return *this;
}

JobBuilder& JobBuilder::criterion(int c) {
  job_.Engine.OptimisationCriterion = c;
  return *this;
}

JobBuilder& JobBuilder::choice(int c) {
  job_.Engine.NewPanelChoice = c;
  return *this;
}

JobBuilder& JobBuilder::panel(double length, double width, int quantity, int grain,
                              double thickness, int species) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = quantity;
  p.EntryIndex = static_cast<std::int32_t>(job_.JobPanels.size());
  job_.JobPanels.push_back(std::move(p));
  return *this;
}

JobBuilder& JobBuilder::part(double length, double width, int quantity, int grain,
                             double thickness, int species, std::string designation,
                             std::string reference) {
  TPiece p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = quantity;
  const auto n = static_cast<std::int32_t>(job_.JobParts.size());
  p.Number = n;
  p.DesignationIndex = n;
  job_.JobParts.push_back(p);
  job_.JobDesignations.push_back(designation.empty() ? "Piece" + std::to_string(n + 1)
                                                     : std::move(designation));
  job_.JobReferences.push_back(reference.empty() ? std::string(1, static_cast<char>('a' + n % 26))
                                                 : std::move(reference));
  job_.Engine.PartCounter = n + 1;
  return *this;
}

Settings TestSettings() {
  Settings s;
  s.SpeciesNames = {"Chêne", "Hêtre", "Pin"};
  return s;
}

}  // namespace tranchex::test
