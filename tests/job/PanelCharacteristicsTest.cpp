#include "job/PanelCharacteristics.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/PlanFixtures.h"

namespace tranchex {
namespace {

using test::MakePanel;

struct LabelCase {
  const char* name;
  Panneau_p panel;
  double factor;
  int jobKind;
  const char* label;
};

TEST(BuildPanelCharacteristics, Labels) {
  const std::vector<LabelCase> cases = {
      {"simple job in mm", MakePanel(25000, 12500, GrainHorizontal, 190, 0), 10, 1,
       "2500x1250 - horizontal"},
      {"complex job", MakePanel(25000, 12500, GrainHorizontal, 190, 0), 10, 2,
       "2500x1250x19 - chêne - horizontal"},
      {"complex job, half a millimetre thick", MakePanel(25000, 12500, GrainHorizontal, 185, 0),
       10, 2, "2500x1250x18,5 - chêne - horizontal"},
      {"centimetres", MakePanel(25005, 12500, GrainIndifferent, 190, 1), 100, 1,
       "250,05x125 - indifférent"},
      {"every tenth in metres", MakePanel(28050, 12544, GrainVertical, 1234, 1), 10000, 2,
       "2,805x1,2544x0,1234 - érable - vertical"},
      {"19 and 22 mm apart in metres", MakePanel(28000, 20700, GrainVertical, 220, 1), 10000, 2,
       "2,8x2,07x0,022 - érable - vertical"},
      {"every tenth in inches", MakePanel(28000, 12544, GrainVertical, 190, 1), 254, 2,
       "110,236x49,386x0,748 - érable - vertical"},
      {"species outside the list", MakePanel(25000, 12500, GrainVertical, 190, 5), 10, 2,
       "2500x1250x19 - Non spécifié - vertical"},
      {"negative species", MakePanel(25000, 12500, GrainVertical, 190, -1), 10, 2,
       "2500x1250x19 - Non spécifié - vertical"},
  };
  const std::vector<std::string> species{"Chêne", "ÉRABLE"};
  const ListTexts texts = LoadListTexts(',');
  for (const LabelCase& c : cases) {
    SCOPED_TRACE(c.name);
    UNITE_MESURE unit;
    unit.Factor = c.factor;
    CharacteristicList list;
    BuildPanelCharacteristics(list, {c.panel}, species, unit, c.jobKind, texts);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Label, c.label);
    EXPECT_EQ(list[0].Grain, c.panel.Grain);
    EXPECT_EQ(list[0].Species, c.panel.Species);
    EXPECT_EQ(list[0].Thickness, c.panel.Thickness);
  }
}

TEST(BuildPanelCharacteristics, OneEntryPerPanelInOrderWithoutMerging) {
  const ListTexts texts = LoadListTexts('.');
  const std::vector<std::string> species{"Chêne"};
  CharacteristicList list = {{"old", 0, 0, 0}};
  const Panneau_p a = MakePanel(25000, 12500, GrainVertical, 185, 0);
  const Panneau_p b = MakePanel(30000, 12500, GrainHorizontal, 190, 0);
  BuildPanelCharacteristics(list, {a, b, a}, species, UNITE_MESURE{}, 2, texts);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].Label, "2500x1250x18.5 - chêne - vertical");
  EXPECT_EQ(list[1].Label, "3000x1250x19 - chêne - horizontal");
  EXPECT_EQ(list[0], list[2]);
}

TEST(BuildPanelCharacteristics, EmptyPanelListLeavesTheListAsItWas) {
  CharacteristicList list = {{"old", 1, 2, 3.0}};
  BuildPanelCharacteristics(list, {}, {}, UNITE_MESURE{}, 1, LoadListTexts(','));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Label, "old");
}

}  // namespace
}  // namespace tranchex
