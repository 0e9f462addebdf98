#pragma once
// The navigation of an entry form that shows one record of a list at a time (stock panels,
// parts): the position of the record shown, the first, previous, next and last buttons, the
// counter, the new-record button's return, and the question about a new record left untouched.
//
// A move leaves the record shown (the form writes its pending edits and tests the record; a
// refusal keeps the form on it), moves, sets the buttons and has the form show the record. Moving
// back from a new record nobody touched first asks whether to keep it. The form supplies the
// list's size, its pending state and these steps as hooks; the navigator keeps the index and the
// two new-record flags.

#include <functional>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tranchex {

// The buttons and counter every record form has, named as the forms name them, in their two
// rows: the moves around the counter, and new, delete, then cancel and finish.
struct RecordButtonBar {
  QPushButton* BtnPremier = nullptr;
  QPushButton* BtnPred = nullptr;
  QLineEdit* EdtCompteur = nullptr;  // read only, never takes the focus
  QPushButton* BtnSuivant = nullptr;
  QPushButton* BtnDernier = nullptr;
  QPushButton* BtnNouveau = nullptr;
  QPushButton* BtnSupprimer = nullptr;
  QPushButton* BtnAnnul = nullptr;
  QPushButton* BtnTerminer = nullptr;
  QHBoxLayout* Moves = nullptr;
  QHBoxLayout* Buttons = nullptr;
};
RecordButtonBar CreateRecordButtonBar(QWidget& form);

class RecordNavigator {
 public:
  enum class Move { First, Previous, Next, Last };

  // What the form does with a new record left untouched when the user moves back from it.
  enum class UntouchedChoice {
    Keep,  // the record stays as created; the move goes on without leaving checks
    Drop,  // the record is removed; the move goes on without leaving checks
    Stay,  // the move is abandoned; the form stays on the record
  };

  struct Controls {
    QPushButton* First = nullptr;
    QPushButton* Previous = nullptr;
    QPushButton* Next = nullptr;
    QPushButton* Last = nullptr;
    QPushButton* New = nullptr;    // enabled again by every move back
    QLineEdit* Counter = nullptr;  // the position shown, from 1
  };

  struct Hooks {
    std::function<int()> Count;             // records in the list
    std::function<bool()> HasPendingEdits;  // a field holds an edit not yet written
    // Writes the pending edits into the record shown and tests it; false keeps the form on the
    // record (the hook has said why).
    std::function<bool()> LeaveRecord;
    // Asked when an untouched new record is left backwards.
    std::function<UntouchedChoice()> AskUntouched;
    // Removes the last record (the untouched new one).
    std::function<void()> DropLastRecord;
    // Shows the record at Index() in the fields, after a move.
    std::function<void(Move)> ShowRecord;
  };

  RecordNavigator(Controls controls, Hooks hooks);

  int Index() const { return index_; }
  // Set while a record created by the new-record button has not been edited.
  bool NewUntouched() const { return newUntouched_; }
  // Set from the new-record button until the user leaves that record.
  bool CurrentIsNew() const { return currentIsNew_; }
  // A field of the record shown accepted an edit: the new record is no longer untouched.
  void RecordTouched() { newUntouched_ = false; }

  // Back at the first record, both flags clear, the buttons set for it: previous and first
  // disabled, next and last enabled when there is more than one record, the counter "1".
  void Reset();

  // The move asked for; false when it did not happen (nothing to move to, a refusal, the user
  // stayed).
  bool Go(Move move);

  // After a delete: to the record before the one removed, as a move back without leaving checks;
  // both flags clear.
  void StepBackAfterDelete();
  // Both flags clear, the index kept (a delete that shows the first record again calls Reset).
  void ClearNewFlags();

  // The new-record button, once the form has left the record shown: the position the new
  // record takes (the present count). The form appends the record, then calls NewRecordAppended.
  int NewRecordIndex() const;
  // The last record, just appended, is shown as new and untouched: new, next and last disabled,
  // previous and first enabled, the counter on it.
  void NewRecordAppended();

  // The form leaves (finish or cancel): the record shown is no longer new.
  void Leave() { currentIsNew_ = false; }

  // The counter shows Index() + 1.
  void ShowCounter();

 private:
  void EnableMoves();

  Controls controls_;
  Hooks hooks_;
  int index_ = 0;
  bool newUntouched_ = false;
  bool currentIsNew_ = false;
};

}  // namespace tranchex
