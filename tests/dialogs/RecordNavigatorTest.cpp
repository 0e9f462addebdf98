// The navigation shared by the record forms, on a list of its own: the hooks it calls and when,
// what each answer to the untouched-record question does, and the buttons it sets.

#include "dialogs/RecordNavigator.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

namespace tranchex::test {
namespace {

class Navigator : public ::testing::Test {
 protected:
  Navigator() {
    navigator = std::make_unique<RecordNavigator>(
        RecordNavigator::Controls{&first, &previous, &next, &last, &add, &counter},
        RecordNavigator::Hooks{
            [this] { return static_cast<int>(records.size()); },
            [this] { return pending; },
            [this] {
              calls += "leave ";
              return leaveAccepted;
            },
            [this] {
              calls += "ask ";
              return choice;
            },
            [this] {
              calls += "drop ";
              records.pop_back();
            },
            [this](RecordNavigator::Move) {
              calls += "show" + std::to_string(navigator->Index()) + " ";
            }});
    navigator->Reset();
  }
  // The enabled states of first, previous, next, last, new.
  std::string Buttons() const {
    std::string s;
    for (const QPushButton* b : {&first, &previous, &next, &last, &add})
      s += b->isEnabled() ? '1' : '0';
    return s;
  }
  // A new record appended at the end, as a form does.
  void AddRecord() {
    EXPECT_EQ(navigator->NewRecordIndex(), static_cast<int>(records.size()));
    records.push_back(0);
    navigator->NewRecordAppended();
    EXPECT_EQ(navigator->Index(), static_cast<int>(records.size()) - 1);
  }

  QPushButton first, previous, next, last, add;
  QLineEdit counter;
  std::vector<int> records = {0, 0, 0};
  bool pending = false;
  bool leaveAccepted = true;
  RecordNavigator::UntouchedChoice choice = RecordNavigator::UntouchedChoice::Keep;
  std::string calls;
  std::unique_ptr<RecordNavigator> navigator;
};

TEST_F(Navigator, AMoveLeavesTheRecordThenShowsTheNextOne) {
  EXPECT_EQ(Buttons(), "00111");
  EXPECT_EQ(counter.text(), QStringLiteral("1"));
  EXPECT_TRUE(navigator->Go(RecordNavigator::Move::Last));
  EXPECT_EQ(calls, "leave show2 ");
  EXPECT_EQ(Buttons(), "11001");
  EXPECT_EQ(counter.text(), QStringLiteral("3"));
  // Nothing past either end; a refusal keeps the record.
  calls.clear();
  EXPECT_FALSE(navigator->Go(RecordNavigator::Move::Next));
  leaveAccepted = false;
  EXPECT_FALSE(navigator->Go(RecordNavigator::Move::Previous));
  EXPECT_EQ(calls, "leave ");
  EXPECT_EQ(navigator->Index(), 2);
}

TEST_F(Navigator, EachAnswerAboutAnUntouchedRecord) {
  struct Case {
    RecordNavigator::UntouchedChoice choice;
    bool moved;
    std::size_t records;
    const char* calls;
  };
  using C = RecordNavigator::UntouchedChoice;
  for (const Case& c : {Case{C::Keep, true, 4, "ask show2 "}, Case{C::Drop, true, 3, "ask drop show2 "},
                        Case{C::Stay, false, 4, "ask "}}) {
    records = {0, 0, 0};
    navigator->Reset();
    navigator->Go(RecordNavigator::Move::Last);
    AddRecord();
    EXPECT_EQ(Buttons(), "11000");
    EXPECT_TRUE(navigator->NewUntouched());
    EXPECT_TRUE(navigator->CurrentIsNew());
    calls.clear();
    choice = c.choice;
    EXPECT_EQ(navigator->Go(RecordNavigator::Move::Previous), c.moved);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(records.size(), c.records);
    EXPECT_EQ(navigator->CurrentIsNew(), !c.moved);
    if (c.moved) {
      EXPECT_TRUE(add.isEnabled());
    }
  }
}

TEST_F(Navigator, ATouchedOrEditedRecordIsLeftAsAnyOther) {
  navigator->Go(RecordNavigator::Move::Last);
  AddRecord();
  pending = true;  // an edit not yet written
  calls.clear();
  navigator->Go(RecordNavigator::Move::First);
  EXPECT_EQ(calls, "leave show0 ");
  navigator->Go(RecordNavigator::Move::Last);
  AddRecord();
  pending = false;
  navigator->RecordTouched();
  calls.clear();
  navigator->Go(RecordNavigator::Move::Previous);
  EXPECT_EQ(calls, "leave show3 ");
}

TEST_F(Navigator, AfterADeleteTheRecordBeforeIsShown) {
  navigator->Go(RecordNavigator::Move::Last);
  records.pop_back();
  calls.clear();
  navigator->StepBackAfterDelete();
  EXPECT_EQ(calls, "show1 ");
  EXPECT_EQ(counter.text(), QStringLiteral("2"));
  EXPECT_EQ(Buttons(), "11001");
}

}  // namespace
}  // namespace tranchex::test
