#pragma once
// JobState fixtures in a few lines:
//   JobState job = JobBuilder().kind(2).kerf(30).panel(28000, 20700, 2).part(6000, 4000, 3).build();
// Panels take their entry index, parts their number (= position), a designation and a reference.

#include <string>

#include "job/JobState.h"
#include "job/Settings.h"

namespace tranchex::test {

class JobBuilder {
 public:
  JobBuilder();
  JobBuilder& kind(int k);
  JobBuilder& kerf(int k);
  JobBuilder& margins(double length, double width, double thickness = 0.0);
  JobBuilder& thickerStock(bool allowed = true);
  JobBuilder& criterion(int c);
  JobBuilder& choice(int c);
  JobBuilder& panel(double length, double width, int quantity = 1, int grain = GrainIndifferent,
                    double thickness = 190.0, int species = 0);
  JobBuilder& part(double length, double width, int quantity = 1, int grain = GrainIndifferent,
                   double thickness = 190.0, int species = 0, std::string designation = {},
                   std::string reference = {});
  JobState build() const { return job_; }

 private:
  JobState job_;
};

// Species "Chêne", "Hêtre", "Pin"; millimetres.
Settings TestSettings();

}  // namespace tranchex::test
