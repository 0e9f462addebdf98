#include "dialogs/RecordNavigator.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "dialogs/DialogFrame.h"

namespace tranchex {

RecordButtonBar CreateRecordButtonBar(QWidget& form) {
  RecordButtonBar bar;
  bar.BtnPremier = Named(new QPushButton(&form), "BtnPremier");
  bar.BtnPred = Named(new QPushButton(&form), "BtnPred");
  bar.EdtCompteur = Named(new QLineEdit(&form), "EdtCompteur");
  bar.EdtCompteur->setReadOnly(true);
  bar.EdtCompteur->setFocusPolicy(Qt::NoFocus);
  bar.EdtCompteur->setAlignment(Qt::AlignCenter);
  bar.EdtCompteur->setFixedWidth(50);
  bar.BtnSuivant = Named(new QPushButton(&form), "BtnSuivant");
  bar.BtnDernier = Named(new QPushButton(&form), "BtnDernier");
  bar.Moves = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{bar.BtnPremier, bar.BtnPred, bar.EdtCompteur,
                                                    bar.BtnSuivant, bar.BtnDernier})
    bar.Moves->addWidget(w);

  bar.BtnNouveau = Named(new QPushButton(&form), "BtnNouveau");
  bar.BtnSupprimer = Named(new QPushButton(&form), "BtnSupprimer");
  bar.BtnAnnul = Named(new QPushButton(&form), "BtnAnnul");
  bar.BtnTerminer = Named(new QPushButton(&form), "BtnTerminer");
  bar.Buttons = new QHBoxLayout;
  bar.Buttons->addWidget(bar.BtnNouveau);
  bar.Buttons->addWidget(bar.BtnSupprimer);
  bar.Buttons->addStretch(1);
  bar.Buttons->addWidget(bar.BtnAnnul);
  bar.Buttons->addWidget(bar.BtnTerminer);
  return bar;
}

RecordNavigator::RecordNavigator(Controls controls, Hooks hooks)
    : controls_(controls), hooks_(std::move(hooks)) {}

void RecordNavigator::ShowCounter() { controls_.Counter->setText(QString::number(index_ + 1)); }

void RecordNavigator::EnableMoves() {
  const int count = hooks_.Count();
  const bool back = index_ > 0;
  const bool forward = index_ < count - 1;
  controls_.First->setEnabled(back);
  controls_.Previous->setEnabled(back);
  controls_.Next->setEnabled(forward);
  controls_.Last->setEnabled(forward);
}

void RecordNavigator::Reset() {
  index_ = 0;
  newUntouched_ = false;
  currentIsNew_ = false;
  EnableMoves();
  controls_.New->setEnabled(true);
  ShowCounter();
}

bool RecordNavigator::Go(Move move) {
  const bool back = move == Move::First || move == Move::Previous;
  const int count = hooks_.Count();
  // Nothing before the first record, nothing after the last.
  if (back && index_ <= 0) return false;
  if (!back && index_ >= count - 1) return false;

  bool leaving = true;
  if (back && !hooks_.HasPendingEdits() && index_ == count - 1 && newUntouched_) {
    switch (hooks_.AskUntouched()) {
      case UntouchedChoice::Stay:
        return false;
      case UntouchedChoice::Drop:
        hooks_.DropLastRecord();
        break;
      case UntouchedChoice::Keep:
        break;
    }
    newUntouched_ = false;
    // Nothing was typed into the record: there is nothing to write or test.
    leaving = false;
  }
  if (leaving && !hooks_.LeaveRecord()) return false;

  switch (move) {
    case Move::First:
      index_ = 0;
      break;
    case Move::Previous:
      index_ -= 1;
      break;
    case Move::Next:
      index_ += 1;
      break;
    case Move::Last:
      index_ = hooks_.Count() - 1;
      break;
  }
  if (back) controls_.New->setEnabled(true);
  EnableMoves();
  hooks_.ShowRecord(move);
  currentIsNew_ = false;
  ShowCounter();
  return true;
}

void RecordNavigator::StepBackAfterDelete() {
  ClearNewFlags();
  if (index_ > 0) index_ -= 1;
  controls_.New->setEnabled(true);
  EnableMoves();
  hooks_.ShowRecord(Move::Previous);
  ShowCounter();
}

void RecordNavigator::ClearNewFlags() {
  newUntouched_ = false;
  currentIsNew_ = false;
}

int RecordNavigator::NewRecordIndex() const { return hooks_.Count(); }

void RecordNavigator::NewRecordAppended() {
  index_ = hooks_.Count() - 1;
  newUntouched_ = true;
  currentIsNew_ = true;
  controls_.New->setEnabled(false);
  controls_.Next->setEnabled(false);
  controls_.Last->setEnabled(false);
  controls_.Previous->setEnabled(true);
  controls_.First->setEnabled(true);
  ShowCounter();
}

}  // namespace tranchex
