#pragma once
// The job the export tests write: texts that need care ("Chêne", "Hêtre", "œ", a semicolon, a
// double quote), a length of 396.5 mm, a part numbered 702 (no reference or designation at that
// number: its letters, aaa, are written), a species outside the list, a panel thicker than its
// part and a panel without parts.
//
// Parts (JobParts):
//   0 "Tiroir; façade"  2 x 396.5 x 120 x 19 mm, Chêne, grain 0
//   1 Pied 2" rond      1 x 720 x 50 x 19 mm, Hêtre, grain 2
//   2 "Cœur"            1 x 300 x 200 x 22 mm, species 7 (not in the list), grain 1, number 702
// Result panels:
//   1  2800 x 2070 x 19 mm, Chêne, grain 0: parts 0, 0, 1
//   2  1000 x 500 x 25 mm, species 7, grain 2: part 702
//   3  1000 x 500 x 19 mm, Hêtre, grain 1: no part

#include <string>
#include <vector>

#include "exchange/JobExport.h"
#include "job/JobState.h"

namespace tranchex::test {

inline const std::vector<std::string>& FixtureSpecies() {
  static const std::vector<std::string> species = {"Chêne", "Hêtre"};
  return species;
}

inline TPiece FixturePart(double length, double width, double thickness, int species, int grain,
                          int quantity, int number) {
  TPiece p(length, width, thickness, species);
  p.Grain = grain;
  p.Quantity = quantity;
  p.Number = number;
  return p;
}

inline Panneau_p FixturePanel(double length, double width, double thickness, int species,
                              int grain) {
  Panneau_p p(length, width, thickness, species);
  p.Grain = grain;
  return p;
}

// The fixture as a simple (1) or complex (2) job.
inline JobState ExportFixtureJob(int kind) {
  JobState job;
  job.JobKind = kind;
  job.JobParts = {FixturePart(3965, 1200, 190, 0, 0, 2, 0), FixturePart(7200, 500, 190, 1, 2, 1, 1),
                  FixturePart(3000, 2000, 220, 7, 1, 1, 702)};
  job.JobDesignations = {"Tiroir; façade", "Pied 2\" rond", "Cœur"};
  job.JobReferences = {"a", "b", "c"};
  Panneau_p first = FixturePanel(28000, 20700, 190, 0, 0);
  // A placed copy keeps its part's quantity; the export counts it as one piece.
  first.PlacedParts = {job.JobParts[0], job.JobParts[0], job.JobParts[1]};
  Panneau_p second = FixturePanel(10000, 5000, 250, 7, 2);
  second.PlacedParts = {job.JobParts[2]};
  job.ResultPanels.push_back(std::move(first));
  job.ResultPanels.push_back(std::move(second));
  job.ResultPanels.push_back(FixturePanel(10000, 5000, 190, 1, 1));
  return job;
}

}  // namespace tranchex::test
